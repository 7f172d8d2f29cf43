// Number texts: the locale-independent literal format, general number text, and typed-number conversion.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kurvo {

/// Reads a number in the fixed format: optional sign, digits, optional "." and fraction digits,
/// optional exponent ("E", optional sign, digits). The whole text must be the number; at least one
/// digit must stand before or after the point. Values beyond the double range are rejected;
/// values below its smallest denormal read as 0.
std::optional<double> parsePascalNumber(std::string_view text);

/// General number text: at most 15 significant digits, no trailing zeros, "." as decimal point;
/// fixed notation for 0 and for magnitudes from 0.00001 with at most 15 integer digits, otherwise
/// scientific notation such as 1E20 or 1.5E-7.
std::string formatGeneral(long double value, int significantDigits = 15);

/// A finite value in scientific notation with `fractionDigits` digits after the point, as printf's
/// "%.*Le" writes it in the C locale ("-1.50e+03"), whatever the process's locale: a file or a
/// program reads these texts.
std::string scientificCText(long double value, int fractionDigits);

/// Converts typed text to a number: blanks around the number are allowed,
/// the decimal separator is the given one. Raises EConvertError
/// ("'%s' is not a valid floating point value").
double strToFloat(std::string_view text, char decimalSeparator = '.');

/// Converts typed text to a 32-bit integer. Raises EConvertError ("'%s' is not a valid integer value").
int strToInt(std::string_view text);

} // namespace kurvo
