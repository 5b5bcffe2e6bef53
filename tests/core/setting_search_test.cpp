// Find setting: which settings a typed text finds, and the windows that lead to each one's
// control.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "summary/setting_search.h"

namespace tessmar {
namespace {

TEST(SettingSearch, EveryTypedWordBeginsAWordInAnyCase) {
    const std::vector<std::string> words = name_words("Symbology › Code 39 › Full_ASCII");
    const struct {
        const char* typed;
        bool matches;
    } kCases[] = {
        {"full", true},  {"FULL ascii", true}, {"asc co 3", true},    {"  Code-39 ", true},
        {"ull", false},  {"full fred", false}, {"ascii40", false},    {"", false},
        {"  › ", false}, {"39", true},         {"symbologyx", false},
    };
    for (const auto& expected : kCases) {
        EXPECT_EQ(words_match(expected.typed, words), expected.matches) << expected.typed;
    }
}

std::string text(const char* maybe) {
    return maybe ? maybe : "";
}

// One setting per kind of window that holds a control: a page, a parameter dialog, a page of the
// editing-format sheet and the "Fields Parameters" it opens.
TEST(SettingSearch, RouteLeadsThroughTheWindowsThatHoldTheControl) {
    const struct {
        const char* table;
        const char* name;
        const char* page;
        const char* symbology_key;
        int editing_format;
        const char* format_page;
        int field_divider;
        const char* window;
    } kRoutes[] = {
        {"scanner", "scanner_timeout", "SCANNER_DLG", nullptr, 0, nullptr, 0, "SCANNER_DLG"},
        {"code_id", "code_id_code_128", "CODEID_DLG", nullptr, 0, nullptr, 0, "CODEID_DLG"},
        {"symbology.interleave_25", "interleave_25_length_mode", "SYMBOLOGY_DLG", "interleave_25",
         0, nullptr, 0, "INTERLEAVE25DLG"},
        {"editing_format.4", "transmission_sequence", "EDIT_DLG", nullptr, 4, "TRANSMISSION_DLG", 0,
         "TRANSMISSION_DLG"},
        {"editing_format.6.field_divider.3", "field_length", "EDIT_DLG", nullptr, 6,
         "FIELDSETTINGS_DLG", 3, "FIELDSDLG"},
    };
    for (const auto& expected : kRoutes) {
        const NamedSetting* setting = find_named_setting(expected.table, expected.name);
        ASSERT_NE(setting, nullptr) << expected.name;
        const std::optional<SettingRoute> route = setting_route(*setting);
        ASSERT_TRUE(route) << expected.name;
        EXPECT_STREQ(route->page, expected.page) << expected.name;
        EXPECT_EQ(text(route->symbology ? symbology_info(*route->symbology).key : nullptr),
                  text(expected.symbology_key))
            << expected.name;
        EXPECT_EQ(route->editing_format, expected.editing_format) << expected.name;
        EXPECT_EQ(text(route->format_page), text(expected.format_page)) << expected.name;
        EXPECT_EQ(route->field_divider, expected.field_divider) << expected.name;
        EXPECT_STREQ(route->control.window, expected.window) << expected.name;
    }
}

// Each setting a control edits can be found, by its tree line, its name in a text or its label.
TEST(SettingSearch, FindsBySeveralNamesAndLeavesOutWhatNoControlEdits) {
    const SettingIndex index([](const SettingControl& control) {
        return control.window == std::string_view("INTERLEAVE25DLG") &&
                       control.id == IDC_25_FIXED_LENGTH
                   ? "Fixed Length"
                   : "";
    });
    const auto names = [&](const char* typed) {
        std::vector<std::string> found;
        for (const SettingIndex::Entry* entry : index.find(typed)) {
            found.push_back(entry->setting->table + ' ' + entry->setting->name);
        }
        return found;
    };
    EXPECT_EQ(names("inter fix"),
              std::vector<std::string>{"symbology.interleave_25 interleave_25_length_mode"});
    EXPECT_EQ(names("CODE_ID_CODE_128"), std::vector<std::string>{"code_id code_id_code_128"});
    EXPECT_EQ(names("full ascii").size(), 1u);
    EXPECT_EQ(names("i12").front(), "code_id code_id_code_128");
    EXPECT_TRUE(names("enable_editing_format_7").empty());
    const std::size_t controlled = std::ranges::count_if(
        named_settings(),
        [](const NamedSetting& setting) { return setting_route(setting).has_value(); });
    EXPECT_EQ(controlled, named_settings().size());
}

}  // namespace
}  // namespace tessmar
