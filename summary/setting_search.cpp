#include "summary/setting_search.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "summary/setting_place.h"

namespace tessmar {
namespace {

// The Reader Settings pages, and the editing-format sheet's pages with the dialog one of them
// opens.
constexpr const char* kReaderPages[] = {"SCANNER_DLG",    "INTERFACE_DLG", "SYMBOLOGY_DLG",
                                        "LENGTHCODE_DLG", "CODEID_DLG",    "EDIT_DLG"};
constexpr const char* kEditPage = "EDIT_DLG";
constexpr const char* kSymbologyPage = "SYMBOLOGY_DLG";
constexpr const char* kFieldSettingsPage = "FIELDSETTINGS_DLG";
constexpr const char* kFormatPages[] = {"APPLICABLE_DLG", kFieldSettingsPage, "TRANSMISSION_DLG"};
constexpr const char* kFieldsParameters = "FIELDSDLG";

bool is_letter_or_digit(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

bool same_name(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

const char* one_of(std::span<const char* const> names, const char* window) {
    const auto found =
        std::ranges::find_if(names, [&](const char* n) { return same_name(n, window); });
    return found == names.end() ? nullptr : *found;
}

// The number after `part` in a table's name ("editing_format.3.field_divider.2"), or 0.
int number_after(const std::string& table, std::string_view part) {
    const std::size_t at = table.find(part);
    if (at == std::string::npos) {
        return 0;
    }
    int number = 0;
    for (std::size_t i = at + part.size();
         i < table.size() && std::isdigit(static_cast<unsigned char>(table[i])); ++i) {
        number = number * 10 + (table[i] - '0');
    }
    return number;
}

std::optional<Symbology> symbology_of_table(const std::string& table) {
    for (const SymbologyInfo& info : kSymbologies) {
        if (table == std::string("symbology.") + info.key) {
            return info.id;
        }
    }
    return std::nullopt;
}

// Finds line `number` below `node`, counting down from `next`, with the setting of the nearest
// line on the way that shows one.
bool find_line(const SummaryNode& node, std::size_t number, std::size_t& next,
               const NamedSetting* above, const NamedSetting*& found) {
    for (const SummaryNode& child : node.children) {
        const NamedSetting* own = setting_shown_by(child);
        const NamedSetting* setting = own ? own : above;
        if (next++ == number) {
            found = setting;
            return true;
        }
        if (find_line(child, number, next, setting, found)) {
            return true;
        }
    }
    return false;
}

}  // namespace

const NamedSetting* line_setting(const SummaryNode& tree, std::size_t number) {
    std::size_t next = 0;
    const NamedSetting* found = nullptr;
    find_line(tree, number, next, nullptr, found);
    return found;
}

std::vector<std::string> name_words(std::string_view name) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : std::string(name) + ' ') {
        // "code128" holds two words, as "Code 128" does.
        if (!word.empty() && is_letter_or_digit(c) &&
            (std::isdigit(static_cast<unsigned char>(c)) != 0) !=
                (std::isdigit(static_cast<unsigned char>(word.back())) != 0)) {
            words.push_back(std::move(word));
            word.clear();
        }
        if (is_letter_or_digit(c)) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    return words;
}

bool words_match(std::string_view typed, std::span<const std::string> words) {
    const std::vector<std::string> wanted = name_words(typed);
    return !wanted.empty() && std::ranges::all_of(wanted, [&](const std::string& prefix) {
        return std::ranges::any_of(
            words, [&](const std::string& word) { return word.starts_with(prefix); });
    });
}

std::optional<SettingRoute> setting_route(const NamedSetting& setting) {
    const SettingControl& control = setting.control;
    if (!control.window || control.id == 0) {
        return std::nullopt;
    }
    SettingRoute route;
    route.control = control;
    if ((route.page = one_of(kReaderPages, control.window))) {
        return route;
    }
    const bool in_fields_parameters = same_name(control.window, kFieldsParameters);
    if (in_fields_parameters || one_of(kFormatPages, control.window)) {
        route.page = kEditPage;
        route.editing_format = number_after(setting.table, "editing_format.");
        route.format_page = in_fields_parameters ? kFieldSettingsPage : control.window;
        route.field_divider =
            in_fields_parameters ? number_after(setting.table, "field_divider.") : 0;
        return route;
    }
    route.symbology = symbology_of_table(setting.table);
    if (!route.symbology || !symbology_info(*route.symbology).parameter_dialog ||
        !same_name(symbology_info(*route.symbology).parameter_dialog, control.window)) {
        return std::nullopt;
    }
    route.page = kSymbologyPage;
    return route;
}

SettingIndex::SettingIndex(const std::function<std::string(const SettingControl&)>& label) {
    for (const NamedSetting& setting : named_settings()) {
        if (!setting_route(setting)) {
            continue;
        }
        Entry entry{&setting, setting_place(setting), {}};
        for (const std::string& name :
             {entry.place, setting.table + '.' + setting.name, label(setting.control)}) {
            for (std::string& word : name_words(name)) {
                entry.words.push_back(std::move(word));
            }
        }
        entries_.push_back(std::move(entry));
    }
}

std::vector<const SettingIndex::Entry*> SettingIndex::find(std::string_view typed) const {
    std::vector<const Entry*> found;
    for (const Entry& entry : entries_) {
        if (words_match(typed, entry.words)) {
            found.push_back(&entry);
        }
    }
    return found;
}

}  // namespace tessmar
