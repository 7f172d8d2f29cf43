// The exception classes of the engine: parse errors, arithmetic errors, conversion and file errors.
#pragma once

#include <stdexcept>
#include <string>

namespace kurvo {

/// Base of every error the program reports; className() gives the name shown to the user
/// (for example "ESyntaxError"), what() the message.
class EKurvoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    virtual const char* className() const noexcept = 0;
};

#define KURVO_DECLARE_ERROR(Name, Base)                                                                      \
    class Name : public Base {                                                                               \
      public:                                                                                                \
        using Base::Base;                                                                                    \
        const char* className() const noexcept override { return #Name; }                                    \
    };

/// Parse errors of the expression parser; each has a fixed message.
KURVO_DECLARE_ERROR(EMathParserError, EKurvoError)
KURVO_DECLARE_ERROR(EExpressionHasBlanks, EMathParserError)
KURVO_DECLARE_ERROR(EMissMatchingBracket, EMathParserError)
KURVO_DECLARE_ERROR(ESyntaxError, EMathParserError)
KURVO_DECLARE_ERROR(ETooManyNestings, EMathParserError)
KURVO_DECLARE_ERROR(EExpressionTooComplex, EMathParserError)
KURVO_DECLARE_ERROR(EParserInternalError, EMathParserError)

/// Arithmetic errors raised while evaluating, where trapping floating point would have raised them.
KURVO_DECLARE_ERROR(EMathError, EKurvoError)
KURVO_DECLARE_ERROR(EInvalidOp, EMathError)
KURVO_DECLARE_ERROR(EZeroDivide, EMathError)
KURVO_DECLARE_ERROR(EOverflow, EMathError)
KURVO_DECLARE_ERROR(EDivByZero, EMathError)
/// A user function that reaches itself again, directly or through other user functions.
KURVO_DECLARE_ERROR(ERecursiveFunction, EMathError)

/// Conversion of typed text to numbers.
KURVO_DECLARE_ERROR(EConvertError, EKurvoError)
/// Reading or writing a file failed; the message names the file and the reason.
KURVO_DECLARE_ERROR(EInOutError, EKurvoError)
/// Formula translation failed (for example a factorial too large to hold).
KURVO_DECLARE_ERROR(ETranslateError, EKurvoError)

#undef KURVO_DECLARE_ERROR

namespace msg {
inline constexpr const char* InvalidOp = "Invalid floating point operation";
inline constexpr const char* ZeroDivide = "Floating point division by zero";
inline constexpr const char* Overflow = "Floating point overflow";
inline constexpr const char* DivByZero = "Division by zero";
inline constexpr const char* HasBlanks = "Expression has blanks";
inline constexpr const char* MissingBrackets = "Missing brackets in expression";
inline constexpr const char* SyntaxError = "Error parsing expression:";
inline constexpr const char* TooManyNestings = "Expression contains too many nestings";
inline constexpr const char* TooComplex = "Expression is too complex";
inline constexpr const char* InternalError = "TParser internal error";
} // namespace msg

} // namespace kurvo
