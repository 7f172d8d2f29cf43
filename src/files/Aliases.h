// Function aliases: a formula typed as an alias is replaced by its target.
#pragma once

#include <string>
#include <vector>

namespace kurvo {

/// Replaces a whole (already lower-cased) formula by the target of a matching alias line
/// "target:alias"; the alias is compared without regard to case, and later lines may replace again.
std::string applyAliases(std::string formula, const std::vector<std::string>& aliasLines);
/// True when a non-empty line lacks the ":" between target and alias.
bool aliasListHasErrors(const std::vector<std::string>& lines);

} // namespace kurvo
