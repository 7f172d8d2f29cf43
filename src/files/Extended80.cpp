// Portable 80-bit extended codec built on frexp/ldexp, so it works whatever long double is.
#include "Extended80.h"

#include <cmath>
#include <limits>

namespace kurvo {
namespace {

constexpr int Bias = 16383;
constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;

Extended80Bytes pack(bool negative, unsigned exponent, std::uint64_t significand) {
    Extended80Bytes b{};
    for (int i = 0; i < 8; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    unsigned top = (exponent & 0x7FFFu) | (negative ? 0x8000u : 0u);
    b[8] = static_cast<std::uint8_t>(top & 0xFF);
    b[9] = static_cast<std::uint8_t>(top >> 8);
    return b;
}

// Rounds a non-negative value below 2^64 to the nearest integer, ties to even, independent of the
// current rounding mode. Returns false when the rounding carries to 2^64.
bool roundSignificand(long double v, std::uint64_t& out) {
    long double whole = std::floor(v);
    long double frac = v - whole;
    auto n = static_cast<std::uint64_t>(whole);
    if (frac > 0.5L || (frac == 0.5L && (n & 1u) != 0)) {
        if (n == std::numeric_limits<std::uint64_t>::max()) return false;
        ++n;
    }
    out = n;
    return true;
}

} // namespace

Extended80Bytes encodeExtended(long double value) {
    bool negative = std::signbit(value);
    if (std::isnan(value)) return pack(negative, 0x7FFF, IntegerBit | (IntegerBit >> 1));
    if (std::isinf(value)) return pack(negative, 0x7FFF, IntegerBit);
    if (value == 0) return pack(negative, 0, 0);

    int e = 0;
    long double m = std::frexp(std::fabs(value), &e); // |value| = m * 2^e, m in [0.5, 1)
    int biased = e - 1 + Bias;
    std::uint64_t sig = 0;
    if (biased > 0) {
        // Normal: the significand is m * 2^64, in [2^63, 2^64); a carry moves to the next exponent.
        if (!roundSignificand(std::ldexp(m, 64), sig)) {
            sig = IntegerBit;
            ++biased;
        }
        if (biased >= 0x7FFF) return pack(negative, 0x7FFF, IntegerBit);
        return pack(negative, static_cast<unsigned>(biased), sig);
    }
    // Denormal: exponent field 0 and |value| = significand * 2^(1 - Bias - 63).
    int shift = e + Bias + 62;
    if (shift < -1) return pack(negative, 0, 0); // below half the smallest denormal
    roundSignificand(std::ldexp(m, shift), sig);
    // A significand rounded up to 2^63 is the smallest normal number, exponent 1.
    return pack(negative, (sig & IntegerBit) != 0 ? 1u : 0u, sig);
}

long double decodeExtended(const std::uint8_t* bytes) {
    std::uint64_t sig = 0;
    for (int i = 7; i >= 0; --i)
        sig = (sig << 8) | bytes[i];
    unsigned top = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
    bool negative = (top & 0x8000u) != 0;
    int exponent = static_cast<int>(top & 0x7FFFu);
    long double result = 0;
    if (exponent == 0x7FFF) {
        bool infinity = sig == IntegerBit;
        result = infinity ? std::numeric_limits<long double>::infinity()
                          : std::numeric_limits<long double>::quiet_NaN();
    } else if (exponent == 0) {
        // Denormals and pseudo-denormals: significand * 2^(1 - Bias - 63). Two steps keep the
        // intermediate within range where long double is only a double.
        result = std::ldexp(std::ldexp(static_cast<long double>(sig), -63), 1 - Bias);
    } else if ((sig & IntegerBit) == 0) {
        result = std::numeric_limits<long double>::quiet_NaN();
    } else {
        result = std::ldexp(std::ldexp(static_cast<long double>(sig), -63), exponent - Bias);
    }
    return negative ? -result : result;
}

} // namespace kurvo
