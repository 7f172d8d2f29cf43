// One evaluation step of an operation list.
#pragma once

#include <cstdint>

namespace kurvo {

struct TParserContext;
struct OperationRecord;

using Routine = void (*)(const OperationRecord&);
/// The plain arithmetic of a one- or two-argument function, without status checks of its own.
using Plain1 = double (*)(double);
using Plain2 = double (*)(double, double);

/// How a step runs on the unchecked double path. Every code computes exactly its routine's double,
/// and from finite operands raises an error flag only where its result is not finite, so a run whose
/// operands and results all stay finite cannot have failed. FastNone: the step needs the checked run.
enum FastCode : std::uint8_t {
    FastNone = 0,
    FastNegation,
    FastSum,
    FastDifference,
    FastProduct,
    FastQuotient,
    FastSquare,
    FastCube,
    FastFourth,
    FastCall1,
    FastCall2,
    // Functions common enough to be called directly instead of through plain1. SQRT and ABS are
    // computed inline and need no guard for their argument: neither turns a value that is not finite
    // into a finite one.
    FastSin,
    FastCos,
    FastExp,
    FastSqrt,
    FastAbs,
};

/// Whether a code calls a one-argument function (its plain1, or one it names).
constexpr bool isCall1Code(std::uint8_t code) {
    return code == FastCall1 || (code >= FastSin && code <= FastAbs);
}

/// A step reads its operand cells and writes its result cell; steps run in list order.
struct OperationRecord {
    Routine routine = nullptr;
    const double* first = nullptr;
    const double* second = nullptr;
    double* result = nullptr;
    TParserContext* context = nullptr; // for the routines that reach program state
    int aux = 0;                       // user-function letter index
    std::uint8_t kind = 0;
    std::uint8_t fast = FastNone;
    Plain1 plain1 = nullptr; // FastCall1 and the named functions
    Plain2 plain2 = nullptr; // FastCall2
};

/// A step of the unchecked double run as a tree node: it evaluates its operands (a child node, or a
/// variable or literal read in place) and returns its value, without cells in between.
struct UncheckedNode {
    double (*eval)(const UncheckedNode&) = nullptr;
    const double* a = nullptr; // operands read in place
    const double* b = nullptr;
    const UncheckedNode* childA = nullptr; // operands computed by other nodes
    const UncheckedNode* childB = nullptr;
    Plain1 plain1 = nullptr;
    Plain2 plain2 = nullptr;
    std::uint8_t code = FastNone;
    bool leafOperands = false; // both operands read in place: a parent may compute it inline
};

/// The term kinds of the build; their numbers fix the routine a step gets.
enum TermKind : std::uint8_t {
    KindVariable = 0,
    KindNumber = 1,
    KindNegation = 2,
    KindSum = 3,
    KindDifference = 4,
    KindProduct = 5,
    KindQuotient = 6,
    KindMod = 7,
    KindDiv = 8,
    KindIntPower = 9,
    KindRealPower = 10,
    KindSquare = 11,
    KindCube = 12,
    KindFourth = 13,
    KindCall1 = 14,
    KindCall2 = 15,
};

inline bool isTwoOperandKind(int kind) {
    return (kind >= KindSum && kind <= KindRealPower) || kind == KindCall2;
}

} // namespace kurvo
