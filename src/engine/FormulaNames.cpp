// The translator's vocabulary: every function name a student may type, declared once.
#include "FormulaNames.h"

namespace kurvo {

// The families of names, each declared once: a circular function's inverse (with its degree
// forms), its square and cube (argument in radians, or in degrees in degree mode) and the function
// itself; a hyperbolic function's inverse, its square and cube and the function itself. "\xB2" and
// "\xB3" are the Windows-1252 "²" and "³", written as separate literals so that no letter after
// them is read as part of the hex escape.
// clang-format off
#define ARC(LOWER, UPPER) {"arc" LOWER, "ARC" UPPER, "DEGA" UPPER, UPPER, UPPER "RAD"}
#define ARC_HYPERBOLIC(LOWER, UPPER) {"arc" LOWER, "ARC" UPPER, "", UPPER, ""}
#define POWERS(LOWER, UPPER) \
    {LOWER "\xB2", UPPER "SQ", UPPER "SQRAD", "", ""}, {LOWER "\xB3", UPPER "CUBE", UPPER "CUBERAD", "", ""}
#define CIRCULAR(LOWER, UPPER) {LOWER, UPPER, UPPER "RAD", "ARC" UPPER, "DEGA" UPPER}
#define HYPERBOLIC(LOWER, UPPER) \
    {LOWER "\xB2", UPPER "SQ", "", "", ""}, {LOWER "\xB3", UPPER "CUBE", "", "", ""}, \
    {LOWER, UPPER, "", "ARC" UPPER, ""}
// clang-format on

std::span<const FormulaName> formulaNames() {
    // Search order matters: "arccosec" must come before "arccos", "sinh" before "sin", "sin²" before
    // "sin", and so on. The degree forms of the inverse functions make a relation solved in degree
    // mode give y in degrees, as the same relation plotted unsolved would.
    static constexpr FormulaName Names[] = {
        ARC_HYPERBOLIC("sinh", "SINH"),
        ARC_HYPERBOLIC("cosh", "COSH"),
        ARC_HYPERBOLIC("tanh", "TANH"),
        ARC_HYPERBOLIC("sech", "SECH"),
        ARC_HYPERBOLIC("cosech", "COSECH"),
        ARC_HYPERBOLIC("coth", "COTH"),
        ARC("sin", "SIN"),
        ARC("cosec", "COSEC"),
        ARC("cos", "COS"),
        ARC("tan", "TAN"),
        ARC("cot", "COT"),
        ARC("sec", "SEC"),
        HYPERBOLIC("sinh", "SINH"),
        HYPERBOLIC("cosh", "COSH"),
        HYPERBOLIC("cosech", "COSECH"),
        HYPERBOLIC("sech", "SECH"),
        HYPERBOLIC("tanh", "TANH"),
        HYPERBOLIC("coth", "COTH"),
        POWERS("cosec", "COSEC"),
        CIRCULAR("cosec", "COSEC"),
        POWERS("sec", "SEC"),
        POWERS("cos", "COS"),
        POWERS("sin", "SIN"),
        CIRCULAR("cos", "COS"),
        POWERS("tan", "TAN"),
        CIRCULAR("tan", "TAN"),
        CIRCULAR("sec", "SEC"),
        POWERS("cot", "COT"),
        CIRCULAR("cot", "COT"),
        CIRCULAR("sin", "SIN"),
        {"integ", "INTEG", "", "DIFF", ""},
        {"diff", "DIFF", "", "INTEG", ""},
        {"log", "LOG", "", "", ""},
        {"ln", "LN", "", "EXP", ""},
        {"sqrt", "SQRT", "", "SQR", ""},
        {"sqr", "SQR", "", "SQRT", ""},
        {"int", "INT", "", "", ""},
        {"exp", "EXP", "", "LN", ""},
        {"abs", "ABS", "", "", ""},
        {"inv", "INV", "", "INV", ""},
        {"blanc", "BLANC", "", "", ""},
        // The single letters f..l always denote the user functions.
        {"f", "F", "", "", ""},
        {"g", "G", "", "", ""},
        {"h", "H", "", "", ""},
        {"i", "I", "", "", ""},
        {"j", "J", "", "", ""},
        {"k", "K", "", "", ""},
        {"l", "L", "", "", ""},
    };
    return Names;
}

#undef HYPERBOLIC
#undef CIRCULAR
#undef POWERS
#undef ARC_HYPERBOLIC
#undef ARC

} // namespace kurvo
