// The option reader every kurvo subcommand uses, and strict readers of option values.
#pragma once

#include "CliCommon.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kurvo::cli {

/// One option of a subcommand: a switch (no value) or an option that takes the next argument.
struct TOption {
    std::string name;                                      ///< "--size", or a short name such as "-o"
    std::function<void(const std::string& value)> onValue; ///< set for an option with a value
    std::function<void()> onSwitch;                        ///< set for a switch
};

inline TOption valueOption(std::string name, std::function<void(const std::string&)> onValue) {
    return {std::move(name), std::move(onValue), {}};
}
inline TOption switchOption(std::string name, std::function<void()> onSwitch) {
    return {std::move(name), {}, std::move(onSwitch)};
}

/// Reads the arguments against the table and returns the operands in order. An argument is an
/// option when it begins with "--" or is a name of the table ("-o"); everything else, and
/// everything after "--", is an operand, so a formula such as -x^2 needs no "--" in front. An
/// unknown option or a missing value is bad usage (UsageError naming the option).
Args readOptions(const Args& args, const std::vector<TOption>& table);

/// A picture size in pixels.
struct TPixelSize {
    int width = 0;
    int height = 0;
};

/// "WxH": two whole numbers of decimal digits joined by "x", each from `least` to `most`.
TPixelSize pixelSizeValue(const std::string& option, const std::string& text, int least, int most);

/// A plain decimal number ("1.5", "-2", "1E-6"), "." as the decimal point in every locale.
double numberValue(const std::string& option, const std::string& text);

/// A whole number of decimal digits from `least` to `most`.
int wholeNumberValue(const std::string& option, const std::string& text, int least, int most);

/// One of the given words, exactly as written.
std::string choiceValue(const std::string& option, const std::string& text,
                        std::initializer_list<const char*> choices);

/// "MIN,MAX": the two texts on either side of the first comma.
std::pair<std::string, std::string> rangeValue(const std::string& option, const std::string& text);

} // namespace kurvo::cli
