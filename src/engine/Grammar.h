// The whole-text recognizers that decide whether a text is a valid expression and of which kind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kurvo {

class TCustomParser2;
struct FunctionEntry;

/// A piece of the prepared expression text.
struct Span {
    int pos = 0;
    int len = 0;
};

/// What the build needs to know of a sub-expression: its kind and its operand texts.
struct TermShape {
    int kind = -1;
    Span left{}, right{};
    bool hasRight = false;
    const double* variable = nullptr;
    double number = 0;
    const FunctionEntry* function = nullptr;
};

/// Recognizers over one prepared (upper-cased, trimmed) text. Each recognizer's verdict on a piece
/// of the text is remembered, so a decision is computed once per piece: the whole-text grammar then
/// runs in polynomial time instead of re-examining the same pieces again and again.
class ExpressionGrammar {
  public:
    /// `exhaustive` tries every split as written instead of skipping the ones the operand rules
    /// exclude; both give the same verdicts (the exhaustive way can take exponential time and exists
    /// to check that).
    ExpressionGrammar(const std::string& text, const TCustomParser2& parser, bool exhaustive = false);

    const std::string& text() const { return s_; }
    std::string str(Span sp) const {
        return s_.substr(static_cast<std::size_t>(sp.pos), static_cast<std::size_t>(sp.len));
    }

    bool isExpression(Span sp);
    /// The span with redundant outer brackets removed (while the inside is a valid expression).
    Span dropBrackets(Span sp);
    /// Decides the kind in the build's fixed order. On failure returns false and leaves in
    /// lastLeft/lastRight the operand texts the recognizers wrote last (each " " if none).
    bool classify(Span sp, TermShape& shape, std::string& lastLeft, std::string& lastRight);

  private:
    enum Form : int {
        FLiteral,
        FVariable,
        FNegation,
        FSum,
        FDifference,
        FProduct,
        FDiv,
        FMod,
        FQuotient,
        FPower,
        FCall1,
        FCall2,
        FBracket,
        FExpression,
        FormCount
    };
    using Mask = std::uint32_t;
    static constexpr Mask bit(Form f) { return Mask{1} << f; }

    struct Split {
        Span left, right; // redundant brackets dropped
        Span rawRight;    // the right operand as written
    };
    struct Recorder {
        std::string* left = nullptr;
        std::string* right = nullptr;
    };

    bool decide(Span sp, TermShape& shape, Recorder rec);
    bool test(Form f, Span sp);
    bool compute(Form f, Span sp);
    bool operandOk(Span sp, Mask allowed);
    bool balanced(Span sp) const;
    bool topLevel(int start, int i) const;
    bool binarySign(int start, int i) const;

    bool literal(Span sp, double* value = nullptr) const;
    const double* variable(Span sp) const;
    bool negation(Span sp, Span* operand);
    bool binary(Span sp, char op, Mask leftAllowed, Mask rightAllowed, Split* out, Recorder rec);
    bool word(Span sp, const char* w, Mask leftAllowed, Mask rightAllowed, Split* out, Recorder rec);
    bool call1(Span sp, Span* argument, const FunctionEntry** fn, Recorder rec);
    bool call2(Span sp, Split* args, const FunctionEntry** fn, Recorder rec);
    bool bracket(Span sp);
    void record(Recorder rec, Span l, Span r) const;

    int recall(Form f, Span sp) const;
    void remember(Form f, Span sp, bool value);

    std::string s_;
    const TCustomParser2& parser_;
    int n_;
    std::vector<int> depthPrefix_;    // "(" minus ")" before each position
    std::vector<std::uint32_t> memo_; // verdicts per piece, two bits per form
    std::unordered_map<std::uint64_t, std::uint32_t> bigMemo_;
    int recursion_ = 0;
    bool exhaustive_ = false;
};

} // namespace kurvo
