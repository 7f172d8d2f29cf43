// The character classes of classroom notation that the formula translator's rewriting rules test.
#pragma once

namespace kurvo::formula {

inline constexpr char Squared = '\xB2'; // "²" in Windows-1252
inline constexpr char Cubed = '\xB3';   // "³" in Windows-1252

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
constexpr bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

/// Characters that can end or continue an operand as typed: "(" "," "." digits and a..z.
constexpr bool isOperandChar(char c) {
    return c == '(' || c == ',' || c == '.' || isDigit(c) || isLower(c);
}
/// Characters that start a translated name or a bracket: "(" and A..Z.
constexpr bool isNameStartChar(char c) {
    return c == '(' || isUpper(c);
}
/// Characters of a number: "," "." and digits.
constexpr bool isNumberChar(char c) {
    return c == ',' || c == '.' || isDigit(c);
}
/// Characters of a numeric coefficient in front of y: "," "." digits and "x".
constexpr bool isCoefficientChar(char c) {
    return isNumberChar(c) || c == 'x';
}
/// "*" "+" "-" "/" "=" "^".
constexpr bool isOperatorChar(char c) {
    return c == '*' || c == '+' || c == '-' || c == '/' || c == '=' || c == '^';
}
/// The letters that name constants (never f..l, which are user functions, nor t, x, y).
constexpr bool isConstantLetter(char c) {
    switch (c) {
    case 'a':
    case 'b':
    case 'c':
    case 'd':
    case 'e':
    case 'm':
    case 'n':
    case 'o':
    case 'p':
    case 'q':
    case 'r':
    case 's':
    case 'u':
    case 'v':
    case 'w':
    case 'z':
        return true;
    default:
        return false;
    }
}

} // namespace kurvo::formula
