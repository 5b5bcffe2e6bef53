// The steps of a sheet, read from its codes alone: what each gathers and what its caption says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "model/fields.h"
#include "tests/core/sheet_test_support.h"
#include "tools/stampwell/sheet_steps.h"
#include "tools/stampwell/step_captions.h"

namespace stampwell {
namespace {

struct ReadStep {
    std::size_t codes;
    std::string caption;
    bool operator==(const ReadStep&) const = default;
};

void PrintTo(const ReadStep& step, std::ostream* out) {
    *out << step.codes << " x \"" << step.caption << "\"";
}

std::vector<StepGroup> steps_of(const std::string& sheet) {
    const ParsedSheet parsed = parse_sheet(sheet);
    EXPECT_TRUE(parsed.sheet) << parsed.error;
    return parsed.sheet ? sheet_steps(*parsed.sheet) : std::vector<StepGroup>{};
}

std::vector<ReadStep> read_steps(const std::vector<StepGroup>& groups) {
    std::vector<ReadStep> steps;
    for (const StepGroup& group : groups) {
        for (const Step& step : group.steps) {
            steps.push_back({step.codes.size(), step.caption});
        }
    }
    return steps;
}

// Between the title and the closing code, which is the last step of every case.
std::vector<ReadStep> steps_between(const std::string& codes) {
    std::vector<ReadStep> steps =
        read_steps(steps_of(std::string(kSheetTitle) + "\r\n" + codes + "\r\n\r\n9999<Update>"));
    EXPECT_EQ(steps.back(), (ReadStep{1, "Update"}));
    steps.pop_back();
    return steps;
}

TEST(SheetSteps, ANamingCodeTakesItsValueUpToItsValidate) {
    const struct {
        const char* what;
        std::string codes;
        std::vector<ReadStep> steps;
    } kCases[] = {
        {"codes that stand alone",
         "51277335127700<Enter Setup>9993<Restore Default Settings>0075<Disable>",
         {{1, "Enter Setup"}, {1, "Restore Default Settings"}, {1, "Disable"}}},
        {"a number, read as one",
         "0207<Scanner Timeout>9902<0x02>9905<0x05>9905<0x05>9994<Validate>0068<Auto Power Off "
         "Mode>",
         {{5, "Scanner Timeout: 255"}, {1, "Auto Power Off Mode"}}},
        {"a number 0",
         "0015<Inter-Character Delay>9900<0x00>9994<Validate>",
         {{3, "Inter-Character Delay: 0"}}},
        {"a keyboard type, named and numbered",
         "0000<PCAT German>9903<0x03>9994<Validate>",
         {{3, "Keyboard Type: PCAT German (3)"}}},
        {"a key string of a keyboard wedge, the factory interface",
         "0273<Prefix Code>9930<Add Shift>9904<0x04>9901<0x01>9900<0x00>9913<0x0D>9994<Validate>",
         {{7, "Prefix Code: [Shift][A][Enter]"}}},
        {"the same codes once RS-232 is chosen",
         "0001<RS232 Interface>0274<Suffix Code>9904<0x04>9901<0x01>9900<0x00>9913<0x0D>"
         "9994<Validate>",
         {{1, "RS232 Interface"}, {6, "Suffix Code: [A][CR]"}}},
        {"with wand emulation too; modifiers still mean a keyboard wedge",
         "0306<Wand Emulation>0274<Suffix Code>9900<0x00>9913<0x0D>9994<Validate>"
         "0273<Prefix Code>9931<Add Control (L)>9932<Add Alternate (L)>9900<0x00>9913<0x0D>"
         "9994<Validate>",
         {{1, "Wand Emulation"},
          {4, "Suffix Code: [CR]"},
          {6, "Prefix Code: [LeftCtrl][LeftAlt][Enter]"}}},
        {"a keyboard type brings back the keyboard wedge",
         "0001<RS232 Interface>0000<PCAT US>9901<0x01>9994<Validate>"
         "0274<Suffix Code>9900<0x00>9913<0x0D>9994<Validate>",
         {{1, "RS232 Interface"}, {3, "Keyboard Type: PCAT US (1)"}, {4, "Suffix Code: [Enter]"}}},
        {"scan codes",
         "0274<Suffix Code>9936<Scan Code>9901<0x01>9912<0x0C>9905<0x05>9910<0x0A>"
         "9994<Validate>",
         {{7, "Suffix Code: [1C][5A]"}}},
        {"an empty key string, and modifiers with no key",
         "0274<Suffix Code>9994<Validate>"
         "0273<Prefix Code>9930<Add Shift>9931<Add Control (L)>9994<Validate>",
         {{2, "Suffix Code: (none)"}, {4, "Prefix Code: [Shift][LeftCtrl]"}}},
        {"a transmission sequence, closed by its End",
         "0577<Start>9902<Field 2>9907<Additional Field 1>9994<End>9980<End of Format 1>",
         {{4, "Transmission Sequence: [F2][A1]"}, {1, "End of Format 1"}}},
        {"values that do not read as their setting's kind show their captions",
         "0273<Prefix Code>9904<0x04>9994<Validate>"
         "0207<Scanner Timeout>9912<0x0C>9994<Validate>"
         "0274<Suffix Code>9901<0x01>9936<Scan Code>9994<Validate>",
         {{3, "Prefix Code: 0x04"},
          {3, "Scanner Timeout: 0x0C"},
          {4, "Suffix Code: 0x01 Scan Code"}}},
        {"value codes with no naming code before them",
         "9901<0x01>9994<Validate>9994<Validate>",
         {{2, "0x01 Validate"}, {1, "Validate"}}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(steps_between(c.codes), c.steps) << c.what;
    }
}

// A heading ends a step left open; the step numbers run on over the groups.
TEST(SheetSteps, GroupsKeepTheirHeadingsAndNumbersRunOn) {
    const std::vector<StepGroup> groups =
        steps_of(std::string(kSheetTitle) +
                 "\r\n\r\n51277335127700<Enter Setup>"
                 "\r\n\r\nScanner Settings\r\n0207<Scanner Timeout>9901<0x01>"
                 "\r\nFields Settings\r\n0583<Total Fields>\r\n\r\n9999<Update>");
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[1].heading, "Scanner Settings");
    ASSERT_EQ(groups[1].steps.size(), 1u);
    EXPECT_EQ(groups[1].steps[0].caption, "Scanner Timeout: 1");
    EXPECT_TRUE(groups[2].sub_heading);
    std::vector<int> numbers;
    for (const StepGroup& group : groups) {
        for (const Step& step : group.steps) {
            numbers.push_back(step.number);
        }
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4}));
}

// A key string of five keys that each carry every modifier: the longest step Tessmar writes.
TEST(SheetSteps, AStepLongerThanARowIsLetteredOnPastZ) {
    std::string codes = "0273<Prefix Code>";
    for (char key = 'A'; key <= 'E'; ++key) {
        codes +=
            "9930<Add Shift>9931<Add Control (L)>9932<Add Alternate (L)>"
            "9933<Add Control (R)>9934<Add Alternate (R)>9935<Add Break>9904<0x04>";
        codes +=
            "990" + std::to_string(key - 'A' + 1) + "<0x0" + std::to_string(key - 'A' + 1) + ">";
    }
    const std::vector<StepGroup> groups = steps_of(std::string(kSheetTitle) + "\r\n" + codes +
                                                   "9994<Validate>0075<Disable>9999<Update>");
    const std::vector<Step>& steps = groups.at(0).steps;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].codes.size(), 42u);
    const std::string all = "[Shift][LeftCtrl][LeftAlt][RightCtrl][RightAlt][Break]";
    EXPECT_EQ(steps[0].caption, "Prefix Code: " + all + "[A]" + all + "[B]" + all + "[C]" + all +
                                    "[D]" + all + "[E]");
    const std::pair<std::size_t, const char*> kLabels[] = {
        {0, "1a"}, {1, "1b"}, {25, "1z"}, {26, "1aa"}, {41, "1ap"}};
    for (const auto& [index, label] : kLabels) {
        EXPECT_EQ(code_label(steps[0], index), label);
    }
    EXPECT_EQ(code_label(steps[1], 0), "2");
    EXPECT_EQ(steps[2].number, 3);
}

// The settings whose value is a number, as Tessmar writes them, read as numbers; every other
// value as the key string the record holds, in its interface's form.
TEST(SheetSteps, TessmarsSheetsReadAsTheirRecords) {
    using tessmar::Field;
    using tessmar::ProgramState;
    const struct {
        const char* caption;
        std::function<void(ProgramState&)> change;
    } kCases[] = {
        {"Scanner Timeout: 255",
         [](ProgramState& s) { s.record.set(Field::scanner_timeout, 255); }},
        {"Keyboard Type: PCAT German (3)",
         [](ProgramState& s) { s.record.set(Field::keyboard_type, 3); }},
        {"Inter-Character Delay: 40",
         [](ProgramState& s) { s.record.set(Field::inter_character_delay, 40); }},
        {"Max Length: 60",
         [](ProgramState& s) {
             s.record.set(Field::enable_industrial_25, 1);
             s.record.set(Field::industrial_25_length_mode, 1);
             s.record.set(Field::industrial_25_length_1, 60);
         }},
        {"Fixed Length 2: 9",
         [](ProgramState& s) {
             s.record.set(Field::enable_msi, 1);
             s.record.set(Field::msi_length_mode, 0);
             s.record.set(Field::msi_length_2, 9);
         }},
        {"Prefix Code: [Shift][A]",
         [](ProgramState& s) {
             tessmar::test::put_key_string(s.record.key_string(tessmar::KeySlot::prefix_code),
                                           {0xC1, 0x41});
         }},
        {"Suffix Code: [A][CR]",
         [](ProgramState& s) {
             s.record.set(Field::keyboard_type, tessmar::kKeyboardTypeRs232);
             s.interface_class = tessmar::InterfaceClass::rs232;
             tessmar::test::put_key_string(s.record.key_string(tessmar::KeySlot::suffix_code),
                                           {0x41, 0x0D});
         }},
        {"Min Length: 260",
         [](ProgramState& s) {
             s.record.set(tessmar::enable_editing_format_field(1), 1);
             s.record.edit_format(0).set_minimum_length(260);
         }},
        {"M.String Location: 12",
         [](ProgramState& s) {
             s.record.set(tessmar::enable_editing_format_field(2), 1);
             s.record.edit_format(1).set_matching_string_location(12);
         }},
        {"Field 4 Length: 7",
         [](ProgramState& s) {
             s.record.set(tessmar::enable_editing_format_field(3), 1);
             s.record.edit_format(2).field_divider(4).set_field_length(7);
         }},
        {"Additional Field 1: [-]",
         [](ProgramState& s) {
             s.record.set(tessmar::enable_editing_format_field(4), 1);
             tessmar::test::put_key_string(s.record.edit_format(3).additional_field(1), {0x2D});
         }},
    };
    for (const auto& c : kCases) {
        ProgramState state = tessmar::test::factory_state();
        c.change(state);
        const std::vector<ReadStep> steps =
            read_steps(steps_of(tessmar::test::run_sheet(state).text));
        EXPECT_NE(std::ranges::find(steps, c.caption, &ReadStep::caption), steps.end())
            << c.caption << " in " << ::testing::PrintToString(steps);
    }
}

}  // namespace
}  // namespace stampwell

namespace stampwell {
namespace {

// Every number Tessmar writes reads as its number, each digit's barcode captioned with its digit,
// and the six Total Fields codes as their count of fields.
TEST(SheetSteps, EveryNumberCaptionReadsAsItsNumber) {
    const char* const kNumbers[] = {
        "0000<PCAT US>",         "0015<Inter-Character Delay>",
        "0207<Scanner Timeout>", "0210<Max Length>",
        "0211<Min Length>",      "0214<Fixed Length 1>",
        "0215<Fixed Length 2>",  "0218<Max Length>",
        "0219<Min Length>",      "0222<Fixed Length 1>",
        "0223<Fixed Length 2>",  "0548<Max Length>",
        "0549<Min Length>",      "0551<M.String Location>",
        "0554<Field 1 Length>",  "0558<Field 2 Length>",
        "0562<Field 3 Length>",  "0566<Field 4 Length>",
        "0570<Field 5 Length>",
    };
    for (const char* naming : kNumbers) {
        const std::string codes = std::string(naming) + "9901<0x01>9903<0x03>9994<Validate>";
        const Step step =
            steps_of(std::string(kSheetTitle) + "\r\n" + codes + "\r\n\r\n9999<Update>")[0]
                .steps[0];
        const std::string name = std::string(naming).substr(5, std::strlen(naming) - 6);
        EXPECT_EQ(step.caption,
                  naming == kNumbers[0] ? "Keyboard Type: PCAT US (13)" : name + ": 13");
        EXPECT_EQ(code_caption(step.codes, 1) + code_caption(step.codes, 2), "13") << naming;
    }
    for (int fields = 1; fields <= 6; ++fields) {
        const std::string code = "05" + std::to_string(77 + fields) + "<Total Fields>";
        EXPECT_EQ(steps_between(code),
                  (std::vector<ReadStep>{{1, "Total Fields: " + std::to_string(fields)}}));
    }
}

}  // namespace
}  // namespace stampwell
