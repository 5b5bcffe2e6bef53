// The Code ID, Data Substitution, Data Editing and editing-format sections.
#include <gtest/gtest.h>

#include "model/code_id_presets.h"
#include "model/symbologies.h"
#include "tests/core/sheet_test_support.h"

namespace tessmar::test {
namespace {

constexpr int kUpceEntry = 9;
constexpr int kEan8Entry = 10;

// What the Code ID page leaves after "Set n" and OK.
void choose_code_id_set(ProgramState& state, int set) {
    for (int entry = 0; entry < kCodeIds; ++entry) {
        const KeyStringBuffer preset = code_id_preset_value(set, entry);
        std::ranges::copy(preset, state.record.key_string(code_id_slot(entry)).begin());
        state.code_id_origin[static_cast<std::size_t>(entry)] = set;
    }
    state.code_id_set = set;
}

MutableKeyString code_id(ProgramState& state, int entry) {
    return state.record.key_string(code_id_slot(entry));
}

TEST(SheetCodeIdSection, ASetLeftAsChosenWritesItsTokenAlone) {
    for (int set = 1; set <= kCodeIdPresetSets; ++set) {
        ProgramState state = factory_state();
        choose_code_id_set(state, set);
        const std::string token = std::to_string(9961 + set) + "<Set " + std::to_string(set) + ">";
        EXPECT_EQ(run_sheet(state).text,
                  std::string(kSheetHead) + "\r\n\r\nCode ID Settings\r\n" + token + kSheetEnd);
    }
}

TEST(SheetCodeIdSection, AnEntryChangedAfterTheSetFollowsTheSetToken) {
    ProgramState state = factory_state();
    choose_code_id_set(state, 2);
    put_key_string(code_id(state, kUpceEntry), {0x55});
    EXPECT_EQ(tokens_of(state), "9963<Set 2>0265<UPCE>9905<0x05>9905<0x05>9994<Validate>");
    // A key added to the preset is a change too, not only a different first key.
    put_key_string(code_id(state, kUpceEntry), {0x45, 0x31});
    EXPECT_EQ(tokens_of(state),
              "9963<Set 2>0265<UPCE>9904<0x04>9905<0x05>9903<0x03>9901<0x01>9994<Validate>");
    // PDF 417 has no preset: anything in it differs.
    put_key_string(code_id(state, kUpceEntry), {0x45});
    put_key_string(code_id(state, 15), {0x50});
    EXPECT_EQ(tokens_of(state), "9963<Set 2>0402<PDF 417>9905<0x05>9900<0x00>9994<Validate>");
}

TEST(SheetCodeIdSection, WithoutASetEntriesAreComparedWithTheDefaults) {
    ProgramState state = factory_state();
    put_key_string(code_id(state, kEan8Entry), {0x38});
    put_key_string(code_id(state, 12), {0x41});  // UPCA, listed before MSI and Plessey
    put_key_string(code_id(state, 13), {0x4D});
    EXPECT_EQ(run_sheet(state).text, std::string(kSheetHead) +
                                         "\r\n\r\nCode ID Settings\r\n"
                                         "0266<EAN 8>9903<0x03>9908<0x08>9994<Validate>"
                                         "0270<UPCA>9904<0x04>9901<0x01>9994<Validate>"
                                         "0268<MSI>9904<0x04>9913<0x0D>9994<Validate>" +
                                         kSheetEnd);
}

// The sheet brings a scanner to the record whatever the entries' origins say, also after a
// "Set n" or "Clear" that the sheet's Cancel dropped: no set chosen compares with the defaults
// byte by byte, a set chosen compares with its preset.
TEST(SheetCodeIdSection, OriginsDoNotDecideWhatIsWritten) {
    const struct {
        const char* what;
        int committed_set;     // the set the record's code IDs came from, 0 for none
        int origin;            // what the dropped button left in every origin
        std::uint8_t code_39;  // the one key then put into Code 39's entry, 0 for none
        const char* tokens;
    } kCases[] = {
        {"Set 2 then Cancel over defaults", 0, 2, 0, ""},
        {"Set 2 then Cancel over a typed key", 0, 2, 0x51,
         "0256<Code 39>9905<0x05>9901<0x01>9994<Validate>"},
        // Set 2's own preset for Code 39 is still a change from the defaults.
        {"Set 2 then Cancel over Set 2's letter", 0, 2, 0x43,
         "0256<Code 39>9904<0x04>9903<0x03>9994<Validate>"},
        {"Clear then Cancel under Set 1", 1, 0, 0x41, "9962<Set 1>"},
        {"Clear then Cancel under Set 1, Code 39 changed", 1, 0, 0x42,
         "9962<Set 1>0256<Code 39>9904<0x04>9902<0x02>9994<Validate>"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ProgramState state = factory_state();
        if (c.committed_set != 0) {
            choose_code_id_set(state, c.committed_set);
        }
        state.code_id_origin.fill(c.origin);
        put_key_string(code_id(state, 0), {c.code_39});
        EXPECT_EQ(tokens_of(state), c.tokens);
    }
}

// With a set chosen, an entry emptied after the set must still undo the preset that the set
// token puts there.
TEST(SheetCodeIdSection, EntryEmptiedUnderAChosenSetIsWritten) {
    ProgramState state = factory_state();
    choose_code_id_set(state, 1);
    state.code_id_origin[kEan8Entry] = 0;
    put_key_string(code_id(state, kEan8Entry), {});
    EXPECT_EQ(tokens_of(state), "9962<Set 1>0266<EAN 8>9994<Validate>");
}

TEST(SheetCodeIdSection, OutOfRangeSetNumbersCountAsNone) {
    ProgramState state = factory_state();
    state.code_id_set = 6;
    state.code_id_origin.fill(-1);
    EXPECT_EQ(tokens_of(state), "");
}

TEST(SheetSubstitutionSection, PairsWhereBothStringsDiffer) {
    ProgramState state = factory_state();
    put_key_string(state.record.string_to_be_replaced(1), {0x41});  // its replacement is empty
    put_key_string(state.record.string_to_be_replaced(3), {0x42});
    put_key_string(state.record.replaced_by(3), {0x43});
    put_key_string(state.record.replaced_by(6), {0x44});  // replaces nothing
    EXPECT_EQ(run_sheet(state).text, std::string(kSheetHead) +
                                         "\r\n\r\nData Substitution Settings"
                                         "\r\n0394<(3) String Replaced>9904<0x04>9902<0x02>"
                                         "9994<Validate>0395<Replaced By>9904<0x04>9903<0x03>"
                                         "9994<Validate>" +
                                         kSheetEnd);
    put_key_string(state.record.string_to_be_replaced(6), {0x45});
    EXPECT_EQ(tokens_of(state),
              "0394<(3) String Replaced>9904<0x04>9902<0x02>9994<Validate>0395<Replaced By>"
              "9904<0x04>9903<0x03>9994<Validate>0400<(6) String Replaced>9904<0x04>9905<0x05>"
              "9994<Validate>0401<Replaced By>9904<0x04>9904<0x04>9994<Validate>");
}

TEST(SheetDataEditingSection, Rows) {
    ProgramState state = factory_state();
    state.record.set(Field::editing_exclusive, 1);
    state.record.set(Field::enable_editing_format_2, 1);
    state.record.set(Field::enable_editing_format_4, 1);
    state.record.set(Field::enable_editing_format_6, 1);
    // Enabling formats whose blocks hold the defaults writes no format section.
    EXPECT_EQ(run_sheet(state).text, std::string(kSheetHead) +
                                         "\r\n\r\nData Editing Settings\r\n"
                                         "0279<Enable Exclusive>0283<Enable Format 2>"
                                         "0354<Enable Format 4>0358<Enable Format 6>" +
                                         kSheetEnd);
    for (int k = 1; k <= 6; ++k) {
        state.defaults_snapshot.set(enable_editing_format_field(k), 1);
        state.record.set(enable_editing_format_field(k), 0);
    }
    state.defaults_snapshot.set(Field::editing_exclusive, 1);
    state.record.set(Field::editing_exclusive, 0);
    EXPECT_EQ(tokens_of(state),
              "0280<Disable Exclusive>0282<Disable Format 1>0284<Disable Format 2>"
              "0286<Disable Format 3>0355<Disable Format 4>0357<Disable Format 5>"
              "0359<Disable Format 6>");
    state.record.set(enable_editing_format_field(7), 1);  // the seventh switch has no token
    state.record.set(enable_editing_format_field(5), 7);  // nor a value other than 0 and 1
    EXPECT_EQ(tokens_of(state),
              "0280<Disable Exclusive>0282<Disable Format 1>0284<Disable Format 2>"
              "0286<Disable Format 3>0355<Disable Format 4>0359<Disable Format 6>");
}

EditFormatBlock enabled_format(ProgramState& state, int k) {
    state.record.set(enable_editing_format_field(k), 1);
    return state.record.edit_format(k - 1);
}

std::string format_sheet(const std::string& k_tokens) {
    return std::string(kSheetHead) + k_tokens + kSheetEnd;
}

TEST(SheetEditingFormatSection, ApplicableConditions) {
    ProgramState state = factory_state();
    EditFormatBlock block = enabled_format(state, 1);
    block.set_applicable_code_types(0, 0x80);  // Code 39
    block.set_applicable_code_types(1, 0x01);  // EAN 13 No Addon
    block.set_applicable_code_types(2, 0x00);
    block.set_applicable_code_types(3, 0xFE);  // not PDF 417; the other bits mean nothing
    block.set_minimum_length(9999);
    block.set_maximum_length(260);
    put_key_string(block.matching_string(), {0x3A});
    block.set_matching_string_location(3);
    EXPECT_EQ(run_sheet(state).text,
              format_sheet("\r\n\r\nData Editing Settings\r\n0281<Enable Format 1>"
                           "\r\n\r\nEditing Format 1 Settings\r\n9981<Select Format 1>"
                           "\r\nApplicable Conditions Settings\r\n"
                           "9991<Clear All>0500<Code 39>0532<EAN 13 No Addon>"
                           "0549<Min Length>9909<0x09>9909<0x09>9909<0x09>9909<0x09>9994<Validate>"
                           "0548<Max Length>9902<0x02>9906<0x06>9900<0x00>9994<Validate>"
                           "0550<Matching String>9903<0x03>9910<0x0A>9994<Validate>"
                           "0551<M.String Location>9903<0x03>9994<Validate>"
                           "\r\n9980<End of Format 1>"));
}

TEST(SheetEditingFormatSection, EveryCodeTypeInSheetOrder) {
    ProgramState state = factory_state();
    EditFormatBlock block = enabled_format(state, 2);
    block.set_applicable_code_types(3, 0xFE);  // all but PDF 417
    EXPECT_EQ(tokens_of(state),
              "0283<Enable Format 2>9982<Select Format 2>9991<Clear All>"
              "0500<Code 39>0502<Italian Pharmacode>0504<French Pharmacode>0506<Industrial 25>"
              "0508<Interleave 25>0510<Matrix 25>0512<Codabar>0514<Code 93>0516<Code 128>"
              "0590<EAN 128>0518<UPCE No Addon>0520<UPCE Addon 2>0522<UPCE Addon 5>"
              "0524<EAN 8 No Addon>0526<EAN 8 Addon 2>0528<EAN 8 Addon 5>0532<EAN 13 No Addon>"
              "0534<EAN 13 Addon 2>0536<EAN 13 Addon 5>0584<UPCA No Addon>0586<UPCA Addon 2>"
              "0588<UPCA Addon 5>0538<MSI>0540<Plessey>9980<End of Format 2>");
}

TEST(SheetEditingFormatSection, FieldsAdditionalFieldsAndTransmissionSequence) {
    ProgramState state = factory_state();
    EditFormatBlock block = enabled_format(state, 3);
    block.set_number_of_fields_minus_1(5);  // six fields
    block.field_divider(1).set_field_length(260);
    put_key_string(block.field_divider(2).terminating_string(), {0x2C});
    block.field_divider(2).set_include_terminating_string(0);
    block.field_divider(3).set_include_terminating_string(0);
    put_key_string(block.additional_field(2), {0x2D});
    put_key_string(block.additional_field(5), {});
    block.additional_field(5)[3] = 0x41;  // stale: still a difference
    const std::uint8_t sequence[] = {0x02, 0x07, 0x3C, 0x10};
    std::ranges::copy(sequence, block.transmission_sequence().begin());
    EXPECT_EQ(run_sheet(state).text,
              format_sheet("\r\n\r\nData Editing Settings\r\n0285<Enable Format 3>"
                           "\r\n\r\nEditing Format 3 Settings\r\n9983<Select Format 3>"
                           "\r\nFields Settings\r\n0583<Total Fields>"
                           "0554<Field 1 Length>9902<0x02>9906<0x06>9900<0x00>9994<Validate>"
                           "0559<Field 2 T.String>9902<0x02>9912<0x0C>9994<Validate>"
                           "0557<Discard T.String>0561<Discard T.String>"
                           "\r\nAdditional Fields Settings\r\n"
                           "0573<Additional Field 2>9902<0x02>9913<0x0D>9994<Validate>"
                           "0576<Additional Field 5>9994<Validate>"
                           "\r\nTransmission Sequence Settings\r\n"
                           "0577<Start>9902<Field 2>9907<Additional Field 1>9903<Field 3>"
                           "9901<Field 1>9994<End>"
                           "\r\n9980<End of Format 3>"));
}

TEST(SheetEditingFormatSection, FieldCountsAndDividerRules) {
    ProgramState state = factory_state();
    EditFormatBlock block = enabled_format(state, 4);
    block.set_number_of_fields_minus_1(1);
    EXPECT_EQ(tokens_of(state),
              "0354<Enable Format 4>9984<Select Format 4>0579<Total Fields>"
              "9980<End of Format 4>");
    // A count past six fields has no token: its code would name a code type.
    block.set_number_of_fields_minus_1(6);
    EXPECT_EQ(tokens_of(state), "0354<Enable Format 4>");
    // A field cut by its length writes no terminating string; an Include of 2 names nothing.
    block.set_number_of_fields_minus_1(0);
    block.field_divider(5).set_field_length(3);
    put_key_string(block.field_divider(5).terminating_string(), {0x2C});
    block.field_divider(4).set_include_terminating_string(2);
    EXPECT_EQ(tokens_of(state),
              "0354<Enable Format 4>9984<Select Format 4>"
              "0570<Field 5 Length>9903<0x03>9994<Validate>9980<End of Format 4>");
    // With its length back at 0 the terminating string and the Include switch are written.
    block.field_divider(5).set_field_length(0);
    block.field_divider(5).set_include_terminating_string(0);
    block.field_divider(4).set_include_terminating_string(1);
    EXPECT_EQ(tokens_of(state),
              "0354<Enable Format 4>9984<Select Format 4>"
              "0571<Field 5 T.String>9902<0x02>9912<0x0C>9994<Validate>"
              "0569<Discard T.String>9980<End of Format 4>");
}

// Tokens 12 to 15 name no field and give no item; the sequence is written up to its first 0.
TEST(SheetEditingFormatSection, SequenceTokensThatNameNoFieldWriteNothing) {
    ProgramState state = factory_state();
    EditFormatBlock block = enabled_format(state, 6);
    const std::uint8_t sequence[] = {0x0C, 0xF1, 0x06, 0x00, 0x05};
    std::ranges::copy(sequence, block.transmission_sequence().begin());
    EXPECT_EQ(tokens_of(state),
              "0358<Enable Format 6>9986<Select Format 6>0577<Start>"
              "9901<Field 1>9906<Field 6>9994<End>9980<End of Format 6>");
}

TEST(SheetEditingFormatSection, DisabledFormatsAndTheSeventhBlockWriteNothing) {
    ProgramState state = factory_state();
    state.record.edit_format(4).set_maximum_length(12);  // format 5, not enabled
    state.record.edit_format(6).set_maximum_length(12);
    state.record.set(enable_editing_format_field(7), 1);
    const SheetRun run = run_sheet(state, false);
    EXPECT_FALSE(run.complete);
    EXPECT_EQ(run.questions, 1);
}

TEST(SheetEditingFormatSection, EachFormatHasItsOwnHeaderAndSubHeadings) {
    ProgramState state = factory_state();
    for (const int k : {1, 5}) {
        EditFormatBlock block = enabled_format(state, k);
        block.set_maximum_length(20);
        put_key_string(block.additional_field(1), {0x41});
    }
    const std::string format_body =
        "\r\nApplicable Conditions Settings\r\n0548<Max Length>9902<0x02>9900<0x00>9994<Validate>"
        "\r\nAdditional Fields Settings\r\n0572<Additional Field 1>9904<0x04>9901<0x01>"
        "9994<Validate>";
    EXPECT_EQ(run_sheet(state).text,
              format_sheet("\r\n\r\nData Editing Settings\r\n0281<Enable Format 1>"
                           "0356<Enable Format 5>"
                           "\r\n\r\nEditing Format 1 Settings\r\n9981<Select Format 1>" +
                           format_body + "\r\n9980<End of Format 1>" +
                           "\r\n\r\nEditing Format 5 Settings\r\n9985<Select Format 5>" +
                           format_body + "\r\n9980<End of Format 5>"));
}

}  // namespace
}  // namespace tessmar::test
