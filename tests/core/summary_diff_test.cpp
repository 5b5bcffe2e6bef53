#include <gtest/gtest.h>

#include <algorithm>

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

struct ExpectedLine {
    Path path;
    Text a;
    Text b;
};

// Finds each expected line by its texts, wherever it stands, and checks that they come in the
// order given; returns the line found for each.
std::vector<const SummaryDifference*> expect_lines(const std::vector<SummaryDifference>& d,
                                                   std::initializer_list<ExpectedLine> lines) {
    std::vector<const SummaryDifference*> found;
    auto from = d.begin();
    for (const ExpectedLine& line : lines) {
        SCOPED_TRACE(line.a.value_or(line.b.value_or("")));
        const auto at = std::find_if(from, d.end(), [&](const SummaryDifference& difference) {
            return difference.a == line.a && difference.b == line.b;
        });
        if (at == d.end()) {
            ADD_FAILURE() << "missing, or out of order";
            found.push_back(nullptr);
            continue;
        }
        EXPECT_EQ(at->path, line.path);
        found.push_back(&*at);
        from = at + 1;
    }
    return found;
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
    EXPECT_EQ(d.size(), 22u);
    // A whole branch of one side, its lines under their own path.
    const Path settings = {"Edit Format", "Data Editing", "Disable Editing Format 1",
                           "Field Settings"};
    Path field = settings;
    field.push_back("Field 1 Setting");
    expect_lines(d, {
                        {{"Interface"},
                         "Scanner Interface : Wand Emulation",
                         "Scanner Interface : Keyboard Wedge"},
                        {{"Interface"}, "Margin Time : 20 ms", std::nullopt},
                        {{"Interface"}, "PDF 417 Block Delay : 500 ms", std::nullopt},
                        {{"Interface"}, std::nullopt, "Keyboard Type : PCAT (US)"},
                        {{"Interface"}, std::nullopt, "Laptop Support : Disable"},
                        {{"Code ID"}, "Select Code ID Set 2", std::nullopt},
                        {settings, "Number of Fields : 1", "Number of Fields : 2"},
                        {settings, std::nullopt, "Field 1 Setting"},
                        {field, std::nullopt, "Divide Field by Field Length"},
                        {field, std::nullopt, "Field Length : 4"},
                    });
}

// Max / Min against Fixed: each side's lengths are filed under that side's own qualification.
TEST_F(SummaryDiffTest, ALineOfOneTreeOnlyIsFiledUnderItsOwnParent) {
    b.record.bytes[12] = 0x05;
    b.record.bytes[13] = 0x0A;
    const auto d = differences();
    EXPECT_EQ(d.size(), 5u);
    const Path industrial = {"Symbology", "Enable Industrial 25"};
    Path max_min = industrial;
    max_min.push_back("Select Max / Min Length Qualification");
    Path fixed = industrial;
    fixed.push_back("Select Fixed Length Qualification");
    const auto found = expect_lines(d, {
                                           {industrial, "Select Max / Min Length Qualification",
                                            "Select Fixed Length Qualification"},
                                           {max_min, "Max Length : 127", std::nullopt},
                                           {fixed, std::nullopt, "Fixed Length 1 : 5"},
                                       });
    ASSERT_NE(found[2], nullptr);
    EXPECT_EQ(found[2]->place,
              (Path{"Symbology", "%s Industrial 25", "Select %s Length Qualification"}));
}

}  // namespace
}  // namespace tessmar
