// The option reader every kurvo subcommand uses, and strict readers of option values.
#pragma once

#include "CliCommon.h"
#include "SettingsRecord.h"

#include <functional>
#include <optional>
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
std::string choiceValue(const std::string& option, const std::string& text, const std::vector<const char*>& choices);

/// "MIN,MAX": the two texts on either side of the first comma.
std::pair<std::string, std::string> rangeValue(const std::string& option, const std::string& text);

/// The switches of the window's mode that the drawing subcommands share.
struct TModeSwitches {
    std::string mode;            ///< --mode: one of the words the subcommand allows; empty: as stored
    bool parametric = false;     ///< --parametric
    std::optional<bool> degrees; ///< --degrees (true), --radians (false); empty: as stored
};

/// Adds --mode (one of `modes`), --parametric, --degrees and, with `radians`, --radians to a table.
void addModeOptions(std::vector<TOption>& table, TModeSwitches& switches, std::vector<const char*> modes,
                    bool radians);

/// Sets the mode switch and the angle unit asked for: cartesian and polar leave implicit mode,
/// implicit leaves parametric mode. --parametric is the subcommand's to apply.
void applyModeSwitch(const TModeSwitches& switches, TSettingsRecord& settings);

} // namespace kurvo::cli
