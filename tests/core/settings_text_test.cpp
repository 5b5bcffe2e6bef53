// Settings as text: any record comes back from its text byte for byte, hand-edited texts set what
// they say over the factory settings, and each kind of bad text is refused at its place.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "model/program_state.h"
#include "model/settings_schema.h"
#include "model/settings_text.h"

namespace tessmar {
namespace {

// Records from the factory settings with bytes changed at random, drawn so that terminators,
// 0xC0, modifier bytes and packed sequence bytes turn up often, under each interface.
SettingsRecord random_record(std::mt19937& random, int n) {
    static constexpr std::uint8_t kSpecial[] = {0x00, 0xC0, 0xC1, 0xC3, 0xFF, 0x0D,
                                                0x7F, 0x80, 0x90, 0x12, 0x1E, 0x5B};
    SettingsRecord record = factory_record();
    const int changes = n % 3 == 0 ? static_cast<int>(kRecordSize) : 1 + n % 40;
    for (int i = 0; i < changes; ++i) {
        const std::size_t at = random() % kRecordSize;
        record.bytes[at] = random() % 3 == 0 ? kSpecial[random() % std::size(kSpecial)]
                                             : static_cast<std::uint8_t>(random());
    }
    constexpr std::uint8_t kInterfaces[] = {0, 1, 150, 27};
    record.bytes[23] = kInterfaces[n % 4];
    return record;
}

TEST(SettingsText, EveryRecordComesBackByteForByte) {
    std::mt19937 random(2311);
    for (int n = 0; n < 300; ++n) {
        const SettingsRecord record = random_record(random, n);
        const std::string text = export_settings_text(record);
        const SettingsTextImport imported = import_settings_text(text);
        ASSERT_TRUE(imported.ok())
            << imported.errors[0].line << ": " << imported.errors[0].message << "\n"
            << text;
        ASSERT_EQ(imported.record, record) << text;
        ASSERT_EQ(export_settings_text(imported.record), text);
    }
}

// A field left out of the names would pass into [bytes] unseen; only those whose rows say why are
// left out.
TEST(SettingsText, EveryFieldIsNamedOnceAndEveryNameOnce) {
    std::map<std::tuple<std::size_t, int, int>, int> fields;
    std::set<std::string> names;
    for (const NamedSetting& setting : named_settings()) {
        ++fields[{setting.offset, setting.high_bit, setting.low_bit}];
        EXPECT_TRUE(names.insert(setting.table + "." + setting.name).second) << setting.name;
    }
    std::set<Field> left_to_bytes;
    for (const NamedSetting& row : setting_rows()) {
        if (row.missing.text) {
            left_to_bytes.insert(row.field);
        }
    }
    for (const FieldLayout& layout : all_field_layouts()) {
        const int expected = left_to_bytes.contains(layout.field) ? 0 : 1;
        EXPECT_EQ((fields[{layout.offset, layout.high_bit, layout.low_bit}]), expected)
            << "field " << static_cast<int>(layout.field);
    }
}

TEST(SettingsText, FactorySettingsNeedNoBytes) {
    const std::string text = export_settings_text(factory_record());
    EXPECT_EQ(text.find("[bytes]"), std::string::npos);
    EXPECT_NE(text.find("\n[scanner]\nscan_mode = \"Laser\"\n"), std::string::npos);
    EXPECT_NE(text.find("suffix_code = { form = \"normal key\", keys = \"[Enter]\" }"),
              std::string::npos);
}

struct HandEdit {
    const char* text;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
    std::size_t second_offset = 0;  // a second place the text sets, when it sets one
    std::uint8_t second_byte = 0;
};

TEST(SettingsText, HandEditsSetWhatTheySayOverTheFactorySettings) {
    const HandEdit kEdits[] = {
        {"[scanner]\nscan_mode = \"Continuous\"", 20, {0x10}},
        {"[scanner]\nscan_mode = 2", 20, {0x20}},
        {"[interface]\ncapital_lock_type = \"Shift Lock\"", 24, {0x06}},
        {"[data_editing]\nediting_exclusive = 7", 219, {7}},
        {"[editing_format.1]\nmaximum_length = 300", 421, {0x2C, 0x01}},
        {"[editing_format.1.applicable_code_type]\npdf417 = false", 420, {0xFE}},
        {"[symbology]\nprefix_code = \"[Shift]aB\"", 175, {0xC1, 0x61, 0x42, 0x00}},
        {"[symbology]\nprefix_code = \"[LeftCtrl][Shift][[][]]\"", 175, {0xC3, 0x5B, 0x5D, 0}},
        {"[symbology]\nprefix_code = { form = \"scan code\", keys = \"[1C][32]\" }",
         175,
         {0xC0, 0x1C, 0xC0, 0x32, 0x00}},
        {"[symbology]\nprefix_code = \"[0x9A][Shift][0xC5]\"", 175, {0x9A, 0xC1, 0xC5, 0}},
        // Keys alone take the form of the interface the file chooses.
        {"[symbology]\nsuffix_code = \"[CR][LF]\"\n[interface]\nkeyboard_type = \"RS-232\"",
         186,
         {0x0D, 0x0A, 0x00},
         23,
         0},
        {"[editing_format.2]\ntransmission_sequence = \"[F2][A1]\"", 580 + 146, {2, 7, 0}},
    };
    for (const HandEdit& edit : kEdits) {
        SCOPED_TRACE(edit.text);
        const SettingsTextImport imported =
            import_settings_text(std::string("base = \"factory\"\n") + edit.text);
        ASSERT_TRUE(imported.ok()) << imported.errors[0].message;
        SettingsRecord expected = factory_record();
        std::copy(edit.bytes.begin(), edit.bytes.end(), expected.bytes.begin() + edit.offset);
        if (edit.second_offset != 0) {
            expected.bytes[edit.second_offset] = edit.second_byte;
        }
        EXPECT_EQ(imported.record, expected);
    }
}

struct BadText {
    const char* text;
    const char* error;  // "LINE:COLUMN: message"
};

TEST(SettingsText, BadTextsAreRefusedAtTheirPlace) {
    const BadText kBad[] = {
        {"[scanner\n", "1:9: Error while parsing table header: expected ']', saw '\\n'"},
        // toml++ 3.3.0 ran into undefined behaviour on such a letter outside a string.
        {"[s\xc3\xa5nner]", "1:3: Error while parsing table header: expected ']', saw '\xc3\xa5'"},
        {"[scaner]\nscan_mode = 1", "1:2: unknown table [scaner]"},
        {"[scanner]\nscan_mod = 1", "2:1: unknown setting 'scan_mod' in [scanner]"},
        {"[editing_format.7]\nminimum_length = 1", "1:17: unknown table [editing_format.7]"},
        {"scanner = 1", "1:11: [scanner] must be a table"},
        {"[scanner]\nscan_mode = 16", "2:13: scan_mode = 16 is out of range; it takes 0 to 15"},
        {"[scanner]\nscanner_timeout = -1",
         "2:19: scanner_timeout = -1 is out of range; it takes 0 to 255"},
        {"[scanner]\nscan_mode = \"Fast\"",
         "2:13: \"Fast\" is no value of scan_mode; it takes \"Auto Off\", \"Continuous\", "
         "\"Auto Power Off\", \"Alternate\", \"Momentary\", \"Repeat\", \"Laser\", \"Testing\", "
         "or a number from 0 to 15"},
        {"[scanner]\ntransmit_buffer = \"yes\"", "2:19: transmit_buffer takes true or false"},
        {"[scanner]\nscanner_timeout = true", "2:19: scanner_timeout takes a number from 0 to 255"},
        {"[editing_format.1]\nmaximum_length = 65536",
         "2:18: maximum_length = 65536 is out of range; it takes 0 to 65535"},
        {"[symbology]\nprefix_code = 5", "2:15: prefix_code takes keys or { form, keys }"},
        {"[symbology]\nprefix_code = { keys = \"A\", size = 1 }",
         "2:29: prefix_code takes only form and keys"},
        {"[symbology]\nprefix_code = { form = \"wedge\", keys = \"A\" }",
         "2:24: the form of prefix_code is one of \"character\", \"normal key\", \"scan code\""},
        {"[symbology]\nprefix_code = \"[Shift][Foo]\"",
         "2:15: prefix_code: [Foo] is no key in normal key form"},
        {"[symbology]\nprefix_code = { form = \"character\", keys = \"[Shift]A\" }",
         "2:44: prefix_code: [Shift] is a modifier, which only normal keys take"},
        {"[symbology]\nprefix_code = \"ABCDEFGHIJK\"",
         "2:15: prefix_code: the keys take 11 bytes; a key string holds at most 10"},
        {"[symbology]\nprefix_code = \"A[0x00]B\"",
         "2:15: prefix_code: [0x00] would end the key string"},
        {"[symbology]\nprefix_code = \"[0xC5]\"",
         "2:15: prefix_code: [0xC5] is a modifier byte, not a key"},
        {"[symbology]\nprefix_code = \"[Shift\"", "2:15: prefix_code: \"[Shift\" has no closing ]"},
        {"[symbology]\nprefix_code = { form = \"scan code\", keys = \"A\" }",
         "2:44: prefix_code: 'A' must be written as a key in brackets"},
        {"[editing_format.1]\ntransmission_sequence = \"[F7]\"",
         "2:25: transmission_sequence: [F7] is no field; the fields are [F1] to [F6] and [A1] to "
         "[A5]"},
        {"[bytes]\n1562 = \"00\"", "2:1: '1562' in [bytes] is no offset from 0 to 1561"},
        {"[bytes]\n0 = \"0G\"",
         "2:5: the bytes at 0 must be hexadecimal, two digits a byte: "
         "\"0A FF\", or \"0A/0F\" for the bits of a mask"},
        {"[bytes]\n1561 = \"00 00\"", "2:8: the bytes at 1561 run past the record's 1562 bytes"},
        {"[bytes]\n3 = \"00 00\"\n4 = \"00\"", "3:1: byte 4 is given twice in [bytes]"},
        {"base = \"factory\"\n[bytes]\n3 = \"00\"",
         "2:1: a text with base = \"factory\" has no [bytes]: what it leaves out is the factory's"},
        {"base = \"site\"",
         "1:8: base takes \"factory\": the settings a text leaves out are the "
         "factory's"},
        {"base = \"factory\"\n[symbology]\nprefix_code = \"a\u00e5\"",
         "3:17: prefix_code: U+00E5 is no key; keys are printable ASCII or labels in brackets"},
        {"base = \"factory\"\n[symbology]\nprefix_code = \"ab\\u0000\"",
         "3:18: prefix_code: 0x00 is no key; keys are printable ASCII or labels in brackets"},
        {"a.a.a.a.a.a.a = 1", "1:12: a key of more than 6 parts goes deeper than any setting lies"},
        {"a = [[[[[[[1]]]]]]]", "1:11: tables or arrays nested deeper than any setting lies"},
        {"x = '[[[[[[[[' # {{{{{{{{\n", "1:1: unknown setting 'x'"},
    };
    for (const BadText& bad : kBad) {
        SCOPED_TRACE(bad.text);
        const SettingsTextImport imported = import_settings_text(bad.text);
        ASSERT_EQ(imported.errors.size(), 1u);
        const SettingsTextError& error = imported.errors[0];
        EXPECT_EQ(
            std::to_string(error.line) + ":" + std::to_string(error.column) + ": " + error.message,
            bad.error);
    }
}

// Texts made from a whole export by hand edits: what is left out is refused unless the text says
// it is partial, and [bytes] may repeat a setting but never contradict it.
TEST(SettingsText, ATextIsCompleteOrSaysItIsPartial) {
    const std::string whole = export_settings_text(factory_record());
    const auto without = [&](const std::string& cut) {
        std::string text = whole;
        return text.erase(text.find(cut), cut.size());
    };
    const auto first_lines = [&](std::size_t count) {
        std::size_t end = 0;
        for (std::size_t i = 0; i < count; ++i) {
            end = whole.find('\n', end) + 1;
        }
        return whole.substr(0, end);
    };
    const std::string cut = first_lines(297);
    const struct {
        std::string text;
        std::string error;  // "LINE:COLUMN: message", or the start of a whole-text message
    } kTexts[] = {
        {cut,
         "0:0: 248 settings missing, the first at line 296: "
         "editing_format.2.applicable_code_type.code_39, "},
        {"",
         "0:0: 467 settings missing, the first at line 1: scanner.scan_mode, "
         "scanner.read_redundancy, scanner.delay_between_reread, ...; add base = \"factory\""},
        {without("scanner_timeout = 10\n"),
         "0:0: 1 setting missing, the first at line 8: scanner.scanner_timeout; add base = "
         "\"factory\" to take factory values for them"},
        {without("\n[symbology.code_93]\nenable_code_93 = true\n"),
         "0:0: 1 setting missing, the first at line 92: symbology.code_93.enable_code_93;"},
        {without("scanner_timeout = 10\n") + "[bytes]\n21 = \"0A\"\n", ""},
        {whole + "[bytes]\n20 = \"60\"\n", ""},
        {whole + "[bytes]\n20 = \"10\"\n",
         "615:1: byte 20 in [bytes] gives 0x10 where scanner.scan_mode sets 0x60 (bits 0xF0)"},
        {std::string(kMaxSettingsTextSize + 1, '#'),
         "0:0: it holds 1048577 bytes; a settings text holds at most 1 MB"},
    };
    for (const auto& t : kTexts) {
        SCOPED_TRACE(t.text.substr(0, 200));
        const SettingsTextImport imported = import_settings_text(t.text);
        if (t.error.empty()) {
            EXPECT_TRUE(imported.ok()) << imported.errors[0].message;
            EXPECT_EQ(imported.record, factory_record());
            continue;
        }
        ASSERT_EQ(imported.errors.size(), 1u);
        const SettingsTextError& error = imported.errors[0];
        EXPECT_EQ(
            (std::to_string(error.line) + ":" + std::to_string(error.column) + ": " + error.message)
                .substr(0, t.error.size()),
            t.error);
    }
    std::string many = "base = \"factory\"\n";
    for (int i = 0; i < 30; ++i) {
        many += "x" + std::to_string(i) + " = 1\n";
    }
    const SettingsTextImport stopped = import_settings_text(many);
    ASSERT_EQ(stopped.errors.size(), kMaxSettingsTextErrors + 1);
    EXPECT_EQ(stopped.errors.back().message, "more errors; the import stopped after 20");
}

// An export cut at a line's end inside [bytes] is valid TOML that names every setting; its
// missing last line and its fingerprint give it away. A text without the fingerprint line is a
// hand's, and one exported before the end line existed still matches its fingerprint.
TEST(SettingsText, AnExportCutShortIsRefusedWhereItStops) {
    SettingsRecord reserved = factory_record();
    reserved.bytes[3] ^= 1;  // bits no setting names, kept in [bytes] alone
    reserved.bytes[7] ^= 1;
    const std::string whole = export_settings_text(reserved);
    const std::string partial = export_partial_settings_text(factory_record()).text;
    const auto up_to = [](const std::string& text, const std::string& line) {
        return text.substr(0, text.find(line) + line.size());
    };
    const auto line_count = [](const std::string& text) {
        return std::to_string(std::count(text.begin(), text.end(), '\n'));
    };
    const std::string last_entry = whole.substr(whole.rfind("\n", whole.rfind("\n\n") - 1) + 1);
    const std::string in_bytes = whole.substr(0, whole.size() - last_entry.size());
    const std::string after_heading = up_to(whole, "[bytes]\n");
    const std::string no_end = partial.substr(0, partial.rfind("\n\n") + 1);
    const std::string hand = "base = \"factory\"\n[scanner]\nscanner_timeout = 20\n";
    const struct {
        std::string text;
        std::string error;  // "LINE:COLUMN", or empty when the text is taken
    } kTexts[] = {
        {in_bytes, line_count(in_bytes) + ":1"},
        {after_heading, line_count(after_heading) + ":1"},
        {no_end, ""},
        {whole + "\n\n", ""},
        {whole + "# reviewed by the site\n", ""},
        {hand, ""},
    };
    ASSERT_NE(last_entry.find(" = \""), std::string::npos);
    for (const auto& t : kTexts) {
        SCOPED_TRACE(t.text.substr(t.text.size() - std::min<std::size_t>(t.text.size(), 80)));
        const SettingsTextImport imported = import_settings_text(t.text);
        if (t.error.empty()) {
            EXPECT_TRUE(imported.ok()) << imported.errors[0].message;
            continue;
        }
        ASSERT_EQ(imported.errors.size(), 1u);
        const SettingsTextError& error = imported.errors[0];
        EXPECT_EQ(std::to_string(error.line) + ":" + std::to_string(error.column), t.error);
        EXPECT_EQ(error.message,
                  "the text stops here, without its last line \"# End of settings\", and its "
                  "settings differ from its fingerprint: it was cut short, or edited since its "
                  "export; if it is whole, add that line at its end");
    }
}

// One setting changed changes one line of the export besides the fingerprint: [bytes] holds no
// bit a setting names.
TEST(SettingsText, BytesHoldOnlyWhatNoSettingNames) {
    std::mt19937 random(2812);
    for (int n = 0; n < 200; ++n) {
        const SettingsRecord record = random_record(random, n);
        const NamedSetting& setting = named_settings()[random() % named_settings().size()];
        // A new interface writes the key strings in its own form.
        if (setting.kind == SettingKind::key_string || setting.kind == SettingKind::sequence ||
            setting.kind == SettingKind::keyboard_type) {
            continue;
        }
        SettingsRecord changed = record;
        set_setting_number(changed, setting,
                           (setting_number(record, setting) + 1) % (setting_maximum(setting) + 1));
        std::istringstream before(export_settings_text(record));
        std::istringstream after(export_settings_text(changed));
        int lines_changed = 0;
        for (std::string a, b; std::getline(before, a) && std::getline(after, b);) {
            lines_changed += a != b && !a.starts_with("# Settings fingerprint");
        }
        EXPECT_EQ(lines_changed, 1) << setting.name;
    }
}

TEST(SettingsText, ErrorsAreListedInTheOrderOfTheText) {
    const SettingsTextImport imported =
        import_settings_text("[symbology]\nsuffix_code = \"[Foo]\"\n[scanner]\nscan_mode = 99\n");
    ASSERT_EQ(imported.errors.size(), 2u);
    EXPECT_EQ(imported.errors[0].line, 2u);
    EXPECT_EQ(imported.errors[1].line, 4u);
    EXPECT_EQ(settings_text_error_line("a.toml", imported.errors[1]),
              "a.toml:4:13: scan_mode = 99 is out of range; it takes 0 to 15");
}

}  // namespace
}  // namespace tessmar
