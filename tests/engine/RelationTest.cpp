// Relations: solved for y (values of both branches through the parser), or left in the implicit form.
#include "TestSupport.h"

#include "FormulaTrans.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace kurvo;

namespace {

using Branch = double (*)(double);

/// The value of a classroom text at x after translation, with the constant a set.
test::Outcome valueAt(const std::string& evaluatorText, double x, double a) {
    TParser parser;
    parser.X = x;
    parser.A = a;
    return test::evaluate(parser, evaluatorText);
}

struct SolvedRow {
    const char* text;
    Branch first;
    Branch second; // null: one branch only
    std::vector<double> xs;
    bool degrees = false;
    double a = 0;
};

const double Pi = std::numbers::pi;

class SolvedRelation : public ::testing::TestWithParam<SolvedRow> {};

TEST_P(SolvedRelation, BranchesHaveTheValuesOfTheSolution) {
    const auto& row = GetParam();
    TFormulaTrans trans;
    trans.Degrees = row.degrees;
    trans.Instring = row.text;
    trans.Translate();
    EXPECT_EQ(trans.ycount, 1);
    EXPECT_TRUE(trans.SolvedForY) << trans.Outstring;
    EXPECT_EQ(trans.Root, row.second != nullptr) << trans.SecondFn;
    const std::string first = trans.Outstring;
    std::string second;
    if (trans.Root) {
        trans.Instring = trans.SecondFn;
        trans.Translate();
        second = trans.Outstring;
    }
    for (double x : row.xs) {
        auto o = valueAt(first, x, row.a);
        ASSERT_TRUE(o.ok) << first << " at " << x << ": " << o.error << " " << o.message;
        EXPECT_NEAR(static_cast<double>(o.value), row.first(x), 1e-9) << first << " at " << x;
        if (row.second) {
            auto o2 = valueAt(second, x, row.a);
            ASSERT_TRUE(o2.ok) << second << " at " << x << ": " << o2.error << " " << o2.message;
            EXPECT_NEAR(static_cast<double>(o2.value), row.second(x), 1e-9) << second << " at " << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolvedRelation,
    ::testing::Values(
        SolvedRow{"y=x+1", [](double x) { return x + 1; }, nullptr, {-1, 0, 2.5}},
        SolvedRow{"y=3", [](double) { return 3.0; }, nullptr, {0, 7}},
        SolvedRow{"2y=x", [](double x) { return x / 2; }, nullptr, {-3, 4}},
        SolvedRow{"3y+1=x", [](double x) { return (x - 1) / 3; }, nullptr, {-2, 7}},
        SolvedRow{"x-y=1", [](double x) { return x - 1; }, nullptr, {0, 5}},
        SolvedRow{"-y=x", [](double x) { return -x; }, nullptr, {-2, 3}},
        SolvedRow{"y+x=1", [](double x) { return 1 - x; }, nullptr, {0, 5}},
        SolvedRow{"1=-(x+y)", [](double x) { return -1 - x; }, nullptr, {0, 5}},
        SolvedRow{"x=-x+(3-y)", [](double x) { return 3 - 2 * x; }, nullptr, {0, 5}},
        SolvedRow{"0=x-x\xB2y+1", [](double x) { return (x + 1) / (x * x); }, nullptr, {2}},
        SolvedRow{"y>=x", [](double x) { return x; }, nullptr, {1, 2}},
        SolvedRow{"y<x", [](double x) { return x; }, nullptr, {1, 2}},
        SolvedRow{"Y = 2X - 1", [](double x) { return 2 * x - 1; }, nullptr, {1, 2}},
        SolvedRow{"y\xB2=x",
                  [](double x) { return std::sqrt(x); },
                  [](double x) { return -std::sqrt(x); },
                  {0.25, 4}},
        SolvedRow{"y^2=x",
                  [](double x) { return std::sqrt(x); },
                  [](double x) { return -std::sqrt(x); },
                  {0.25, 4}},
        // One "y" character, so it is solved: two branches.
        SolvedRow{"x^2+y^2=25",
                  [](double x) { return std::sqrt(25 - x * x); },
                  [](double x) { return -std::sqrt(25 - x * x); },
                  {0, 3, -4}},
        SolvedRow{"x\xB2+y\xB2<4",
                  [](double x) { return std::sqrt(4 - x * x); },
                  [](double x) { return -std::sqrt(4 - x * x); },
                  {0, 1}},
        SolvedRow{"(y+1)\xB2=x",
                  [](double x) { return std::sqrt(x) - 1; },
                  [](double x) { return -std::sqrt(x) - 1; },
                  {1, 4}},
        SolvedRow{"2y\xB2=x",
                  [](double x) { return std::sqrt(x / 2); },
                  [](double x) { return -std::sqrt(x / 2); },
                  {2, 8}},
        SolvedRow{"y^4=x",
                  [](double x) { return std::pow(x, 0.25); },
                  [](double x) { return -std::pow(x, 0.25); },
                  {16}},
        SolvedRow{"y\xB3=x", [](double x) { return std::cbrt(x); }, nullptr, {8, 27}},
        SolvedRow{"y^3=x", [](double x) { return std::cbrt(x); }, nullptr, {8, 27}},
        SolvedRow{"y^(1/3)=x", [](double x) { return x * x * x; }, nullptr, {2}},
        SolvedRow{"(y-1)\xB3=x", [](double x) { return std::cbrt(x) + 1; }, nullptr, {8}},
        SolvedRow{"e^y=x", [](double x) { return std::log(x); }, nullptr, {1, 5}},
        SolvedRow{"2e^y=x", [](double x) { return std::log(x / 2); }, nullptr, {2, 5}},
        SolvedRow{"ln(y)=x", [](double x) { return std::exp(x); }, nullptr, {0, 1}},
        SolvedRow{"sqrt(y)=x", [](double x) { return x * x; }, nullptr, {3}},
        SolvedRow{"sin(y+1)=x", [](double x) { return std::asin(x) - 1; }, nullptr, {0, 0.5}},
        SolvedRow{"sin(y)=x", [](double x) { return std::asin(x); }, nullptr, {0.5}},
        SolvedRow{"siny=x", [](double x) { return std::asin(x); }, nullptr, {0.5}},
        SolvedRow{"2sin(y)=x", [](double x) { return std::asin(x / 2); }, nullptr, {1}},
        SolvedRow{"sinh(y)=x", [](double x) { return std::asinh(x); }, nullptr, {2}},
        SolvedRow{"arccosec(y)=x", [](double x) { return 1 / std::sin(x); }, nullptr, {1}},
        SolvedRow{"sin(cos(y))=x", [](double x) { return std::acos(std::asin(x)); }, nullptr, {0.5}},
        SolvedRow{"sin((y)+1)=x", [](double x) { return std::asin(x) - 1; }, nullptr, {0.5}},
        SolvedRow{"(sin(y))\xB2=x",
                  [](double x) { return std::asin(std::sqrt(x)); },
                  [](double x) { return std::asin(-std::sqrt(x)); },
                  {0.25}},
        SolvedRow{"2(y+1)=x", [](double x) { return x / 2 - 1; }, nullptr, {4}},
        SolvedRow{"2*y=x", [](double x) { return x / 2; }, nullptr, {4}},
        SolvedRow{"2*-y=x", [](double x) { return -x / 2; }, nullptr, {4}},
        SolvedRow{"xy=1", [](double x) { return 1 / x; }, nullptr, {2, -4}},
        SolvedRow{"x\xB2y=1", [](double x) { return 1 / (x * x); }, nullptr, {2}},
        SolvedRow{"y(x+1)=2", [](double x) { return 2 / (x + 1); }, nullptr, {1, 3}},
        SolvedRow{"ay=x", [](double x) { return x / 4; }, nullptr, {2}, false, 4},
        SolvedRow{"y=x^-2", [](double x) { return 1 / (x * x); }, nullptr, {2}},
        // In degree mode the solution of a trigonometric relation is in degrees too.
        SolvedRow{"sin(y)=x", [](double x) { return std::asin(x) * 180 / Pi; }, nullptr, {0.5}, true},
        SolvedRow{"arctan(y)=x", [](double x) { return std::tan(x * Pi / 180); }, nullptr, {45}, true}));

// Whatever the arrangement, a branch of a solved relation satisfies the relation: left - right, read
// by the parser at (x, branch value), is 0 wherever both can be evaluated.
TEST(SolvedRelation, BranchesSatisfyTheRelation) {
    const char* yTerms[] = {
        "y",         "2y",         "y\xB2",   "y\xB3",        "y^2",         "y^4",     "(y+1)",
        "(y-2)\xB2", "(2y+1)\xB3", "sin(y)",  "siny",         "e^y",         "xy",      "x\xB2y",
        "ay",        "-y",         "ln(y)",   "exp(y)",       "3*y",         "2(y-1)",  "sinh(y)",
        "((y))",     "y(x+1)",     "2*(-y)",  "(sin(y))\xB2", "cos(y+1)",    "y^a",     "(y+x)^2",
        "-(y-1)",    "(3-y)",      "2x(y+1)", "x^2y",         "(y\xB2)\xB2", "(x+1)*y", "ay+b"};
    const char* xSides[] = {"x", "2", "x\xB2", "3x+1", "1-x", "sin(x)", "x/2", "b", "(x-1)", "2x\xB2-1"};
    const char* forms[] = {"T=X", "X=T", "T+X=1", "X-T=2", "1=X-T", "-T-X=x"};
    int solvedCount = 0, checked = 0;
    for (const char* term : yTerms) {
        for (const char* xSide : xSides) {
            for (std::string relation : forms) {
                relation.replace(relation.find('T'), 1, term);
                relation.replace(relation.find('X'), 1, xSide);
                if (relation.find("--") != std::string::npos || relation.find("+-") != std::string::npos)
                    continue;
                TFormulaTrans trans;
                trans.Instring = relation;
                trans.Translate();
                if (!trans.SolvedForY) continue;
                ++solvedCount;
                std::vector<std::string> branches{trans.Outstring};
                if (trans.Root) {
                    trans.Instring = trans.SecondFn;
                    trans.Translate();
                    branches.push_back(trans.Outstring);
                }
                trans.Implicit_simple_sort = true;
                trans.Instring = relation;
                trans.Translate();
                TParser implicit, branch;
                ASSERT_NO_THROW(implicit.setExpression(trans.Outstring)) << relation;
                for (const auto& b : branches) {
                    ASSERT_NO_THROW(branch.setExpression(b)) << relation << " -> " << b;
                    for (double x : {0.3, 0.7, 1.3, 2.1, -0.4, -1.7}) {
                        for (TParser* p : {&implicit, &branch}) {
                            p->X = x;
                            p->A = 1.7;
                            p->B = 0.6;
                            p->E = std::numbers::e;
                        }
                        try {
                            implicit.Y = static_cast<double>(branch.Value());
                            double residual = static_cast<double>(implicit.Value());
                            EXPECT_NEAR(residual, 0, 1e-8 * std::max(1.0, std::fabs(implicit.Y)))
                                << relation << " -> " << b << " at x = " << x;
                            ++checked;
                        } catch (const EMathError&) {
                            // outside the domain of the solution or of the relation
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(solvedCount, 1800);
    EXPECT_GT(checked, 8000);
}

// Relations that cannot or must not be solved take the implicit form left - (right), whose sign tells
// on which side of the curve a point lies.
TEST(ImplicitRelation, TakesTheImplicitForm) {
    struct Row {
        const char* text;
        int ycount;
        const char* expected;
        bool simpleSort = false;
    } rows[] = {
        {"x^2+y*y=25", 2, "(x^2+y*y-(25))"}, // two "y" characters
        {"y=x*y+1", 2, "(y-(x*y+1))"},
        {"x^2+y*y<4", 2, "(0-(x^2+y*y<4))"}, // "<" and ">" stay in this form
        {"y=x+1", 1, "(y-(x+1))", true},     // asked for
        {"x=3", 0, "(x-(3))"},               // no y term
        {"x>=3", 0, "(x-(3))"},
        {"(y+1)(x+1)=2", 1, "((y+1)*(x+1)-(2))"}, // y inside a product of sums
        {"log(y)=x", 1, "(LOG(y)-(x))"},          // no inverse function
        {"f(y)=x", 1, "(F(y)-(x))"},
        {"sin\xB2(y)=x", 1, "(SINSQ(y)-(x))"},
        {"sin(y)\xB2=x", 1, "(SIN(y)^2-(x))"},
        {"y\xB2x=1", 1, "(y^2*x-(1))"},
        {"2^y=x", 1, "(2^y-(x))"}, // y in an exponent
        {"y/2=x", 1, "(y/2-(x))"},
        {"a(y+1)=x", 1, "(a*(y+1)-(x))"},
        {"y^y2=x", 2, "(y^y*2-(x))"},
    };
    for (const auto& r : rows) {
        TFormulaTrans trans;
        trans.Implicit_simple_sort = r.simpleSort;
        trans.Instring = r.text;
        trans.Translate();
        EXPECT_EQ(trans.Outstring, r.expected) << r.text;
        EXPECT_EQ(trans.ycount, r.ycount) << r.text;
        EXPECT_FALSE(trans.SolvedForY) << r.text;
        EXPECT_FALSE(trans.Root) << r.text;
    }
}

TEST(ImplicitRelation, ImplicitFormIsLeftMinusRight) {
    TFormulaTrans trans;
    trans.Instring = "x^2+y*y=25";
    trans.Translate();
    TParser parser;
    parser.setExpression(trans.Outstring);
    parser.X = 3;
    parser.Y = 4;
    EXPECT_EQ(parser.Value(), 0);
    parser.Y = 5;
    EXPECT_EQ(parser.Value(), 9);
}

TEST(IsolateY, WorkedExamples) {
    TFormulaTrans trans;
    EXPECT_EQ(trans.IsolateY("y=x+1"), "(0-(-(x+1)))");
    EXPECT_EQ(trans.IsolateY("2y=x"), "((0-(-(x)))/(2))");
    EXPECT_FALSE(trans.Root);
    EXPECT_EQ(trans.IsolateY("y\xB2=x"), "sqrt(0-(-(x)))");
    EXPECT_TRUE(trans.Root);
    EXPECT_EQ(trans.SecondFn, "-sqrt(0-(-(x)))");
    EXPECT_EQ(trans.IsolateY("3y+1=x"), "((0-(1)-(-(x)))/(3))");
    EXPECT_EQ(trans.IsolateY("e^y=x"), "ln((0-(-(x))))");
    EXPECT_EQ(trans.IsolateY("sin(y+1)=x"), "((ARCSIN(0-(-(x))))-(1))");
}

TEST(IsolateY, RootAndSecondFnKeepTheirValuesUntilTheCallerClearsThem) {
    TFormulaTrans trans;
    trans.Instring = "y\xB2=x";
    trans.Translate();
    ASSERT_TRUE(trans.Root);
    trans.Instring = "y=x";
    trans.Translate();
    EXPECT_TRUE(trans.Root);
    EXPECT_EQ(trans.SecondFn, "-sqrt(0-(-(x)))");
    trans.Instring = "x+1"; // no relation: ycount and SolvedForY keep their values too
    trans.Translate();
    EXPECT_EQ(trans.ycount, 1);
    EXPECT_TRUE(trans.SolvedForY);
}

// A root taken before the rearrangement gives up must not leave a second branch behind.
TEST(IsolateY, GivingUpRecordsNoBranch) {
    TFormulaTrans trans;
    trans.Instring = "(log(y))\xB2=x";
    trans.Translate();
    EXPECT_FALSE(trans.SolvedForY);
    EXPECT_FALSE(trans.Root);
    EXPECT_EQ(trans.SecondFn, "");
}

TEST(IsolateY, BoundedPassesFallBackToTheImplicitForm) {
    auto nested = [](int depth) {
        return std::string(static_cast<std::size_t>(depth), '(') + "y" +
               std::string(static_cast<std::size_t>(depth), ')') + "=x";
    };
    TFormulaTrans trans;
    trans.Instring = nested(TFormulaTrans::MaxIsolatePasses - 2);
    trans.Translate();
    EXPECT_TRUE(trans.SolvedForY);
    trans.Instring = nested(TFormulaTrans::MaxIsolatePasses + 1);
    trans.Translate();
    EXPECT_FALSE(trans.SolvedForY);
    EXPECT_EQ(trans.Outstring.substr(trans.Outstring.size() - 5), "-(x))");
}

// Long texts are worked on whole, never cut: the part that decides the value lies beyond 255 characters.
TEST(IsolateY, LongRelationsAreNotCut) {
    const std::string longOne = std::string(300, '0') + "1x";
    TFormulaTrans trans;
    trans.Instring = "y=" + longOne + "+2";
    trans.Translate();
    ASSERT_TRUE(trans.SolvedForY);
    auto o = valueAt(trans.Outstring, 3, 0);
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(o.value, 5);

    trans.Instring = "(" + longOne + "+2)'";
    trans.Translate();
    o = valueAt(trans.Outstring, 3, 0);
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(o.value, 5);
}

} // namespace
