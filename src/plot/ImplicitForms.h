// The general form F(x, y) of a typed relation, and the test that picks the general plot for it.
#pragma once

#include "FormulaTrans.h"

#include <string>

namespace kurvo {

/// The relation as a general expression F = left - (right) in evaluator syntax, whatever its
/// number of y: an inequality's sign becomes "=" (its boundary). The translator's relation results
/// (ycount, SolvedForY, Root, SecondFn) are those of the stored formula and are kept.
/// `relationCode` is the stored formula's relation: 0 ">", 1 ">=", 2 "<", 3 "<=", 4 "=".
std::string generalRelationForm(TFormulaTrans& translator, const std::string& typed, int relationCode);

/// True when an expression in evaluator syntax has y inside a periodic function (sin, cos, tan,
/// sec, cosec, cot and their square, cube and degree forms). Solving such a relation for y keeps
/// only the principal branch of the inverse, so it is drawn as a general relation instead.
bool hasYInsidePeriodic(const std::string& expression);

} // namespace kurvo
