// What the fuzz targets share. A property that does not hold ends the run like a crash, so
// libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tessmar::fuzz {

inline void require(bool holds, std::string_view property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(property.size()),
                     property.data());
        std::abort();
    }
}

}  // namespace tessmar::fuzz
