// The number separators of the user's locale, as the window takes them from the system.
#pragma once

namespace kurvo {

/// Decimal and thousands separators of the C library's locale (from the environment), as
/// Windows-1252 bytes; '\0' when there is none or it is not a single Windows-1252 character.
struct NumberSeparators {
    char decimal = '.';
    char thousands = '\0';
};

NumberSeparators systemNumberSeparators();

} // namespace kurvo
