// What the fuzz targets share: a broken property ends the run, so libFuzzer reports the input.
#pragma once

#include <cstdlib>

namespace kurvo::fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

} // namespace kurvo::fuzz
