// Evaluating the four entries of the matrix transformation, each an expression in classroom notation.
#pragma once

#include "FormulaTrans.h"
#include "Parser.h"
#include "SettingsRecord.h"

#include <array>
#include <string>

namespace kurvo {

/// The values of the entries a11, a12, a21, a22. `error` is empty on success; otherwise it names
/// the entry at fault ("Row 1, column 2: ...") and the values are not to be used.
struct TMatrixEntries {
    std::string error;
    std::array<Extended, 4> values{};

    bool ok() const { return error.empty(); }
};

/// The caption naming entry k (0 … 3, row by row): "Row 1, column 1" and so on.
std::string matrixEntryName(int k);

/// Translates and evaluates each entry text (row 1 column 1, row 1 column 2, row 2 column 1, row 2
/// column 2) with the given translator and parser: the translator follows the settings' angle
/// mode and the parser holds the settings' constants, so cos(60) is 0.5 in degree mode and an
/// entry may use a … z. An empty entry, one that does not translate or evaluate, or one whose
/// value is not finite is reported by name; all four are read before any is used.
TMatrixEntries evaluateMatrixEntries(const std::array<std::string, 4>& texts, const TSettingsRecord& settings,
                                     TFormulaTrans& translator, TParser& parser);

} // namespace kurvo
