// Any record and any code-ID state must give a well-formed sheet, read only within the writer's
// tables (the sanitizers watch every table and word list): random records, drawn half from the
// factory bytes so that masters, interfaces and formats are on and off in every mix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>

#include "tests/core/sheet_test_support.h"

namespace tessmar::test {
namespace {

constexpr int kRecords = 4000;

ProgramState random_state(std::mt19937& random) {
    ProgramState state = factory_state();
    const unsigned mix = random() % 4;  // how much of the record is random
    for (std::uint8_t& byte : state.record.bytes) {
        if (random() % 4 < mix) {
            byte = static_cast<std::uint8_t>(random());
        }
    }
    if (random() % 3 == 0) {
        state.record.bytes[23] = random() % 2 ? 0 : 150;  // the rarer interfaces
    }
    state.interface_class = static_cast<InterfaceClass>(random() % 3);
    state.code_id_set = static_cast<int>(random() % 9) - 2;
    for (int& origin : state.code_id_origin) {
        origin = static_cast<int>(random() % 9) - 2;
    }
    return state;
}

bool is_code(std::string_view digits) {
    return digits.size() == 4 &&
           std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
}

// The text between tokens: line breaks, and headings made of letters, digits and a few signs.
bool is_heading_text(std::string_view text) {
    return std::ranges::all_of(text, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("\r\n /:", c) != nullptr;
    });
}

// The sheet's grammar: the heading line, the preamble once, then headings and tokens, each token
// four digits and a caption with nothing left unfilled, and the closing token last.
void expect_well_formed(const std::string& sheet) {
    ASSERT_EQ(sheet.find(kSheetHead), 0u);
    ASSERT_TRUE(sheet.ends_with(kSheetEnd));
    const SplitSheet split = split_sheet(sheet);
    EXPECT_EQ(split.rest, "");
    for (std::size_t i = 2; i < split.pieces.size(); ++i) {
        const SheetPiece& piece = split.pieces[i];
        const std::string_view token = piece.token;
        const std::size_t open = token.find('<');
        ASSERT_TRUE(is_code(token.substr(0, open))) << token;
        const std::string_view caption = token.substr(open + 1, token.size() - open - 2);
        EXPECT_FALSE(caption.empty());
        EXPECT_EQ(caption.find_first_of("<%"), std::string::npos) << token;
        EXPECT_EQ(caption.find("Unknown"), std::string::npos) << token;
        EXPECT_TRUE(is_heading_text(piece.before)) << piece.before;
    }
}

TEST(SetupCodeSheetFuzz, RandomRecordsAndCodeIdStatesGiveWellFormedSheets) {
    std::mt19937 random(20240611);
    int complete = 0;
    for (int i = 0; i < kRecords; ++i) {
        ProgramState state = random_state(random);
        const SheetRun run = run_sheet(state);
        ASSERT_TRUE(run.complete);
        complete += run.questions == 0;
        expect_well_formed(run.text);
        if (HasFatalFailure() || HasNonfatalFailure()) {
            FAIL() << "record " << i;
        }
        // The same state gives the same sheet: nothing is read from outside the state.
        EXPECT_EQ(run_sheet(state).text, run.text);
    }
    // Nearly every random record differs from the defaults somewhere.
    EXPECT_GT(complete, kRecords * 9 / 10);
}

}  // namespace
}  // namespace tessmar::test
