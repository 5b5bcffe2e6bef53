// Find setting: the settings whose names hold every word the user typed, and the way from the
// main window to the control that edits one (the page, then the dialog or sheet it opens).
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/settings_schema.h"
#include "model/symbologies.h"
#include "summary/summary_tree.h"

namespace tessmar {

// The words of a name, in lower case: its runs of letters and of digits ("code_39 Full-ASCII" gives
// code, 39, full, ascii; "pdf417" gives pdf, 417).
std::vector<std::string> name_words(std::string_view name);

// Whether each word of `typed` begins a word of `words` (lower case), in any case. Nothing typed
// matches nothing.
bool words_match(std::string_view typed, std::span<const std::string> words);

// The windows a setting's control is reached through, outermost first.
struct SettingRoute {
    const char* page = nullptr;  // the Reader Settings page's template
    // The parameter dialog the Symbology page opens, when the control lies in one.
    std::optional<Symbology> symbology;
    int editing_format = 0;             // 1 to 6 when the editing-format sheet holds the control
    const char* format_page = nullptr;  // that sheet's page
    int field_divider = 0;              // 1 to 5 when that field's "Fields Parameters" holds it
    SettingControl control;             // the window that holds the control, and its id
};

// Null when no control edits the setting.
std::optional<SettingRoute> setting_route(const NamedSetting& setting);

// The setting of line `number` of `tree` (counted from 0 in the order summary_text lists the
// lines), or, for a line that shows none, of the nearest line above it that does; null when
// there is none.
const NamedSetting* line_setting(const SummaryNode& tree, std::size_t number);

// Every setting a control edits, with its place and the words of its names: its tree line, its
// name in a settings text and the label its control shows.
class SettingIndex {
  public:
    struct Entry {
        const NamedSetting* setting;
        std::string place;  // setting_place
        std::vector<std::string> words;
    };

    // `label` gives the label of a control as its window shows it, or nothing.
    explicit SettingIndex(const std::function<std::string(const SettingControl&)>& label);

    // The entries whose words match `typed`, in the order a settings text lists them.
    std::vector<const Entry*> find(std::string_view typed) const;

  private:
    std::vector<Entry> entries_;
};

}  // namespace tessmar
