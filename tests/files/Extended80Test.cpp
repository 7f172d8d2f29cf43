// The 80-bit extended codec: exact bytes of special values, exact double round trips, and safe
// decoding of the encodings the arithmetic refuses.
#include "Extended80.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace kurvo {
namespace {

// Builds the 10 bytes from the 16-bit sign-and-exponent word and the 64-bit significand.
Extended80Bytes bytesOf(std::uint16_t top, std::uint64_t significand) {
    Extended80Bytes b{};
    for (int i = 0; i < 8; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    b[8] = static_cast<std::uint8_t>(top & 0xFF);
    b[9] = static_cast<std::uint8_t>(top >> 8);
    return b;
}

constexpr bool LongDoubleIsExtended = std::numeric_limits<long double>::digits == 64;

struct EncodingCase {
    const char* name;
    long double value;
    std::uint16_t top;
    std::uint64_t significand;
};

TEST(Extended80, EncodesValuesToTheirExactBytes) {
    const double inf = std::numeric_limits<double>::infinity();
    const EncodingCase cases[] = {
        {"zero", 0.0L, 0x0000, 0},
        {"negative zero", -0.0L, 0x8000, 0},
        {"one", 1.0L, 0x3FFF, 0x8000000000000000},
        {"minus ten", -10.0L, 0xC002, 0xA000000000000000},
        {"one half", 0.5L, 0x3FFE, 0x8000000000000000},
        {"0.1 as double", 0.1, 0x3FFB, 0xCCCCCCCCCCCCD000},
        {"largest double", std::numeric_limits<double>::max(), 0x43FE, 0xFFFFFFFFFFFFF800},
        {"smallest normal double", std::numeric_limits<double>::min(), 0x3C01, 0x8000000000000000},
        {"smallest denormal double", std::numeric_limits<double>::denorm_min(), 0x3BCD, 0x8000000000000000},
        {"infinity", inf, 0x7FFF, 0x8000000000000000},
        {"minus infinity", -inf, 0xFFFF, 0x8000000000000000},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), 0x7FFF, 0xC000000000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encodeExtended(c.value), bytesOf(c.top, c.significand));
        long double back = decodeExtended(bytesOf(c.top, c.significand).data());
        if (std::isnan(c.value)) {
            EXPECT_TRUE(std::isnan(back));
        } else {
            EXPECT_EQ(back, c.value);
            EXPECT_EQ(std::signbit(back), std::signbit(c.value));
        }
    }
}

TEST(Extended80, EveryFiniteDoubleRoundTripsExactly) {
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random();
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        if (!std::isfinite(d)) continue;
        auto bytes = encodeExtended(d);
        long double back = decodeExtended(bytes.data());
        ASSERT_EQ(static_cast<double>(back), d) << std::hexfloat << d;
        ASSERT_EQ(std::signbit(back), std::signbit(d));
    }
}

struct DecodingCase {
    const char* name;
    std::uint16_t top;
    std::uint64_t significand;
    long double expected; // NaN: expect a NaN
};

TEST(Extended80, DecodesEncodingsOutsideTheDoubleRange) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const DecodingCase cases[] = {
        // Pseudo-denormal: exponent 0 with the integer bit set stands for 2^-16382.
        {"pseudo-denormal", 0x0000, 0x8000000000000000, std::ldexp(1.0L, -16382)},
        {"smallest denormal", 0x0000, 1, std::ldexp(std::ldexp(1.0L, -63), -16382)},
        {"negative denormal", 0x8000, 0x4000000000000000, -std::ldexp(1.0L, -16383)},
        {"pseudo-infinity", 0x7FFF, 0, nan},
        {"pseudo-NaN", 0x7FFF, 0x4000000000000000, nan},
        {"signalling NaN", 0x7FFF, 0x8000000000000001, nan},
        {"unnormal", 0x3FFF, 0x4000000000000000, nan},
        {"unnormal zero", 0x1234, 0, nan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        long double v = decodeExtended(bytesOf(c.top, c.significand).data());
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(v));
        else
            EXPECT_EQ(v, c.expected);
    }
}

TEST(Extended80, LargestExtendedIsKeptOrBecomesInfinity) {
    long double v = decodeExtended(bytesOf(0x7FFE, 0xFFFFFFFFFFFFFFFF).data());
    if (LongDoubleIsExtended) {
        EXPECT_EQ(v, std::numeric_limits<long double>::max());
        EXPECT_EQ(encodeExtended(v), bytesOf(0x7FFE, 0xFFFFFFFFFFFFFFFF));
    } else {
        EXPECT_TRUE(std::isinf(v));
    }
}

TEST(Extended80, CanonicalExtendedBytesRoundTripWhereLongDoubleIsExtended) {
    if (!LongDoubleIsExtended) GTEST_SKIP() << "long double is narrower than 80 bits here";
    std::mt19937_64 random(7);
    for (int i = 0; i < 100000; ++i) {
        auto top = static_cast<std::uint16_t>(random() % 0xFFFF);
        if ((top & 0x7FFF) == 0x7FFF) continue;
        std::uint64_t sig = random();
        // Normal numbers have the integer bit; denormals do not.
        sig = (top & 0x7FFF) == 0 ? sig & ~(std::uint64_t{1} << 63) : sig | (std::uint64_t{1} << 63);
        auto bytes = bytesOf(top, sig);
        ASSERT_EQ(encodeExtended(decodeExtended(bytes.data())), bytes) << std::hex << top << " " << sig;
    }
}

} // namespace
} // namespace kurvo
