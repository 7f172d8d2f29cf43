// Checked arithmetic shared by the operator and function routines.
#pragma once

#include "FloatStatus.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace kurvo::arith {

using Extended = long double;

/// Stores an extended result as a double with the store's error rules: a NaN is an invalid
/// operation, anything beyond the double range an overflow.
inline double store(Extended v) {
    if (std::isnan(v)) {
        fpstatus::raise(fpstatus::Invalid);
        return 0.0;
    }
    if (std::fabs(v) > static_cast<Extended>(DBL_MAX)) {
        fpstatus::raise(fpstatus::Overflow);
        return v > 0 ? HUGE_VAL : -HUGE_VAL;
    }
    return static_cast<double>(v);
}

/// Extended division with its error conditions: 0/0 is invalid, x/0 a division by zero.
inline Extended div(Extended a, Extended b) {
    if (b == 0) {
        fpstatus::raise(a == 0 ? fpstatus::Invalid : fpstatus::ZeroDivide);
        return 0;
    }
    return a / b;
}

inline Extended sqrtX(Extended v) {
    if (v < 0) {
        fpstatus::raise(fpstatus::Invalid);
        return 0;
    }
    return std::sqrt(v);
}

inline Extended lnX(Extended v) {
    if (v <= 0) {
        fpstatus::raise(v == 0 ? fpstatus::ZeroDivide : fpstatus::Invalid);
        return 0;
    }
    return std::log(v);
}

inline Extended expX(Extended v) {
    Extended r = std::exp(v);
    if (std::isinf(r)) fpstatus::raise(fpstatus::Overflow);
    return r;
}

/// Truncation toward zero to a 32-bit signed integer; out of range is an invalid operation.
inline std::int32_t trunc32(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) {
        fpstatus::raise(fpstatus::Invalid);
        return 0;
    }
    return static_cast<std::int32_t>(v);
}

/// a raised to an integer exponent by repeated squaring over the exponent's bits.
inline Extended intPower(Extended a, std::int32_t n) {
    std::uint32_t e = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    Extended result = 1, base = a;
    while (e != 0) {
        if (e & 1u) result *= base;
        e >>= 1;
        if (e != 0) base *= base;
    }
    return n < 0 ? div(1, result) : result;
}

/// The real power of a and b: exact integer powers where the exponent is integral.
inline Extended realPower(Extended a, Extended b) {
    if (b == 0) return 1;
    if (a == 0 && b > 0) return 0;
    if (b == std::trunc(b) && std::fabs(b) <= 2147483647.0L) return intPower(a, static_cast<std::int32_t>(b));
    Extended l = lnX(a);
    if (fpstatus::raised()) return 0;
    return expX(b * l);
}

/// Sine and cosine give 0 for arguments of magnitude 2^63 and beyond.
inline constexpr double TrigLimit = 9223372036854775808.0; // 2^63

inline double sine(double x) {
    return std::fabs(x) >= TrigLimit ? 0.0 : std::sin(x);
}
inline double cosine(double x) {
    return std::fabs(x) >= TrigLimit ? 0.0 : std::cos(x);
}

} // namespace kurvo::arith
