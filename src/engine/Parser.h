// The expression parser component: TCustomParser2 (build and evaluation) and TParser (variables, functions).
#pragma once

#include "Errors.h"
#include "Operation.h"
#include "ParserContext.h"

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kurvo {

using Extended = long double;

/// The error class of a failed evaluation, as the evaluations that do not throw report it; each names
/// the exception Value() raises in the same case.
enum class EvalError : std::uint8_t {
    None = 0,
    InvalidOp,         // EInvalidOp
    ZeroDivide,        // EZeroDivide
    Overflow,          // EOverflow
    DivByZero,         // EDivByZero
    RecursiveFunction, // ERecursiveFunction
};

/// The class name of an error ("EInvalidOp"), or "" for EvalError::None.
const char* errorClassName(EvalError e);

/// One evaluation's outcome: the value (0 after an error) or the error class.
struct EvalResult {
    double value = 0;
    EvalError error = EvalError::None;
    bool ok() const { return error == EvalError::None; }
};

class TCustomParser2;
using TParserExceptionEvent = std::function<void(TCustomParser2& sender, const EMathParserError& e)>;

/// Checks an expression in evaluator syntax against the grammar, builds it into an operation list
/// once, and evaluates that list as often as the caller likes.
class TCustomParser2 {
  public:
    explicit TCustomParser2(TParserContext* context);
    virtual ~TCustomParser2();
    TCustomParser2(const TCustomParser2&) = delete;
    TCustomParser2& operator=(const TCustomParser2&) = delete;

    /// The last expression assigned, exactly as assigned.
    const std::string& Expression() const { return expression_; }
    /// Parses: releases the old list, then builds the new one. An empty text leaves no list.
    /// Raises an EMathParserError (unless OnParserError is set) and then holds no list.
    void setExpression(const std::string& text);

    /// Runs the operation list and returns its result (0 without a list). Raises the arithmetic
    /// errors (EMathError family) of the first step that fails.
    Extended Value() {
        if (root_ != nullptr) {
            const double r = root_->eval(*root_);
            if (r - r == 0) return r;
        }
        return throwingCheckedValue();
    }
    /// Value() without exceptions: the same value, or the class of the error Value() would raise.
    EvalResult TryValue() {
        if (root_ != nullptr) {
            const double r = root_->eval(*root_);
            if (r - r == 0) return EvalResult{r, EvalError::None};
        }
        return CheckedValue();
    }
    /// r's value; when r failed, the error Value() raises where r was evaluated: the variables
    /// must be as they were then, and Value() runs again to throw the error with its message.
    Extended valueOf(const EvalResult& r) { return r.ok() ? r.value : Value(); }
    /// TryValue() for each x in xs with `variable` (one of this parser's variable fields) set to x;
    /// out[i] is exactly what TryValue() gives at xs[i]. `variable` holds the last x afterwards.
    /// out must hold at least xs.size() results.
    void Values(double& variable, std::span<const double> xs, std::span<EvalResult> out);
    /// TryValue() that always runs the steps with the status register checked: the reference
    /// every faster run must match, value for value and error for error.
    EvalResult CheckedValue();

    bool hasOperationList() const { return hasList_; }
    /// Number of evaluation steps in the list (a lone variable or literal has none).
    std::size_t stepCount() const { return ops_.size(); }
    /// The steps in evaluation order, for inspection.
    const std::vector<OperationRecord>& operations() const { return ops_; }

    bool PascalNumberformat = true;
    TParserExceptionEvent OnParserError;

    TParserContext& context() const { return *context_; }

    /// Address of a variable's field, or null.
    const double* variableAddress(std::string_view name) const;
    /// The function entry of a one- or two-argument function, or null.
    const struct FunctionEntry* unaryFunction(std::string_view name) const;
    const struct FunctionEntry* binaryFunction(std::string_view name) const;

  protected:
    void setContext(TParserContext* context) { context_ = context; }
    void addVariable(const std::string& name, double* address);
    void addFunction(const struct FunctionEntry& entry);

  private:
    [[noreturn]] void locateError();
    unsigned firstFailure();
    [[gnu::noinline]] Extended throwingCheckedValue();
    void prepareUncheckedRun();
    void release();

    TParserContext* context_;
    std::string expression_;
    std::map<std::string, double*, std::less<>> variableTable_;
    std::map<std::string, const FunctionEntry*, std::less<>> unaryFunctionTable_;
    std::map<std::string, const FunctionEntry*, std::less<>> binaryFunctionTable_;

    bool hasList_ = false;
    std::vector<OperationRecord> ops_;
    std::vector<double> cells_; // constant and result cells; never resized while a list exists
    const double* result_ = nullptr;

    // The unchecked double run (see FastCode): possible when every step has a code and every literal
    // is finite. Rows run it a block of values at a time in slots: one per cell, then one per variable.
    bool unchecked_ = false;
    std::vector<const double*> variablesRead_;
    struct Slots {
        int first, second, result;
    };
    std::vector<UncheckedNode> nodes_; // the last is the root
    const UncheckedNode* root_ = nullptr; // the root while the unchecked run is possible
    std::vector<Slots> slots_;
    std::vector<int> checkedSlots_; // a row's operands that can hide a value that is not finite
    std::vector<double> rowScratch_;

    friend class OperationListBuilder;
};

/// The parser the program uses: nineteen variables (every letter but F..L, which name the user
/// functions) and the whole function vocabulary.
class TParser : public TCustomParser2 {
  public:
    /// A parser sharing the program's context (markers, user functions, mode).
    explicit TParser(TParserContext& context);
    /// A stand-alone parser with a context of its own.
    TParser();

    double A = 0, B = 0, C = 0, D = 0, E = 0, M = 0, N = 0, O = 0, P = 0, Q = 0, R = 0, S = 0, T = 0, U = 0,
           V = 0, W = 0, X = 0, Y = 0, Z = 0;

    /// The field of a variable letter (either case); null for F..L and anything that is no variable.
    double* variable(char letter);

  private:
    void registerAll();
    std::unique_ptr<TParserContext> ownContext_;
};

} // namespace kurvo
