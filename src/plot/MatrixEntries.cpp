// Evaluating the four entries of the matrix transformation, each an expression in classroom notation.
#include "MatrixEntries.h"

#include "AsciiCase.h"
#include "PlotParsers.h"

#include <cmath>

namespace kurvo {

std::string matrixEntryName(int k) {
    return "Row " + std::to_string(k / 2 + 1) + ", column " + std::to_string(k % 2 + 1);
}

TMatrixEntries evaluateMatrixEntries(const std::array<std::string, 4>& texts, const TSettingsRecord& settings,
                                     TFormulaTrans& translator, TParser& parser) {
    TMatrixEntries r;
    translator.Degrees = settings.DegreeMode;
    TPlotParsers::copyConstants(parser, settings);
    for (int k = 0; k < 4; ++k) {
        const std::string& text = texts[static_cast<std::size_t>(k)];
        const std::string name = matrixEntryName(k);
        if (text.find_first_not_of(" \t") == std::string::npos) {
            r.error = name + ": the entry is empty.";
            return r;
        }
        try {
            translator.Instring = asciiLower(text);
            translator.Translate();
            parser.setExpression(translator.Outstring);
            const Extended v = parser.Value();
            if (!std::isfinite(static_cast<double>(v))) {
                r.error = name + ": the value is not a finite number.";
                return r;
            }
            r.values[static_cast<std::size_t>(k)] = v;
        } catch (const std::exception& e) {
            r.error = name + ": " + e.what();
            return r;
        }
    }
    return r;
}

} // namespace kurvo
