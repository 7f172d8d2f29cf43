// The whole-text recognizers of the expression grammar, remembered per piece of text.
#include "Grammar.h"

#include "Errors.h"
#include "FunctionTable.h"
#include "NumberText.h"
#include "Parser.h"

#include <cmath>
#include <numbers>

namespace kurvo {
namespace {
// Pieces longer than this keep their verdicts in a hash table rather than a dense one.
constexpr int DenseMemoLimit = 300;
// Recursion guard for absurdly long inputs (thousands of nested brackets); no formula of a
// usable length comes near it.
constexpr int MaxRecursion = 4000;
} // namespace

ExpressionGrammar::ExpressionGrammar(const std::string& text, const TCustomParser2& parser, bool exhaustive)
    : s_(text), parser_(parser), n_(static_cast<int>(text.size())), exhaustive_(exhaustive) {
    depthPrefix_.resize(static_cast<std::size_t>(n_) + 1);
    int d = 0;
    for (int i = 0; i < n_; ++i) {
        depthPrefix_[static_cast<std::size_t>(i)] = d;
        if (s_[static_cast<std::size_t>(i)] == '(')
            ++d;
        else if (s_[static_cast<std::size_t>(i)] == ')')
            --d;
    }
    depthPrefix_[static_cast<std::size_t>(n_)] = d;
    if (n_ <= DenseMemoLimit)
        memo_.assign(static_cast<std::size_t>(n_ + 1) * static_cast<std::size_t>(n_ + 1), 0);
}

// Two bits per form and piece: 0 unknown, 1 false, 2 true.
int ExpressionGrammar::recall(Form f, Span sp) const {
    std::uint32_t word = 0;
    if (n_ <= DenseMemoLimit) {
        word = memo_[static_cast<std::size_t>(sp.pos) * static_cast<std::size_t>(n_ + 1) +
                     static_cast<std::size_t>(sp.len)];
    } else {
        auto it =
            bigMemo_.find((static_cast<std::uint64_t>(sp.pos) << 32) | static_cast<std::uint64_t>(sp.len));
        if (it != bigMemo_.end()) word = it->second;
    }
    return static_cast<int>((word >> (2 * f)) & 3u);
}

void ExpressionGrammar::remember(Form f, Span sp, bool value) {
    std::uint32_t bits = (value ? 2u : 1u) << (2 * f);
    if (n_ <= DenseMemoLimit)
        memo_[static_cast<std::size_t>(sp.pos) * static_cast<std::size_t>(n_ + 1) +
              static_cast<std::size_t>(sp.len)] |= bits;
    else
        bigMemo_[(static_cast<std::uint64_t>(sp.pos) << 32) | static_cast<std::uint64_t>(sp.len)] |= bits;
}

bool ExpressionGrammar::balanced(Span sp) const {
    return depthPrefix_[static_cast<std::size_t>(sp.pos)] ==
           depthPrefix_[static_cast<std::size_t>(sp.pos + sp.len)];
}

bool ExpressionGrammar::test(Form f, Span sp) {
    if (sp.len <= 0) return false;
    if (int m = recall(f, sp)) return m == 2;
    if (++recursion_ > MaxRecursion) throw EExpressionTooComplex(msg::TooComplex);
    bool r = compute(f, sp);
    --recursion_;
    remember(f, sp, r);
    return r;
}

bool ExpressionGrammar::compute(Form f, Span sp) {
    constexpr Mask calls = bit(FCall1) | bit(FCall2);
    switch (f) {
    case FLiteral:
        return literal(sp);
    case FVariable:
        return variable(sp) != nullptr;
    case FNegation:
        return negation(sp, nullptr);
    case FSum:
        return binary(sp, '+',
                      bit(FNegation) | bit(FDifference) | bit(FProduct) | bit(FDiv) | bit(FMod) |
                          bit(FQuotient) | bit(FPower) | calls,
                      bit(FSum) | bit(FDifference) | bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) |
                          bit(FPower) | calls,
                      nullptr, {});
    case FDifference:
        return binary(sp, '-',
                      bit(FNegation) | bit(FDifference) | bit(FProduct) | bit(FDiv) | bit(FMod) |
                          bit(FQuotient) | bit(FPower) | calls,
                      bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls, nullptr,
                      {});
    case FProduct:
        return binary(sp, '*', bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
                      bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls, nullptr,
                      {});
    case FDiv:
        return word(sp, "DIV", bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
                    bit(FPower) | calls, nullptr, {});
    case FMod:
        return word(sp, "MOD", bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
                    bit(FPower) | calls, nullptr, {});
    case FQuotient:
        return binary(sp, '/', bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
                      bit(FPower) | calls, nullptr, {});
    case FPower:
        return binary(sp, '^', calls, calls, nullptr, {});
    case FCall1:
        return call1(sp, nullptr, nullptr, {});
    case FCall2:
        return call2(sp, nullptr, nullptr, {});
    case FBracket:
        return bracket(sp);
    case FExpression:
        return test(FLiteral, sp) || test(FVariable, sp) || test(FNegation, sp) || test(FSum, sp) ||
               test(FDifference, sp) || test(FProduct, sp) || test(FDiv, sp) || test(FMod, sp) ||
               test(FQuotient, sp) || test(FPower, sp) || test(FCall1, sp) || test(FCall2, sp) ||
               test(FBracket, sp);
    default:
        return false;
    }
}

bool ExpressionGrammar::isExpression(Span sp) {
    return test(FExpression, sp);
}

Span ExpressionGrammar::dropBrackets(Span sp) {
    while (test(FBracket, sp))
        sp = Span{sp.pos + 1, sp.len - 2};
    return sp;
}

bool ExpressionGrammar::operandOk(Span sp, Mask allowed) {
    if (test(FLiteral, sp) || test(FVariable, sp) || test(FBracket, sp)) return true;
    for (int f = FNegation; f <= FCall2; ++f)
        if ((allowed & bit(static_cast<Form>(f))) && test(static_cast<Form>(f), sp)) return true;
    return false;
}

bool ExpressionGrammar::literal(Span sp, double* value) const {
    std::string_view t(s_.data() + sp.pos, static_cast<std::size_t>(sp.len));
    if (t == "PI" || t == "-PI") {
        if (value) *value = t[0] == '-' ? -std::numbers::pi : std::numbers::pi;
        return true;
    }
    auto v = parsePascalNumber(t);
    if (!v) return false;
    if (value) *value = *v;
    return true;
}

const double* ExpressionGrammar::variable(Span sp) const {
    return parser_.variableAddress(std::string_view(s_.data() + sp.pos, static_cast<std::size_t>(sp.len)));
}

void ExpressionGrammar::record(Recorder rec, Span l, Span r) const {
    if (rec.left) *rec.left = str(l);
    if (rec.right) *rec.right = str(r);
}

bool ExpressionGrammar::bracket(Span sp) {
    if (sp.len < 2 || s_[static_cast<std::size_t>(sp.pos)] != '(' ||
        s_[static_cast<std::size_t>(sp.pos + sp.len - 1)] != ')')
        return false;
    return isExpression(Span{sp.pos + 1, sp.len - 2});
}

// A leading minus takes only a bracket form, a variable, a power or a call.
bool ExpressionGrammar::negation(Span sp, Span* operand) {
    if (sp.len < 2 || s_[static_cast<std::size_t>(sp.pos)] != '-') return false;
    Span rest{sp.pos + 1, sp.len - 1};
    bool ok = test(FBracket, rest) || test(FVariable, rest) || test(FPower, rest) || test(FCall1, rest) ||
              test(FCall2, rest);
    if (ok && operand) *operand = dropBrackets(rest);
    return ok;
}

bool ExpressionGrammar::topLevel(int start, int i) const {
    return depthPrefix_[static_cast<std::size_t>(i)] == depthPrefix_[static_cast<std::size_t>(start)];
}

// A "+" or "-" that joins two operands: it follows the end of an operand and is neither the sign of
// an exponent (2E-3) nor of a literal after DIV or MOD. Valid products, quotients, powers, calls and
// the like never hold such a sign outside brackets; only sums and differences do.
bool ExpressionGrammar::binarySign(int start, int i) const {
    if (i <= start) return false;
    auto at = [&](int k) { return s_[static_cast<std::size_t>(k)]; };
    char c = at(i - 1);
    bool operandEnd = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ')' || c == '.';
    if (!operandEnd) return false;
    if (c == 'E' && i - 2 >= start && ((at(i - 2) >= '0' && at(i - 2) <= '9') || at(i - 2) == '.'))
        return false;
    if (i - 3 >= start) {
        std::string_view w(s_.data() + i - 3, 3);
        if (w == "DIV" || w == "MOD") return false;
    }
    return true;
}

// The operator is searched from the left; the first split whose operands both fit is taken, and an
// operator in the first or last place ends the search. Splits that provably cannot fit are skipped
// (the operand rules never let them succeed), which keeps the whole grammar polynomial; when the
// operand texts are being recorded for an error message every split is tried as written.
bool ExpressionGrammar::binary(Span sp, char op, Mask leftAllowed, Mask rightAllowed, Split* out,
                               Recorder rec) {
    const int start = sp.pos, end = sp.pos + sp.len; // [start, end)
    if (rec.left != nullptr) {
        // Called only after every form has failed: no split fits, so just write the operand texts
        // of each split the search would try, in its order, up to where it would stop.
        for (int i = start; i < end; ++i) {
            if (s_[static_cast<std::size_t>(i)] != op) continue;
            int k = i - start;
            if (k == 0 || k == sp.len - 1) return false;
            Span l{start, k}, r{i + 1, sp.len - k - 1};
            if (balanced(l) && balanced(r)) record(rec, l, r);
        }
        return false;
    }
    int from = start, to = end; // candidates considered
    if (!exhaustive_) {
        if (s_[static_cast<std::size_t>(start)] == op || s_[static_cast<std::size_t>(end - 1)] == op)
            return false;
        int firstOp = -1, lastOp = -1, firstBinaryPlus = -1, lastBinarySign = -1;
        for (int i = start; i < end; ++i) {
            char c = s_[static_cast<std::size_t>(i)];
            if (!topLevel(start, i)) continue;
            if (c == op) {
                if (firstOp < 0) firstOp = i;
                lastOp = i;
            }
            if ((c == '+' || c == '-') && binarySign(start, i)) {
                if (c == '+' && firstBinaryPlus < 0) firstBinaryPlus = i;
                lastBinarySign = i;
            }
        }
        if (firstOp < 0) return false;
        switch (op) {
        case '+': // the left operand of a sum holds no joining "+"
            if (firstBinaryPlus >= 0) to = firstBinaryPlus + 1;
            break;
        case '-': // the right operand of a difference holds no joining sign
            if (lastBinarySign >= 0) from = lastBinarySign;
            break;
        case '*': // the left operand of a product holds no "*"
        case '^': // neither operand of a power holds a "^"
            to = firstOp + 1;
            break;
        case '/': // the right operand of a quotient holds no "/"
            from = lastOp;
            break;
        default:
            break;
        }
    }
    for (int i = from; i < to; ++i) {
        if (s_[static_cast<std::size_t>(i)] != op) continue;
        int k = i - start;
        if (k == 0 || k == sp.len - 1) return false;
        Span l{start, k}, r{i + 1, sp.len - k - 1};
        if (!balanced(l) || !balanced(r)) continue;
        if (operandOk(l, leftAllowed) && operandOk(r, rightAllowed)) {
            if (out) *out = Split{dropBrackets(l), dropBrackets(r), r};
            return true;
        }
    }
    return false;
}

// DIV and MOD: a word at the very start is skipped, not a reason to stop. The right operand never
// holds the word outside brackets, so only its last such place can split the text.
bool ExpressionGrammar::word(Span sp, const char* w, Mask leftAllowed, Mask rightAllowed, Split* out,
                             Recorder rec) {
    const int start = sp.pos;
    if (rec.left != nullptr) {
        for (int i = 1; i + 3 <= sp.len; ++i) {
            const char* c = s_.data() + start + i;
            if (c[0] != w[0] || c[1] != w[1] || c[2] != w[2]) continue;
            Span l{start, i}, r{start + i + 3, sp.len - i - 3};
            if (balanced(l) && balanced(r)) record(rec, l, r);
        }
        return false;
    }
    int from = 1;
    if (!exhaustive_) {
        int last = -1;
        for (int i = 1; i + 3 <= sp.len; ++i) {
            const char* c = s_.data() + start + i;
            if (c[0] == w[0] && c[1] == w[1] && c[2] == w[2] && topLevel(start, start + i)) last = i;
        }
        if (last < 0) return false;
        from = last;
    }
    for (int i = from; i + 3 <= sp.len; ++i) {
        const char* c = s_.data() + start + i;
        if (c[0] != w[0] || c[1] != w[1] || c[2] != w[2]) continue;
        Span l{start, i}, r{start + i + 3, sp.len - i - 3};
        if (!balanced(l) || !balanced(r)) continue;
        if (operandOk(l, leftAllowed) && operandOk(r, rightAllowed)) {
            if (out) *out = Split{dropBrackets(l), dropBrackets(r), r};
            return true;
        }
    }
    return false;
}

bool ExpressionGrammar::call1(Span sp, Span* argument, const FunctionEntry** fn, Recorder rec) {
    std::string_view t(s_.data() + sp.pos, static_cast<std::size_t>(sp.len));
    auto open = t.find('(');
    if (open == std::string_view::npos || open == 0 || t.back() != ')') return false;
    const FunctionEntry* f = parser_.unaryFunction(t.substr(0, open));
    if (f == nullptr) return false;
    Span inside{sp.pos + static_cast<int>(open) + 1, sp.len - static_cast<int>(open) - 2};
    if (rec.left) {
        *rec.left = str(inside); // after a failure: only the text is wanted
        return false;
    }
    if (!isExpression(inside)) return false;
    if (argument) *argument = dropBrackets(inside);
    if (fn) *fn = f;
    return true;
}

bool ExpressionGrammar::call2(Span sp, Split* args, const FunctionEntry** fn, Recorder rec) {
    std::string_view t(s_.data() + sp.pos, static_cast<std::size_t>(sp.len));
    if (t.back() != ')') return false;
    auto open = t.find('(');
    if (open == std::string_view::npos || open == 0) return false;
    const FunctionEntry* f = parser_.binaryFunction(t.substr(0, open));
    if (f == nullptr) return false;
    int start = sp.pos + static_cast<int>(open) + 1;
    int len = sp.len - static_cast<int>(open) - 2;
    for (int i = 0; i < len; ++i) {
        if (s_[static_cast<std::size_t>(start + i)] != ',') continue;
        if (i == 0 || i == len - 1) return false;
        Span l{start, i}, r{start + i + 1, len - i - 1};
        if (rec.left != nullptr) {
            record(rec, l, r); // after a failure: only the texts are wanted
            continue;
        }
        if (isExpression(l) && isExpression(r)) {
            if (args) *args = Split{dropBrackets(l), dropBrackets(r), r};
            if (fn) *fn = f;
            return true;
        }
        // An argument never holds a comma outside brackets: past the first such comma nothing fits.
        if (!exhaustive_ && topLevel(start, start + i)) return false;
    }
    return false;
}

bool ExpressionGrammar::classify(Span sp, TermShape& shape, std::string& lastLeft, std::string& lastRight) {
    lastLeft = " ";
    lastRight = " ";
    if (decide(sp, shape, Recorder{})) return true;
    // Only for the message: try every split as written and keep the operand texts tried last.
    TermShape ignored;
    decide(sp, ignored, Recorder{&lastLeft, &lastRight});
    return false;
}

bool ExpressionGrammar::decide(Span sp, TermShape& shape, Recorder rec) {
    shape = TermShape{};
    Split split{};
    if ((shape.variable = variable(sp)) != nullptr) {
        shape.kind = KindVariable;
        return true;
    }
    if (literal(sp, &shape.number)) {
        shape.kind = KindNumber;
        return true;
    }
    if (negation(sp, &shape.left)) {
        shape.kind = KindNegation;
        return true;
    }
    auto two = [&](int kind) {
        shape.kind = kind;
        shape.left = split.left;
        shape.right = split.right;
        shape.hasRight = true;
        return true;
    };
    constexpr Mask calls = bit(FCall1) | bit(FCall2);
    if (binary(sp, '+',
               bit(FNegation) | bit(FDifference) | bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) |
                   bit(FPower) | calls,
               bit(FSum) | bit(FDifference) | bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) |
                   bit(FPower) | calls,
               &split, rec))
        return two(KindSum);
    if (binary(sp, '-',
               bit(FNegation) | bit(FDifference) | bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) |
                   bit(FPower) | calls,
               bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls, &split, rec))
        return two(KindDifference);
    if (binary(sp, '*', bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
               bit(FProduct) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls, &split, rec))
        return two(KindProduct);
    if (word(sp, "DIV", bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
             bit(FPower) | calls, &split, rec))
        return two(KindDiv);
    if (word(sp, "MOD", bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
             bit(FPower) | calls, &split, rec))
        return two(KindMod);
    if (binary(sp, '/', bit(FNegation) | bit(FDiv) | bit(FMod) | bit(FQuotient) | bit(FPower) | calls,
               bit(FPower) | calls, &split, rec))
        return two(KindQuotient);
    // A power's exponent, as written, decides the step: a literal exponent of 2, 3 or 4 gives the
    // square, cube or fourth-power step, any other whole literal an integer power.
    if (binary(sp, '^', calls, calls, &split, rec)) {
        double e = 0;
        int kind = KindRealPower;
        if (literal(split.rawRight, &e)) {
            if (e == 2)
                kind = KindSquare;
            else if (e == 3)
                kind = KindCube;
            else if (e == 4)
                kind = KindFourth;
            else if (std::isfinite(e) && e == std::trunc(e))
                kind = KindIntPower;
        }
        two(kind);
        if (kind == KindSquare || kind == KindCube || kind == KindFourth) shape.hasRight = false;
        return true;
    }
    if (call1(sp, &shape.left, &shape.function, rec)) {
        shape.kind = KindCall1;
        return true;
    }
    if (call2(sp, &split, &shape.function, rec)) return two(KindCall2);
    return false;
}

} // namespace kurvo
