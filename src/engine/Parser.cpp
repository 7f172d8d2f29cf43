// TCustomParser2 and TParser: text preparation, the build into an operation list, and evaluation.
#include "AsciiCase.h"
#include "Parser.h"

#include "Arithmetic.h"
#include "FloatStatus.h"
#include "FunctionTable.h"
#include "Grammar.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kurvo {

namespace {
constexpr int MaxLevel = 20;     // levels 1..20 hold steps; level 0 receives the result
constexpr int MaxPositions = 50; // steps per level

} // namespace

// ---- build -----------------------------------------------------------------------------------------

/// Turns a prepared text into steps level by level, then links them deepest level first.
/// Terms are visited depth first, first operand before second, so positions within a level are
/// numbered in that order and a two-operand step's children share its position one level down.
class OperationListBuilder {
  public:
    OperationListBuilder(TCustomParser2& parser, ExpressionGrammar& grammar)
        : parser_(parser), grammar_(grammar) {}

    void build(Span root) {
        Operand r = buildTerm(root, 0);
        link(r);
    }

  private:
    struct Operand {
        const double* variable = nullptr;
        int cell = -1;
    };
    struct Step {
        OperationRecord record;
        Operand first, second;
        int resultCell = -1;
        int level = 0, position = 0;
    };

    int newCell(double v) {
        cellValues_.push_back(v);
        return static_cast<int>(cellValues_.size()) - 1;
    }

    Operand buildTerm(Span text, int level) {
        TermShape shape;
        std::string lastLeft, lastRight;
        if (!grammar_.classify(text, shape, lastLeft, lastRight)) {
            std::string message = std::string(msg::SyntaxError) + '\r';
            if (lastLeft != " " || lastRight != " ")
                message += lastLeft + '\r' + lastRight;
            else
                message += grammar_.str(text);
            throw ESyntaxError(message);
        }
        if (shape.kind == KindVariable) return Operand{shape.variable, -1};
        if (shape.kind == KindNumber) return Operand{nullptr, newCell(shape.number)};

        int L = level + 1;
        if (L > MaxLevel) throw ETooManyNestings(msg::TooManyNestings);
        int P = counts_[static_cast<std::size_t>(L)] + 1;
        if (P > MaxPositions) throw EExpressionTooComplex(msg::TooComplex);
        deepest_ = std::max(deepest_, L);

        std::size_t index = steps_.size();
        Step step;
        step.level = L;
        step.position = P;
        step.record.kind = static_cast<std::uint8_t>(shape.kind);
        step.record.context = &parser_.context();
        if (shape.function) {
            step.record.routine = shape.function->routine;
            step.record.aux = shape.function->aux;
            step.record.plain1 = shape.function->plain1;
            step.record.plain2 = shape.function->plain2;
            step.record.fast = shape.function->fast     ? shape.function->fast
                               : shape.function->plain1 ? FastCall1
                               : shape.function->plain2 ? FastCall2
                                                        : FastNone;
        } else {
            step.record.routine = operatorRoutine(shape.kind);
            step.record.fast = operatorFastCode(shape.kind);
        }
        step.resultCell = newCell(0.0);
        steps_.push_back(step);

        bool twoOperands = shape.hasRight;
        if (!twoOperands) ++counts_[static_cast<std::size_t>(L)];
        Operand first = buildTerm(shape.left, L);
        steps_[index].first = first;
        if (twoOperands) {
            ++counts_[static_cast<std::size_t>(L)];
            Operand second = buildTerm(shape.right, L);
            steps_[index].second = second;
        }
        return Operand{nullptr, steps_[index].resultCell};
    }

    void link(Operand root) {
        auto& cells = parser_.cells_;
        cells = cellValues_; // sized once: the addresses below stay valid for the list's life
        auto address = [&](Operand o) -> const double* {
            if (o.variable) return o.variable;
            if (o.cell >= 0) return &cells[static_cast<std::size_t>(o.cell)];
            return nullptr;
        };
        if (deepest_ == 0) {
            parser_.result_ = address(root);
        } else {
            std::stable_sort(steps_.begin(), steps_.end(), [](const Step& a, const Step& b) {
                return a.level != b.level ? a.level > b.level : a.position < b.position;
            });
            parser_.ops_.reserve(steps_.size());
            for (Step& s : steps_) {
                s.record.first = address(s.first);
                s.record.second = address(s.second);
                s.record.result = &cells[static_cast<std::size_t>(s.resultCell)];
                parser_.ops_.push_back(s.record);
            }
            parser_.result_ = parser_.ops_.back().result;
        }
        parser_.hasList_ = true;
        parser_.prepareUncheckedRun();
    }

    TCustomParser2& parser_;
    ExpressionGrammar& grammar_;
    std::vector<Step> steps_;
    std::vector<double> cellValues_;
    std::array<int, MaxLevel + 2> counts_{};
    int deepest_ = 0;
};

// ---- TCustomParser2 --------------------------------------------------------------------------------

TCustomParser2::TCustomParser2(TParserContext* context) : context_(context) {}
TCustomParser2::~TCustomParser2() = default;

void TCustomParser2::release() {
    hasList_ = false;
    ops_.clear();
    cells_.clear();
    result_ = nullptr;
    unchecked_ = false;
    root_ = nullptr;
    variablesRead_.clear();
    slots_.clear();
    checkedSlots_.clear();
    nodes_.clear();
}

namespace {
using NodeEval = double (*)(const UncheckedNode&);
enum OperandSource : int;
NodeEval nodeEvalFor(std::uint8_t code, OperandSource a, OperandSource b);
OperandSource sourceOf(const UncheckedNode* child);
} // namespace

void TCustomParser2::prepareUncheckedRun() {
    if (ops_.empty()) return;
    for (const OperationRecord& op : ops_)
        if (op.fast == FastNone) return;
    std::vector<bool> isResult(cells_.size(), false);
    for (const OperationRecord& op : ops_)
        isResult[static_cast<std::size_t>(op.result - cells_.data())] = true;
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if (!isResult[i] && !std::isfinite(cells_[i])) return;
    auto slot = [&](const double* p) -> int {
        if (p == nullptr) return -1;
        if (p >= cells_.data() && p < cells_.data() + cells_.size()) return static_cast<int>(p - cells_.data());
        auto it = std::find(variablesRead_.begin(), variablesRead_.end(), p);
        if (it == variablesRead_.end()) it = variablesRead_.insert(it, p);
        return static_cast<int>(cells_.size()) + static_cast<int>(it - variablesRead_.begin());
    };
    for (const OperationRecord& op : ops_)
        slots_.push_back(Slots{slot(op.first), slot(op.second), slot(op.result)});
    // A row checks the operands that can hide a value that is not finite, and the final result;
    // each cell feeds exactly one step, so any value that is not finite reaches one of them.
    for (std::size_t k = 0; k < ops_.size(); ++k) {
        const std::uint8_t code = ops_[k].fast;
        if (code == FastQuotient) checkedSlots_.push_back(slots_[k].second);
        if (isCall1Code(code) || code == FastCall2) checkedSlots_.push_back(slots_[k].first);
        if (code == FastCall2) checkedSlots_.push_back(slots_[k].second);
    }
    checkedSlots_.push_back(slots_.back().result);

    // Steps come deepest first, so every operand's node precedes its consumer's.
    nodes_.assign(ops_.size(), UncheckedNode{});
    std::vector<int> producerOf(cells_.size(), -1);
    for (std::size_t k = 0; k < ops_.size(); ++k)
        producerOf[static_cast<std::size_t>(slots_[k].result)] = static_cast<int>(k);
    auto producer = [&](const double* p) -> const UncheckedNode* {
        if (p == nullptr || p < cells_.data() || p >= cells_.data() + cells_.size()) return nullptr;
        const int k = producerOf[static_cast<std::size_t>(p - cells_.data())];
        return k < 0 ? nullptr : &nodes_[static_cast<std::size_t>(k)];
    };
    for (std::size_t k = 0; k < ops_.size(); ++k) {
        const OperationRecord& op = ops_[k];
        UncheckedNode& n = nodes_[k];
        n.childA = producer(op.first);
        n.childB = producer(op.second);
        n.a = n.childA ? nullptr : op.first;
        n.b = n.childB ? nullptr : op.second;
        n.plain1 = op.plain1;
        n.plain2 = op.plain2;
        n.code = op.fast;
        n.leafOperands = n.childA == nullptr && n.childB == nullptr;
        n.eval = nodeEvalFor(op.fast, sourceOf(n.childA), sourceOf(n.childB));
    }
    unchecked_ = true;
    root_ = &nodes_.back();
}

void TCustomParser2::setExpression(const std::string& text) {
    release();
    expression_ = text;
    if (text.empty()) return;
    try {
        std::string s = asciiUpper(text);
        auto first = s.find_first_not_of(' ');
        if (first == std::string::npos) {
            s.clear();
        } else {
            s = s.substr(first, s.find_last_not_of(' ') - first + 1);
        }
        if (s.find(' ') != std::string::npos) throw EExpressionHasBlanks(msg::HasBlanks);
        if (std::count(s.begin(), s.end(), '(') != std::count(s.begin(), s.end(), ')'))
            throw EMissMatchingBracket(msg::MissingBrackets);
        if (s.empty()) throw ESyntaxError(std::string(msg::SyntaxError) + '\r');
        ExpressionGrammar grammar(s, *this);
        Span root = grammar.dropBrackets(Span{0, static_cast<int>(s.size())});
        OperationListBuilder builder(*this, grammar);
        builder.build(root);
    } catch (const EMathParserError& e) {
        release();
        if (OnParserError) {
            OnParserError(*this, e);
            return;
        }
        throw;
    } catch (...) {
        release();
        throw;
    }
}

// Reading the status register waits for every pending floating-point operation and costs more than
// a short formula, so a formula whose steps all have an unchecked code first runs without it: the
// same double operations as a tree of nodes (see UncheckedNode), whose value is finite exactly when
// every variable read and every step result was finite. Every FastCode raises an error flag from
// finite operands only with a result that is not finite, so a finite value proves that no step
// failed and is the checked run's value. Anything else sends the evaluation to the checked run, which
// finds the error (or the value) as before.
//
// A value that is not finite makes the result of a sum, difference, product, negation or power, and
// of a quotient as its dividend, not finite as well. A quotient's divisor and a function's arguments
// can hide it (x/inf is 0, ATAN(inf) finite), so those steps subtract v - v for each such operand v:
// 0 when v is finite, which leaves every result unchanged (r - 0 is r, -0 included), and NaN
// otherwise, which then reaches the root.
namespace {

// A node's operand: read in place, computed by a child node's call, or computed inline from a child
// whose operands are read in place (leaf) or are leaves themselves (shallow): a switch instead of a
// call. A sum or product of a value read in place and a deeper child (a step of Horner's scheme,
// a + x*(...)) is computed inline around the call of that child: one call per two steps.
enum OperandSource : int { Leaf, Child, LeafChild, ShallowChild, LeafPlusChild, LeafTimesChild };

OperandSource sourceOf(const UncheckedNode* child) {
    if (child == nullptr) return Leaf;
    if (child->leafOperands) return LeafChild;
    const bool shallowA = child->childA == nullptr || child->childA->leafOperands;
    const bool shallowB = child->childB == nullptr || child->childB->leafOperands;
    if (shallowA && shallowB) return ShallowChild;
    if (child->childA == nullptr && child->childB != nullptr) {
        if (child->code == FastSum) return LeafPlusChild;
        if (child->code == FastProduct) return LeafTimesChild;
    }
    return Child;
}

// The square root as one instruction: its value is sqrt's, and a negative argument gives NaN,
// which sends the evaluation to the checked run, so errno never matters here.
inline double sqrtUnchecked(double a) {
#if defined(__SSE2__)
    return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_setzero_pd(), _mm_set_sd(a)));
#else
    return std::sqrt(a);
#endif
}

template <FastCode C> [[gnu::always_inline]] inline double apply(const UncheckedNode& n, double a, double b) {
    if constexpr (C == FastNegation) {
        return -a;
    } else if constexpr (C == FastSquare) {
        return a * a;
    } else if constexpr (C == FastCube) {
        return a * a * a;
    } else if constexpr (C == FastFourth) {
        const double s = a * a;
        return s * s;
    } else if constexpr (C == FastCall1) {
        return n.plain1(a) - (a - a);
    } else if constexpr (C == FastSin) {
        return arith::sine(a) - (a - a);
    } else if constexpr (C == FastCos) {
        return arith::cosine(a) - (a - a);
    } else if constexpr (C == FastExp) {
        return std::exp(a) - (a - a);
    } else if constexpr (C == FastSqrt) {
        return sqrtUnchecked(a);
    } else if constexpr (C == FastAbs) {
        return std::fabs(a);
    } else if constexpr (C == FastSum) {
        return a + b;
    } else if constexpr (C == FastDifference) {
        return a - b;
    } else if constexpr (C == FastProduct) {
        return a * b;
    } else if constexpr (C == FastQuotient) {
        return a / b - (b - b);
    } else {
        return n.plain2(a, b) - (a - a) - (b - b);
    }
}

inline bool twoOperands(std::uint8_t code) {
    return code == FastSum || code == FastDifference || code == FastProduct || code == FastQuotient ||
           code == FastCall2;
}

/// A node's step on operands already computed, chosen at run time.
[[gnu::always_inline]] inline double applyCode(const UncheckedNode& n, double a, double b) {
    switch (n.code) {
    case FastNegation:
        return apply<FastNegation>(n, a, b);
    case FastSum:
        return apply<FastSum>(n, a, b);
    case FastDifference:
        return apply<FastDifference>(n, a, b);
    case FastProduct:
        return apply<FastProduct>(n, a, b);
    case FastQuotient:
        return apply<FastQuotient>(n, a, b);
    case FastSquare:
        return apply<FastSquare>(n, a, b);
    case FastCube:
        return apply<FastCube>(n, a, b);
    case FastFourth:
        return apply<FastFourth>(n, a, b);
    case FastCall1:
        return apply<FastCall1>(n, a, b);
    case FastSin:
        return apply<FastSin>(n, a, b);
    case FastCos:
        return apply<FastCos>(n, a, b);
    case FastExp:
        return apply<FastExp>(n, a, b);
    case FastSqrt:
        return apply<FastSqrt>(n, a, b);
    case FastAbs:
        return apply<FastAbs>(n, a, b);
    default:
        return apply<FastCall2>(n, a, b);
    }
}

/// A node whose operands are read in place.
[[gnu::always_inline]] inline double leafNode(const UncheckedNode& n) {
    return applyCode(n, *n.a, twoOperands(n.code) ? *n.b : 0.0);
}

/// A node whose operands are each read in place or computed by a leaf node.
[[gnu::always_inline]] inline double shallowNode(const UncheckedNode& n) {
    const double a = n.childA ? leafNode(*n.childA) : *n.a;
    const double b = !twoOperands(n.code) ? 0.0 : n.childB ? leafNode(*n.childB) : *n.b;
    return applyCode(n, a, b);
}

template <OperandSource S> [[gnu::always_inline]] inline double operand(const double* p, const UncheckedNode* child) {
    if constexpr (S == Leaf)
        return *p;
    else if constexpr (S == Child)
        return child->eval(*child);
    else if constexpr (S == LeafChild)
        return leafNode(*child);
    else if constexpr (S == ShallowChild)
        return shallowNode(*child);
    else {
        // the deeper child first: the value read in place need not survive its call
        const double b = child->childB->eval(*child->childB);
        if constexpr (S == LeafPlusChild)
            return *child->a + b;
        else
            return *child->a * b;
    }
}

constexpr bool oneOperand(FastCode c) {
    return c == FastNegation || c == FastSquare || c == FastCube || c == FastFourth || isCall1Code(c);
}

template <FastCode C, OperandSource A, OperandSource B> double evalNode(const UncheckedNode& n) {
    if constexpr (oneOperand(C)) {
        return apply<C>(n, operand<A>(n.a, n.childA), 0.0);
    } else if constexpr (A == Leaf && B != Leaf) {
        // The operands have no side effects: computing the child first keeps the value read in
        // place out of a register that would have to survive the call.
        const double b = operand<B>(n.b, n.childB);
        return apply<C>(n, *n.a, b);
    } else {
        const double a = operand<A>(n.a, n.childA);
        return apply<C>(n, a, operand<B>(n.b, n.childB));
    }
}

template <FastCode C, OperandSource A> NodeEval nodeEval2(OperandSource b) {
    switch (b) {
    case Leaf:
        return &evalNode<C, A, Leaf>;
    case Child:
        return &evalNode<C, A, Child>;
    case LeafChild:
        return &evalNode<C, A, LeafChild>;
    case ShallowChild:
        return &evalNode<C, A, ShallowChild>;
    case LeafPlusChild:
        return &evalNode<C, A, LeafPlusChild>;
    default:
        return &evalNode<C, A, LeafTimesChild>;
    }
}

template <FastCode C> NodeEval nodeEval(OperandSource a, OperandSource b) {
    switch (a) {
    case Leaf:
        return nodeEval2<C, Leaf>(b);
    case Child:
        return nodeEval2<C, Child>(b);
    case LeafChild:
        return nodeEval2<C, LeafChild>(b);
    case ShallowChild:
        return nodeEval2<C, ShallowChild>(b);
    case LeafPlusChild:
        return nodeEval2<C, LeafPlusChild>(b);
    default:
        return nodeEval2<C, LeafTimesChild>(b);
    }
}

NodeEval nodeEvalFor(std::uint8_t code, OperandSource a, OperandSource b) {
    switch (code) {
    case FastNegation:
        return nodeEval<FastNegation>(a, Leaf);
    case FastSum:
        return nodeEval<FastSum>(a, b);
    case FastDifference:
        return nodeEval<FastDifference>(a, b);
    case FastProduct:
        return nodeEval<FastProduct>(a, b);
    case FastQuotient:
        return nodeEval<FastQuotient>(a, b);
    case FastSquare:
        return nodeEval<FastSquare>(a, Leaf);
    case FastCube:
        return nodeEval<FastCube>(a, Leaf);
    case FastFourth:
        return nodeEval<FastFourth>(a, Leaf);
    case FastCall1:
        return nodeEval<FastCall1>(a, Leaf);
    case FastSin:
        return nodeEval<FastSin>(a, Leaf);
    case FastCos:
        return nodeEval<FastCos>(a, Leaf);
    case FastExp:
        return nodeEval<FastExp>(a, Leaf);
    case FastSqrt:
        return nodeEval<FastSqrt>(a, Leaf);
    case FastAbs:
        return nodeEval<FastAbs>(a, Leaf);
    case FastCall2:
        return nodeEval<FastCall2>(a, b);
    default:
        return nullptr;
    }
}

} // namespace

// Kept out of Value() so that the unchecked run, inline in the caller, stays a single call.
Extended TCustomParser2::throwingCheckedValue() {
    if (!hasList_) return 0;
    fpstatus::clear();
    for (const OperationRecord& op : ops_)
        op.routine(op);
    if (fpstatus::raised()) locateError();
    return *result_;
}

// The fast run only learns that some step failed; run the steps again one at a time to find the
// first that did, and raise its error, as trapping arithmetic would have.
void TCustomParser2::locateError() {
    fpstatus::throwFor(firstFailure());
}

/// The flags of the first step that fails when the steps run one at a time (an invalid operation
/// when none does).
unsigned TCustomParser2::firstFailure() {
    for (const OperationRecord& op : ops_) {
        fpstatus::clear();
        op.routine(op);
        if (unsigned f = fpstatus::raised()) return f;
    }
    return fpstatus::Invalid;
}

namespace {
EvalError errorFor(unsigned flags) {
    if (flags & fpstatus::Invalid) return EvalError::InvalidOp;
    if (flags & fpstatus::ZeroDivide) return EvalError::ZeroDivide;
    return EvalError::Overflow;
}
} // namespace

const char* errorClassName(EvalError e) {
    switch (e) {
    case EvalError::None:
        return "";
    case EvalError::InvalidOp:
        return "EInvalidOp";
    case EvalError::ZeroDivide:
        return "EZeroDivide";
    case EvalError::Overflow:
        return "EOverflow";
    case EvalError::DivByZero:
        return "EDivByZero";
    case EvalError::RecursiveFunction:
        return "ERecursiveFunction";
    }
    return "";
}

EvalResult TCustomParser2::CheckedValue() {
    if (!hasList_) return EvalResult{};
    // Steps throw only for DIV and MOD by zero, recursion, and the errors inside user functions.
    try {
        fpstatus::clear();
        for (const OperationRecord& op : ops_)
            op.routine(op);
        if (fpstatus::raised()) return EvalResult{0, errorFor(firstFailure())};
        return EvalResult{*result_, EvalError::None};
    } catch (const EInvalidOp&) {
        return EvalResult{0, EvalError::InvalidOp};
    } catch (const EZeroDivide&) {
        return EvalResult{0, EvalError::ZeroDivide};
    } catch (const EOverflow&) {
        return EvalResult{0, EvalError::Overflow};
    } catch (const EDivByZero&) {
        return EvalResult{0, EvalError::DivByZero};
    } catch (const ERecursiveFunction&) {
        return EvalResult{0, EvalError::RecursiveFunction};
    }
}

namespace {
constexpr std::size_t RowBlock = 64;

// One unchecked step over a block of n values: r = op(a, b).
inline void rowStep(const OperationRecord& op, const double* __restrict a, const double* __restrict b,
                    double* __restrict r, std::size_t n) {
    switch (op.fast) {
    case FastNegation:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = -a[i];
        break;
    case FastSum:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] + b[i];
        break;
    case FastDifference:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] - b[i];
        break;
    case FastProduct:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] * b[i];
        break;
    case FastQuotient:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] / b[i];
        break;
    case FastSquare:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] * a[i];
        break;
    case FastCube:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = a[i] * a[i] * a[i];
        break;
    case FastFourth:
        for (std::size_t i = 0; i < n; ++i) {
            const double s = a[i] * a[i];
            r[i] = s * s;
        }
        break;
    case FastCall1:
    case FastSin:
    case FastCos:
    case FastExp:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = op.plain1(a[i]);
        break;
    case FastSqrt:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = sqrtUnchecked(a[i]);
        break;
    case FastAbs:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = std::fabs(a[i]);
        break;
    case FastCall2:
        for (std::size_t i = 0; i < n; ++i)
            r[i] = op.plain2(a[i], b[i]);
        break;
    default:
        break; // unreachable: a row runs only formulas whose every step has a code
    }
}
}

// A row runs the unchecked steps a block of values at a time, each step over the whole block, with
// one check sum per value; a value whose sum is not 0 is evaluated again alone by TryValue().
void TCustomParser2::Values(double& variable, std::span<const double> xs, std::span<EvalResult> out) {
    if (xs.empty()) return;
    bool rowRuns = unchecked_;
    for (const double* v : variablesRead_)
        if (v != &variable && !std::isfinite(*v)) rowRuns = false;
    if (!rowRuns) {
        for (std::size_t i = 0; i < xs.size(); ++i) {
            variable = xs[i];
            out[i] = TryValue();
        }
        return;
    }
    constexpr std::size_t B = RowBlock;
    const std::size_t cellCount = cells_.size();
    rowScratch_.resize((cellCount + variablesRead_.size() + 1) * B);
    double* const scratch = rowScratch_.data();
    auto at = [&](int slot) { return scratch + static_cast<std::size_t>(slot) * B; };
    double* const check = scratch + (cellCount + variablesRead_.size()) * B;
    // Literal cells and the other variables stay the same along the row: fill their slots once.
    std::vector<bool> isResult(cellCount, false);
    for (const Slots& s : slots_)
        isResult[static_cast<std::size_t>(s.result)] = true;
    for (std::size_t c = 0; c < cellCount; ++c)
        if (!isResult[c]) std::fill_n(scratch + c * B, B, cells_[c]);
    int rowSlot = -1;
    for (std::size_t k = 0; k < variablesRead_.size(); ++k) {
        if (variablesRead_[k] == &variable)
            rowSlot = static_cast<int>(cellCount + k);
        else
            std::fill_n(scratch + (cellCount + k) * B, B, *variablesRead_[k]);
    }
    const int resultSlot = slots_.back().result;

    for (std::size_t start = 0; start < xs.size(); start += B) {
        const std::size_t n = std::min(B, xs.size() - start);
        const double* const x = xs.data() + start;
        if (rowSlot >= 0) std::copy_n(x, n, at(rowSlot));
        for (std::size_t k = 0; k < ops_.size(); ++k) {
            const OperationRecord& op = ops_[k];
            const double* __restrict a = at(slots_[k].first);
            const double* __restrict b = slots_[k].second >= 0 ? at(slots_[k].second) : nullptr;
            double* __restrict r = at(slots_[k].result);
            rowStep(op, a, b, r, n);
        }
        for (std::size_t i = 0; i < n; ++i)
            check[i] = 0;
        for (int slot : checkedSlots_) {
            const double* v = at(slot);
            for (std::size_t i = 0; i < n; ++i)
                check[i] += v[i] - v[i];
        }
        const double* result = at(resultSlot);
        for (std::size_t i = 0; i < n; ++i) {
            if (check[i] == 0) {
                out[start + i] = EvalResult{result[i], EvalError::None};
            } else {
                variable = x[i];
                out[start + i] = TryValue();
            }
        }
    }
    variable = xs.back();
}

const double* TCustomParser2::variableAddress(std::string_view name) const {
    auto it = variableTable_.find(name);
    return it == variableTable_.end() ? nullptr : it->second;
}

const FunctionEntry* TCustomParser2::unaryFunction(std::string_view name) const {
    auto it = unaryFunctionTable_.find(name);
    return it == unaryFunctionTable_.end() ? nullptr : it->second;
}

const FunctionEntry* TCustomParser2::binaryFunction(std::string_view name) const {
    auto it = binaryFunctionTable_.find(name);
    return it == binaryFunctionTable_.end() ? nullptr : it->second;
}

void TCustomParser2::addVariable(const std::string& name, double* address) {
    variableTable_.emplace(name, address); // duplicates ignored
}

void TCustomParser2::addFunction(const FunctionEntry& entry) {
    auto& table = entry.arity == 1 ? unaryFunctionTable_ : binaryFunctionTable_;
    if (!table.emplace(std::string(entry.name), &entry).second)
        throw EParserInternalError("Duplicate function name " + std::string(entry.name));
}

// ---- TParser ---------------------------------------------------------------------------------------

TParser::TParser(TParserContext& context) : TCustomParser2(&context) {
    registerAll();
}

TParser::TParser() : TCustomParser2(nullptr) {
    ownContext_ = std::make_unique<TParserContext>();
    setContext(ownContext_.get());
    registerAll();
}

void TParser::registerAll() {
    const std::pair<const char*, double*> vars[] = {
        {"A", &A}, {"B", &B}, {"C", &C}, {"D", &D}, {"E", &E}, {"M", &M}, {"N", &N},
        {"O", &O}, {"P", &P}, {"Q", &Q}, {"R", &R}, {"S", &S}, {"T", &T}, {"U", &U},
        {"V", &V}, {"W", &W}, {"X", &X}, {"Y", &Y}, {"Z", &Z},
    };
    for (auto& [name, address] : vars)
        addVariable(name, address);
    for (const FunctionEntry& f : functionTable())
        addFunction(f);
}

double* TParser::variable(char letter) {
    // The table holds the addresses of this parser's own fields.
    return const_cast<double*>(variableAddress(std::string(1, asciiUpper(letter))));
}

// ---- errors ----------------------------------------------------------------------------------------

void fpstatus::throwFor(unsigned flags) {
    if (flags & Invalid) throw EInvalidOp(msg::InvalidOp);
    if (flags & ZeroDivide) throw EZeroDivide(msg::ZeroDivide);
    throw EOverflow(msg::Overflow);
}

} // namespace kurvo
