#include "pages/transmission_sequence.h"

#include "model/key_string.h"

namespace tessmar {
namespace {

bool full(const TokenList& list) {
    return list.count >= kMaxSequenceTokens;
}

}  // namespace

TokenOutcome add_token(TokenList& list, unsigned token) {
    if (full(list)) {
        return TokenOutcome::list_full;
    }
    if (field_token_label(token).empty()) {
        return TokenOutcome::not_a_token;
    }
    list.bytes[list.count++] = static_cast<std::uint8_t>(token);
    return TokenOutcome::added;
}

void remove_last_token(TokenList& list) {
    if (list.count > 0) {
        list.bytes[--list.count] = 0;
    }
}

TokenListOpening open_token_list(
    std::span<const std::uint8_t, kTransmissionSequenceSize> sequence) {
    TokenListOpening opening;
    for (const std::uint8_t byte : sequence) {
        // The scanner reads no further than the first 0, nor does the summary tree.
        if (byte == 0) {
            break;
        }
        const SequenceByte split = split_sequence_byte(byte);
        if (!split.packed) {
            if (add_token(opening.list, split.first) == TokenOutcome::list_full) {
                ++opening.refused;
            }
            continue;
        }
        for (const unsigned token : {split.first, split.second}) {
            if (token != 0 && !full(opening.list)) {
                add_token(opening.list, token);
            }
        }
    }
    return opening;
}

}  // namespace tessmar
