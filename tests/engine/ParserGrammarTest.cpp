// What the grammar accepts and rejects, how it groups, and the parse errors with their messages.
#include "TestSupport.h"

#include "Grammar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>

using namespace kurvo;
using kurvo::test::evaluateAt;

namespace {

struct ValueCase {
    const char* text;
    double x;
    double expected;
};

class GroupingTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GroupingTest, EvaluatesAsTheGrammarGroups) {
    const auto& c = GetParam();
    auto o = evaluateAt(c.text, c.x);
    ASSERT_TRUE(o.ok) << c.text << ": " << o.error << " " << o.message;
    EXPECT_NEAR(static_cast<double>(o.value), c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected)))
        << c.text;
}

const double Pi = std::numbers::pi;

INSTANTIATE_TEST_SUITE_P(
    Cases, GroupingTest,
    ::testing::Values(ValueCase{"  x+1  ", 2, 3}, ValueCase{"pi", 0, Pi}, ValueCase{"PI", 0, Pi},
                      ValueCase{"-pi", 0, -Pi}, ValueCase{"2*pi", 0, 2 * Pi}, ValueCase{"-x^2", 3, -9},
                      ValueCase{"(x^2)^2", 3, 81}, ValueCase{"0-x-1", 2, -3}, ValueCase{"10-4-3", 0, 3},
                      ValueCase{"8/4/2", 0, 1}, ValueCase{"2*3/4", 0, 1.5}, ValueCase{"7DIV2", 0, 3},
                      ValueCase{"7MOD2", 0, 1}, ValueCase{"-7DIV2", 0, -3}, ValueCase{"-7MOD2", 0, -1},
                      ValueCase{"7.9DIV2", 0, 3}, ValueCase{"8DIV2DIV2", 0, 2}, ValueCase{"x^-1", 4, 0.25},
                      ValueCase{"x^(-1)", 4, 0.25}, ValueCase{"sin(x)", 1, std::sin(1.0)},
                      ValueCase{"SIN(X)", 1, std::sin(1.0)}, ValueCase{"max(x,2)", 1, 2},
                      ValueCase{"((((x+1))))", 1, 2}, ValueCase{"2E-3", 0, 0.002},
                      ValueCase{"2E-3*x", 2, 0.004}, ValueCase{"+2.5", 0, 2.5}, ValueCase{"x+-2", 5, 3},
                      ValueCase{"-(x)+(x)", 4, 0}, ValueCase{"-2^2", 0, -4}, ValueCase{"2^x", 3, 8},
                      ValueCase{"x/2*3", 4, 6}, ValueCase{"12/x/2", 3, 2},
                      ValueCase{"sin(x)^2+cos(x)^2", 0.7, 1}, ValueCase{"max(min(x,3),max(1,2))", 5, 3},
                      ValueCase{"(1+2)*(3+4)", 0, 21}, ValueCase{".5+5.", 0, 5.5}, ValueCase{"1E-400", 0, 0},
                      ValueCase{"xmodx", 3, 0}));

struct ErrorCase {
    const char* text;
    const char* error;
};

class RejectionTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RejectionTest, RaisesTheParserError) {
    const auto& c = GetParam();
    TParser p;
    auto o = kurvo::test::evaluate(p, c.text);
    EXPECT_EQ(o.error, c.error) << c.text;
    EXPECT_FALSE(p.hasOperationList());
    EXPECT_EQ(p.Expression(), c.text);
    EXPECT_EQ(p.Value(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RejectionTest,
    ::testing::Values(ErrorCase{"x +1", "EExpressionHasBlanks"}, ErrorCase{"(x+1", "EMissMatchingBracket"},
                      ErrorCase{")x(", "ESyntaxError"}, ErrorCase{"x^2^2", "ESyntaxError"},
                      ErrorCase{"-x-1", "ESyntaxError"}, ErrorCase{"sinx", "ESyntaxError"},
                      ErrorCase{"max(,2)", "ESyntaxError"}, ErrorCase{"max(2,)", "ESyntaxError"},
                      ErrorCase{"x*-y", "ESyntaxError"}, ErrorCase{"x+-y", "ESyntaxError"},
                      ErrorCase{"f", "ESyntaxError"}, ErrorCase{"2pi", "ESyntaxError"},
                      ErrorCase{"x+", "ESyntaxError"}, ErrorCase{"+x", "ESyntaxError"},
                      ErrorCase{"2E", "ESyntaxError"}, ErrorCase{"1E400", "ESyntaxError"},
                      ErrorCase{"sin(x,1)", "ESyntaxError"}, ErrorCase{"max(x)", "ESyntaxError"},
                      ErrorCase{"()", "ESyntaxError"}, ErrorCase{"   ", "ESyntaxError"},
                      ErrorCase{"DIV2", "ESyntaxError"}, ErrorCase{"x/-y", "ESyntaxError"}));

TEST(ParserErrors, MessagesAreFixed) {
    struct Row {
        const char* text;
        const char* message;
    } rows[] = {
        {"x +1", "Expression has blanks"},
        {"(x", "Missing brackets in expression"},
        {"sinx", "Error parsing expression:\rSINX"},
        {"x*-y", "Error parsing expression:\rX\r-Y"},
    };
    for (const auto& r : rows) {
        auto o = evaluateAt(r.text, 0);
        EXPECT_EQ(o.message, r.message) << r.text;
    }
}

TEST(ParserErrors, EmptyExpressionHasNoListAndNoError) {
    TParser p;
    p.setExpression("x");
    p.setExpression("");
    EXPECT_FALSE(p.hasOperationList());
    EXPECT_EQ(p.Value(), 0);
}

TEST(ParserErrors, HandlerReceivesErrorInsteadOfCaller) {
    TParser p;
    std::string seen;
    p.OnParserError = [&](TCustomParser2&, const EMathParserError& e) { seen = e.className(); };
    EXPECT_NO_THROW(p.setExpression("x+"));
    EXPECT_EQ(seen, "ESyntaxError");
}

std::string chain(const std::string& op, int count, const std::string& operand) {
    std::string s = operand;
    for (int i = 0; i < count; ++i)
        s += op + operand;
    return s;
}

std::string nested(const std::string& fn, int count) {
    std::string s = "X";
    for (int i = 0; i < count; ++i)
        s = fn + "(" + s + ")";
    return s;
}

// A full binary tree of products, 2^(depth-1) of them on its deepest level; the first `calls` of
// its 2^depth leaves are SIN(X), each one step on the level below.
std::string fullTree(int depth, int calls = 0) {
    int leaf = 0;
    auto build = [&](auto&& self, int d) -> std::string {
        if (d == 0) return leaf++ < calls ? "SIN(X)" : "X";
        std::string l = self(self, d - 1);
        return "(" + l + ")*(" + self(self, d - 1) + ")";
    };
    return build(build, depth);
}

TEST(ParserLimits, NestingAndComplexity) {
    struct Row {
        std::string text;
        const char* error; // empty: accepted
    } rows[] = {
        {chain("+", 20, "X"), ""},
        {chain("+", 21, "X"), "ETooManyNestings"},
        {nested("SIN", 20), ""},
        {nested("SIN", 21), "ETooManyNestings"},
        {fullTree(6), ""},                          // 32 products on level 6
        {fullTree(7), "EExpressionTooComplex"},     // 64 on level 7
        {fullTree(6, 50), ""},                      // 50 calls on level 7
        {fullTree(6, 51), "EExpressionTooComplex"}, // 51 calls on level 7
        {chain("*", 60, "X"), "ETooManyNestings"},  // products group to the right, so this is deep
        {"(((((((((((((((((((((((X)))))))))))))))))))))))", ""},
    };
    for (const auto& r : rows) {
        auto o = evaluateAt(r.text, 1);
        EXPECT_EQ(o.error, r.error) << r.text;
    }
}

TEST(ParserLimits, WideTreeEvaluatesEveryLeaf) {
    auto o = evaluateAt(fullTree(5), 2);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.value, std::pow(2.0, 32));
}

TEST(ParserSpeed, CraftedInputParsesInPolynomialTime) {
    // Texts that make whole-text recognizers re-examine the same pieces over and over.
    std::string a = std::string(120, '(') + "X" + std::string(120, ')');
    std::string b;
    for (int i = 0; i < 40; ++i)
        b += "(X-";
    b += "X" + std::string(40, ')');
    std::string c = chain("-", 80, "(X)");
    std::string d = chain("+", 60, "SIN(X)");
    for (const std::string& t : {a, b, c, d}) {
        auto start = std::chrono::steady_clock::now();
        (void)evaluateAt(t, 1);
        auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(ms, 2000) << t; // exponential recognizers take hours here; a generous bound
    }
}

TEST(ParserList, StepsRunDeepestLevelFirst) {
    TParser p;
    p.setExpression("(1+2)*(3+4)");
    ASSERT_EQ(p.stepCount(), 3u);
    EXPECT_EQ(p.operations()[0].kind, KindSum);
    EXPECT_EQ(p.operations()[1].kind, KindSum);
    EXPECT_EQ(p.operations()[2].kind, KindProduct);
    EXPECT_EQ(p.Value(), 21);
}

TEST(ParserList, PowerKindFollowsTheExponentAsWritten) {
    struct Row {
        const char* text;
        int kind;
    } rows[] = {{"X^2", KindSquare},    {"X^3", KindCube},        {"X^4", KindFourth},
                {"X^5", KindIntPower},  {"X^-2", KindIntPower},   {"X^0.5", KindRealPower},
                {"X^Y", KindRealPower}, {"X^(2)", KindRealPower}, {"-X^2", KindNegation}};
    for (const auto& r : rows) {
        TParser p;
        p.setExpression(r.text);
        EXPECT_EQ(p.operations().back().kind, r.kind) << r.text;
    }
}

} // namespace

namespace {

// Skipping the splits that the operand rules exclude must not change a single verdict: compare with
// the grammar that tries every split, on many short texts made of the characters that matter.
TEST(ParserGrammar, SkippingImpossibleSplitsChangesNoVerdict) {
    TParser parser;
    const std::string alphabet = "XY2E.-+*/^()DIVMOD,SIN(MAX(PI";
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int valid = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        int len = 1 + static_cast<int>(next() % 14);
        for (int i = 0; i < len; ++i)
            text += alphabet[next() % alphabet.size()];
        ExpressionGrammar fast(text, parser), slow(text, parser, true);
        Span whole{0, len};
        bool a = fast.isExpression(whole), b = slow.isExpression(whole);
        ASSERT_EQ(a, b) << text;
        valid += a;
        TermShape s1, s2;
        std::string l1, r1, l2, r2;
        ASSERT_EQ(fast.classify(whole, s1, l1, r1), slow.classify(whole, s2, l2, r2)) << text;
        EXPECT_EQ(s1.kind, s2.kind) << text;
        EXPECT_EQ(s1.left.pos, s2.left.pos) << text;
        EXPECT_EQ(s1.right.len, s2.right.len) << text;
    }
    EXPECT_GT(valid, 100); // the texts exercise the accepting paths too
}

} // namespace
