// Helpers for the setup-code sheet tests: running the writer into a string, and reading back the
// tokens between the preamble and the closing token.
#pragma once

#include <string>
#include <vector>

#include "model/key_string_slot.h"
#include "sheet/setup_code_sheet.h"

namespace tessmar::test {

inline constexpr char kSheetHead[] =
    "Orlo Scanner Configuration Sheet\r\n"
    "\r\n51277335127700<Enter Setup>"
    "\r\n9993<Restore Default Settings>";
inline constexpr char kSheetEnd[] = "\r\n\r\n9999<Update>";

class StringSink : public SheetSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    std::string text_;
};

struct SheetRun {
    bool complete = false;
    std::string text;
    int questions = 0;
};

inline SheetRun run_sheet(ProgramState& state, bool answer = true) {
    StringSink sink;
    SheetRun run;
    run.complete = WriteSetupCodeSheet(state, sink, [&] {
        ++run.questions;
        return answer;
    });
    run.text = sink.text_;
    return run;
}

inline ProgramState factory_state() {
    ProgramState state;
    load_factory_defaults(state);
    return state;
}

// The sheet cut into its tokens ("0207<Scanner Timeout>"), each with the text before it (line
// breaks and headings), after the heading line; `rest` is what follows the last token.
struct SheetPiece {
    std::string before;
    std::string token;
};
struct SplitSheet {
    std::vector<SheetPiece> pieces;
    std::string rest;
};

inline SplitSheet split_sheet(std::string_view sheet) {
    SplitSheet split;
    std::size_t at = sheet.find('\n') + 1;
    for (std::size_t open; (open = sheet.find('<', at)) != std::string_view::npos;) {
        std::size_t code = open;
        while (code > at && sheet[code - 1] >= '0' && sheet[code - 1] <= '9') {
            --code;
        }
        const std::size_t close = sheet.find('>', open);
        split.pieces.push_back({std::string(sheet.substr(at, code - at)),
                                std::string(sheet.substr(code, close + 1 - code))});
        at = close == std::string_view::npos ? sheet.size() : close + 1;
    }
    split.rest = sheet.substr(std::min(at, sheet.size()));
    return split;
}

// Every token of the sheet, joined, less the two preamble tokens and the closing token; the
// headings and line breaks between them are dropped.
inline std::string sheet_tokens(const std::string& sheet) {
    const SplitSheet split = split_sheet(sheet);
    std::string joined;
    for (std::size_t i = 2; i + 1 < split.pieces.size(); ++i) {
        joined += split.pieces[i].token;
    }
    return joined;
}

inline std::string tokens_of(ProgramState& state) {
    return sheet_tokens(run_sheet(state).text);
}

inline void put_key_string(MutableKeyString slot, std::initializer_list<std::uint8_t> bytes) {
    std::fill(slot.begin(), slot.end(), 0);
    std::copy(bytes.begin(), bytes.end(), slot.begin());
}

}  // namespace tessmar::test
