#include "sheet/setting_caption.h"

#include <vector>

#include "sheet/setup_code_sheet.h"

namespace tessmar {
namespace {

class StringSink : public SheetSink {
  public:
    void write(std::string_view text) override { text_ += text; }
    std::string text_;
};

// "9981<Select Format 1>" to "9986<...>" and "9980<End of Format n>" only say which editing
// format the tokens between them set.
bool selects_format(const std::string& text, std::size_t open) {
    return open >= 4 && text.compare(open - 4, 3, "998") == 0;
}

// The captions of the sheet's tokens ("0207<Scanner Timeout>") of a record from the factory
// settings.
std::vector<std::string> captions_of(const SettingsRecord& record) {
    ProgramState state;
    load_factory_defaults(state);
    state.record = record;
    state.interface_class = derive_interface_class(record.get(Field::keyboard_type));
    StringSink sink;
    WriteSetupCodeSheet(state, sink, [] { return true; });
    std::vector<std::string> captions;
    const std::string& text = sink.text_;
    for (std::size_t open = text.find('<'); open != std::string::npos;
         open = text.find('<', open + 1)) {
        if (!selects_format(text, open)) {
            captions.push_back(text.substr(open + 1, text.find('>', open) - open - 1));
        }
    }
    return captions;
}

}  // namespace

std::optional<std::string> setting_caption(const NamedSetting& setting) {
    SettingsRecord record = record_showing(setting);
    const std::vector<std::string> before = captions_of(record);
    change_setting(record, setting);
    const std::vector<std::string> after = captions_of(record);
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i >= before.size() || after[i] != before[i]) {
            return after[i];
        }
    }
    return std::nullopt;
}

}  // namespace tessmar
