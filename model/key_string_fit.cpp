#include "model/key_string_fit.h"

#include <cctype>
#include <functional>

#include "model/key_string.h"
#include "model/settings_schema.h"

namespace tessmar {
namespace {

constexpr std::uint8_t kFirstModifier = 0xC1;
constexpr std::uint8_t kScanCodeMarker = 0xC0;

bool is_character(std::uint8_t byte) {
    return byte >= 0x01 && byte <= 0x7F;
}

bool is_key(std::uint8_t byte) {
    return byte < kScanCodeMarker && !normal_key_label(byte).empty();
}

bool fits_normal_keys(KeyString slot, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (slot[i] >= kFirstModifier) {
            ++i;  // a modifier needs its key
            if (i >= length) {
                return false;
            }
        }
        if (!is_key(slot[i])) {
            return false;
        }
    }
    return true;
}

bool fits_scan_codes(KeyString slot, std::size_t length) {
    if (length % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < length; i += 2) {
        if (slot[i] != kScanCodeMarker) {
            return false;
        }
    }
    return true;
}

// "code_id_code_128" as "Code ID Code 128"; the words a person reads for the short forms.
std::string words_of(std::string_view name) {
    static const std::pair<std::string_view, std::string_view> kWords[] = {
        {"id", "ID"},     {"pdf417", "PDF 417"}, {"ean", "EAN"},
        {"upce", "UPCE"}, {"upca", "UPCA"},      {"msi", "MSI"},
    };
    std::string words;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("_.", start);
        end = end == std::string_view::npos ? name.size() : end;
        std::string word(name.substr(start, end - start));
        for (const auto& [short_form, long_form] : kWords) {
            word = word == short_form ? std::string(long_form) : word;
        }
        if (!word.empty()) {
            word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
            words += words.empty() ? word : " " + word;
        }
        start = end + 1;
    }
    return words;
}

// A setting named alike in every numbered table ("editing_format.2") says which table it is in.
std::string person_name(const NamedSetting& setting) {
    bool numbered = false;
    for (std::size_t at = setting.table.find('.'); at != std::string::npos;
         at = setting.table.find('.', at + 1)) {
        numbered = numbered || std::isdigit(static_cast<unsigned char>(setting.table[at + 1]));
    }
    return numbered ? words_of(setting.table) + " " + words_of(setting.name)
                    : words_of(setting.name);
}

std::vector<KeyStringReading> readings(const SettingsRecord& record, InterfaceClass from,
                                       InterfaceClass to,
                                       const std::function<bool(KeyString slot)>& wanted) {
    std::vector<KeyStringReading> found;
    for (const NamedSetting& setting : named_settings()) {
        if (setting.kind != SettingKind::key_string) {
            continue;
        }
        const KeyString slot(record.bytes.data() + setting.offset, kKeyStringSize);
        if (!key_string_empty(slot) && wanted(slot)) {
            found.push_back({person_name(setting), key_string_text(slot, from),
                             from == to ? std::string() : key_string_text(slot, to)});
        }
    }
    return found;
}

}  // namespace

bool key_string_fits(KeyString slot, InterfaceClass interface_class) {
    const std::size_t length = key_string_length(slot);
    switch (key_string_form(slot, interface_class)) {
        case KeyStringForm::character:
            for (std::size_t i = 0; i < length; ++i) {
                if (!is_character(slot[i])) {
                    return false;
                }
            }
            return true;
        case KeyStringForm::normal_key:
            return fits_normal_keys(slot, length);
        case KeyStringForm::scan_code:
            return fits_scan_codes(slot, length);
    }
    return false;
}

std::vector<KeyStringReading> key_strings_losing_meaning(const SettingsRecord& record,
                                                         InterfaceClass from, InterfaceClass to) {
    return readings(record, from, to, [&](KeyString slot) {
        return key_string_fits(slot, from) && !key_string_fits(slot, to);
    });
}

std::vector<KeyStringReading> key_strings_not_fitting(const SettingsRecord& record,
                                                      InterfaceClass interface_class) {
    return readings(record, interface_class, interface_class,
                    [&](KeyString slot) { return !key_string_fits(slot, interface_class); });
}

std::string describe_changes(const std::vector<KeyStringReading>& changes) {
    std::string text;
    for (const KeyStringReading& change : changes) {
        text += change.name + ": " + change.before + " becomes " + change.after + "\n";
    }
    return text;
}

}  // namespace tessmar
