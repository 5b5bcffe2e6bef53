#include <gtest/gtest.h>

#include "summary/summary_diff.h"

namespace tessmar {
namespace {

using Path = std::vector<std::string>;
using Text = std::optional<std::string>;

class SummaryDiffTest : public ::testing::Test {
  protected:
    void SetUp() override {
        load_factory_defaults(a);
        load_factory_defaults(b);
    }
    std::vector<SummaryDifference> differences() const {
        return diff_summaries(build_summary(a), build_summary(b));
    }

    ProgramState a;
    ProgramState b;
};

void expect_difference(const SummaryDifference& d, const Path& path, const Text& a_text,
                       const Text& b_text) {
    EXPECT_EQ(d.path, path);
    EXPECT_EQ(d.a, a_text);
    EXPECT_EQ(d.b, b_text);
}

TEST_F(SummaryDiffTest, EqualTreesHaveNoDifferences) {
    EXPECT_TRUE(differences().empty());
}

TEST_F(SummaryDiffTest, ChangedValuesPairUpUnderTheirPath) {
    a.record.set(Field::scan_mode, 1);
    a.record.bytes[12] = 0x85;  // Industrial 25: maximum 5
    b.record.set(Field::enable_industrial_25, 0);
    const auto d = differences();
    ASSERT_EQ(d.size(), 3u);
    expect_difference(d[0], {"Scanner"}, "Scan Mode : Continuous", "Scan Mode : Laser");
    expect_difference(d[1], {"Symbology"}, "Enable Industrial 25", "Disable Industrial 25");
    expect_difference(
        d[2], {"Symbology", "Enable Industrial 25", "Select Max / Min Length Qualification"},
        "Max Length : 5", "Max Length : 127");
}

TEST_F(SummaryDiffTest, LinesOfOneTreeOnlyShowOnTheirSide) {
    a.record.set(Field::keyboard_type, 150);
    a.code_id_set = 2;
    b.record.edit_format(0).set_number_of_fields_minus_1(1);
    b.record.edit_format(0).field_divider(1).set_field_length(4);
    const auto d = differences();
    ASSERT_EQ(d.size(), 22u);
    expect_difference(d[0], {"Interface"}, "Scanner Interface : Wand Emulation",
                      "Scanner Interface : Keyboard Wedge");
    expect_difference(d[1], {"Interface"}, "Margin Time : 20 ms", std::nullopt);
    expect_difference(d[5], {"Interface"}, "PDF 417 Block Delay : 500 ms", std::nullopt);
    expect_difference(d[6], {"Interface"}, std::nullopt, "Keyboard Type : PCAT (US)");
    expect_difference(d[16], {"Interface"}, std::nullopt, "Laptop Support : Disable");
    expect_difference(d[17], {"Code ID"}, "Select Code ID Set 2", std::nullopt);
    // A whole branch of one side, its lines under their own path.
    const Path settings = {"Edit Format", "Data Editing", "Disable Editing Format 1",
                           "Field Settings"};
    expect_difference(d[18], settings, "Number of Fields : 1", "Number of Fields : 2");
    expect_difference(d[19], settings, std::nullopt, "Field 1 Setting");
    Path field = settings;
    field.push_back("Field 1 Setting");
    expect_difference(d[20], field, std::nullopt, "Divide Field by Field Length");
    expect_difference(d[21], field, std::nullopt, "Field Length : 4");
}

// Max / Min against Fixed: each side's lengths are filed under that side's own qualification.
TEST_F(SummaryDiffTest, ALineOfOneTreeOnlyIsFiledUnderItsOwnParent) {
    b.record.bytes[12] = 0x05;
    b.record.bytes[13] = 0x0A;
    const auto d = differences();
    ASSERT_EQ(d.size(), 5u);
    const Path industrial = {"Symbology", "Enable Industrial 25"};
    expect_difference(d[0], industrial, "Select Max / Min Length Qualification",
                      "Select Fixed Length Qualification");
    Path max_min = industrial;
    max_min.push_back("Select Max / Min Length Qualification");
    Path fixed = industrial;
    fixed.push_back("Select Fixed Length Qualification");
    expect_difference(d[1], max_min, "Max Length : 127", std::nullopt);
    expect_difference(d[3], fixed, std::nullopt, "Fixed Length 1 : 5");
    EXPECT_EQ(d[3].place,
              (Path{"Symbology", "%s Industrial 25", "Select %s Length Qualification"}));
}

}  // namespace
}  // namespace tessmar
