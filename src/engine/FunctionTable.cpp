// The routines of every operator and named function, and the table that registers the functions.
#include "FunctionTable.h"

#include "Arithmetic.h"
#include "Errors.h"
#include "Parser.h"
#include "ParserContext.h"

#include <cfloat>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace kurvo {
namespace {

using arith::Extended;
using arith::store;

constexpr double Pi = std::numbers::pi;

// ---- operators -------------------------------------------------------------------------------------

void opNegation(const OperationRecord& op) {
    *op.result = -*op.first;
}
void opSum(const OperationRecord& op) {
    *op.result = *op.first + *op.second;
}
void opDifference(const OperationRecord& op) {
    *op.result = *op.first - *op.second;
}
void opProduct(const OperationRecord& op) {
    *op.result = *op.first * *op.second;
}
void opQuotient(const OperationRecord& op) {
    *op.result = *op.first / *op.second;
}
void opSquare(const OperationRecord& op) {
    *op.result = *op.first * *op.first;
}
void opCube(const OperationRecord& op) {
    double a = *op.first;
    *op.result = a * a * a;
}
void opFourth(const OperationRecord& op) {
    double a = *op.first;
    double s = a * a;
    *op.result = s * s;
}
void opIntPower(const OperationRecord& op) {
    std::int32_t n = arith::trunc32(*op.second);
    *op.result = store(arith::intPower(*op.first, n));
}
void opRealPower(const OperationRecord& op) {
    *op.result = store(arith::realPower(*op.first, *op.second));
}

/// DIV and MOD divide the truncated operands; a zero divisor is the integer division error, raised
/// only when no earlier step has already failed (that earlier failure is the one to report).
bool integerOperands(const OperationRecord& op, std::int64_t& a, std::int64_t& b) {
    a = arith::trunc32(*op.first);
    b = arith::trunc32(*op.second);
    if (fpstatus::raised()) return false;
    if (b == 0) throw EDivByZero(msg::DivByZero);
    return true;
}
// 64-bit arithmetic: -2147483648 DIV -1 is 2147483648, not undefined behaviour.
void opDiv(const OperationRecord& op) {
    std::int64_t a, b;
    *op.result = integerOperands(op, a, b) ? static_cast<double>(a / b) : 0.0;
}
void opMod(const OperationRecord& op) {
    std::int64_t a, b;
    *op.result = integerOperands(op, a, b) ? static_cast<double>(a % b) : 0.0;
}

// ---- one-argument functions ------------------------------------------------------------------------

double fSin(double x) {
    return arith::sine(x);
}
double fCos(double x) {
    return arith::cosine(x);
}
double fTan(double x) {
    return std::tan(x);
}
double fSec(double x) {
    return 1.0 / fCos(x);
}
double fCosecRaw(double x) {
    return 1.0 / fSin(x);
}
double fCotRaw(double x) {
    return 1.0 / std::tan(x);
}
double fCosec(double x) {
    return std::fabs(x) <= 0.000000001 ? 1000000.0 : fCosecRaw(x);
}
double fCot(double x) {
    return std::fabs(x) <= 0.000000001 ? 100000.0 : fCotRaw(x);
}

double sq(double v) {
    return store(static_cast<Extended>(v) * v);
}
double cube(double v) {
    return store(static_cast<Extended>(v) * v * v);
}

template <double (*F)(double)> double squared(double x) {
    return sq(F(x));
}
template <double (*F)(double)> double cubed(double x) {
    return cube(F(x));
}
template <double (*F)(double)> double inDegrees(double x) {
    return F(x * Pi / 180.0);
}
template <double (*F)(double)> double toDegrees(double x) {
    return F(x) * 180.0 / Pi;
}

double fArcsin(double x) {
    return std::atan2(x, std::sqrt(1.0 - x * x));
}
double fArccos(double x) {
    return std::atan2(std::sqrt(1.0 - x * x), x);
}
double fArctan(double x) {
    return std::atan(x);
}
double fArccot(double x) {
    return std::atan(1.0 / x);
}
double fArcsec(double x) {
    return fArccos(1.0 / x);
}
double fArccosec(double x) {
    return fArcsin(1.0 / x);
}

// Hyperbolic functions work in extended precision. All of them fail with an overflow exactly where
// SINH and COSH leave the double range, (e⁺ + e⁻)/2 > DBL_MAX, so that a formula mixing them never
// gets a value from TANH(800) beside an overflow from SINH(800), nor an invalid operation from
// TANH's inf/inf where e⁺ leaves even the extended range. After the overflow the value returned
// does not matter: the raised flag ends the evaluation.
struct ExpPair {
    Extended plus, minus;
};
std::optional<ExpPair> expPair(double x) {
    Extended plus = std::exp(static_cast<Extended>(x));
    Extended minus = std::exp(-static_cast<Extended>(x));
    if ((plus + minus) * 0.5L > static_cast<Extended>(DBL_MAX)) {
        fpstatus::raise(fpstatus::Overflow);
        return std::nullopt;
    }
    return ExpPair{plus, minus};
}
double fSinh(double x) {
    auto e = expPair(x);
    return e ? store((e->plus - e->minus) * 0.5L) : 0.0;
}
double fCosh(double x) {
    auto e = expPair(x);
    return e ? store((e->plus + e->minus) * 0.5L) : 0.0;
}
double fTanh(double x) {
    auto e = expPair(x);
    return e ? store(arith::div(e->plus - e->minus, e->plus + e->minus)) : 0.0;
}
double fCoth(double x) {
    auto e = expPair(x);
    return e ? store(arith::div(e->plus + e->minus, e->plus - e->minus)) : 0.0;
}
double fSech(double x) {
    auto e = expPair(x);
    return e ? store(arith::div(2, e->plus + e->minus)) : 0.0;
}
double fCosech(double x) {
    auto e = expPair(x);
    return e ? store(arith::div(2, e->plus - e->minus)) : 0.0;
}

double fArcsinh(double x) {
    Extended v = x;
    return store(arith::lnX(v + arith::sqrtX(v * v + 1)));
}
double fArccosh(double x) {
    Extended v = x;
    return store(arith::lnX(v + arith::sqrtX(v * v - 1)));
}
double fArctanh(double x) {
    Extended v = x;
    return store(0.5L * arith::lnX(arith::div(v + 1, 1 - v)));
}
double fArcsech(double x) {
    Extended r = arith::div(1, x);
    return store(arith::lnX(r + arith::sqrtX(r * r - 1)));
}
double fArccosech(double x) {
    Extended r = arith::div(1, x);
    return store(arith::lnX(r + arith::sqrtX(r * r + 1)));
}
double fArccoth(double x) {
    Extended r = arith::div(1, x);
    return store(0.5L * arith::lnX(arith::div(r + 1, 1 - r)));
}

double fExp(double x) {
    return std::exp(x);
}
double fLn(double x) {
    return std::log(x);
}
double fLog(double x) {
    return x > 0 ? std::log10(x) : -200000.0;
}
double fLog2(double x) {
    return x > 0 ? std::log2(x) : -200000.0;
}
double fSqrt(double x) {
    return std::sqrt(x);
}
double fSqr(double x) {
    return x * x;
}

// INT keeps the historic quirk: one less for every negative argument, whole or not.
double fInt(double x) {
    double t = arith::trunc32(x);
    return x < 0 ? t - 1.0 : t;
}
double fCeil(double x) {
    double frac = x - std::trunc(x);
    return frac > 0 ? std::trunc(x + 1.0) : std::trunc(x);
}
double fFloor(double x) {
    double frac = x - std::trunc(x);
    return frac < 0 ? std::trunc(x - 1.0) : std::trunc(x);
}
double fAbs(double x) {
    return std::fabs(x);
}
double fHeav(double x) {
    return x >= 0 ? 1.0 : 0.0;
}
double fSign(double x) {
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}
double fZero(double x) {
    return x == 0 ? 0.0 : 1.0;
}

double fBlanc(double x) {
    double u = x, sum = 0.0, weight = 1.0;
    for (int i = 0; i < 50; ++i) {
        u = u - std::trunc(u < 0 ? u - 1.0 : u);
        double d = u < 0.5 ? u : 1.0 - u;
        sum += d * weight;
        weight *= 0.5;
        u = 2.0 * u;
    }
    return sum;
}
double fPh(double x) {
    volatile double t = x * Pi / 2.0; // stored as a double before rounding
    double n = std::nearbyint(t);
    return (t - n) * 2.0 * Pi;
}

template <double (*F)(double)> void unary(const OperationRecord& op) {
    *op.result = F(*op.first);
}

// ---- routines that reach the program ---------------------------------------------------------------

double uniform(TParserContext& ctx) {
    return std::generate_canonical<double, 53>(ctx.random);
}
void rRnd(const OperationRecord& op) {
    *op.result = std::trunc(*op.first) * uniform(*op.context);
}
void rRandom(const OperationRecord& op) {
    *op.result = uniform(*op.context);
}
void rDiff(const OperationRecord& op) {
    op.context->DerivativeMarker = true;
    *op.result = *op.first;
}
void rInteg(const OperationRecord& op) {
    op.context->IntegralMarker = true;
    *op.result = *op.first;
}
void rInv(const OperationRecord& op) {
    op.context->InverseMarker = true;
    *op.result = *op.first;
}

void rUserFunction(const OperationRecord& op) {
    TParserContext& ctx = *op.context;
    *op.result = 0.0;
    // An earlier step has already failed: leave the report to the caller's check, which finds that
    // step first, instead of letting the inner evaluation clear its status.
    if (fpstatus::raised()) return;
    TParser* p = ctx.UserFunctionParser[static_cast<std::size_t>(op.aux)];
    if (p == nullptr) return;
    if (ctx.userFunctionDepth >= MaxUserFunctionDepth)
        throw ERecursiveFunction(std::string("User function ") + static_cast<char>('F' + op.aux) +
                                 " calls itself");
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } guard(ctx.userFunctionDepth);
    if (ctx.CartesianMode)
        p->X = *op.first;
    else
        p->T = *op.first;
    *op.result = static_cast<double>(p->Value());
}

// ---- two-argument functions ------------------------------------------------------------------------

double fMax(double a, double b) {
    return a >= b ? a : b;
}
double fMin(double a, double b) {
    return a >= b ? b : a;
}
template <double (*F)(double, double)> void binary(const OperationRecord& op) {
    *op.result = F(*op.first, *op.second);
}
void bPower(const OperationRecord& op) {
    *op.result = store(arith::realPower(*op.first, *op.second));
}
void bIntPower(const OperationRecord& op) {
    std::int32_t n = arith::trunc32(*op.second);
    *op.result = store(arith::intPower(*op.first, n));
}
double fLogN(double a, double b) {
    return a > 0 ? std::log2(b) / std::log2(a) : 2000.0;
}
void bArg(const OperationRecord& op) {
    double a = *op.first, b = *op.second;
    if (a < 0)
        *op.result = std::atan(b / a) + Pi;
    else if (a > 0)
        *op.result = std::atan(b / a);
    else
        *op.result = b > 0 ? Pi / 2 : -Pi / 2;
}

#define U(NAME, F)                                                                                           \
    FunctionEntry {                                                                                          \
        NAME, 1, &unary<F>                                                                                   \
    }
// A function whose double value may run unchecked: from a finite argument it raises an error flag
// only with a result that is not finite. The others (those that raise a flag themselves and return
// a finite stand-in, or whose inner overflow a later step can hide, like ARCCOT's atan(1/0) or a
// degree form's x*pi/180) always run checked.
#define S(NAME, F)                                                                                           \
    FunctionEntry {                                                                                          \
        NAME, 1, &unary<F>, 0, F                                                                             \
    }
// S with the code of a function the unchecked run calls directly.
#define SF(NAME, F, CODE)                                                                                    \
    FunctionEntry {                                                                                          \
        NAME, 1, &unary<F>, 0, F, nullptr, CODE                                                              \
    }
#define S2(NAME, F)                                                                                          \
    FunctionEntry {                                                                                          \
        NAME, 2, &binary<F>, 0, nullptr, F                                                                   \
    }
// The radian function, its "RAD" form (argument in degrees) and, where it exists, nothing else.
#define TRIG(NAME, F) S(NAME, F), U(NAME "RAD", inDegrees<F>)
// The square and the cube of a circular function, each with its "RAD" form.
#define TRIG_POWERS(NAME, F) TRIG(NAME "SQ", squared<F>), TRIG(NAME "CUBE", cubed<F>)
// An inverse circular function and its degree form ("DEGA..."), checked (S) or not (U).
#define ARC(KIND, NAME, F) KIND("ARC" NAME, F), KIND("DEGA" NAME, toDegrees<F>)
// A hyperbolic function with its square and its cube.
#define HYPERBOLIC(NAME, F) U(NAME, F), U(NAME "SQ", squared<F>), U(NAME "CUBE", cubed<F>)

const FunctionEntry Table[] = {
    SF("SIN", fSin, FastSin),
    U("SINRAD", inDegrees<fSin>),
    SF("COS", fCos, FastCos),
    U("COSRAD", inDegrees<fCos>),
    TRIG("TAN", fTan),
    TRIG("SEC", fSec),
    S("COSEC", fCosec),
    U("COSECRAD", inDegrees<fCosecRaw>),
    S("COT", fCot),
    U("COTRAD", inDegrees<fCotRaw>),
    TRIG_POWERS("SIN", fSin),
    TRIG_POWERS("COS", fCos),
    TRIG_POWERS("TAN", fTan),
    TRIG_POWERS("SEC", fSec),
    TRIG_POWERS("COSEC", fCosecRaw),
    TRIG_POWERS("COT", fCotRaw),

    ARC(S, "SIN", fArcsin),
    ARC(S, "COS", fArccos),
    ARC(S, "TAN", fArctan),
    ARC(U, "COT", fArccot),
    ARC(U, "SEC", fArcsec),
    ARC(U, "COSEC", fArccosec),

    HYPERBOLIC("SINH", fSinh),
    HYPERBOLIC("COSH", fCosh),
    HYPERBOLIC("TANH", fTanh),
    HYPERBOLIC("COTH", fCoth),
    HYPERBOLIC("SECH", fSech),
    HYPERBOLIC("COSECH", fCosech),

    U("ARCSINH", fArcsinh),
    U("ARCCOSH", fArccosh),
    U("ARCTANH", fArctanh),
    U("ARCSECH", fArcsech),
    U("ARCCOSECH", fArccosech),
    U("ARCCOTH", fArccoth),

    SF("EXP", fExp, FastExp),
    S("LN", fLn),
    S("LOG", fLog),
    S("LOG2", fLog2),
    SF("SQRT", fSqrt, FastSqrt),
    S("SQR", fSqr),

    U("INT", fInt),
    U("TRUNC", fInt),
    S("CEIL", fCeil),
    S("FLOOR", fFloor),
    SF("ABS", fAbs, FastAbs),
    S("HEAV", fHeav),
    S("SIGN", fSign),
    S("ZERO", fZero),

    S("BLANC", fBlanc),
    S("PH", fPh),
    FunctionEntry{"RND", 1, &rRnd},
    FunctionEntry{"RANDOM", 1, &rRandom},
    FunctionEntry{"DIFF", 1, &rDiff},
    FunctionEntry{"INTEG", 1, &rInteg},
    FunctionEntry{"INV", 1, &rInv},
    FunctionEntry{"F", 1, &rUserFunction, 0},
    FunctionEntry{"G", 1, &rUserFunction, 1},
    FunctionEntry{"H", 1, &rUserFunction, 2},
    FunctionEntry{"I", 1, &rUserFunction, 3},
    FunctionEntry{"J", 1, &rUserFunction, 4},
    FunctionEntry{"K", 1, &rUserFunction, 5},
    FunctionEntry{"L", 1, &rUserFunction, 6},

    S2("MAX", fMax),
    S2("MIN", fMin),
    FunctionEntry{"POWER", 2, &bPower},
    FunctionEntry{"INTPOWER", 2, &bIntPower},
    S2("LOGN", fLogN),
    FunctionEntry{"ARG", 2, &bArg},
};

#undef HYPERBOLIC
#undef ARC
#undef TRIG_POWERS
#undef TRIG
#undef S2
#undef SF
#undef S
#undef U

} // namespace

std::span<const FunctionEntry> functionTable() {
    return Table;
}

namespace {

/// An operator kind's routine and its unchecked-path code, one row a kind. DIV, MOD and the integer
/// and real powers check their own operands: they have no unchecked code.
struct OperatorEntry {
    int kind;
    Routine routine;
    FastCode fast = FastNone;
};

const OperatorEntry Operators[] = {
    {KindNegation, opNegation, FastNegation},
    {KindSum, opSum, FastSum},
    {KindDifference, opDifference, FastDifference},
    {KindProduct, opProduct, FastProduct},
    {KindQuotient, opQuotient, FastQuotient},
    {KindMod, opMod},
    {KindDiv, opDiv},
    {KindIntPower, opIntPower},
    {KindRealPower, opRealPower},
    {KindSquare, opSquare, FastSquare},
    {KindCube, opCube, FastCube},
    {KindFourth, opFourth, FastFourth},
};

const OperatorEntry* operatorEntry(int kind) {
    for (const OperatorEntry& e : Operators)
        if (e.kind == kind) return &e;
    return nullptr;
}

} // namespace

Routine operatorRoutine(int kind) {
    const OperatorEntry* e = operatorEntry(kind);
    return e ? e->routine : nullptr;
}

FastCode operatorFastCode(int kind) {
    const OperatorEntry* e = operatorEntry(kind);
    return e ? e->fast : FastNone;
}

} // namespace kurvo
