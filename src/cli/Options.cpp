// The option reader every kurvo subcommand uses, and strict readers of option values.
#include "Options.h"

#include "NumberText.h"

#include <algorithm>

namespace kurvo::cli {

Args readOptions(const Args& args, const std::vector<TOption>& table) {
    Args operands;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto option =
            std::find_if(table.begin(), table.end(), [&](const TOption& o) { return o.name == a; });
        if (optionsDone || (a.rfind("--", 0) != 0 && option == table.end())) {
            operands.push_back(a);
        } else if (a == "--") {
            optionsDone = true;
        } else if (option == table.end()) {
            throw UsageError("unknown option " + a);
        } else if (option->onValue) {
            option->onValue(optionValue(args, i));
        } else {
            option->onSwitch();
        }
    }
    return operands;
}

namespace {

bool allDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

/// The value of a text of digits, or `most` + 1 when it is larger than `most` (no overflow).
long long digitsValue(const std::string& digits, int most) {
    long long v = 0;
    for (char c : digits) {
        v = v * 10 + (c - '0');
        if (v > most) return static_cast<long long>(most) + 1;
    }
    return v;
}

} // namespace

TPixelSize pixelSizeValue(const std::string& option, const std::string& text, int least, int most) {
    const auto x = text.find('x');
    const std::string w = x == std::string::npos ? std::string() : text.substr(0, x);
    const std::string h = x == std::string::npos ? std::string() : text.substr(x + 1);
    if (!allDigits(w) || !allDigits(h))
        throw UsageError(option + " wants WxH, two whole numbers such as 800x600, not '" + text + "'");
    const long long width = digitsValue(w, most), height = digitsValue(h, most);
    if (width < least || height < least || width > most || height > most)
        throw UsageError(option + " must lie between " + std::to_string(least) + "x" + std::to_string(least) +
                         " and " + std::to_string(most) + "x" + std::to_string(most) + ", not '" + text +
                         "'");
    return {static_cast<int>(width), static_cast<int>(height)};
}

double numberValue(const std::string& option, const std::string& text) {
    const std::optional<double> v = parsePascalNumber(text);
    if (!v) throw UsageError(option + " wants a number such as 1.5, not '" + text + "'");
    return *v;
}

int wholeNumberValue(const std::string& option, const std::string& text, int least, int most) {
    const long long v = allDigits(text) ? digitsValue(text, most) : -1;
    if (v < least || v > most)
        throw UsageError(option + " wants a whole number from " + std::to_string(least) + " to " +
                         std::to_string(most) + ", not '" + text + "'");
    return static_cast<int>(v);
}

std::string choiceValue(const std::string& option, const std::string& text, const std::vector<const char*>& choices) {
    std::string list;
    std::size_t k = 0;
    for (const char* c : choices) {
        if (text == c) return text;
        list += (k == 0 ? "" : k + 1 == choices.size() ? " or " : ", ") + std::string(c);
        ++k;
    }
    throw UsageError(option + " wants " + list + ", not '" + text + "'");
}

std::pair<std::string, std::string> rangeValue(const std::string& option, const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) throw UsageError(option + " wants MIN,MAX, not '" + text + "'");
    return {text.substr(0, comma), text.substr(comma + 1)};
}

void addModeOptions(std::vector<TOption>& table, TModeSwitches& switches, std::vector<const char*> modes,
                    bool radians) {
    table.push_back(valueOption("--mode", [&switches, modes = std::move(modes)](const std::string& v) {
        switches.mode = choiceValue("--mode", v, modes);
    }));
    table.push_back(switchOption("--parametric", [&switches] { switches.parametric = true; }));
    table.push_back(switchOption("--degrees", [&switches] { switches.degrees = true; }));
    if (radians) table.push_back(switchOption("--radians", [&switches] { switches.degrees = false; }));
}

void applyModeSwitch(const TModeSwitches& switches, TSettingsRecord& settings) {
    if (switches.degrees) settings.DegreeMode = *switches.degrees;
    if (switches.mode == "cartesian" || switches.mode == "polar") {
        settings.CartesianMode = switches.mode == "cartesian";
        settings.ImplicitMode = false;
    } else if (switches.mode == "implicit") {
        settings.ImplicitMode = true;
        settings.ParametricMode = false;
    }
}

} // namespace kurvo::cli
