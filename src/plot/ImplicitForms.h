// The general form F(x, y) of a typed relation, and the test that picks the general plot for it.
#pragma once

#include "FormulaTrans.h"

#include <string>

namespace kurvo {

/// The relation as a general expression F = left - (right) in evaluator syntax, whatever its
/// number of y: an inequality's sign becomes "=" (its boundary). `relationCode` is the formula's
/// relation: 0 ">", 1 ">=", 2 "<", 3 "<=", 4 "=".
std::string generalRelationForm(const TTranslateOptions& options, const std::string& typed, int relationCode);

/// The relation a typed text holds: the last sign found decides, two-character signs looked for
/// after the single ones; 4 ("=") when it holds none.
int relationCodeOf(const std::string& typed);

/// True when an expression in evaluator syntax has y inside a periodic function (sin, cos, tan,
/// sec, cosec, cot and their square, cube and degree forms). Solving such a relation for y keeps
/// only the principal branch of the inverse, so it is drawn as a general relation instead.
bool hasYInsidePeriodic(const std::string& expression);

} // namespace kurvo
