// Function aliases: replacing a typed alias by its target, and checking an alias list.
#include "Aliases.h"

#include "AsciiCase.h"
#include "FormulaTrans.h"
#include "Parser.h"

#include <exception>

namespace kurvo {

std::string applyAliases(std::string formula, const std::vector<std::string>& aliasLines) {
    for (const auto& line : aliasLines) {
        auto colon = line.find(':');
        if (colon == std::string::npos) continue; // no alias on this line: it never matches a formula
        if (asciiLower(line.substr(colon + 1)) == formula) formula = line.substr(0, colon);
    }
    return formula;
}

bool aliasListHasErrors(const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        if (!line.empty() && line.find(':') == std::string::npos) return true;
    return false;
}

namespace {

/// Translates and parses one formula as the Plot action does; raises what either of them raises.
void translateAndParse(const std::string& formula, TFormulaTrans& translator, TParser& parser) {
    translator.Instring = formula;
    translator.Translate();
    parser.setExpression(translator.Outstring);
}

} // namespace

std::optional<TAliasListError> checkAliasList(const std::vector<std::string>& lines,
                                              const TSettingsRecord& mode, const TFormulaTrans& like) {
    // A translator and parser of the check's own, so the program's relation results stay untouched.
    TFormulaTrans translator;
    translator.Degrees = like.Degrees;
    translator.DecimalSeparator = like.DecimalSeparator;
    translator.ThousandSeparator = like.ThousandSeparator;
    TParser parser;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        auto refuse = [&](std::string reason) { return TAliasListError{i + 1, line, std::move(reason)}; };
        const auto colon = line.find(':');
        if (colon == std::string::npos) return refuse("there is no colon between the formula and its alias.");
        // Once this line has matched, the Plot action goes on replacing with the lines after it.
        const std::vector<std::string> later(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines.end());
        const std::string target = applyAliases(line.substr(0, colon), later);
        if (target.empty()) return refuse("there is no formula before the colon.");
        try {
            if (mode.ParametricMode) {
                const auto comma = target.find(',');
                translateAndParse(target.substr(0, comma), translator, parser);
                if (comma != std::string::npos)
                    translateAndParse(target.substr(comma + 1), translator, parser);
            } else {
                translateAndParse(target, translator, parser);
            }
        } catch (const std::exception& e) {
            return refuse("the formula " + target + " cannot be plotted: " + e.what());
        }
    }
    return std::nullopt;
}

std::string aliasListErrorMessage(const TAliasListError& error) {
    return "There are errors in your alias list.\r\rLine " + std::to_string(error.line) + " (" + error.text +
           "): " + error.reason;
}

} // namespace kurvo
