// The 80-bit extended-precision float of the binary files, encoded and decoded without relying on
// the machine's own long double format.
#pragma once

#include <array>
#include <cstdint>

namespace kurvo {

using Extended80Bytes = std::array<std::uint8_t, 10>;

/// Encodes a value as 10 little-endian bytes: 64-bit significand with explicit integer bit, then
/// 15-bit exponent (bias 16383) and the sign bit. Every finite double is encoded exactly; a wider
/// long double is rounded to 64 significant bits (to nearest, ties to even). Infinities keep their
/// sign; a NaN is written as the quiet NaN with its sign.
Extended80Bytes encodeExtended(long double value);

/// Decodes any 10 bytes. Values beyond the range of long double become infinities or (gradually)
/// zero; NaNs, pseudo-NaNs, pseudo-infinities and unnormals (exponent not zero, integer bit clear,
/// which the arithmetic refuses as invalid operands) become a quiet NaN. Pseudo-denormals (exponent
/// zero, integer bit set) are read as the value they stand for, 2^-16382 times their significand.
long double decodeExtended(const std::uint8_t* bytes);

} // namespace kurvo
