#include <gtest/gtest.h>

#include <string>

#include "model/program_state.h"
#include "model/settings_fingerprint.h"

namespace tessmar {
namespace {

std::span<const std::uint8_t> bytes_of(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The published SHA-256 vectors, one two blocks long, and the factory record's fingerprint.
TEST(SettingsFingerprint, KnownVectors) {
    const std::string two_blocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
    const struct {
        std::string message;
        const char* fingerprint;
    } kCases[] = {
        {"", "E3B0-C442"},
        {"abc", "BA78-16BF"},
        {two_blocks, "248D-6A61"},
        {std::string(1000, 'a'), "41ED-ECE4"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(settings_fingerprint(bytes_of(c.message)), c.fingerprint) << c.message.size();
    }
    EXPECT_EQ(settings_fingerprint(factory_record().bytes), "5B52-03E2");
}

}  // namespace
}  // namespace tessmar
