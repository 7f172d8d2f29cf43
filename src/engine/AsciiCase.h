// ASCII letter case for the engine's single-byte texts: only A-Z and a-z change, every other byte
// (digits, signs, the superscripts of Windows-1252) stays as it is.
#pragma once

#include <string>

namespace kurvo {

inline constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline constexpr char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline std::string asciiLower(std::string s) {
    for (char& c : s)
        c = asciiLower(c);
    return s;
}
inline std::string asciiUpper(std::string s) {
    for (char& c : s)
        c = asciiUpper(c);
    return s;
}

} // namespace kurvo
