// The pages of "Configure Editing Format" and the "Fields Parameters" dialog.
#include "tests/ui/edit_format_fixture.h"

#include <algorithm>
#include <array>

namespace tessmar::test {
namespace {

using Sequence = std::array<std::uint8_t, kTransmissionSequenceSize>;

Sequence stored_sequence(const SettingsRecord& record, int k) {
    Sequence sequence;
    std::ranges::copy(record.edit_format(k).transmission_sequence(), sequence.begin());
    return sequence;
}

std::array<std::uint8_t, 4> code_types(const SettingsRecord& record, int k) {
    const ConstEditFormatBlock block = record.edit_format(k);
    return {block.applicable_code_types(0), block.applicable_code_types(1),
            block.applicable_code_types(2), block.applicable_code_types(3)};
}

// Bits 1 to 7 of byte 3 have no box: neither button writes them.
TEST_F(EditFormat, SelectAllAndClearAllLeaveTheUnusedBitsOfByte3) {
    const struct {
        std::uint8_t stored;
        int button;
        std::array<std::uint8_t, 4> written;
    } kCases[] = {
        {0xFF, IDC_CODE_TYPE_CLEAR_ALL, {0x00, 0x00, 0x00, 0xFE}},
        {0x00, IDC_CODE_TYPE_SELECT_ALL, {0xFF, 0xFF, 0xFF, 0x01}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.button);
        for (int i = 0; i < 4; ++i) {
            state.record.edit_format(0).set_applicable_code_types(i, c.stored);
        }
        configure(1, [&](HWND sheet) { click(show_tab(sheet, kApplicableTab), c.button); });
        EXPECT_EQ(code_types(state.record, 0), c.written);
    }
}

// No number is corrected while typed; OK stores it, 65535 at most, or 0 for what is no number.
TEST_F(EditFormat, ApplicableConditionsNumbersAndMatchingString) {
    std::string shown_maximum;
    configure(
        5,
        [&](HWND sheet) {
            HWND page = show_tab(sheet, kApplicableTab);
            shown_maximum = text_of(page, IDC_MAXIMUM_LENGTH);
            SetDlgItemTextA(page, IDC_MAXIMUM_LENGTH, "70000");
            SetDlgItemTextA(page, IDC_MINIMUM_LENGTH, "abc");
            SetDlgItemTextA(page, IDC_MATCHING_STRING_LOCATION, "300");
            EXPECT_EQ(text_of(page, IDC_MINIMUM_LENGTH), "abc");
            click_at(GetDlgItem(page, IDC_MATCHING_STRING), {5, 5});
        },
        PSBTN_OK, PSBTN_OK, [](ModalScript& script) { script.then(pick_in_grid(kComma)); });
    EXPECT_EQ(shown_maximum, "9999");
    const auto bytes = state.record.edit_format(4).bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 4, bytes.begin() + 10),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0x00, 0x00, 0x2C, 0x00}));
    EXPECT_EQ(state.record.edit_format(4).matching_string_location(), 300u);
}

TEST_F(EditFormat, NumberOfFieldsEnablesTheFieldButtonsAndIsTakenUpTo6) {
    const struct {
        const char* typed;
        int buttons;
        unsigned stored;
    } kCases[] = {{"1", 0, 0}, {"3", 2, 2}, {"9", 5, 5}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed);
        state.record.edit_format(2).set_number_of_fields_minus_1(4);
        std::string opened_with;
        int enabled_at_open = 0;
        int enabled_after = 0;
        configure(3, [&](HWND sheet) {
            HWND page = show_tab(sheet, kFieldSettingsTab);
            opened_with = text_of(page, IDC_NUMBER_OF_FIELDS);
            for (int m = 1; m <= kFieldDividers; ++m) {
                enabled_at_open += enabled(page, IDC_FIELD_BUTTON_FIRST + m - 1);
            }
            SetDlgItemTextA(page, IDC_NUMBER_OF_FIELDS, c.typed);
            for (int m = 1; m <= kFieldDividers; ++m) {
                enabled_after += enabled(page, IDC_FIELD_BUTTON_FIRST + m - 1);
            }
        });
        EXPECT_EQ(opened_with, "5");
        EXPECT_EQ(enabled_at_open, 4);
        EXPECT_EQ(enabled_after, c.buttons);
        EXPECT_EQ(state.record.edit_format(2).number_of_fields_minus_1(), c.stored);
    }
}

TEST_F(EditFormat, TheUpDownArrowsChangeTheNumberOfFieldsAndItsButtons) {
    bool field_1_enabled = false;
    std::string number;
    configure(1, [&](HWND sheet) {
        HWND page = show_tab(sheet, kFieldSettingsTab);
        press_key(GetDlgItem(page, IDC_NUMBER_OF_FIELDS), VK_UP);
        number = text_of(page, IDC_NUMBER_OF_FIELDS);
        field_1_enabled = enabled(page, IDC_FIELD_BUTTON_FIRST);
    });
    EXPECT_EQ(number, "2");
    EXPECT_TRUE(field_1_enabled);
    EXPECT_EQ(state.record.edit_format(0).number_of_fields_minus_1(), 1u);
}

// What "Fields Parameters" shows and stores for divider 3: the length only when "Length" is
// checked, the terminating string and the include flag always, from disabled controls too.
TEST_F(EditFormat, FieldsParametersStoresTheDividerStraightIntoTheStagingBlock) {
    struct Shown {
        std::string caption;
        bool by_length = false;
        bool string_enabled = false;
        bool length_enabled = false;
        std::string length;
    };
    const struct {
        unsigned length;
        std::uint8_t include;
        std::function<void(HWND dialog)> act;
        bool shown_by_length;
        std::array<std::uint8_t, 5> stored;  // include flag, length (2), terminating string (2)
    } kCases[] = {
        {0,
         1,
         [](HWND dialog) {
             click(dialog, IDC_INCLUDE_TERMINATING_STRING);
             click(dialog, IDC_DIVIDE_BY_LENGTH);
             SetDlgItemTextA(dialog, IDC_FIELD_LENGTH, "x");
             EXPECT_EQ(text_of(dialog, IDC_FIELD_LENGTH), "0");
             SetDlgItemTextA(dialog, IDC_FIELD_LENGTH, "12");
         },
         false,
         {0x00, 0x0C, 0x00, 0x2C, 0x00}},
        {5,
         0,
         [](HWND dialog) { click(dialog, IDC_DIVIDE_BY_TERMINATING_STRING); },
         true,
         {0x00, 0x00, 0x00, 0x2C, 0x00}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.length);
        FieldDivider divider = state.record.edit_format(0).field_divider(3);
        divider.set_field_length(c.length);
        divider.set_include_terminating_string(c.include);
        divider.terminating_string()[0] = 0x2C;
        state.record.edit_format(0).set_number_of_fields_minus_1(3);
        Shown shown;
        configure(
            1,
            [](HWND sheet) {
                click(show_tab(sheet, kFieldSettingsTab), IDC_FIELD_BUTTON_FIRST + 2);
            },
            PSBTN_OK, PSBTN_OK,
            [&](ModalScript& script) {
                script.then([&](HWND dialog) {
                    shown = {window_text(dialog), checked(dialog, IDC_DIVIDE_BY_LENGTH),
                             enabled(dialog, IDC_TERMINATING_STRING) &&
                                 enabled(dialog, IDC_INCLUDE_TERMINATING_STRING),
                             enabled(dialog, IDC_FIELD_LENGTH), text_of(dialog, IDC_FIELD_LENGTH)};
                    c.act(dialog);
                    press_button(dialog, IDOK);
                });
            });
        EXPECT_EQ(shown.caption, "Field3 Parameters");
        EXPECT_EQ(shown.by_length, c.shown_by_length);
        EXPECT_EQ(shown.string_enabled, !c.shown_by_length);
        EXPECT_EQ(shown.length_enabled, c.shown_by_length);
        EXPECT_EQ(shown.length, std::to_string(c.length));
        const auto bytes = state.record.edit_format(0).bytes().subspan(field_divider_offset(3), 5);
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                  std::vector<std::uint8_t>(c.stored.begin(), c.stored.end()));
    }
}

// The dialog writes the staging block at once, but only the sheet's OK takes the block to the
// record; the next "Configure..." starts again from the record.
TEST_F(EditFormat, CancelAfterFieldsParametersLeavesTheRecordAndTheNextConfigureShowsIt) {
    state.record.edit_format(3).set_number_of_fields_minus_1(2);
    const EditFormatBytes before = [&] {
        EditFormatBytes block;
        std::ranges::copy(state.record.edit_format(3).bytes(), block.begin());
        return block;
    }();
    const auto open_field_1 = [](HWND sheet) {
        click(show_tab(sheet, kFieldSettingsTab), IDC_FIELD_BUTTON_FIRST);
    };
    configure(4, open_field_1, PSBTN_CANCEL, PSBTN_OK, [](ModalScript& script) {
        script.then([](HWND dialog) {
            click(dialog, IDC_DIVIDE_BY_LENGTH);
            SetDlgItemTextA(dialog, IDC_FIELD_LENGTH, "12");
            press_button(dialog, IDOK);
        });
    });
    EXPECT_TRUE(std::ranges::equal(state.record.edit_format(3).bytes(), before));
    EXPECT_EQ(ConstEditFormatBlock(state.ef_staging[3]).field_divider(1).field_length(), 12u);

    bool by_length = true;
    std::string length;
    configure(4, open_field_1, PSBTN_CANCEL, PSBTN_CANCEL, [&](ModalScript& script) {
        script.then([&](HWND dialog) {
            by_length = checked(dialog, IDC_DIVIDE_BY_LENGTH);
            length = text_of(dialog, IDC_FIELD_LENGTH);
            cancel_window(dialog);
        });
    });
    EXPECT_FALSE(by_length);
    EXPECT_EQ(length, "0");
}

TEST_F(EditFormat, TransmissionSequenceOpensOneTokenPerByteAndTakesFifteenTokens) {
    const auto press = [](std::vector<int> ids) {
        return [ids](HWND page) {
            for (const int id : ids) {
                click(page, id);
            }
        };
    };
    std::vector<int> sixteen(16, IDC_TOKEN_FIRST + 10);  // "Additional Field 5"
    sixteen.insert(sixteen.begin(), IDC_SEQUENCE_CLEAR);
    const Sequence overflowing{0x12, 0x12, 0x12, 0x12, 0x12, 0x12, 0x12, 0x34, 0x05, 0x06};
    const struct {
        const char* name;
        Sequence stored;
        std::function<void(HWND page)> act;
        std::string opened;
        std::string shown;
        Sequence written;
        std::size_t messages;
    } kCases[] = {
        {"packed bytes", Sequence{0x12, 0x07}, press({}), "[F1][F2][A1]", "[F1][F2][A1]",
         Sequence{1, 2, 7}, 0},
        {"Clear", Sequence{0x01, 0x02}, press({IDC_SEQUENCE_CLEAR}), "[F1][F2]", "", Sequence{}, 0},
        {"sixteenth token", Sequence{}, press(sixteen), "",
         "[A5][A5][A5][A5][A5][A5][A5][A5][A5][A5][A5][A5][A5][A5][A5]",
         Sequence{11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11}, 1},
        {"tokens past fifteen when opened", overflowing,
         press({IDC_TOKEN_FIRST + 5, IDC_TOKEN_FIRST}),
         "[F1][F2][F1][F2][F1][F2][F1][F2][F1][F2][F1][F2][F1][F2][F3]",
         "[F1][F2][F1][F2][F1][F2][F1][F2][F1][F2][F1][F2][F1][F2][F3]",
         Sequence{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 3}, 4},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        std::ranges::copy(c.stored, state.record.edit_format(5).transmission_sequence().begin());
        std::string opened, shown;
        configure(
            6,
            [&](HWND sheet) {
                HWND page = show_tab(sheet, kTransmissionTab);
                opened = text_of(page, IDC_SEQUENCE);
                c.act(page);
                shown = text_of(page, IDC_SEQUENCE);
            },
            PSBTN_OK, PSBTN_OK,
            [&](ModalScript& script) {
                for (std::size_t i = 0; i < c.messages; ++i) {
                    script.answer(IDOK);
                }
            });
        EXPECT_EQ(opened, c.opened);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(stored_sequence(state.record, 5), c.written);
        ASSERT_EQ(message_boxes.size(), c.messages);
        for (const MessageBoxSeen& box : message_boxes) {
            EXPECT_EQ(box.caption, "Error");
            EXPECT_EQ(box.text, "Too many fields !!!");
        }
    }
}

// The whole way a user takes: editing format 2 set up on all three pages, through Fields
// Parameters and the grid, then enabled, reaches the tree and the printed sheet.
TEST_F(EditFormat, AFormatConfiguredEndToEndReachesTheTreeAndTheSheet) {
    run_page(
        [](HWND page) {
            click(page, configure_button(2));
            click(page, IDC_ENABLE_FORMAT_FIRST + 1);
        },
        PSBTN_OK,
        [](ModalScript& script) {
            script
                .then(on_format_sheet([](HWND sheet) {
                    HWND applicable = show_tab(sheet, kApplicableTab);
                    click(applicable, IDC_CODE_TYPE_CLEAR_ALL);
                    click(applicable, IDC_CODE_TYPE_FIRST);       // Code 39
                    click(applicable, IDC_CODE_TYPE_FIRST + 16);  // EAN 13 No Addon
                    SetDlgItemTextA(applicable, IDC_MINIMUM_LENGTH, "8");
                    HWND fields = show_tab(sheet, kFieldSettingsTab);
                    SetDlgItemTextA(fields, IDC_NUMBER_OF_FIELDS, "3");
                    click_at(GetDlgItem(fields, IDC_ADDITIONAL_FIELD_FIRST), {5, 5});
                    click(fields, IDC_FIELD_BUTTON_FIRST);
                    click(fields, IDC_FIELD_BUTTON_FIRST + 1);
                    HWND sequence = show_tab(sheet, kTransmissionTab);
                    click(sequence, IDC_SEQUENCE_CLEAR);
                    click(sequence, IDC_TOKEN_FIRST + 1);  // "Field 2"
                    click(sequence, IDC_TOKEN_FIRST + 6);  // "Additional Field 1"
                    click(sequence, IDC_TOKEN_FIRST);      // "Field 1"
                }))
                .then(pick_in_grid(kLetterA))
                .then([](HWND field_1) {
                    click_at(GetDlgItem(field_1, IDC_TERMINATING_STRING), {5, 5});
                    press_button(field_1, IDOK);
                })
                .then(pick_in_grid(kComma))
                .then([](HWND field_2) {
                    click(field_2, IDC_DIVIDE_BY_LENGTH);
                    SetDlgItemTextA(field_2, IDC_FIELD_LENGTH, "4");
                    press_button(field_2, IDOK);
                });
        });

    const char* const expected_tree =
        "    Enable Editing Format 2\n"
        "      Applicable Conditions\n"
        "        Applicable code type\n"
        "          Code 39 : Enable\n"
        "          Italian Pharmacode : Disable\n"
        "          French Pharmacode : Disable\n"
        "          Industrial 25 : Disable\n"
        "          Interleave 25 : Disable\n"
        "          Matrix 25 : Disable\n"
        "          Codabar : Disable\n"
        "          Code 93 : Disable\n"
        "          Code 128 : Disable\n"
        "          EAN 128 : Disable\n"
        "          UPCE No Addon : Disable\n"
        "          UPCE Addon 2 : Disable\n"
        "          UPCE Addon 5 : Disable\n"
        "          EAN 8 No Addon : Disable\n"
        "          EAN 8 Addon 2 : Disable\n"
        "          EAN 8 Addon 5: Disable\n"
        "          EAN 13 No Addon : Enable\n"
        "          EAN 13 Addon 2 : Disable\n"
        "          EAN 13 Addon 5 : Disable\n"
        "          UPCA No Addon : Disable\n"
        "          UPCA Addon 2 : Disable\n"
        "          UPCA Addon 5 : Disable\n"
        "          MSI : Disable\n"
        "          Plessey : Disable\n"
        "          PDF 417 : Disable\n"
        "        Minimum Length : 8\n"
        "        Maximum Length : 9999\n"
        "        Matching String : \n"
        "        Matching String Location : 0\n"
        "      Field Settings\n"
        "        Number of Fields : 3\n"
        "        Field 1 Setting\n"
        "          Divide Field by Field Terminating String\n"
        "          Field Terminating String : [,]\n"
        "          Include Terminating String\n"
        "        Field 2 Setting\n"
        "          Divide Field by Field Length\n"
        "          Field Length : 4\n"
        "        Additional Fields\n"
        "          Additional Field 1 : [A]\n"
        "          Additional Field 2 : \n"
        "          Additional Field 3 : \n"
        "          Additional Field 4 : \n"
        "          Additional Field 5 : \n"
        "      Transmission Sequence : [F2][A1][F1]\n"
        "    Disable Editing Format 3\n";
    EXPECT_NE(tree_text().find(expected_tree), std::string::npos) << tree_text();

    const std::string sheet = setup_sheet_text(state);
    const std::size_t begin = sheet.find("\r\n\r\nEditing Format 2 Settings");
    const std::string end = "9980<End of Format 2>";
    ASSERT_NE(begin, std::string::npos) << sheet;
    EXPECT_EQ(sheet.substr(begin, sheet.find(end) + end.size() - begin),
              "\r\n\r\nEditing Format 2 Settings\r\n9982<Select Format 2>"
              "\r\nApplicable Conditions Settings\r\n"
              "9991<Clear All>0500<Code 39>0532<EAN 13 No Addon>"
              "0549<Min Length>9908<0x08>9994<Validate>"
              "\r\nFields Settings\r\n0580<Total Fields>"
              "0555<Field 1 T.String>9902<0x02>9912<0x0C>9994<Validate>"
              "0558<Field 2 Length>9904<0x04>9994<Validate>"
              "\r\nAdditional Fields Settings\r\n"
              "0572<Additional Field 1>9904<0x04>9901<0x01>9994<Validate>"
              "\r\nTransmission Sequence Settings\r\n"
              "0577<Start>9902<Field 2>9907<Additional Field 1>9901<Field 1>9994<End>"
              "\r\n9980<End of Format 2>");
    EXPECT_NE(sheet.find("0283<Enable Format 2>"), std::string::npos);
}

}  // namespace
}  // namespace tessmar::test
