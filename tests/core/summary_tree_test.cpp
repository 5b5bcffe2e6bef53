#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "summary/summary_tree.h"
#include "tests/core/test_files.h"

namespace tessmar {
namespace {

// The node reached from the root through children with these texts.
const SummaryNode& node_at(const SummaryNode& root, std::initializer_list<std::string> path) {
    const SummaryNode* node = &root;
    for (const std::string& text : path) {
        const auto found =
            std::find_if(node->children.begin(), node->children.end(),
                         [&text](const SummaryNode& child) { return child.text == text; });
        if (found == node->children.end()) {
            ADD_FAILURE() << "no line \"" << text << "\" under \"" << node->text << "\"";
            return root;
        }
        node = &*found;
    }
    return *node;
}

void set_key_string(MutableKeyString slot, std::initializer_list<std::uint8_t> bytes) {
    std::fill(slot.begin(), slot.end(), 0);
    std::copy(bytes.begin(), bytes.end(), slot.begin());
}

class SummaryTreeTest : public ::testing::Test {
  protected:
    void SetUp() override { load_factory_defaults(state); }
    // The lines under the node at `path`, as tessmar-cli prints them.
    std::string lines_under(std::initializer_list<std::string> path) const {
        const SummaryNode root = build_summary(state);
        return summary_text(node_at(root, path));
    }

    ProgramState state;
};

TEST_F(SummaryTreeTest, FactoryTreeIsTheReferenceTree) {
    const std::string expected = test::read_file(TESSMAR_TEST_DATA "/factory_summary_tree.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(summary_text(build_summary(state)), expected);
}

TEST_F(SummaryTreeTest, Rs232ShowsFlowControlOnlyForASinglePort) {
    state.record.set(Field::keyboard_type, 0);
    state.record.set(Field::baud_rate, 0);
    state.record.set(Field::parity, 2);
    state.record.set(Field::data_bit, 0);
    state.record.set(Field::flow_control, 3);
    state.record.set(Field::inter_character_delay, 255);
    EXPECT_EQ(lines_under({"Interface"}),
              "Scanner Interface : RS-232\n"
              "Transmission Mode : Single Port\n"
              "Baud Rate : 38400 bps\n"
              "Parity : Odd\n"
              "Data Bit : 7 bits\n"
              "Flow Control : Inverted Data Ready\n"
              "Inter-Character Delay : 255 ms\n");

    state.record.set(Field::transmission_mode, 1);
    EXPECT_EQ(lines_under({"Interface"}),
              "Scanner Interface : RS-232\n"
              "Transmission Mode : Dual Port, Both Ends\n"
              "Baud Rate : 38400 bps\n"
              "Parity : Odd\n"
              "Data Bit : 7 bits\n"
              "Inter-Character Delay : 255 ms\n");
}

TEST_F(SummaryTreeTest, WandEmulationAndKeyboardWedgeLines) {
    state.record.set(Field::keyboard_type, 150);
    state.record.set(Field::margin_time, 7);
    state.record.set(Field::module_time, 3);
    state.record.set(Field::normal_state, 1);
    state.record.set(Field::bar_state, 0);
    state.record.set(Field::pdf417_block_delay, 6);
    EXPECT_EQ(lines_under({"Interface"}),
              "Scanner Interface : Wand Emulation\n"
              "Margin Time : 100 ms\n"
              "Module Time : 1.5 ms\n"
              "Normal State : High\n"
              "Bar State : Low\n"
              "PDF 417 Block Delay : 1.5 sec\n");

    state.record.bytes[24] = 0xFF;  // every wedge option bit, capital lock type and layout 3
    state.record.set(Field::keyboard_type, 28);
    state.record.set(Field::inter_character_delay, 7);
    state.record.set(Field::alphabets_layout, 2);
    state.record.set(Field::alternate_composing, 1);
    state.record.set(Field::laptop_support, 1);
    EXPECT_EQ(lines_under({"Interface"}),
              "Scanner Interface : Keyboard Wedge\n"
              "Keyboard Type : IBM 34XX/319X, Memorex Telex 122 Keys\n"
              "Alphabets Transmission : Ignore Case\n"
              "Capital Lock Type : Shift Lock\n"
              "Alphabets Layout : QWERTZ\n"
              "Capital Lock Auto-Dection : ON\n"
              "Alternate Composing : Enable\n"
              "Digits Transmission : Numeric Key Pad\n"
              "Capital Lock State : ON\n"
              "Digits Layout : Upper Row\n"
              "Inter-Character Delay : 7 ms\n"
              "Laptop Support : Enable\n");

    // A stored 1, never written by the Interface page, reads as "Normal" like a stored 0.
    state.record.set(Field::capital_lock_type, 1);
    state.record.set(Field::digits_layout, 2);
    const SummaryNode root = build_summary(state);
    const SummaryNode& interface = node_at(root, {"Interface"});
    EXPECT_EQ(interface.children[3].text, "Capital Lock Type : Normal");
    EXPECT_EQ(interface.children[9].text, "Digits Layout : Lower Row");
}

TEST_F(SummaryTreeTest, ScannerLinesFollowTheirFields) {
    state.record.set(Field::disable_buzzer, 1);
    state.record.set(Field::buzzer_frequency, 3);
    state.record.set(Field::scanner_timeout, 0);
    state.record.set(Field::scan_mode, 7);
    const SummaryNode root = build_summary(state);
    const SummaryNode& scanner = node_at(root, {"Scanner"});
    EXPECT_EQ(scanner.children[0].text, "Scan Mode : Testing");
    EXPECT_EQ(scanner.children[3].text, "Scanner Timeout: 0 sec");
    EXPECT_EQ(scanner.children[4].text, "Disable Buzzer : Disable");
    EXPECT_EQ(scanner.children[5].text, "Buzzer Frequency : 1 khz");
}

TEST_F(SummaryTreeTest, FixedLengthQualifications) {
    state.record.bytes[12] = 0x05;
    state.record.bytes[13] = 0x0A;
    state.record.bytes[18] = 0x7F;
    state.record.bytes[19] = 0xFF;
    EXPECT_EQ(lines_under({"Symbology", "Enable Industrial 25"}),
              "Start / Stop Selection : Industrial 25\n"
              "Verify Checksum : Disable\n"
              "Transmit Checksum : Enable\n"
              "Select Fixed Length Qualification\n"
              "  Fixed Length 1 : 5\n"
              "  Fixed Length 2 : 10\n");
    EXPECT_EQ(lines_under({"Symbology", "Disable MSI", "Select Fixed Length Qualification"}),
              "Fixed Length 1 : 127\nFixed Length 2 : 255\n");
    EXPECT_EQ(
        lines_under({"Symbology", "Disable Matrix 25", "Select Max / Min Length Qualification"}),
        "Max Length : 127\nMin Length : 4\n");
}

TEST_F(SummaryTreeTest, KeyStringsShowInTheFormOfTheInterface) {
    set_key_string(state.record.key_string(KeySlot::prefix_code), {0xC1, 0x61, 0xC6, 0x0D});
    set_key_string(state.record.key_string(KeySlot::code_id_upca), {0xC0, 0x1C, 0xC0, 0x32});
    set_key_string(state.record.string_to_be_replaced(6), {0x41, 0x0D});
    set_key_string(state.record.edit_format(5).additional_field(2), {0x7F, 0x80});
    const auto lines = [this] {
        const SummaryNode root = build_summary(state);
        return std::vector<std::string>{
            node_at(root, {"Symbology"}).children[0].text,
            node_at(root, {"Code ID"}).children[12].text,
            node_at(root, {"Edit Format", "Data Substitution", "Substitution 6"}).children[0].text,
            node_at(root, {"Edit Format", "Data Editing", "Disable Editing Format 6",
                           "Field Settings", "Additional Fields"})
                .children[1]
                .text,
        };
    };
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "Prefix Code : [Shift][a][LeftCtrl][LeftAlt][Enter]",
                           "UPCA : [1C][32]",
                           "String to be Replaced : [A][Enter]",
                           "Additional Field 2 : [Delay][0*]",
                       }));

    // The same bytes in character form once the interface is RS-232.
    state.interface_class = InterfaceClass::rs232;
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "Prefix Code : [0xC1][a][0xC6][CR]",
                           "UPCA : [0xC0][FS][0xC0][2]",
                           "String to be Replaced : [A][CR]",
                           "Additional Field 2 : [DEL][0x80]",
                       }));
}

TEST_F(SummaryTreeTest, ValuesWithoutATextShowTheirNumber) {
    state.record.set(Field::scan_mode, 9);
    state.record.set(Field::industrial_25_start_stop_selection, 3);
    state.record.set(Field::msi_checksum_verification, 3);
    state.record.set(Field::alphabets_layout, 3);
    state.record.set(Field::keyboard_type, 77);
    state.record.set(Field::editing_exclusive, 2);
    state.record.set(Field::enable_editing_format_1, 200);
    state.record.edit_format(0).set_number_of_fields_minus_1(1);
    state.record.edit_format(0).field_divider(1).set_include_terminating_string(9);
    const SummaryNode root = build_summary(state);
    EXPECT_EQ(node_at(root, {"Scanner"}).children[0].text, "Scan Mode : Unknown (9)");
    EXPECT_EQ(node_at(root, {"Symbology", "Enable Industrial 25"}).children[0].text,
              "Start / Stop Selection : Unknown (3)");
    EXPECT_EQ(node_at(root, {"Symbology", "Disable MSI"}).children[0].text,
              "Checksum Verification : Unknown (3)");
    EXPECT_EQ(node_at(root, {"Interface"}).children[1].text, "Keyboard Type : Unknown (77)");
    EXPECT_EQ(node_at(root, {"Interface"}).children[4].text, "Alphabets Layout : Unknown (3)");
    EXPECT_EQ(node_at(root, {"Edit Format", "Data Editing"}).children[0].text,
              "Unknown (2) Exclusive");
    EXPECT_EQ(lines_under({"Edit Format", "Data Editing", "Unknown (200) Editing Format 1",
                           "Field Settings", "Field 1 Setting"}),
              "Divide Field by Field Terminating String\n"
              "Field Terminating String : \n"
              "Unknown (9) Terminating String\n");
}

TEST_F(SummaryTreeTest, ChosenCodeIdSetLeadsTheCodeIdLines) {
    EXPECT_EQ(node_at(build_summary(state), {"Code ID"}).children.size(), 16u);
    state.code_id_set = 4;
    const SummaryNode root = build_summary(state);
    const SummaryNode& code_id = node_at(root, {"Code ID"});
    ASSERT_EQ(code_id.children.size(), 17u);
    EXPECT_EQ(code_id.children[0].text, "Select Code ID Set 4");
    EXPECT_EQ(code_id.children[1].text, "Code 39 : ");
}

TEST_F(SummaryTreeTest, EditingFormatWithSeveralFieldsReadsTheRecordsBlock) {
    state.interface_class = InterfaceClass::rs232;
    state.record.set(Field::enable_editing_format_3, 1);
    EditFormatBlock block = state.record.edit_format(2);
    block.set_applicable_code_types(0, 0x7F);  // no Code 39
    block.set_applicable_code_types(2, 0xFE);  // no EAN 128
    block.set_applicable_code_types(3, 0x00);  // no PDF 417
    block.set_minimum_length(12);
    block.set_maximum_length(300);
    set_key_string(block.matching_string(), {'9', '7', '8'});
    block.set_matching_string_location(2);
    block.set_number_of_fields_minus_1(3);
    block.field_divider(1).set_field_length(13);
    set_key_string(block.field_divider(2).terminating_string(), {','});
    block.field_divider(2).set_include_terminating_string(0);
    set_key_string(block.additional_field(1), {'I', 'D'});
    set_key_string(block.additional_field(5), {0x0D});
    const std::uint8_t sequence[] = {0x17, 0x02, 0x0B, 0x30};  // [F1][A1] [F2] [A5] [F3]
    std::copy(std::begin(sequence), std::end(sequence), block.transmission_sequence().begin());
    // The staging copy says one field: the tree shows the record, which is what would be saved.
    state.ef_staging[2] = default_edit_format_block();

    const SummaryNode root = build_summary(state);
    const SummaryNode& format =
        node_at(root, {"Edit Format", "Data Editing", "Enable Editing Format 3"});
    const std::string text = summary_text(format);
    const std::string code_types =
        summary_text(node_at(format, {"Applicable Conditions", "Applicable code type"}));
    EXPECT_EQ(std::count(code_types.begin(), code_types.end(), '\n'), 25);
    EXPECT_TRUE(code_types.starts_with("Code 39 : Disable\nItalian Pharmacode : Enable\n"));
    EXPECT_NE(code_types.find("\nEAN 128 : Disable\n"), std::string::npos);
    EXPECT_TRUE(code_types.ends_with("\nPlessey : Enable\nPDF 417 : Disable\n"));
    EXPECT_EQ(text.substr(text.find("    PDF 417")),
              "    PDF 417 : Disable\n"
              "  Minimum Length : 12\n"
              "  Maximum Length : 300\n"
              "  Matching String : [9][7][8]\n"
              "  Matching String Location : 2\n"
              "Field Settings\n"
              "  Number of Fields : 4\n"
              "  Field 1 Setting\n"
              "    Divide Field by Field Length\n"
              "    Field Length : 13\n"
              "  Field 2 Setting\n"
              "    Divide Field by Field Terminating String\n"
              "    Field Terminating String : [,]\n"
              "    Discard Terminating String\n"
              "  Field 3 Setting\n"
              "    Divide Field by Field Terminating String\n"
              "    Field Terminating String : \n"
              "    Include Terminating String\n"
              "  Additional Fields\n"
              "    Additional Field 1 : [I][D]\n"
              "    Additional Field 2 : \n"
              "    Additional Field 3 : \n"
              "    Additional Field 4 : \n"
              "    Additional Field 5 : [CR]\n"
              "Transmission Sequence : [F1][A1][F2][A5][F3]\n");
}

TEST_F(SummaryTreeTest, FieldCountBeyondTheDividersShowsEveryDivider) {
    state.record.edit_format(1).set_number_of_fields_minus_1(200);
    const SummaryNode root = build_summary(state);
    const SummaryNode& settings = node_at(
        root, {"Edit Format", "Data Editing", "Disable Editing Format 2", "Field Settings"});
    ASSERT_EQ(settings.children.size(), 7u);
    EXPECT_EQ(settings.children[0].text, "Number of Fields : 201");
    EXPECT_EQ(settings.children[5].text, "Field 5 Setting");
    EXPECT_EQ(settings.children[6].text, "Additional Fields");
}

TEST_F(SummaryTreeTest, LinesLongerThan99CharactersAreCut) {
    // Five keys that each carry every modifier: far longer than a line may be.
    set_key_string(state.record.key_string(KeySlot::prefix_code),
                   {0xFF, 0x20, 0xFF, 0x20, 0xFF, 0x20, 0xFF, 0x20, 0xFF, 0x20});
    std::string full = "Prefix Code : ";
    for (int i = 0; i < 5; ++i) {
        full += "[Shift][LeftCtrl][LeftAlt][RightCtrl][RightAlt][Break][Space]";
    }
    const SummaryNode root = build_summary(state);
    EXPECT_EQ(node_at(root, {"Symbology"}).children[0].text, full.substr(0, 99));
    EXPECT_EQ(node_at(root, {"Symbology"}).children[0].key, "Prefix Code : %s");
}

}  // namespace
}  // namespace tessmar
