#include "model/settings_text.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>

#include "model/key_string_entry.h"
#include "model/program_state.h"
#include "model/settings_fingerprint.h"
#include "model/settings_schema.h"

namespace tessmar {
namespace {

using K = SettingKind;

constexpr char kHeading[] =
    "# Velkor Orlo scanner settings. 'tessmar-cli import' makes a settings file (.orl) of them.\n";
constexpr char kBytesTable[] = "bytes";

bool is_number_kind(SettingKind kind) {
    return kind != K::key_string && kind != K::sequence;
}

std::size_t area_size(SettingKind kind) {
    return kind == K::sequence ? kTransmissionSequenceSize : kKeyStringSize;
}

// A TOML basic string.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// What a key string or transmission sequence writes when its text is read: its keys or tokens,
// and the terminator when it ends inside the part readers look at. Bytes past it stay as they
// were, as every writer of a slot leaves them.
struct AreaEntry {
    std::array<std::uint8_t, kTransmissionSequenceSize> bytes{};
    std::size_t written = 0;
    std::string error;
};

AreaEntry enter_area(SettingKind kind, std::string_view text, KeyStringForm form) {
    AreaEntry area;
    std::size_t readable = kTransmissionSequenceSize;
    if (kind == K::sequence) {
        const SequenceEntry entry = enter_transmission_sequence(text);
        std::copy(entry.bytes.begin(), entry.bytes.end(), area.bytes.begin());
        area.error = entry.error;
    } else {
        const KeyStringEntry entry = enter_key_string(text, form);
        std::copy(entry.bytes.begin(), entry.bytes.end(), area.bytes.begin());
        area.error = entry.error;
        readable = kKeyStringMaxBytes;
    }
    const auto end = area.bytes.begin() + static_cast<std::ptrdiff_t>(readable);
    area.written = std::min<std::size_t>(
        static_cast<std::size_t>(std::find(area.bytes.begin(), end, 0) - area.bytes.begin()) + 1,
        readable);
    return area;
}

void write_area(SettingsRecord& record, const NamedSetting& setting, const AreaEntry& area) {
    std::copy_n(area.bytes.begin(), area.written, record.bytes.begin() + setting.offset);
}

// ---- Writing ----

class TextWriter {
  public:
    explicit TextWriter(const SettingsRecord& record)
        : record_(record),
          interface_class_(derive_interface_class(record.get(Field::keyboard_type))) {}

    std::string write();

  private:
    void write_setting(const NamedSetting& setting);
    std::string number_value(const NamedSetting& setting);
    void write_area_setting(const NamedSetting& setting);
    void write_bytes();
    void cover(std::size_t offset, unsigned mask) { covered_[offset] |= mask; }

    const SettingsRecord& record_;
    InterfaceClass interface_class_;
    std::string text_;
    // The bits that the settings written give back; [bytes] keeps the rest.
    std::array<unsigned, kRecordSize> covered_{};
};

std::string TextWriter::write() {
    text_ = kHeading;
    // The fingerprint a sheet, a status bar and the command line show for these settings.
    text_ += "# Settings fingerprint: " + settings_fingerprint(record_.bytes) + "\n";
    std::string_view table;
    for (const NamedSetting& setting : named_settings()) {
        if (setting.table != table) {
            table = setting.table;
            text_ += "\n[" + setting.table + "]\n";
        }
        write_setting(setting);
    }
    write_bytes();
    return std::move(text_);
}

void TextWriter::write_setting(const NamedSetting& setting) {
    if (!is_number_kind(setting.kind)) {
        write_area_setting(setting);
        return;
    }
    text_ += setting.name + " = " + number_value(setting) + "\n";
    if (setting.kind == K::number_16) {
        cover(setting.offset, 0xFF);
        cover(setting.offset + 1, 0xFF);
    } else {
        cover(setting.offset, setting_maximum(setting) << setting.low_bit);
    }
}

std::string TextWriter::number_value(const NamedSetting& setting) {
    const unsigned value = setting_number(record_, setting);
    if (setting.kind == K::flag && value <= 1) {
        return value ? "true" : "false";
    }
    if (const std::optional<std::string> word = setting_word(setting, value)) {
        return quoted(*word);
    }
    return std::to_string(value);
}

// A key string with its form, or a transmission sequence. One whose text would not give back its
// bytes is left to [bytes], with a note saying so.
void TextWriter::write_area_setting(const NamedSetting& setting) {
    const auto bytes = std::span(record_.bytes).subspan(setting.offset, area_size(setting.kind));
    KeyStringForm form = KeyStringForm::character;
    std::string text;
    if (setting.kind == K::sequence) {
        text = render_transmission_sequence(bytes.first<kTransmissionSequenceSize>());
    } else {
        const KeyString slot = bytes.first<kKeyStringSize>();
        form = key_string_form(slot, interface_class_);
        text = key_string_text(slot, interface_class_);
    }
    const AreaEntry area = enter_area(setting.kind, text, form);
    if (!area.error.empty() ||
        !std::equal(bytes.begin(), bytes.begin() + area.written, area.bytes.begin())) {
        text_ += "# " + setting.name + " is kept in [bytes]: " + quoted(text) +
                 " does not give back its bytes\n";
        return;
    }
    for (std::size_t i = 0; i < area.written; ++i) {
        cover(setting.offset + i, 0xFF);
    }
    if (setting.kind == K::sequence) {
        text_ += setting.name + " = " + quoted(text) + "\n";
    } else {
        text_ += setting.name + " = { form = " + quoted(key_string_form_name(form)) +
                 ", keys = " + quoted(text) + " }\n";
    }
}

std::string hex_bytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", byte);
        text += digits;
    }
    return text;
}

// Each run of bytes whose uncovered bits differ from the factory's, under its first offset.
void TextWriter::write_bytes() {
    const SettingsRecord factory = factory_record();
    const auto kept = [&](std::size_t i) {
        return ((record_.bytes[i] ^ factory.bytes[i]) & ~covered_[i] & 0xFFu) != 0;
    };
    bool heading = false;
    for (std::size_t start = 0; start < kRecordSize;) {
        if (!kept(start)) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < kRecordSize && kept(end)) {
            ++end;
        }
        if (!heading) {
            text_ += "\n[bytes]\n";
            heading = true;
        }
        text_ += std::to_string(start) + " = " +
                 quoted(hex_bytes(std::span(record_.bytes).subspan(start, end - start))) + "\n";
        start = end;
    }
}

// ---- Reading ----

class TextReader {
  public:
    SettingsTextImport read(std::string_view text);

  private:
    void read_table(const toml::table& table, const std::string& path);
    void read_entry(const std::string& path, const toml::key& key, const toml::node& node);
    void read_number(const NamedSetting& setting, const toml::node& node);
    void read_word(const NamedSetting& setting, const toml::node& node, const std::string& word);
    void read_area(const NamedSetting& setting, const toml::node& node);
    bool key_string_parts(const NamedSetting& setting, const toml::node& node,
                          const toml::node*& keys, KeyStringForm& form);
    void read_bytes(const toml::node& node);
    void read_run(const toml::key& key, const toml::node& node);
    void fail(const toml::source_region& where, std::string message);

    SettingsTextImport result_;
    // Key strings wait for the interface their text's form follows when it names none.
    struct PendingArea {
        const NamedSetting* setting;
        const toml::node* node;
    };
    std::vector<PendingArea> areas_;
    std::bitset<kRecordSize> given_bytes_;
};

void TextReader::fail(const toml::source_region& where, std::string message) {
    result_.errors.push_back({where.begin.line, where.begin.column, std::move(message)});
}

SettingsTextImport TextReader::read(std::string_view text) {
    result_.record = factory_record();
    toml::parse_result parsed = toml::parse(text);
    if (!parsed) {
        const toml::parse_error& error = parsed.error();
        fail(error.source(), std::string(error.description()));
        return std::move(result_);
    }
    const toml::table& root = parsed.table();
    // What [bytes] holds lies under the named settings, which a hand edit may have changed.
    if (const toml::node* bytes = root.get(kBytesTable)) {
        read_bytes(*bytes);
    }
    read_table(root, "");
    for (const PendingArea& area : areas_) {
        read_area(*area.setting, *area.node);
    }
    std::sort(result_.errors.begin(), result_.errors.end(), [](const auto& a, const auto& b) {
        return std::tie(a.line, a.column) < std::tie(b.line, b.column);
    });
    return std::move(result_);
}

void TextReader::read_table(const toml::table& table, const std::string& path) {
    for (const auto& [key, node] : table) {
        if (path.empty() && key.str() == kBytesTable) {
            continue;
        }
        read_entry(path, key, node);
    }
}

std::string table_name(const std::string& path, std::string_view name) {
    return path.empty() ? std::string(name) : path + "." + std::string(name);
}

void TextReader::read_entry(const std::string& path, const toml::key& key, const toml::node& node) {
    if (const NamedSetting* setting = find_named_setting(path, key.str())) {
        if (is_number_kind(setting->kind)) {
            read_number(*setting, node);
        } else {
            areas_.push_back({setting, &node});
        }
        return;
    }
    const std::string inner = table_name(path, key.str());
    const toml::table* table = node.as_table();
    if (is_settings_table(inner)) {
        if (table == nullptr) {
            fail(node.source(), "[" + inner + "] must be a table");
        } else {
            read_table(*table, inner);
        }
    } else if (table != nullptr && !table->is_inline()) {
        fail(key.source(), "unknown table [" + inner + "]");
    } else {
        const std::string name(key.str());
        fail(key.source(),
             "unknown setting '" + name + "'" + (path.empty() ? "" : " in [" + path + "]"));
    }
}

std::string range_text(const NamedSetting& setting) {
    return "0 to " + std::to_string(setting_maximum(setting));
}

std::string words_text(const NamedSetting& setting) {
    std::string text;
    for (const std::string& word : setting_words(setting)) {
        text += text.empty() ? "" : ", ";
        text += quoted(word);
    }
    return text;
}

void TextReader::read_number(const NamedSetting& setting, const toml::node& node) {
    const bool worded = setting.kind == K::word || setting.kind == K::layout_word ||
                        setting.kind == K::keyboard_type;
    if (const auto* flag = node.as_boolean(); flag && setting.kind == K::flag) {
        set_setting_number(result_.record, setting, flag->get() ? 1 : 0);
    } else if (const auto* word = node.as_string(); word && worded) {
        read_word(setting, node, word->get());
    } else if (const auto* number = node.as_integer()) {
        const std::int64_t value = number->get();
        if (value < 0 || value > static_cast<std::int64_t>(setting_maximum(setting))) {
            fail(node.source(), setting.name + " = " + std::to_string(value) +
                                    " is out of range; it takes " + range_text(setting));
        } else {
            set_setting_number(result_.record, setting, static_cast<unsigned>(value));
        }
    } else if (setting.kind == K::flag) {
        fail(node.source(), setting.name + " takes true or false");
    } else {
        fail(node.source(), setting.name + " takes " +
                                (worded ? "one of " + words_text(setting) + ", or " : "") +
                                "a number from " + range_text(setting));
    }
}

void TextReader::read_word(const NamedSetting& setting, const toml::node& node,
                           const std::string& word) {
    if (const std::optional<unsigned> value = setting_word_value(setting, word)) {
        set_setting_number(result_.record, setting, *value);
    } else {
        fail(node.source(), quoted(word) + " is no value of " + setting.name + "; it takes " +
                                words_text(setting) + ", or a number from " + range_text(setting));
    }
}

// A key string's keys and the form to read them in: { form = "...", keys = "..." }, or its keys
// alone in the form that the record's interface gives them. `keys` is null when the table has
// none; false after a message when the table holds something else.
bool TextReader::key_string_parts(const NamedSetting& setting, const toml::node& node,
                                  const toml::node*& keys, KeyStringForm& form) {
    form = derive_interface_class(result_.record.get(Field::keyboard_type)) ==
                   InterfaceClass::keyboard_wedge
               ? KeyStringForm::normal_key
               : KeyStringForm::character;
    const toml::table* table = node.as_table();
    if (table == nullptr) {
        return true;
    }
    for (const auto& [name, value] : *table) {
        if (name.str() != "keys" && name.str() != "form") {
            fail(name.source(), setting.name + " takes only form and keys");
            return false;
        }
    }
    keys = table->get("keys");
    if (const toml::node* named = table->get("form")) {
        const toml::value<std::string>* name = named->as_string();
        const std::optional<KeyStringForm> named_form =
            name ? key_string_form_named(name->get()) : std::nullopt;
        if (!named_form) {
            fail(named->source(), "the form of " + setting.name +
                                      " is one of \"character\", \"normal key\", \"scan code\"");
            return false;
        }
        form = *named_form;
    }
    return true;
}

// A key string, or a transmission sequence as its text.
void TextReader::read_area(const NamedSetting& setting, const toml::node& node) {
    const toml::node* keys = &node;
    KeyStringForm form = KeyStringForm::character;
    if (setting.kind == K::key_string && !key_string_parts(setting, node, keys, form)) {
        return;
    }
    if (keys == nullptr || !keys->is_string()) {
        fail((keys ? keys : &node)->source(),
             setting.name + " takes " +
                 (setting.kind == K::sequence ? "a text" : "keys or { form, keys }"));
        return;
    }
    const AreaEntry area = enter_area(setting.kind, keys->as_string()->get(), form);
    if (!area.error.empty()) {
        fail(keys->source(), setting.name + ": " + area.error);
        return;
    }
    write_area(result_.record, setting, area);
}

void TextReader::read_bytes(const toml::node& node) {
    const toml::table* table = node.as_table();
    if (table == nullptr) {
        fail(node.source(), "[bytes] must be a table");
        return;
    }
    for (const auto& [key, value] : *table) {
        read_run(key, value);
    }
}

std::optional<std::vector<std::uint8_t>> parse_hex_bytes(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    if (digits.empty() || digits.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        unsigned byte = 0;
        const char* end = digits.data() + i + 2;
        if (!std::isxdigit(static_cast<unsigned char>(digits[i])) ||
            std::from_chars(digits.data() + i, end, byte, 16).ptr != end) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(byte));
    }
    return bytes;
}

// OFFSET = "HH HH ...": the bytes from that offset on.
void TextReader::read_run(const toml::key& key, const toml::node& node) {
    const std::string name(key.str());
    std::size_t offset = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), offset);
    if (name.empty() || error != std::errc() || end != name.data() + name.size() ||
        offset >= kRecordSize) {
        fail(key.source(),
             "'" + name + "' in [bytes] is no offset from 0 to " + std::to_string(kRecordSize - 1));
        return;
    }
    const toml::value<std::string>* text = node.as_string();
    const auto bytes = text ? parse_hex_bytes(text->get()) : std::nullopt;
    if (!bytes) {
        fail(node.source(),
             "the bytes at " + name + " must be hexadecimal, two digits a byte: \"0A FF\"");
        return;
    }
    if (offset + bytes->size() > kRecordSize) {
        fail(node.source(), "the bytes at " + name + " run past the record's " +
                                std::to_string(kRecordSize) + " bytes");
        return;
    }
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        if (given_bytes_.test(offset + i)) {
            fail(key.source(), "byte " + std::to_string(offset + i) + " is given twice in [bytes]");
            return;
        }
        given_bytes_.set(offset + i);
        result_.record.bytes[offset + i] = (*bytes)[i];
    }
}

}  // namespace

std::string export_settings_text(const SettingsRecord& record) {
    return TextWriter(record).write();
}

SettingsTextImport import_settings_text(std::string_view text) {
    return TextReader().read(text);
}

std::string settings_text_error_line(std::string_view path, const SettingsTextError& error) {
    return std::string(path) + ":" + std::to_string(error.line) + ":" +
           std::to_string(error.column) + ": " + error.message;
}

bool is_settings_text_path(std::string_view path) {
    constexpr std::string_view kExtension = ".toml";
    if (path.size() < kExtension.size()) {
        return false;
    }
    const std::string_view end = path.substr(path.size() - kExtension.size());
    return std::equal(end.begin(), end.end(), kExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

SettingsTextFile read_settings_text_file(const std::string& path) {
    SettingsTextFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.read.error = "cannot open " + path + ": " + std::strerror(errno);
        return file;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        file.read.error = "cannot read " + path + ": " + std::strerror(errno);
        return file;
    }
    file.read.ok = true;
    file.imported = import_settings_text(text);
    return file;
}

}  // namespace tessmar
