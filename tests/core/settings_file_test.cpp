#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/settings_file.h"
#include "tests/core/test_files.h"

namespace tessmar {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override { load_factory_defaults(state_); }
    std::string path(const char* name) const { return dir_.path(name); }
    static void write_bytes(const std::string& path, std::size_t count, std::uint8_t value) {
        std::ofstream out(path, std::ios::binary);
        const std::vector<char> bytes(count, static_cast<char>(value));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    test::ScratchDirectory dir_{"tessmar-file-test-"};
    ProgramState state_;
};

TEST_F(SettingsFileTest, FactoryFileIsTheRecordByteForByte) {
    ASSERT_TRUE(write_settings_file(path("f.orl"), state_.record).ok);
    std::ifstream in(path("f.orl"), std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.size(), kRecordSize);
    const unsigned char head[] = {0x9B, 0xC9, 0x08, 0x00, 0x00, 0x2D, 0x54, 0x80};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes.begin()));
    EXPECT_FALSE(fs::exists(path("f.orl.tmp")));
}

TEST_F(SettingsFileTest, RoundTripRestoresTheRecordIncludingTheSeventhBlock) {
    state_.record.edit_format(6).bytes()[100] = 0x5A;
    state_.record.bytes[1561] = 0xEE;
    state_.record.set(Field::keyboard_type, 0);
    ASSERT_TRUE(write_settings_file(path("r.orl"), state_.record).ok);

    ProgramState opened;
    load_factory_defaults(opened);
    const OpenResult result = open_settings_file_into(opened, path("r.orl"));
    ASSERT_TRUE(result.result.ok);
    EXPECT_TRUE(result.warning.empty());
    EXPECT_EQ(opened.record, state_.record);
    EXPECT_EQ(opened.interface_class, InterfaceClass::rs232);
}

TEST_F(SettingsFileTest, ShortAndLongFilesLoadWithAWarningThatGivesTheirSize) {
    write_bytes(path("short.orl"), 100, 0x33);
    OpenResult result = open_settings_file_into(state_, path("short.orl"));
    ASSERT_TRUE(result.result.ok);
    EXPECT_NE(result.warning.find("100 bytes"), std::string::npos) << result.warning;
    EXPECT_EQ(state_.record.bytes[99], 0x33);
    EXPECT_EQ(state_.record.bytes[100], state_.defaults_snapshot.bytes[100]);

    write_bytes(path("long.orl"), 2000, 0x44);
    result = open_settings_file_into(state_, path("long.orl"));
    ASSERT_TRUE(result.result.ok);
    EXPECT_NE(result.warning.find("2000 bytes"), std::string::npos) << result.warning;
    EXPECT_EQ(state_.record.bytes[1561], 0x44);
}

TEST_F(SettingsFileTest, MissingFileLeavesTheRecordUntouched) {
    const OpenResult result = open_settings_file_into(state_, path("absent.orl"));
    EXPECT_FALSE(result.result.ok);
    EXPECT_FALSE(result.result.error.empty());
    EXPECT_EQ(state_.record, factory_record());
}

TEST_F(SettingsFileTest, FailedSaveKeepsThePreviousFile) {
    write_bytes(path("keep.orl"), kRecordSize, 0x21);
    // Read-only for everyone, so the save fails for root as well as for anyone else.
    fs::permissions(path("keep.orl"), fs::perms::owner_read | fs::perms::group_read);
    const FileResult result = write_settings_file(path("keep.orl"), state_.record);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("read-only"), std::string::npos) << result.error;
    std::ifstream in(path("keep.orl"), std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, std::vector<unsigned char>(kRecordSize, 0x21));
}

TEST_F(SettingsFileTest, SaveIntoAMissingFolderFails) {
    const FileResult result = write_settings_file(path("no/such/folder/x.orl"), state_.record);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace tessmar
