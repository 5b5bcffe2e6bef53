// The Transmission Sequence page's token list, apart from its window: at most fifteen field
// tokens, kept one token per byte as the page writes them back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/edit_format_block.h"

namespace tessmar {

inline constexpr std::size_t kMaxSequenceTokens = kTransmissionSequenceSize;

struct TokenList {
    // One token per byte, 0 in every byte after the last: the bytes OK writes.
    std::array<std::uint8_t, kTransmissionSequenceSize> bytes{};
    std::size_t count = 0;
};

enum class TokenOutcome {
    added,
    not_a_token,  // 0 and 12 to 15 name no field: nothing changes
    list_full,    // the list holds fifteen tokens already: the page says "Too many fields !!!"
};

// Appends token `token` (1 to 6 fields, 7 to 11 additional fields). A full list refuses any
// value, token or not.
TokenOutcome add_token(TokenList& list, unsigned token);

// Takes back the last token; an empty list stays empty.
void remove_last_token(TokenList& list);

// The list a stored sequence opens as, and how many of its bytes were refused for a full list.
struct TokenListOpening {
    TokenList list;
    int refused = 0;
};

// Reads the stored bytes up to the first 0: a byte below 16 is added as one token and is
// refused when the list is full; the nibble tokens of a packed byte are added only while the
// list has room.
TokenListOpening open_token_list(std::span<const std::uint8_t, kTransmissionSequenceSize> sequence);

}  // namespace tessmar
