// How long export and import of settings in text form take, over records as varied as those of
// the round-trip test. Prints the figures; speed is not asserted. The figures that count are a
// release build's.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "model/program_state.h"
#include "model/settings_text.h"

namespace tessmar {
namespace {

constexpr int kRecords = 200;

TEST(SettingsTextBenchmark, ExportAndImportTimesPerFile) {
    std::mt19937 random(23);
    std::vector<SettingsRecord> records;
    for (int n = 0; n < kRecords; ++n) {
        SettingsRecord record = factory_record();
        // Half of them a few settings changed, half any bytes at all.
        const int changes = n % 2 == 0 ? 40 : static_cast<int>(kRecordSize);
        for (int i = 0; i < changes; ++i) {
            record.bytes[random() % kRecordSize] = static_cast<std::uint8_t>(random());
        }
        records.push_back(record);
    }
    using Clock = std::chrono::steady_clock;
    std::vector<std::string> texts;
    const Clock::time_point start = Clock::now();
    for (const SettingsRecord& record : records) {
        texts.push_back(export_settings_text(record));
    }
    const Clock::time_point exported = Clock::now();
    std::size_t read = 0;
    for (const std::string& text : texts) {
        read += import_settings_text(text).ok() ? 1 : 0;
    }
    const Clock::time_point imported = Clock::now();
    const auto per_file = [](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() / kRecords;
    };
    std::printf("export %.3f ms a file, import %.3f ms a file (%d files)\n",
                per_file(exported - start), per_file(imported - exported), kRecords);
    EXPECT_EQ(read, records.size());
}

}  // namespace
}  // namespace tessmar
