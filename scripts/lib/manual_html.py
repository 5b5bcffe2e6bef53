#!/usr/bin/env python3
"""Turns docs/manual.md into one self-contained Manual.html, its pictures inlined, for the
installer and the zip: a technician opens one file and sees everything.

It reads the plain Markdown the manual is written in: headings, paragraphs, bulleted and
numbered lists, pipe tables, fenced code, pictures on a line of their own, and inline code,
bold, italics and links. Anything else is shown as the text it is.

Usage: manual_html.py MANUAL.md OUTPUT.html
"""

import base64
import html
import pathlib
import re
import sys

# Applied outside code spans, in this order.
INLINE = [
    (re.compile(r"\*\*([^*]+)\*\*"), lambda m: "<strong>" + m.group(1) + "</strong>"),
    (re.compile(r"(?<![\w*])\*([^*\s][^*]*)\*(?![\w*])"), lambda m: "<em>" + m.group(1) + "</em>"),
    (re.compile(r"\[([^\]]+)\]\(([^)\s]+)\)"),
     lambda m: '<a href="' + m.group(2) + '">' + m.group(1) + "</a>"),
]

STYLE = """
body { font-family: "Segoe UI", Tahoma, sans-serif; max-width: 54em; margin: 2em auto;
       padding: 0 1em; line-height: 1.45; color: #222; }
h1, h2, h3 { color: #1c3f6e; }
h2 { border-bottom: 1px solid #ccd; padding-bottom: 0.2em; margin-top: 2em; }
code, pre { font-family: Consolas, "Courier New", monospace; background: #f3f3f6; }
pre { padding: 0.6em 0.8em; overflow-x: auto; }
table { border-collapse: collapse; margin: 0.8em 0; }
th, td { border: 1px solid #bbc; padding: 0.25em 0.6em; text-align: left; vertical-align: top; }
th { background: #e8ecf3; }
img { max-width: 100%; border: 1px solid #bbc; margin: 0.4em 0; }
"""


def inline(text):
    """Escapes the text, then marks up code, emphasis and links; code spans are kept verbatim."""
    parts = re.split(r"(`[^`]+`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) > 1:
            out.append("<code>" + html.escape(part[1:-1], quote=False) + "</code>")
            continue
        part = html.escape(part, quote=False)
        for pattern, replace in INLINE:
            part = pattern.sub(replace, part)
        out.append(part)
    return "".join(out)


def anchor(title):
    return re.sub(r"[^a-z0-9]+", "-", title.lower()).strip("-")


def picture(alt, path, base):
    image = base / path
    if not image.is_file():
        sys.exit(f"manual_html: picture not found: {image}")
    data = base64.b64encode(image.read_bytes()).decode("ascii")
    return f'<p><img alt="{html.escape(alt)}" src="data:image/png;base64,{data}"></p>'


def table(rows):
    def cells(row):
        return [c.strip() for c in row.strip().strip("|").split("|")]

    head, body = cells(rows[0]), [cells(r) for r in rows[2:]]
    out = ["<table>", "<tr>" + "".join(f"<th>{inline(c)}</th>" for c in head) + "</tr>"]
    out += ["<tr>" + "".join(f"<td>{inline(c)}</td>" for c in r) + "</tr>" for r in body]
    return "\n".join(out + ["</table>"])


LIST_ITEM = re.compile(r"^(\s*)([-*]|\d+\.)\s+(.*)$")
PICTURE = re.compile(r"^!\[([^\]]*)\]\(([^)\s]+)\)$")


def convert(lines, base):
    out = []
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
        elif line.startswith("```"):
            end = i + 1
            while end < len(lines) and not lines[end].startswith("```"):
                end += 1
            out.append("<pre><code>" + html.escape("\n".join(lines[i + 1:end]), quote=False)
                       + "</code></pre>")
            i = end + 1
        elif m := re.match(r"^(#{1,3})\s+(.*)$", line):
            level, title = len(m.group(1)), m.group(2)
            out.append(f'<h{level} id="{anchor(title)}">{inline(title)}</h{level}>')
            i += 1
        elif m := PICTURE.match(line.strip()):
            out.append(picture(m.group(1), m.group(2), base))
            i += 1
        elif line.startswith("|") and i + 1 < len(lines) and re.match(r"^\|[\s:|-]+\|$",
                                                                       lines[i + 1].strip()):
            end = i
            while end < len(lines) and lines[end].startswith("|"):
                end += 1
            out.append(table(lines[i:end]))
            i = end
        elif m := LIST_ITEM.match(line):
            tag = "ol" if m.group(2)[0].isdigit() else "ul"
            items = []
            while i < len(lines) and lines[i].strip():
                item = LIST_ITEM.match(lines[i])
                if item and not item.group(1):
                    items.append(item.group(3))
                else:  # a continuation line of the item above
                    items[-1] += " " + lines[i].strip()
                i += 1
            out.append(f"<{tag}>" + "".join(f"<li>{inline(t)}</li>" for t in items) + f"</{tag}>")
        else:
            end = i
            while end < len(lines) and lines[end].strip() and not re.match(
                    r"^(#|```|\||!\[)", lines[end]) and not LIST_ITEM.match(lines[end]):
                end += 1
            out.append("<p>" + inline(" ".join(l.strip() for l in lines[i:end])) + "</p>")
            i = end
    return out


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: manual_html.py MANUAL.md OUTPUT.html")
    source = pathlib.Path(sys.argv[1])
    lines = source.read_text(encoding="utf-8").splitlines()
    title = next((l[2:].strip() for l in lines if l.startswith("# ")), "Manual")
    body = "\n".join(convert(lines, source.parent))
    page = (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n"
            f"<body>\n{body}\n</body>\n</html>\n")
    pathlib.Path(sys.argv[2]).write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
