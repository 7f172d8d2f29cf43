// The text a range field shows after its expression was evaluated.
#pragma once

#include <string>

namespace kurvo {

/// Turns the value of a range field into its rewritten text: the general text cut to 8 characters
/// where that only drops fraction digits, else the most precise general text of at most 8 characters.
std::string rangeFieldText(long double value);

/// Scientific text with the given significant digits, without trailing zeros: 1.235E-5.
std::string scientificText(long double value, int digits);

} // namespace kurvo
