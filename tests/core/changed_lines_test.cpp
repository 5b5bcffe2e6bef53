#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "model/key_string.h"
#include "summary/changed_lines.h"

namespace tessmar {
namespace {

// The texts of the marked lines, paired with the lines as summary_text lists them.
std::vector<std::string> marked_lines(const ProgramState& state) {
    const SummaryNode tree = build_summary(state);
    const std::vector<bool> marks = lines_changed_from_factory(tree, state.interface_class);
    std::istringstream lines(summary_text(tree));
    std::vector<std::string> marked;
    std::size_t index = 0;
    for (std::string line; std::getline(lines, line); ++index) {
        if (index < marks.size() && marks[index]) {
            marked.push_back(line.substr(line.find_first_not_of(' ')));
        }
    }
    EXPECT_EQ(index, marks.size());
    return marked;
}

struct Case {
    const char* name;
    std::function<void(ProgramState&)> change;
    std::vector<std::string> marked;
};

const Case kCases[] = {
    {"factory settings", [](ProgramState&) {}, {}},
    {"Scanner",
     [](ProgramState& s) { s.record.set(Field::scan_mode, 1); },
     {"Scanner", "Scan Mode : Continuous"}},
    // The RS-232 lines that hold factory values are not marked, though a wedge shows none.
    {"Interface",
     [](ProgramState& s) {
         s.record.set(Field::keyboard_type, kKeyboardTypeRs232);
         s.interface_class = InterfaceClass::rs232;
     },
     {"Interface", "Scanner Interface : RS-232"}},
    {"Symbology",
     [](ProgramState& s) { s.record.set(Field::code_39_full_ascii, 1); },
     {"Symbology", "Enable Code 39", "Code 39 Full ASCII : Enable"}},
    {"Length Code",
     [](ProgramState& s) { s.record.set(Field::length_code_msi, 1); },
     {"Length Code", "MSI : Enable"}},
    {"Code ID",
     [](ProgramState& s) { s.record.key_string(KeySlot::code_id_code_39)[0] = 'A'; },
     {"Code ID", "Code 39 : [A]"}},
    {"Edit Format",
     [](ProgramState& s) { s.record.edit_format(2).set_minimum_length(5); },
     {"Edit Format", "Data Editing", "Disable Editing Format 3", "Applicable Conditions",
      "Minimum Length : 5"}},
    {"a key string",
     [](ProgramState& s) {
         s.record.key_string(KeySlot::prefix_code)[0] = kFirstModifierByte;  // Shift
         s.record.key_string(KeySlot::prefix_code)[1] = 'A';
     },
     {"Symbology", "Prefix Code : [Shift][A]"}},
    {"a length pair",
     [](ProgramState& s) {
         s.record.bytes[12] = 0x05;  // Industrial 25: fixed lengths 5 and 10
         s.record.bytes[13] = 0x0A;
     },
     {"Symbology", "Enable Industrial 25", "Select Fixed Length Qualification",
      "Fixed Length 1 : 5", "Fixed Length 2 : 10"}},
};

TEST(ChangedLines, MarkEachLineThatDiffersFromTheFactoryAndTheGroupsHoldingIt) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ProgramState state;
        load_factory_defaults(state);
        c.change(state);
        EXPECT_EQ(marked_lines(state), c.marked);
    }
}

}  // namespace
}  // namespace tessmar
