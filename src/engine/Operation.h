// One evaluation step of an operation list.
#pragma once

#include <cstdint>

namespace kurvo {

struct TParserContext;
struct OperationRecord;

using Routine = void (*)(const OperationRecord&);

/// A step reads its operand cells and writes its result cell; steps run in list order.
struct OperationRecord {
    Routine routine = nullptr;
    const double* first = nullptr;
    const double* second = nullptr;
    double* result = nullptr;
    TParserContext* context = nullptr; // for the routines that reach program state
    int aux = 0;                       // user-function letter index
    std::uint8_t kind = 0;
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
