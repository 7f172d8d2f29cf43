// The seven user functions f..l: checking their definitions before they are applied, and installing
// them in the user-function parsers.
#pragma once

#include "ParserContext.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace kurvo {

class TFormulaTrans;

/// The letters of the user functions in their order, as typed (the evaluator writes them F..L).
inline constexpr const char* UserFunctionLetters = "fghijkl";
using TUserFunctionTexts = std::array<std::string, UserFunctionCount>;

/// The translation of an empty definition; the parser cannot take it, so such a function gets
/// EmptyUserFunctionExpression instead and evaluates to 1.
inline constexpr const char* EmptyUserFunctionTranslation = "()";
inline constexpr const char* EmptyUserFunctionExpression = "(1)";

/// The expression a user-function parser receives for a translated definition ("()" becomes "(1)").
std::string userFunctionExpression(const std::string& translated);

/// The first definition that cannot be applied.
struct TUserFunctionError {
    std::size_t index = 0; ///< 0..6 for f..l
    std::string message;   ///< ready for a message box; names the function by its letter
    friend bool operator==(const TUserFunctionError&, const TUserFunctionError&) = default;
};

/// The seven definitions translated and checked.
struct TUserFunctionCheck {
    /// The translator's output for each definition ("()" for an empty one): the lines of the
    /// function expression file. Complete only when there is no error.
    TUserFunctionTexts translated;
    std::optional<TUserFunctionError> error;
    bool ok() const { return !error; }
};

/// Translates every definition (typed in classroom notation) with `translator`, whose settings
/// (degrees, separators) the caller chooses, and checks the result with a parser of its own. A
/// definition is refused, and the first refused one reported, when it spans more than one line,
/// when the translator or the parser rejects it, or when it calls itself, directly (f(x) = f(x)+1)
/// or through other user functions (f uses g, g uses f): such a function could never be evaluated.
TUserFunctionCheck checkUserFunctions(const TUserFunctionTexts& typed, TFormulaTrans& translator);

/// Gives each user-function parser of the context its expression (see userFunctionExpression);
/// parsers that are not set are skipped. The definitions must have passed checkUserFunctions, so
/// no parser is left half-changed by a parse error.
void installUserFunctions(TParserContext& context, const TUserFunctionTexts& translated);

} // namespace kurvo
