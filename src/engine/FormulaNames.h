// The translator's vocabulary: every function name a student may type, declared once.
#pragma once

#include <span>
#include <string_view>

namespace kurvo {

/// One name of classroom notation and what the translator makes of it.
struct FormulaName {
    std::string_view userName;          // lower case, as typed ("sin²" holds byte 0xB2)
    std::string_view parserName;        // evaluator name, angles in radians
    std::string_view degreeParserName;  // evaluator name in degree mode; empty: same as parserName
    std::string_view inverseName;       // evaluator name of the inverse function; empty: none
    std::string_view degreeInverseName; // inverse in degree mode; empty: same as inverseName

    std::string_view parser(bool degrees) const {
        return degrees && !degreeParserName.empty() ? degreeParserName : parserName;
    }
    std::string_view inverse(bool degrees) const {
        return degrees && !degreeInverseName.empty() ? degreeInverseName : inverseName;
    }
};

/// The names in search order: a name that contains another name comes before it, so the longer
/// name is replaced first and its upper-case replacement is never matched again.
std::span<const FormulaName> formulaNames();

} // namespace kurvo
