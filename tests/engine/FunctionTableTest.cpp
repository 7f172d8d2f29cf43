// Every named function: values, fixed values instead of failures, degree forms, and the table itself.
#include "TestSupport.h"

#include "FunctionTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <string>

using namespace kurvo;
using kurvo::test::evaluateAt;

namespace {

const double Pi = std::numbers::pi;

struct Row {
    const char* text;
    double expected;
    double tolerance = 1e-12;
};

TEST(Functions, ValuesAndFixedValues) {
    const Row rows[] = {
        {"COT(0)", 100000},
        {"COSEC(0)", 1000000},
        {"COT(0.000000002)", 5e8, 1},
        {"LOG(0)", -200000},
        {"LOG(-5)", -200000},
        {"LOG2(8)", 3},
        {"LOGN(2,8)", 3},
        {"LOGN(0,8)", 2000},
        {"LOG(1000)", 3},
        {"SINRAD(30)", 0.5},
        {"SINRAD(90)", 1},
        {"DEGASIN(0.5)", 30},
        {"DEGATAN(1)", 45},
        {"ARCTAN(1)", Pi / 4},
        {"DEGACOS(0)", 90},
        {"TANH(0)", 0},
        {"TANH(1)", 0.761594155955765, 1e-12},
        {"COTH(1)", 1.31303528549933, 1e-12},
        {"COSHSQ(0)", 1},
        {"COSHCUBE(1)", 3.67422597505587, 1e-12},
        {"SINH(1)", std::sinh(1.0)},
        {"SECH(0)", 1},
        {"COSECH(1)", 1 / std::sinh(1.0)},
        {"TANH(700)", 1},
        {"SINHSQ(2)", std::sinh(2.0) * std::sinh(2.0)},
        {"ARCSINH(1)", std::asinh(1.0)},
        {"ARCCOSH(2)", std::acosh(2.0)},
        {"ARCTANH(0.5)", std::atanh(0.5)},
        {"ARCSECH(0.5)", std::acosh(2.0)},
        {"ARCCOSECH(2)", std::asinh(0.5)},
        {"ARCCOTH(2)", std::atanh(0.5)},
        {"ARCSINH(-1E5)", std::asinh(-1e5), 1e-9},
        {"INT(2.7)", 2},
        {"INT(-2.7)", -3},
        {"INT(-2)", -3},
        {"TRUNC(-0.5)", -1},
        {"FLOOR(-2)", -2},
        {"FLOOR(-2.5)", -3},
        {"FLOOR(2.5)", 2},
        {"CEIL(2.1)", 3},
        {"CEIL(2)", 2},
        {"CEIL(-2.5)", -2},
        {"SIGN(-0.5)", -1},
        {"SIGN(0)", 0},
        {"ZERO(0)", 0},
        {"ZERO(3)", 1},
        {"HEAV(0)", 1},
        {"HEAV(-0.1)", 0},
        {"ABS(-3)", 3},
        {"SQR(-3)", 9},
        {"MIN(2,2)", 2},
        {"MAX(1,2)", 2},
        {"MIN(3,1)", 1},
        {"ARG(-1,0)", Pi},
        {"ARG(0,-1)", -Pi / 2},
        {"ARG(0,1)", Pi / 2},
        {"ARG(1,1)", Pi / 4},
        {"POWER(2,10)", 1024},
        {"INTPOWER(2,-2)", 0.25},
        {"INTPOWER(2,3.9)", 8},
        {"SIN(1E19)", 0},
        {"COS(-1E19)", 0},
        {"SIN(30)", std::sin(30.0)},
        {"SEC(0)", 1},
        {"SECSQ(0)", 1},
        {"COSSQ(PI)", 1},
        {"SINCUBE(PI/2)", 1},
        {"TANSQRAD(45)", 1, 1e-12},
        {"COTRAD(45)", 1, 1e-12},
        {"COSECRAD(30)", 2, 1e-12},
        {"DEGACOT(1)", 45},
        {"DEGASEC(2)", 60, 1e-12},
        {"DEGACOSEC(2)", 30, 1e-12},
        {"ARCCOT(1)", Pi / 4},
        {"EXP(1)", std::numbers::e},
        {"LN(EXP(2))", 2},
        {"SQRT(2)", std::sqrt(2.0)},
        {"BLANC(0.25)", 0.5},
        {"BLANC(0.5)", 0.5},
        {"BLANC(1)", 0},
        {"BLANC(-0.25)", 0.5},
        {"PH(1)", (Pi / 2 - 2) * 2 * Pi, 1e-12},
        {"PH(0)", 0},
    };
    for (const auto& r : rows) {
        auto o = evaluateAt(r.text, 0);
        ASSERT_TRUE(o.ok) << r.text << ": " << o.error;
        EXPECT_NEAR(static_cast<double>(o.value), r.expected, r.tolerance) << r.text;
    }
}

TEST(Functions, OutOfDomainRaisesTheArithmeticError) {
    const std::pair<const char*, const char*> rows[] = {
        {"COTSQ(0)", "EZeroDivide"},    {"COSECSQ(0)", "EZeroDivide"},  {"LOGN(2,0)", "EZeroDivide"},
        {"SQRT(-1)", "EInvalidOp"},     {"LN(0)", "EZeroDivide"},       {"ARCSIN(2)", "EInvalidOp"},
        {"ARCCOS(-1.5)", "EInvalidOp"}, {"COSECRAD(0)", "EZeroDivide"}, {"COTH(0)", "EZeroDivide"},
        {"ARCCOSH(0.5)", "EInvalidOp"}, {"ARCTANH(1)", "EZeroDivide"},  {"SINH(12000)", "EOverflow"},
        {"COSH(800)", "EOverflow"},     {"ARCCOT(0)", "EZeroDivide"},   {"INT(1E10)", "EInvalidOp"},
    };
    for (const auto& [text, error] : rows)
        EXPECT_EQ(evaluateAt(text, 0).error, error) << text;
}

/// The hyperbolic functions with their squares and cubes, and what each computes.
struct Hyperbolic {
    const char* name;
    double (*value)(double);
};
const Hyperbolic HyperbolicFunctions[] = {
    {"SINH", [](double x) { return std::sinh(x); }},
    {"COSH", [](double x) { return std::cosh(x); }},
    {"TANH", [](double x) { return std::tanh(x); }},
    {"COTH", [](double x) { return 1 / std::tanh(x); }},
    {"SECH", [](double x) { return 1 / std::cosh(x); }},
    {"COSECH", [](double x) { return 1 / std::sinh(x); }},
};
const std::pair<const char*, int> Powers[] = {{"", 1}, {"SQ", 2}, {"CUBE", 3}};

TEST(Functions, HyperbolicFunctionsOverflowWhereSinhDoes) {
    // SINH and COSH leave the double range just beyond asinh(DBL_MAX) = 710.47586..., and beyond
    // 11356.5 e⁺ (or e⁻) leaves even the extended range.
    for (double x : {710.476, -710.476, 800.0, -800.0, 12000.0, -12000.0, 1e300, -1e300}) {
        auto sinh = evaluateAt("SINH(X)", x);
        EXPECT_EQ(sinh.error, "EOverflow") << x;
        for (const auto& f : HyperbolicFunctions)
            for (const auto& [suffix, power] : Powers) {
                std::string text = std::string(f.name) + suffix + "(X)";
                EXPECT_EQ(evaluateAt(text, x).error, sinh.error) << text << " at " << x;
            }
    }
}

TEST(Functions, HyperbolicFunctionsKeepTheirValuesInsideTheRange) {
    for (double x : {-710.475, -300.0, -2.0, 0.5, 1.0, 20.0, 300.0, 710.475}) {
        for (const auto& f : HyperbolicFunctions)
            for (const auto& [suffix, power] : Powers) {
                std::string text = std::string(f.name) + suffix + "(X)";
                double expected = std::pow(f.value(x), power);
                auto o = evaluateAt(text, x);
                if (std::isinf(expected)) { // COSH(710)² is beyond the double range itself
                    EXPECT_EQ(o.error, "EOverflow") << text << " at " << x;
                    continue;
                }
                ASSERT_TRUE(o.ok) << text << " at " << x << ": " << o.error;
                EXPECT_NEAR(static_cast<double>(o.value), expected, std::fabs(expected) * 1e-12)
                    << text << " at " << x;
            }
    }
}

TEST(Functions, BlancLeavesItsArgumentAlone) {
    auto o = evaluateAt("BLANC(X)+X", 0.25);
    ASSERT_TRUE(o.ok);
    EXPECT_DOUBLE_EQ(static_cast<double>(o.value), 0.75);
}

TEST(Functions, RandomValuesAreUniformInUnitInterval) {
    TParser p;
    p.setExpression("RANDOM(X)");
    double sum = 0;
    for (int i = 0; i < 2000; ++i) {
        double v = static_cast<double>(p.Value());
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 1);
        sum += v;
    }
    EXPECT_NEAR(sum / 2000, 0.5, 0.05);
    p.setExpression("RND(10)");
    for (int i = 0; i < 100; ++i) {
        double v = static_cast<double>(p.Value());
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 10);
    }
}

TEST(FunctionTable, NamesAreUniqueUpperCaseAndKnownToTheParser) {
    std::set<std::string> seen;
    TParser p;
    for (const auto& f : functionTable()) {
        std::string name(f.name);
        EXPECT_TRUE(seen.insert(name).second) << "duplicate " << name;
        for (char c : name)
            EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << name;
        if (f.arity == 1) {
            EXPECT_NO_THROW(p.setExpression(name + "(x)")) << name;
        } else {
            EXPECT_NO_THROW(p.setExpression(name + "(x,2)")) << name;
        }
    }
    // Every radian function has its degree form, every inverse its "DEG" form.
    for (const char* base : {"SIN", "COS", "TAN", "SEC", "COSEC", "COT", "SINSQ", "COTCUBE", "SECSQ"})
        EXPECT_TRUE(seen.count(std::string(base) + "RAD")) << base;
    for (const char* inv : {"ASIN", "ACOS", "ATAN", "ACOT", "ASEC", "ACOSEC"})
        EXPECT_TRUE(seen.count(std::string("DEG") + inv)) << inv;
}

} // namespace
