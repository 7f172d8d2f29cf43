// Cheap access to the floating-point status flags, which tell where an evaluation failed.
#pragma once

#if defined(__SSE2__)
#include <xmmintrin.h>
#else
#include <cfenv>
#endif

namespace kurvo::fpstatus {

// Only these conditions end an evaluation; inexact results, underflow and denormal operands are silent.
#if defined(__SSE2__)
// Plain double arithmetic runs on SSE on this target, so its status register is all that needs
// reading; routines that compute in x87 extended precision check their own results explicitly.
inline constexpr unsigned Invalid = 0x01;
inline constexpr unsigned ZeroDivide = 0x04;
inline constexpr unsigned Overflow = 0x08;
inline constexpr unsigned Errors = Invalid | ZeroDivide | Overflow;

inline unsigned raised() {
    return _mm_getcsr() & Errors;
}
inline void clear() {
    unsigned csr = _mm_getcsr();
    if (csr & Errors) _mm_setcsr(csr & ~Errors);
}
inline void raise(unsigned flags) {
    _mm_setcsr(_mm_getcsr() | flags);
}
#else
inline constexpr unsigned Invalid = FE_INVALID;
inline constexpr unsigned ZeroDivide = FE_DIVBYZERO;
inline constexpr unsigned Overflow = FE_OVERFLOW;
inline constexpr unsigned Errors = Invalid | ZeroDivide | Overflow;

inline unsigned raised() {
    return static_cast<unsigned>(std::fetestexcept(Errors));
}
inline void clear() {
    std::feclearexcept(Errors);
}
inline void raise(unsigned flags) {
    std::feraiseexcept(static_cast<int>(flags));
}
#endif

/// Throws the arithmetic error for the given raised flags (invalid before zero-divide before overflow).
[[noreturn]] void throwFor(unsigned flags);

} // namespace kurvo::fpstatus
