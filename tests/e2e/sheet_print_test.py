#!/usr/bin/env python3
"""The printed sheet as a technician gets it. A random sheet of 150 codes, shaped like Tessmar's
(numbers, key strings with modifiers and scan codes, a transmission sequence, the longest step
Tessmar writes), goes through stampwell and headless Chromium to PDF, on Letter and on A4. Then:
the PDF has the pages Stampwell laid out; every page carries its footer (the sheet's name and time
of writing, the scanning order, "Page n of m"); every step stands whole on one page; and every
barcode, cut out of the printed page by the place of its caption, decodes to its code, in the
sheet's order, its bars and spaces a whole number of modules of 4 dots at 300 dpi and 8 at 600,
with clear space of at least 10 modules each side.

Usage: sheet_print_test.py STAMPWELL   (SHEET_SEED=N picks another random sheet)
"""
import html
import os
import random
import re
import subprocess
import sys
import tempfile
from pathlib import Path

CODES = 150
MM = 72 / 25.4  # PDF points in a millimetre
BAR_HEIGHT_MM = 10
CAPTION_GAP_MM = 0.6  # between a barcode and its caption
CELL_PADDING_MM = 2  # a caption starts this far into its cell
CELL_MM = 56  # the narrowest cell's width, less a hair
QUIET_MODULES = 10

NUMBERS = [(207, "Scanner Timeout"), (15, "Inter-Character Delay"), (210, "Max Length"),
           (549, "Min Length"), (551, "M.String Location"), (554, "Field 1 Length")]
KEY_STRINGS = [(273, "Prefix Code"), (274, "Suffix Code"), (301, "Field Separator"),
               (256, "Code 39"), (550, "Matching String"), (572, "Additional Field 1")]
OPTIONS = [(68, "Auto Power Off Mode"), (75, "Disable"), (122, "Full ASCII ON"),
           (203, "Redundancy:3 times"), (319, "Disable Buzzer"), (386, "Enable TRX. Buffer"),
           (9991, "Clear All"), (500, "Code 39"), (583, "Total Fields"), (9963, "Set 2"),
           (169, "Modulo 11 && 10")]
MODIFIERS = ["Add Shift", "Add Control (L)", "Add Alternate (L)", "Add Control (R)",
             "Add Alternate (R)", "Add Break"]
SECTIONS = ["Scanner Settings", "Interface Settings : Keyboard Wedge", "Prefix / Suffix Settings",
            "Code 39 Settings", "Codabar Settings", "Code ID Settings", "Data Editing Settings",
            "Editing Format 1 Settings"]
SUB_HEADINGS = ["Applicable Conditions Settings", "Fields Settings",
                "Transmission Sequence Settings"]

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def code(number, caption):
    return ("%04d" % number, caption)


def nibbles(byte):
    return [code(9900 + n, "0x0%X" % n) for n in (byte >> 4, byte & 15)]


def key_string(rng, longest=False):
    items = []
    form = "modifiers" if longest else rng.choice(["characters", "modifiers", "scan codes"])
    if form == "characters":
        for _ in range(rng.randint(0, 10)):
            items += nibbles(rng.randint(0x21, 0x7E))
    elif form == "modifiers":
        for _ in range(5 if longest else rng.randint(1, 5)):
            flags = 63 if longest else rng.randint(0, 63)
            items += [code(9930 + i, MODIFIERS[i]) for i in range(6) if flags & (1 << i)]
            items += nibbles(rng.randint(0x21, 0x7E))
    else:
        items.append(code(9936, "Scan Code"))
        for _ in range(rng.randint(1, 5)):
            items += nibbles(rng.randint(1, 255))
    return [code(*rng.choice(KEY_STRINGS))] + items + [code(9994, "Validate")]


def random_step(rng):
    kind = rng.randint(0, 19)
    if kind < 12:
        return [code(*rng.choice(OPTIONS))]
    if kind < 15:
        digits = str(rng.randint(0, 65535))
        return ([code(*rng.choice(NUMBERS))] + [code(9900 + int(d), "0x0" + d) for d in digits] +
                [code(9994, "Validate")])
    if kind < 18:
        return key_string(rng)
    fields = [rng.randint(1, 11) for _ in range(rng.randint(1, 6))]
    return ([code(577, "Start")] +
            [code(9900 + f, "Field %d" % f if f <= 6 else "Additional Field %d" % (f - 6))
             for f in fields] + [code(9994, "End")])


def random_sheet(rng):
    """A sheet of exactly CODES codes: the preamble, sections of steps, the closing code."""
    text = ("Orlo Scanner Configuration Sheet\r\n\r\n51277335127700<Enter Setup>"
            "\r\n9993<Restore Default Settings>")
    left = CODES - 3
    first = True
    while left > 0:
        text += "\r\n\r\n" + rng.choice(SECTIONS) + "\r\n"
        for s in range(rng.randint(1, 8)):
            if s > 0 and rng.random() < 0.15:
                text += "\r\n" + rng.choice(SUB_HEADINGS) + "\r\n"
            step = key_string(rng, longest=True) if first else random_step(rng)
            first = False
            if len(step) > left:
                step = [code(*rng.choice(OPTIONS))]
            text += "".join("%s<%s>" % item for item in step)
            left -= len(step)
            if left == 0:
                break
    return text + "\r\n\r\n9999<Update>"


def run(*command, **options):
    return subprocess.run(command, check=True, capture_output=True, **options)


def html_pages(page_html):
    """Per page: its barcodes as (label, digits) in order."""
    cell = re.compile(r'<b>([0-9]+[a-z]*)</b><span class="caption">[^<]*</span>'
                      r'<span class="digits">([0-9]+)</span>')
    sections = page_html.split('<section class="page">')[1:]
    return [cell.findall(section) for section in sections]


def words_of(pdf, page, folder):
    out = folder / "words.html"
    run("pdftotext", "-bbox", "-f", str(page), "-l", str(page), str(pdf), str(out))
    word = re.compile(r'<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" '
                      r'yMax="([0-9.]+)">([^<]*)</word>')
    return [(float(a), float(b), float(c), float(d), html.unescape(t))
            for a, b, c, d, t in word.findall(out.read_text())]


def place_of(label, digits, words):
    """The caption's label word with the digits on its line to its right, used once."""
    for i, (x0, y0, _, _, text) in enumerate(words):
        if text != label:
            continue
        for (x, y, _, _, other) in words:
            if other == digits and abs(y - y0) < 2 and 0 < x - x0 < 60 * MM:
                del words[i]
                return (x0, y0)
    return None


def read_pgm(path):
    data = path.read_bytes()
    magic, width, height, _, pixels = data.split(maxsplit=4)
    assert magic == b"P5"
    return int(width), int(height), pixels


def crop(image, box, path):
    width, height, pixels = image
    x0, y0, x1, y1 = (max(0, int(v)) for v in box)
    x1, y1 = min(x1, width), min(y1, height)
    rows = b"".join(pixels[y * width + x0:y * width + x1] for y in range(y0, y1))
    path.write_bytes(b"P5\n%d %d\n255\n" % (x1 - x0, y1 - y0) + rows)
    return x1 - x0, y1 - y0, rows


def bar_fault(cut, dots):
    """Why the barcode's middle row is not whole modules of `dots` dots with its clear space."""
    width, height, rows = cut
    row = rows[(height // 2) * width:(height // 2 + 1) * width]
    dark = [value < 128 for value in row]
    if True not in dark:
        return "no bars"
    first, last = dark.index(True), width - 1 - dark[::-1].index(True)
    runs, start = [], first
    for x in range(first + 1, last + 2):
        if x > last or dark[x] != dark[start]:
            runs.append(x - start)
            start = x
    if any(run % dots for run in runs):
        return "bars and spaces of %s dots" % sorted(set(runs))
    if min(first, width - 1 - last) < QUIET_MODULES * dots:
        return "clear space of %d dots" % min(first, width - 1 - last)
    return None


def check_print(pdf, pages, name, paper, folder):
    info = run("pdfinfo", str(pdf)).stdout.decode()
    count = int(re.search(r"Pages:\s+([0-9]+)", info).group(1))
    if count != len(pages):
        fail("%s: %d printed pages, %d laid out" % (paper, count, len(pages)))
        return
    decoded = 0
    for number, cells in enumerate(pages, 1):
        text = run("pdftotext", "-layout", "-f", str(number), "-l", str(number), str(pdf),
                   "-").stdout.decode()
        for words in (name + ", written ", "Scan the codes in order, starting with 1",
                      "Page %d of %d" % (number, count)):
            if words not in text:
                fail("%s page %d: no '%s' in its footer" % (paper, number, words))
        words = words_of(pdf, number, folder)
        resolutions = (300, 600) if number == 1 else (300,)
        images = {}
        for dpi in resolutions:
            run("pdftoppm", "-r", str(dpi), "-gray", "-f", str(number), "-l", str(number),
                str(pdf), str(folder / ("page-%d" % dpi)))
            images[dpi] = read_pgm(next(folder.glob("page-%d*.pgm" % dpi)))
        previous = None
        for label, digits in cells:
            place = place_of(label, digits, words)
            if place is None:
                fail("%s page %d: barcode %s (%s) is not on it" % (paper, number, label, digits))
                continue
            if previous and (place[1] < previous[1] - 2 or
                             (abs(place[1] - previous[1]) < 2 and place[0] <= previous[0])):
                fail("%s page %d: barcode %s stands before the one scanned before it" %
                     (paper, number, label))
            previous = place
            x, y = place
            box_pt = (x - CELL_PADDING_MM * MM, y - (CAPTION_GAP_MM + BAR_HEIGHT_MM + 1) * MM,
                      x + (CELL_MM - CELL_PADDING_MM) * MM, y - 0.2 * MM)
            for dpi in resolutions:
                png = folder / "cut.pgm"
                cut = crop(images[dpi], [v * dpi / 72 for v in box_pt], png)
                if dpi == 300:
                    got = subprocess.run(["zbarimg", "-q", "--raw", "-Sdisable",
                                          "-Scode128.enable", str(png)],
                                         capture_output=True).stdout.decode().split()
                    if got != [digits]:
                        fail("%s page %d: barcode %s decodes to %s, not %s" %
                             (paper, number, label, got, digits))
                    else:
                        decoded += 1
                fault = bar_fault(cut, dpi // 75)
                if fault:
                    fail("%s page %d: barcode %s at %d dpi: %s" % (paper, number, label, dpi,
                                                                   fault))
        for dpi in resolutions:
            for image in folder.glob("page-%d*.pgm" % dpi):
                image.unlink()
    print("%s: %d pages with their footers; %d of %d barcodes decode in order" %
          (paper, count, decoded, sum(len(cells) for cells in pages)))


def main():
    stampwell = sys.argv[1]
    seed = int(os.environ.get("SHEET_SEED", "14"))
    folder = Path(tempfile.mkdtemp(prefix="sheet-print-"))
    sheet_text = random_sheet(random.Random(seed))
    sheet = folder / "Random.prn"
    sheet.write_bytes(sheet_text.encode("ascii"))
    expected = re.findall(r"([0-9]+)<", sheet_text)
    assert len(expected) == CODES
    run(stampwell, "--no-open", str(sheet), env=dict(os.environ, STAMPWELL_NO_OPEN=""))
    page_html = (folder / "Random.html").read_text()
    pages = html_pages(page_html)
    if [digits for cells in pages for _, digits in cells] != expected:
        fail("the page's barcodes are not the sheet's codes in order")
    steps = {}
    for number, cells in enumerate(pages, 1):
        for label, _ in cells:
            steps.setdefault(re.match("[0-9]+", label).group(0), set()).add(number)
    for step, on in sorted(steps.items(), key=lambda item: int(item[0])):
        if len(on) > 1:
            fail("step %s is cut by a page break (pages %s)" % (step, sorted(on)))
    print("seed %d: %d codes in %d steps on %d pages" % (seed, CODES, len(steps), len(pages)))

    for paper, size in (("Letter", None), ("A4", "A4")):
        source = folder / "Random.html"
        if size:
            # The paper a user picks in the print dialog; headless Chromium prints on Letter.
            source = folder / ("Random-%s.html" % paper)
            source.write_text(page_html.replace("</style>", "@page { size: %s; }\n</style>" %
                                                size))
        pdf = folder / ("Random-%s.pdf" % paper)
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                        "--no-pdf-header-footer", "--print-to-pdf=" + str(pdf),
                        source.as_uri()], capture_output=True)
        if not pdf.exists():
            fail("%s: Chromium printed no PDF" % paper)
            continue
        check_print(pdf, pages, sheet.name, paper, folder)
    if failures:
        print("%d failures; the files are in %s" % (len(failures), folder))
        return 1
    subprocess.run(["rm", "-rf", str(folder)])
    return 0


if __name__ == "__main__":
    sys.exit(main())
