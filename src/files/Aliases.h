// Function aliases: a formula typed as an alias is replaced by its target.
#pragma once

#include "SettingsRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

class TFormulaTrans;

/// Replaces a whole (already lower-cased) formula by the target of a matching alias line
/// "target:alias"; the alias is compared without regard to case, and later lines may replace again.
std::string applyAliases(std::string formula, const std::vector<std::string>& aliasLines);
/// True when a non-empty line lacks the ":" between target and alias.
bool aliasListHasErrors(const std::vector<std::string>& lines);

/// The first line of an alias list that cannot be used.
struct TAliasListError {
    std::size_t line = 0; ///< counted from 1
    std::string text;     ///< the line as typed
    std::string reason;
};

/// Checks an alias list before it is put in effect. Empty lines are allowed. Every other line needs
/// a colon between target and alias, and its target must be a formula the Plot action can use in
/// the list's mode: after the replacements of the later lines (as the Plot action makes them), it
/// must be non-empty, translate, and parse (a parametric target as two formulas split at the first
/// comma). `translator` supplies the degree switch and the separators; it is not changed.
std::optional<TAliasListError> checkAliasList(const std::vector<std::string>& lines,
                                              const TSettingsRecord& mode, const TFormulaTrans& translator);

/// The message that refuses a list: the fixed first sentence, then the line at fault and why.
std::string aliasListErrorMessage(const TAliasListError& error);

} // namespace kurvo
