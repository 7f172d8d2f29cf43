// The vocabulary of named functions: one declaration from which every parser fills its tables.
#pragma once

#include "Operation.h"

#include <span>
#include <string_view>

namespace kurvo {

struct FunctionEntry {
    std::string_view name; // upper case
    int arity;             // 1 or 2
    Routine routine;
    int aux = 0; // user-function letter index
    /// Set for the functions whose double value is safe on the unchecked path (see FastCode).
    Plain1 plain1 = nullptr;
    Plain2 plain2 = nullptr;
    /// The unchecked-path code of a function called directly (FastSin ...); FastNone for plain1/plain2.
    FastCode fast = FastNone;
};

/// Every built-in function, user function and marker, one- and two-argument alike.
std::span<const FunctionEntry> functionTable();

/// Routines of the operator kinds 2..13 (negation to fourth power); null for the other kinds.
Routine operatorRoutine(int kind);
/// The unchecked-path code of the operator kinds that have one; FastNone for the others.
FastCode operatorFastCode(int kind);

} // namespace kurvo
