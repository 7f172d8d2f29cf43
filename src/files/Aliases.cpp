// Function aliases: replacing a typed alias by its target, and checking an alias list.
#include "Aliases.h"

#include "AsciiCase.h"

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

} // namespace kurvo
