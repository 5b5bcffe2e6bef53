// Key strings: any eleven slot bytes, read in each interface's form, render and spell within the
// slot and the label tables; any transmission sequence renders as its tokens' labels.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "tests/core/key_string_properties.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tessmar::fuzz::require;

void check_sequence(std::span<const std::uint8_t, tessmar::kTransmissionSequenceSize> sequence) {
    std::string labels;
    for (const unsigned token : tessmar::transmission_sequence_tokens(sequence)) {
        labels += tessmar::field_token_label(token);
        const std::string item = tessmar::field_token_setup_item(token);
        require(item.empty() == tessmar::field_token_label(token).empty(),
                "a field token has a setup item exactly when it has a label");
        require(item.empty() || item.starts_with(std::to_string(9900 + token) + "<"),
                "a field token's setup code is 9900 plus the token");
    }
    require(tessmar::render_transmission_sequence(sequence) == labels,
            "a transmission sequence renders as its tokens' labels");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const tessmar::test::KeyStringVocabulary vocabulary;
    FuzzedDataProvider input(data, size);
    const auto interface_class =
        static_cast<tessmar::InterfaceClass>(input.ConsumeIntegralInRange(0, 2));
    // The slot in an allocation of exactly its size, so a read past it is caught.
    std::vector<std::uint8_t> slot = input.ConsumeBytes<std::uint8_t>(tessmar::kKeyStringSize);
    slot.resize(tessmar::kKeyStringSize);
    const std::string violation = tessmar::test::key_string_violation(
        tessmar::KeyString(slot.data(), tessmar::kKeyStringSize), interface_class, vocabulary);
    require(violation.empty(), violation);

    std::array<std::uint8_t, tessmar::kTransmissionSequenceSize> sequence{};
    const std::vector<std::uint8_t> rest = input.ConsumeRemainingBytes<std::uint8_t>();
    std::copy_n(rest.begin(), std::min(rest.size(), sequence.size()), sequence.begin());
    check_sequence(sequence);
    return 0;
}
