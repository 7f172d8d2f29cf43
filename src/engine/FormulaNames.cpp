// The translator's vocabulary: every function name a student may type, declared once.
#include "FormulaNames.h"

namespace kurvo {

namespace {

// "²" and "³" are the Windows-1252 bytes 0xB2 and 0xB3; written as separate literals so that no
// letter after them is read as part of the hex escape.
#define SQ "\xB2"
#define CU "\xB3"

// Search order matters: "arccosec" must come before "arccos", "sinh" before "sin", "sin²" before
// "sin", and so on. The degree forms of the inverse functions make a relation solved in degree
// mode give y in degrees, as the same relation plotted unsolved would.
constexpr FormulaName Names[] = {
    {"arcsinh", "ARCSINH", "", "SINH", ""},
    {"arccosh", "ARCCOSH", "", "COSH", ""},
    {"arctanh", "ARCTANH", "", "TANH", ""},
    {"arcsech", "ARCSECH", "", "SECH", ""},
    {"arccosech", "ARCCOSECH", "", "COSECH", ""},
    {"arccoth", "ARCCOTH", "", "COTH", ""},
    {"arcsin", "ARCSIN", "DEGASIN", "SIN", "SINRAD"},
    {"arccosec", "ARCCOSEC", "DEGACOSEC", "COSEC", "COSECRAD"},
    {"arccos", "ARCCOS", "DEGACOS", "COS", "COSRAD"},
    {"arctan", "ARCTAN", "DEGATAN", "TAN", "TANRAD"},
    {"arccot", "ARCCOT", "DEGACOT", "COT", "COTRAD"},
    {"arcsec", "ARCSEC", "DEGASEC", "SEC", "SECRAD"},
    {"sinh" SQ, "SINHSQ", "", "", ""},
    {"sinh" CU, "SINHCUBE", "", "", ""},
    {"sinh", "SINH", "", "ARCSINH", ""},
    {"cosh" SQ, "COSHSQ", "", "", ""},
    {"cosh" CU, "COSHCUBE", "", "", ""},
    {"cosh", "COSH", "", "ARCCOSH", ""},
    {"cosech" SQ, "COSECHSQ", "", "", ""},
    {"cosech" CU, "COSECHCUBE", "", "", ""},
    {"cosech", "COSECH", "", "ARCCOSECH", ""},
    {"sech" SQ, "SECHSQ", "", "", ""},
    {"sech" CU, "SECHCUBE", "", "", ""},
    {"sech", "SECH", "", "ARCSECH", ""},
    {"tanh" SQ, "TANHSQ", "", "", ""},
    {"tanh" CU, "TANHCUBE", "", "", ""},
    {"tanh", "TANH", "", "ARCTANH", ""},
    {"coth" SQ, "COTHSQ", "", "", ""},
    {"coth" CU, "COTHCUBE", "", "", ""},
    {"coth", "COTH", "", "ARCCOTH", ""},
    {"cosec" SQ, "COSECSQ", "COSECSQRAD", "", ""},
    {"cosec" CU, "COSECCUBE", "COSECCUBERAD", "", ""},
    {"cosec", "COSEC", "COSECRAD", "ARCCOSEC", "DEGACOSEC"},
    {"sec" SQ, "SECSQ", "SECSQRAD", "", ""},
    {"sec" CU, "SECCUBE", "SECCUBERAD", "", ""},
    {"cos" SQ, "COSSQ", "COSSQRAD", "", ""},
    {"cos" CU, "COSCUBE", "COSCUBERAD", "", ""},
    {"sin" SQ, "SINSQ", "SINSQRAD", "", ""},
    {"sin" CU, "SINCUBE", "SINCUBERAD", "", ""},
    {"cos", "COS", "COSRAD", "ARCCOS", "DEGACOS"},
    {"tan" SQ, "TANSQ", "TANSQRAD", "", ""},
    {"tan" CU, "TANCUBE", "TANCUBERAD", "", ""},
    {"tan", "TAN", "TANRAD", "ARCTAN", "DEGATAN"},
    {"sec", "SEC", "SECRAD", "ARCSEC", "DEGASEC"},
    {"cot" SQ, "COTSQ", "COTSQRAD", "", ""},
    {"cot" CU, "COTCUBE", "COTCUBERAD", "", ""},
    {"cot", "COT", "COTRAD", "ARCCOT", "DEGACOT"},
    {"sin", "SIN", "SINRAD", "ARCSIN", "DEGASIN"},
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

#undef SQ
#undef CU

} // namespace

std::span<const FormulaName> formulaNames() {
    return Names;
}

} // namespace kurvo
