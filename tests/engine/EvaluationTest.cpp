// Evaluation: variables read in place, the operator routines, and arithmetic errors where a
// trapping runtime raised them, including inside intermediate results.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kurvo;
using kurvo::test::evaluateAt;

namespace {

TEST(Evaluation, VariablesAreReadByAddressWithoutReparsing) {
    TParser p;
    p.setExpression("x");
    p.X = 5;
    EXPECT_EQ(p.Value(), 5);
    p.X = -1.5;
    EXPECT_EQ(p.Value(), -1.5);
    p.setExpression("A+B+C+D+E+M+N+O+P+Q+R+S+T+U+V+W+X+Y+Z");
    double* fields[] = {&p.A, &p.B, &p.C, &p.D, &p.E, &p.M, &p.N, &p.O, &p.P, &p.Q,
                        &p.R, &p.S, &p.T, &p.U, &p.V, &p.W, &p.X, &p.Y, &p.Z};
    double expected = 0;
    for (int i = 0; i < 19; ++i) {
        *fields[i] = i + 1;
        expected += i + 1;
    }
    EXPECT_EQ(p.Value(), expected);
}

struct ValueCase {
    const char* text;
    double x;
    double expected;
};

TEST(Evaluation, OperatorRoutines) {
    const ValueCase rows[] = {
        {"x", 5, 5},
        {"2.5", 0, 2.5},
        {"x^2", -2, 4},
        {"x^3", -2, -8},
        {"x^4", -2, 16},
        {"x^5", -2, -32},
        {"x^0.5", 4, 2},
        {"2^x", 3, 8},
        {"x^0", 0, 1},
        {"0^x", 2, 0},
        {"x^-3", 2, 0.125},
        {"-7MOD2", 0, -1},
        {"7.9DIV2", 0, 3},
        {"x^1.5", 4, 8},
        {"(-8)^3", 0, -512},
        {"-2147483648DIV-1", 0, 2147483648.0},
        {"x^2147483647", 1, 1},
        {"x^(1/3)", 8, 2},
    };
    for (const auto& r : rows) {
        auto o = evaluateAt(r.text, r.x);
        ASSERT_TRUE(o.ok) << r.text << " " << o.error;
        EXPECT_NEAR(static_cast<double>(o.value), r.expected, 1e-12 * std::max(1.0, std::fabs(r.expected)))
            << r.text;
    }
}

struct ErrorCase {
    const char* text;
    double x;
    const char* error;
};

TEST(Evaluation, ArithmeticErrorsWhereTrappingRaisedThem) {
    const ErrorCase rows[] = {
        {"x^0.5", -4, "EInvalidOp"},
        {"1/x", 0, "EZeroDivide"},
        {"0/x", 0, "EInvalidOp"},
        {"7DIV0", 0, "EDivByZero"},
        {"7MODx", 0.5, "EDivByZero"},        // the divisor truncates to 0
        {"1/(1/x)", 0, "EZeroDivide"},       // intermediate infinity, finite result
        {"HEAV(SQRT(x))", -1, "EInvalidOp"}, // intermediate NaN, finite result
        {"x*x", 1e200, "EOverflow"},
        {"x^2", 1e200, "EOverflow"},
        {"EXP(x)", 1000, "EOverflow"},
        {"LN(x)", 0, "EZeroDivide"},
        {"LN(x)", -1, "EInvalidOp"},
        {"SQRT(x)", -1, "EInvalidOp"},
        {"ARCSIN(x)", 2, "EInvalidOp"},
        {"INT(x)", 3e9, "EInvalidOp"},
        {"xDIV2", -3e9, "EInvalidOp"},
        {"xMOD2", 1e10, "EInvalidOp"},
        {"2^x", 1e10, "EOverflow"}, // real power with an integral exponent
        {"x^y", 0, "EZeroDivide"},  // 0 to the power -1
        {"INTPOWER(2,x)", 3e9, "EInvalidOp"},
        {"x^-1", 0, "EZeroDivide"},
        {"LN(x)+SQRT(-1)", 0, "EZeroDivide"}, // the first failing step decides
        {"SQRT(-1)+LN(x)", 0, "EInvalidOp"},
    };
    for (const auto& r : rows) {
        TParser p;
        p.X = r.x;
        p.Y = -1;
        auto o = kurvo::test::evaluate(p, r.text);
        EXPECT_EQ(o.error, r.error) << r.text << " at x=" << r.x;
    }
}

TEST(Evaluation, ErrorMessages) {
    EXPECT_EQ(evaluateAt("1/x", 0).message, "Floating point division by zero");
    EXPECT_EQ(evaluateAt("sqrt(x)", -1).message, "Invalid floating point operation");
    EXPECT_EQ(evaluateAt("exp(x)", 1e4).message, "Floating point overflow");
    EXPECT_EQ(evaluateAt("1DIVx", 0).message, "Division by zero");
}

TEST(Evaluation, AFailureDoesNotPoisonTheNextEvaluation) {
    TParser p;
    p.setExpression("1/x");
    p.X = 0;
    EXPECT_THROW((void)p.Value(), EZeroDivide);
    p.X = 4;
    EXPECT_EQ(p.Value(), 0.25);
}

TEST(Evaluation, ReassigningManyTimesKeepsOneList) {
    TParser p;
    for (int i = 0; i < 2000; ++i) {
        try {
            p.setExpression(i % 2 ? "SIN(X)*(X+1)^2" : "X+");
        } catch (const ESyntaxError&) {
        }
    }
    p.setExpression("(X+1)^2");
    p.X = 2;
    EXPECT_EQ(p.stepCount(), 2u);
    EXPECT_EQ(p.Value(), 9);
}

TEST(Evaluation, UnsetUserFunctionIsZeroAndUserFunctionsBindByMode) {
    TParserContext ctx;
    TParser f(ctx), g(ctx), p(ctx);
    ctx.UserFunctionParser[0] = &f;
    ctx.UserFunctionParser[1] = &g;
    p.setExpression("H(X)+3");
    EXPECT_EQ(p.Value(), 3);
    f.setExpression("X^2+T");
    f.T = 100;
    p.setExpression("F(X+1)");
    p.X = 2;
    EXPECT_EQ(p.Value(), 109);
    ctx.CartesianMode = false;
    f.X = 0;
    EXPECT_EQ(p.Value(), 3); // binds T = 3 now; X is what it was left at
    ctx.CartesianMode = true;
    g.setExpression("F(X)*2");
    p.setExpression("G(3)");
    EXPECT_EQ(p.Value(), 2 * (9 + 3));
}

TEST(Evaluation, RecursiveUserFunctionFailsCleanly) {
    TParserContext ctx;
    TParser f(ctx), g(ctx), p(ctx);
    ctx.UserFunctionParser[0] = &f;
    ctx.UserFunctionParser[1] = &g;
    f.setExpression("G(X)+1");
    g.setExpression("F(X)+1");
    p.setExpression("F(X)");
    EXPECT_THROW((void)p.Value(), ERecursiveFunction);
    EXPECT_EQ(ctx.userFunctionDepth, 0);
    g.setExpression("X");
    EXPECT_EQ(p.Value(), 1); // no lasting damage
}

TEST(Evaluation, ErrorBeforeAUserFunctionIsTheOneReported) {
    TParserContext ctx;
    TParser f(ctx), p(ctx);
    ctx.UserFunctionParser[0] = &f;
    f.setExpression("1/(X-1)");
    p.setExpression("SQRT(-1)+F(1)");
    EXPECT_THROW((void)p.Value(), EInvalidOp);
    p.setExpression("F(1)+SQRT(-1)");
    EXPECT_THROW((void)p.Value(), EZeroDivide);
}

TEST(Evaluation, MarkersAreSetInTheSharedContext) {
    TParserContext ctx;
    TParser p(ctx);
    p.setExpression("DIFF(X^2)+INTEG(X)+INV(1)");
    p.X = 3;
    EXPECT_EQ(p.Value(), 9 + 3 + 1);
    EXPECT_TRUE(ctx.DerivativeMarker);
    EXPECT_TRUE(ctx.IntegralMarker);
    EXPECT_TRUE(ctx.InverseMarker);
    ctx.resetMarkers();
    EXPECT_FALSE(ctx.DerivativeMarker);
}

} // namespace
