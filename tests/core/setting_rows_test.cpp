// The rows of the settings: each setting reaches every face (the tree, the sheet, a settings text,
// a control) unless its row says why not, and a row that says so is not stale.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "model/program_state.h"
#include "model/settings_schema.h"
#include "sheet_test_support.h"
#include "sheet/setting_caption.h"
#include "summary/setting_place.h"

namespace tessmar {
namespace {

ProgramState state_of(const SettingsRecord& record) {
    ProgramState state = test::factory_state();
    state.record = record;
    state.interface_class = derive_interface_class(record.get(Field::keyboard_type));
    return state;
}

bool read_by_tree_line(const NamedSetting& setting) {
    const SettingsRecord record = record_showing(setting);
    const ProgramState state = state_of(record);
    const SummaryNode tree = build_summary(state);
    const SummaryNode* line = line_showing(tree, setting);
    SettingsRecord changed = record;
    change_setting(changed, setting);
    return line && line_text(*line, changed, state.interface_class) != line->text;
}

bool written_by_sheet(const NamedSetting& setting) {
    return setting_caption(setting).has_value();
}

bool named_in_text(const NamedSetting& setting) {
    const NamedSetting* named = find_named_setting(setting.table, setting.name);
    return named && named->offset == setting.offset && named->low_bit == setting.low_bit;
}

bool bound_to_control(const NamedSetting& setting) {
    return setting.control.window != nullptr && setting.control.id != 0;
}

struct Face {
    const char* name;
    const char* MissingFaces::*why_not;
    std::function<bool(const NamedSetting&)> has;
};

TEST(SettingRows, EverySettingHasEachFaceUnlessItsRowSaysWhyNot) {
    const Face kFaces[] = {
        {"tree line", &MissingFaces::tree, read_by_tree_line},
        {"setup codes", &MissingFaces::sheet, written_by_sheet},
        {"name in a settings text", &MissingFaces::text, named_in_text},
        {"control", &MissingFaces::control, bound_to_control},
    };
    for (const NamedSetting& setting : setting_rows()) {
        for (const Face& face : kFaces) {
            const char* why_not = setting.missing.*face.why_not;
            EXPECT_EQ(face.has(setting), why_not == nullptr)
                << setting.table << "." << setting.name << " (" << setting_place(setting)
                << (why_not ? ") has the face its row says it lacks: " : ") has no ") << face.name;
        }
    }
}

// Each field of the record is one row's; a row left out would pass through every face unseen.
TEST(SettingRows, EveryFieldIsOneRows) {
    for (const FieldLayout& layout : all_field_layouts()) {
        const auto rows = std::ranges::count_if(setting_rows(), [&](const NamedSetting& setting) {
            return setting.field == layout.field && setting.offset == layout.offset &&
                   setting.high_bit == layout.high_bit && setting.low_bit == layout.low_bit;
        });
        EXPECT_EQ(rows, 1) << "field " << static_cast<int>(layout.field);
    }
}

// Where Find setting shows a setting: the tree's path to its line, and the caption the sheet and
// Stampwell's page give it.
TEST(SettingRows, PlaceIsTheTreesPathAndCaptionTheSheetsToken) {
    const struct {
        const char* table;
        const char* name;
        const char* place;
        const char* caption;
    } kPlaces[] = {
        {"symbology.code_39", "code_39_full_ascii", "Symbology › Code 39 › Code 39 Full ASCII",
         "Full ASCII ON"},
        {"interface", "flow_control", "Interface › Flow Control", "Scanner Ready"},
        {"symbology.msi", "msi_length_2",
         "Symbology › MSI › Select Length Qualification › Min Length", "Min Length"},
        {"editing_format.3.field_divider.2", "terminating_string",
         "Edit Format › Data Editing › Editing Format 3 › Field Settings › Field 2 Setting › "
         "Field Terminating String",
         "Field 2 T.String"},
        {"editing_format.1.applicable_code_type", "ean_8_addon_5",
         "Edit Format › Data Editing › Editing Format 1 › Applicable Conditions › Applicable code "
         "type › EAN 8 Addon 5",
         "Clear All"},
        {"data_editing", "enable_editing_format_7", "data_editing › enable_editing_format_7", ""},
    };
    for (const auto& expected : kPlaces) {
        const auto row = std::ranges::find_if(setting_rows(), [&](const NamedSetting& setting) {
            return setting.table == expected.table && setting.name == expected.name;
        });
        ASSERT_NE(row, setting_rows().end()) << expected.name;
        EXPECT_EQ(setting_place(*row), expected.place);
        EXPECT_EQ(setting_caption(*row).value_or(""), expected.caption);
    }
}

}  // namespace
}  // namespace tessmar
