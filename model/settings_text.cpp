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
#include <filesystem>
#include <fstream>
#include <tuple>

#include "files/utf8_path.h"
#include "model/key_string_entry.h"
#include "model/program_state.h"
#include "model/settings_fingerprint.h"
#include "model/settings_schema.h"
#include "model/text_depth.h"

namespace tessmar {
namespace {

using K = SettingKind;

constexpr char kHeading[] =
    "# Velkor Orlo scanner settings. 'tessmar-cli import' makes a settings file (.orl) of them.\n";
constexpr char kBytesTable[] = "bytes";
// The line before the fingerprint, and the export's last line: a text that has the one and lacks
// the other was cut short, which nothing else would show when the cut falls in [bytes].
constexpr char kFingerprintLine[] = "# Settings fingerprint: ";
constexpr char kEndLine[] = "# End of settings";

bool is_number_kind(SettingKind kind) {
    return kind != K::key_string && kind != K::sequence;
}

std::size_t area_size(SettingKind kind) {
    return kind == K::sequence ? kTransmissionSequenceSize : kKeyStringSize;
}

// A TOML basic string.
std::string toml_quoted(std::string_view text) {
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

constexpr char kBaseLine[] = "base = \"factory\"\n";

unsigned setting_bits(const NamedSetting& setting) {
    return setting_maximum(setting) << setting.low_bit;
}

class TextWriter {
  public:
    TextWriter(const SettingsRecord& record, bool partial)
        : record_(record),
          factory_(factory_record()),
          partial_(partial),
          interface_class_(derive_interface_class(record.get(Field::keyboard_type))) {}

    std::string write();
    const std::string& error() const { return error_; }

  private:
    std::string setting_line(const NamedSetting& setting);
    std::string number_value(const NamedSetting& setting);
    std::string area_line(const NamedSetting& setting);
    void write_bytes();
    void cover(std::size_t offset, unsigned mask) { covered_[offset] |= mask; }

    const SettingsRecord& record_;
    const SettingsRecord factory_;
    bool partial_;  // only what differs from the factory, and no [bytes]
    InterfaceClass interface_class_;
    std::string text_;
    std::string error_;
    // The bits that the settings written give back; [bytes] keeps the rest.
    std::array<unsigned, kRecordSize> covered_{};
    // Bytes of settings left to [bytes], which gives them whole so that they count as named.
    std::bitset<kRecordSize> whole_;
};

std::string TextWriter::write() {
    text_ = kHeading;
    // The fingerprint a sheet, a status bar and the command line show for these settings.
    text_ += kFingerprintLine + settings_fingerprint(record_.bytes) + "\n";
    if (partial_) {
        text_ += kBaseLine;
    }
    std::string_view table;
    for (const NamedSetting& setting : named_settings()) {
        const std::string line = setting_line(setting);
        if (line.empty()) {
            continue;
        }
        if (setting.table != table) {
            table = setting.table;
            text_ += "\n[" + setting.table + "]\n";
        }
        text_ += line;
    }
    if (!partial_) {
        write_bytes();
    }
    text_ += "\n" + std::string(kEndLine) + "\n";
    return std::move(text_);
}

// The setting's line, or nothing when a partial text leaves it to the factory.
std::string TextWriter::setting_line(const NamedSetting& setting) {
    if (!is_number_kind(setting.kind)) {
        return area_line(setting);
    }
    if (partial_ && setting_number(record_, setting) == setting_number(factory_, setting)) {
        return {};
    }
    if (setting.kind == K::number_16) {
        cover(setting.offset, 0xFF);
        cover(setting.offset + 1, 0xFF);
    } else {
        cover(setting.offset, setting_bits(setting));
    }
    return setting.name + " = " + number_value(setting) + "\n";
}

std::string TextWriter::number_value(const NamedSetting& setting) {
    const unsigned value = setting_number(record_, setting);
    if (setting.kind == K::flag && value <= 1) {
        return value ? "true" : "false";
    }
    if (const std::optional<std::string> word = setting_word(setting, value)) {
        return toml_quoted(*word);
    }
    return std::to_string(value);
}

// A key string with its form, or a transmission sequence. One whose text would not give back its
// bytes is left to [bytes], with a note saying so.
std::string TextWriter::area_line(const NamedSetting& setting) {
    const std::size_t size = area_size(setting.kind);
    const auto bytes = std::span(record_.bytes).subspan(setting.offset, size);
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
    const bool given_back =
        area.error.empty() &&
        std::equal(bytes.begin(), bytes.begin() + area.written, area.bytes.begin());
    const auto factory = factory_.bytes.begin() + static_cast<std::ptrdiff_t>(setting.offset);
    if (partial_ && given_back &&
        std::equal(bytes.begin(), bytes.begin() + area.written, factory)) {
        return {};
    }
    if (!given_back) {
        if (partial_ && !std::equal(bytes.begin(), bytes.end(), factory) && error_.empty()) {
            error_ = setting.table + "." + setting.name + " holds bytes that no text gives back";
        }
        for (std::size_t i = 0; i < size; ++i) {
            whole_.set(setting.offset + i);
        }
        return partial_ ? std::string()
                        : "# " + setting.name + " is kept in [bytes]: " + toml_quoted(text) +
                              " does not give back its bytes\n";
    }
    for (std::size_t i = 0; i < area.written; ++i) {
        cover(setting.offset + i, 0xFF);
    }
    if (setting.kind == K::sequence) {
        return setting.name + " = " + toml_quoted(text) + "\n";
    }
    return setting.name + " = { form = " + toml_quoted(key_string_form_name(form)) +
           ", keys = " + toml_quoted(text) + " }\n";
}

// A byte whole as "HH"; one some of whose bits settings carry as "HH/MM", its other bits and
// their mask.
std::string byte_token(std::uint8_t byte, unsigned mask) {
    char token[8];
    if (mask == 0xFF) {
        std::snprintf(token, sizeof token, "%02X", byte);
    } else {
        std::snprintf(token, sizeof token, "%02X/%02X", byte & mask, mask);
    }
    return token;
}

// Each run of bytes whose uncovered bits differ from the factory's, under its first offset, with
// only those bits; a setting's line changes no line here.
void TextWriter::write_bytes() {
    const auto uncovered = [&](std::size_t i) { return ~covered_[i] & 0xFFu; };
    const auto kept = [&](std::size_t i) {
        return whole_.test(i) || ((record_.bytes[i] ^ factory_.bytes[i]) & uncovered(i)) != 0;
    };
    bool heading = false;
    for (std::size_t start = 0; start < kRecordSize;) {
        if (!kept(start)) {
            ++start;
            continue;
        }
        if (!heading) {
            text_ += "\n[bytes]\n";
            heading = true;
        }
        std::string tokens;
        std::size_t end = start;
        for (; end < kRecordSize && kept(end); ++end) {
            if (!tokens.empty()) {
                tokens += ' ';
            }
            tokens += byte_token(record_.bytes[end], uncovered(end));
        }
        text_ += std::to_string(start) + " = " + toml_quoted(tokens) + "\n";
        start = end;
    }
}

// ---- Reading ----

constexpr char kBaseKey[] = "base";
constexpr char kFactoryBase[] = "factory";
constexpr std::size_t kMissingNamed = 3;  // settings a "missing" message names

std::size_t setting_index(const NamedSetting& setting) {
    return static_cast<std::size_t>(&setting - named_settings().data());
}

std::string full_name(const NamedSetting& setting) {
    return setting.table + "." + setting.name;
}

std::string hex_byte(unsigned byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte & 0xFFu);
    return text;
}

// "U+00E5" for a character past ASCII, "0x00" for a control character.
std::string character_code(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    char code[12];
    if (byte < 0x80) {
        return hex_byte(byte);
    }
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    unsigned point = byte & (0x7Fu >> length);
    for (std::size_t i = 1; i < length && at + i < text.size(); ++i) {
        point = (point << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    }
    std::snprintf(code, sizeof code, "U+%04X", point);
    return code;
}

// The first character of a key string's text that no key is written as: a control character or
// one past ASCII. Its index counts characters, as columns do.
struct ForeignCharacter {
    std::size_t index = 0;
    std::string code;
};
std::optional<ForeignCharacter> foreign_character(std::string_view text) {
    std::size_t index = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x20 || byte >= 0x7F) {
            return ForeignCharacter{index, character_code(text, at)};
        }
        ++index;
    }
    return std::nullopt;
}

// The column of the character `index` of a one-line string whose opening quote is at `column` of
// `line`: an escape stands for one character, and so do the bytes of one character.
std::size_t raw_column(std::string_view line, std::size_t column, std::size_t index) {
    std::size_t at = 0;
    for (std::size_t c = 1; c < column && at < line.size(); ++at) {
        c += (static_cast<unsigned char>(line[at]) & 0xC0) != 0x80 && at > 0 ? 1 : 0;
    }
    while (at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80) {
        ++at;
    }
    const char quote = at < line.size() ? line[at] : '"';
    std::size_t raw = column + 1;
    for (++at; index > 0 && at < line.size() && line[at] != quote; --index, ++raw) {
        if (quote == '"' && line[at] == '\\') {
            const char kind = at + 1 < line.size() ? line[at + 1] : ' ';
            const std::size_t length = kind == 'u' ? 6 : kind == 'U' ? 10 : 2;
            at += length;
            raw += length - 1;
            continue;
        }
        for (++at; at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80;) {
            ++at;
        }
    }
    return raw;
}

class TextReader {
  public:
    explicit TextReader(std::string_view text) : text_(text) {}
    SettingsTextImport read();

  private:
    void read_root(const toml::table& root);
    void read_base(const toml::node& node);
    void read_table(const toml::table& table, const std::string& path);
    void read_entry(const std::string& path, const toml::key& key, const toml::node& node);
    void read_number(const NamedSetting& setting, const toml::node& node);
    void read_word(const NamedSetting& setting, const toml::node& node, const std::string& word);
    void read_area(const NamedSetting& setting, const toml::node& node);
    bool key_string_parts(const NamedSetting& setting, const toml::node& node,
                          const toml::node*& keys, KeyStringForm& form);
    bool plain_keys(const NamedSetting& setting, const toml::node& keys);
    void read_bytes(const toml::node& node);
    void read_run(const toml::key& key, const toml::node& node);
    bool place_byte(const toml::key& key, std::size_t offset, std::uint8_t value, unsigned mask);
    void check_given_bytes();
    bool given_whole(const NamedSetting& setting) const;
    void check_complete();
    void check_not_cut_short();
    void name(const NamedSetting& setting, const toml::node& node, unsigned mask);
    void fail(const toml::source_region& where, std::string message);
    void finish();

    std::string_view text_;
    SettingsTextImport result_;
    // Key strings wait for the interface their text's form follows when it names none.
    struct PendingArea {
        const NamedSetting* setting;
        const toml::node* node;
    };
    std::vector<PendingArea> areas_;
    // What [bytes] gives: the bits, their value, and the entry that gave each byte.
    SettingsRecord given_{};
    std::array<unsigned, kRecordSize> given_mask_{};
    std::array<const toml::key*, kRecordSize> given_by_{};
    // The bits the named settings set, and the line of each setting named (0: not named).
    std::array<unsigned, kRecordSize> named_mask_{};
    std::vector<std::size_t> named_line_ = std::vector<std::size_t>(named_settings().size());
};

void TextReader::fail(const toml::source_region& where, std::string message) {
    result_.errors.push_back({where.begin.line, where.begin.column, std::move(message)});
}

void TextReader::name(const NamedSetting& setting, const toml::node& node, unsigned mask) {
    named_line_[setting_index(setting)] = node.source().begin.line;
    named_mask_[setting.offset] |= mask;
}

SettingsTextImport TextReader::read() {
    result_.record = factory_record();
    if (text_.size() > kMaxSettingsTextSize) {
        result_.errors.push_back({0, 0,
                                  "it holds " + std::to_string(text_.size()) +
                                      " bytes; a settings text holds at most 1 MB"});
        return std::move(result_);
    }
    if (std::optional<SettingsTextError> deep = too_deep(text_)) {
        result_.errors.push_back(std::move(*deep));
        return std::move(result_);
    }
    toml::parse_result parsed = toml::parse(text_);
    if (!parsed) {
        const toml::parse_error& error = parsed.error();
        fail(error.source(), std::string(error.description()));
        return std::move(result_);
    }
    read_root(parsed.table());
    finish();
    return std::move(result_);
}

void TextReader::read_root(const toml::table& root) {
    if (const toml::node* base = root.get(kBaseKey)) {
        read_base(*base);
    }
    // What [bytes] holds lies under the named settings, which a hand edit may have changed.
    if (const toml::node* bytes = root.get(kBytesTable)) {
        read_bytes(*bytes);
    }
    read_table(root, "");
    for (const PendingArea& area : areas_) {
        read_area(*area.setting, *area.node);
    }
    check_given_bytes();
    // Settings missing are worth telling only in a text that is otherwise right.
    if (!result_.partial && result_.errors.empty()) {
        check_complete();
    }
    if (result_.errors.empty()) {
        check_not_cut_short();
    }
}

void TextReader::read_base(const toml::node& node) {
    const toml::value<std::string>* base = node.as_string();
    if (base == nullptr || base->get() != kFactoryBase) {
        fail(node.source(),
             "base takes \"factory\": the settings a text leaves out are the "
             "factory's");
        return;
    }
    result_.partial = true;
}

void TextReader::finish() {
    std::stable_sort(result_.errors.begin(), result_.errors.end(),
                     [](const auto& a, const auto& b) {
                         return std::tie(a.line, a.column) < std::tie(b.line, b.column);
                     });
    if (result_.errors.size() > kMaxSettingsTextErrors) {
        SettingsTextError& next = result_.errors[kMaxSettingsTextErrors];
        next.message =
            "more errors; the import stopped after " + std::to_string(kMaxSettingsTextErrors);
        result_.errors.resize(kMaxSettingsTextErrors + 1);
    }
}

void TextReader::read_table(const toml::table& table, const std::string& path) {
    for (const auto& [key, node] : table) {
        if (path.empty() && (key.str() == kBytesTable || key.str() == kBaseKey)) {
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
        text += toml_quoted(word);
    }
    return text;
}

void TextReader::read_number(const NamedSetting& setting, const toml::node& node) {
    const bool worded = setting.kind == K::word || setting.kind == K::layout_word ||
                        setting.kind == K::keyboard_type;
    if (setting.kind == K::number_16) {
        name(setting, node, 0xFF);
        named_mask_[setting.offset + 1] = 0xFF;
    } else {
        name(setting, node, setting_bits(setting));
    }
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
        fail(node.source(), toml_quoted(word) + " is no value of " + setting.name + "; it takes " +
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

// Keys are printable ASCII or labels; anything else is named by its code at its own column.
bool TextReader::plain_keys(const NamedSetting& setting, const toml::node& keys) {
    const std::optional<ForeignCharacter> foreign = foreign_character(keys.as_string()->get());
    if (!foreign) {
        return true;
    }
    const toml::source_position start = keys.source().begin;
    std::size_t line_start = 0;
    for (std::size_t line = 1; line < start.line && line_start != std::string_view::npos; ++line) {
        line_start = text_.find('\n', line_start);
        line_start += line_start == std::string_view::npos ? 0 : 1;
    }
    const std::string_view line =
        line_start == std::string_view::npos ? std::string_view() : text_.substr(line_start);
    result_.errors.push_back(
        {start.line, raw_column(line.substr(0, line.find('\n')), start.column, foreign->index),
         setting.name + ": " + foreign->code +
             " is no key; keys are printable ASCII or labels in brackets"});
    return false;
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
    if (!plain_keys(setting, *keys)) {
        return;
    }
    const AreaEntry area = enter_area(setting.kind, keys->as_string()->get(), form);
    if (!area.error.empty()) {
        fail(keys->source(), setting.name + ": " + area.error);
        return;
    }
    write_area(result_.record, setting, area);
    named_line_[setting_index(setting)] = node.source().begin.line;
    for (std::size_t i = 0; i < area.written; ++i) {
        named_mask_[setting.offset + i] = 0xFF;
    }
}

void TextReader::read_bytes(const toml::node& node) {
    const toml::table* table = node.as_table();
    if (table == nullptr) {
        fail(node.source(), "[bytes] must be a table");
        return;
    }
    if (result_.partial) {
        fail(node.source(),
             "a text with base = \"factory\" has no [bytes]: what it leaves out "
             "is the factory's");
        return;
    }
    for (const auto& [key, value] : *table) {
        read_run(key, value);
    }
}

// One byte: "HH", or "HH/MM" for the bits of mask MM alone.
std::optional<std::pair<std::uint8_t, unsigned>> parse_byte(std::string_view token) {
    const auto hex = [](std::string_view digits, unsigned& value) {
        return digits.size() == 2 && std::isxdigit(static_cast<unsigned char>(digits[0])) &&
               std::from_chars(digits.data(), digits.data() + 2, value, 16).ptr ==
                   digits.data() + 2;
    };
    unsigned value = 0;
    unsigned mask = 0xFF;
    if (!hex(token.substr(0, 2), value) ||
        (token.size() != 2 && (token.size() != 5 || token[2] != '/' ||
                               !hex(token.substr(3), mask) || (value & ~mask) != 0))) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::uint8_t>(value), mask};
}

// "0A FF 12/F0": bytes, a space between them; a run of digits is read two a byte.
std::optional<std::vector<std::pair<std::uint8_t, unsigned>>> parse_byte_tokens(
    std::string_view text) {
    std::vector<std::pair<std::uint8_t, unsigned>> bytes;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view token = text.substr(at, end - at);
        const std::size_t step = token.find('/') == std::string_view::npos ? 2 : token.size();
        for (std::size_t i = 0; i < token.size(); i += step) {
            const auto byte = parse_byte(token.substr(i, step));
            if (!byte) {
                return std::nullopt;
            }
            bytes.push_back(*byte);
        }
        at = end;
    }
    if (bytes.empty()) {
        return std::nullopt;
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
    const auto bytes = text ? parse_byte_tokens(text->get()) : std::nullopt;
    if (!bytes) {
        fail(node.source(), "the bytes at " + name +
                                " must be hexadecimal, two digits a byte: \"0A FF\", or \"0A/0F\" "
                                "for the bits of a mask");
        return;
    }
    if (offset + bytes->size() > kRecordSize) {
        fail(node.source(), "the bytes at " + name + " run past the record's " +
                                std::to_string(kRecordSize) + " bytes");
        return;
    }
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        if (!place_byte(key, offset + i, (*bytes)[i].first, (*bytes)[i].second)) {
            return;
        }
    }
}

bool TextReader::place_byte(const toml::key& key, std::size_t offset, std::uint8_t value,
                            unsigned mask) {
    if ((given_mask_[offset] & mask) != 0) {
        fail(key.source(), "byte " + std::to_string(offset) + " is given twice in [bytes]");
        return false;
    }
    given_mask_[offset] |= mask;
    given_.bytes[offset] = static_cast<std::uint8_t>(given_.bytes[offset] | value);
    given_by_[offset] = &key;
    std::uint8_t& byte = result_.record.bytes[offset];
    byte = static_cast<std::uint8_t>((byte & ~mask) | value);
    return true;
}

// [bytes] may repeat what a setting named sets, never say otherwise.
void TextReader::check_given_bytes() {
    for (std::size_t offset = 0; offset < kRecordSize; ++offset) {
        const unsigned both = given_mask_[offset] & named_mask_[offset];
        const unsigned differ = (given_.bytes[offset] ^ result_.record.bytes[offset]) & both;
        if (differ == 0) {
            continue;
        }
        std::string setting = "the settings named";
        for (const NamedSetting& named : named_settings()) {
            if (named.offset <= offset && offset < named.offset + area_size(named.kind) &&
                named_line_[setting_index(named)] != 0 &&
                (!is_number_kind(named.kind) || named.kind == K::number_16 ||
                 (named.offset == offset && (setting_bits(named) & differ) != 0))) {
                setting = full_name(named);
                break;
            }
        }
        fail(given_by_[offset]->source(),
             "byte " + std::to_string(offset) + " in [bytes] gives " +
                 hex_byte(given_.bytes[offset] & both) + " where " + setting + " sets " +
                 hex_byte(result_.record.bytes[offset] & both) + " (bits " + hex_byte(both) + ")");
    }
}

// A setting counts as named when [bytes] gives its bits, or any byte of a key string (which an
// export leaves to [bytes] when no text gives it back).
bool TextReader::given_whole(const NamedSetting& setting) const {
    if (is_number_kind(setting.kind)) {
        const unsigned bits = setting.kind == K::number_16 ? 0xFF : setting_bits(setting);
        return (given_mask_[setting.offset] & bits) == bits &&
               (setting.kind != K::number_16 || given_mask_[setting.offset + 1] == 0xFF);
    }
    for (std::size_t i = 0; i < area_size(setting.kind); ++i) {
        if (given_mask_[setting.offset + i] != 0) {
            return true;
        }
    }
    return false;
}

// A text that is not partial names every setting; the first ones missing are listed, at the
// line after the setting named before them.
void TextReader::check_complete() {
    std::size_t missing = 0;
    std::size_t line_before = 0;
    std::size_t first_line = 0;
    std::string names;
    for (const NamedSetting& setting : named_settings()) {
        const std::size_t line = named_line_[setting_index(setting)];
        if (line != 0 || given_whole(setting)) {
            line_before = std::max(line_before, line);
            continue;
        }
        if (missing++ == 0) {
            first_line = line_before + 1;
        }
        if (missing <= kMissingNamed) {
            names += names.empty() ? "" : ", ";
            names += full_name(setting);
        }
    }
    if (missing == 0) {
        return;
    }
    result_.errors.push_back({0, 0,
                              std::to_string(missing) + (missing == 1 ? " setting" : " settings") +
                                  " missing, the first at line " + std::to_string(first_line) +
                                  ": " + names + (missing > kMissingNamed ? ", ..." : "") +
                                  "; add base = \"factory\" to take factory values for them"});
}

// An exported text (one with the fingerprint line) must hold its end line; a text written by hand
// need not. Texts exported before the end line existed are whole when they still match their
// fingerprint.
void TextReader::check_not_cut_short() {
    std::size_t line = 0;
    std::size_t last_line = 0;
    std::optional<std::string_view> fingerprint;
    bool ended = false;
    for (std::size_t start = 0; start < text_.size();) {
        const std::size_t end = std::min(text_.find('\n', start), text_.size());
        std::string_view text = text_.substr(start, end - start);
        while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) {
            text.remove_suffix(1);
        }
        ++line;
        last_line = text.empty() ? last_line : line;
        if (!fingerprint && text.starts_with(kFingerprintLine)) {
            fingerprint = text.substr(std::size(kFingerprintLine) - 1);
        }
        ended = ended || text == kEndLine;
        start = end + 1;
    }
    if (fingerprint && !ended && *fingerprint != settings_fingerprint(result_.record.bytes)) {
        result_.errors.push_back(
            {last_line, 1,
             std::string("the text stops here, without its last line \"") + kEndLine +
                 "\", and its settings differ from its fingerprint: it was cut short, or edited "
                 "since its export; if it is whole, add that line at its end"});
    }
}

}  // namespace

std::string export_settings_text(const SettingsRecord& record) {
    return TextWriter(record, false).write();
}

PartialSettingsText export_partial_settings_text(const SettingsRecord& record) {
    TextWriter writer(record, true);
    PartialSettingsText partial{writer.write(), ""};
    partial.error = writer.error();
    return partial;
}

SettingsTextImport import_settings_text(std::string_view text) {
    return TextReader(text).read();
}

std::string settings_text_error_line(std::string_view path, const SettingsTextError& error) {
    if (error.line == 0) {
        return std::string(path) + ": " + error.message;
    }
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
    std::error_code status;
    if (std::filesystem::is_directory(utf8_path(path), status)) {
        file.read.error = "cannot read " + path + ": " + std::strerror(EISDIR);
        return file;
    }
    std::ifstream in(utf8_path(path), std::ios::binary);
    if (!in) {
        file.read.error = "cannot open " + path + ": " + std::strerror(errno);
        return file;
    }
    // One byte past the limit tells a text that is too large, without reading all of it.
    std::string text(kMaxSettingsTextSize + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        file.read.error = "cannot read " + path + ": " + std::strerror(errno);
        return file;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    file.read.ok = true;
    file.imported = import_settings_text(text);
    return file;
}

}  // namespace tessmar
