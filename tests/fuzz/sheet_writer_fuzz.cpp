// The sheet writer against Stampwell: for any record and code-ID state, the sheet Tessmar writes
// is complete, within Stampwell's limit, and accepted by it with every code the writer wrote, in
// steps that each close with their Validate and stand whole on a page; a sheet the user declined
// is refused.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "tests/core/sheet_test_support.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/stampwell/barcode_page.h"
#include "tools/stampwell/page_layout.h"
#include "tools/stampwell/step_captions.h"
#include "tools/stampwell/stampwell.h"

namespace {

using tessmar::fuzz::require;

std::size_t count_of(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

tessmar::ProgramState state_from(FuzzedDataProvider& input) {
    tessmar::ProgramState state = tessmar::test::factory_state();
    state.interface_class =
        static_cast<tessmar::InterfaceClass>(input.ConsumeIntegralInRange(0, 2));
    state.code_id_set = input.ConsumeIntegralInRange(-1, 6);
    for (int& origin : state.code_id_origin) {
        origin = input.ConsumeIntegralInRange(-1, 6);
    }
    // Changed bytes at chosen offsets, so a short input can reach any setting.
    while (input.remaining_bytes() >= 3) {
        const auto offset = input.ConsumeIntegralInRange<std::size_t>(0, tessmar::kRecordSize - 1);
        state.record.bytes[offset] = input.ConsumeIntegral<std::uint8_t>();
    }
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tessmar::ProgramState state = state_from(input);
    const tessmar::test::SheetRun run = tessmar::test::run_sheet(state, true);
    require(run.complete, "answered Yes, the writer writes a complete sheet");
    require(run.text.starts_with(tessmar::test::kSheetHead) &&
                run.text.ends_with(tessmar::test::kSheetEnd),
            "the sheet opens with its heading and preamble and closes with its closing code");
    require(run.text.size() <= stampwell::kMaxSheetBytes, "the sheet is within Stampwell's limit");

    const stampwell::ParsedSheet parsed = stampwell::parse_sheet(run.text);
    require(parsed.sheet.has_value(), "Stampwell accepts every complete sheet Tessmar writes");
    std::size_t codes = 0;
    for (const stampwell::CodeGroup& group : parsed.sheet->groups) {
        codes += group.codes.size();
    }
    require(codes == count_of(run.text, ">"), "Stampwell reads every code the writer wrote");
    // Tessmar closes every value it writes, and no step it writes is too long for a page.
    const std::vector<stampwell::StepGroup> groups = stampwell::sheet_steps(*parsed.sheet);
    for (const stampwell::StepGroup& group : groups) {
        for (const stampwell::Step& step : group.steps) {
            require(step.codes.size() == 1 ||
                        stampwell::four_digit_code(step.codes.back()) == stampwell::kValidateCode,
                    "every step of more than one code ends with its Validate");
        }
    }
    for (const stampwell::Page& page : stampwell::lay_out_pages(groups)) {
        for (const stampwell::PageBlock& block : page.blocks) {
            for (const stampwell::StepPiece& piece : block.pieces) {
                require(piece.count == piece.step->codes.size(), "every step is whole on a page");
            }
        }
    }
    const std::string page = stampwell::render_page(*parsed.sheet, {"Barcode.prn", "", "", ""});
    require(count_of(page, "<figure") == codes, "the page shows every code");

    if (run.questions > 0) {
        const tessmar::test::SheetRun declined = tessmar::test::run_sheet(state, false);
        require(!declined.complete && !stampwell::parse_sheet(declined.text).sheet,
                "a sheet the user declined is no sheet to Stampwell");
    }
    return 0;
}
