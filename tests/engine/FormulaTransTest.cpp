// Translation of classroom notation: each rewriting rule, the separators, factorials and the name tables.
#include "TestSupport.h"

#include "Cp1252.h"
#include "Errors.h"
#include "FormulaNames.h"
#include "FormulaTrans.h"
#include "FunctionTable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

using namespace kurvo;

namespace {

constexpr double Pi = std::numbers::pi;

std::string translate(const std::string& text, bool degrees = false) {
    TFormulaTrans trans;
    trans.Degrees = degrees;
    trans.Instring = text;
    trans.Translate();
    return trans.Outstring;
}

struct Row {
    const char* text;
    const char* expected;
};

void expectTranslations(std::initializer_list<Row> rows, bool degrees = false) {
    for (const auto& r : rows)
        EXPECT_EQ(translate(r.text, degrees), r.expected) << r.text;
}

TEST(FormulaTrans, WorkedExamples) {
    expectTranslations({
        {"2x", "(2*x)"},
        {"x\xB2+3x", "(x^2+3*x)"},
        {"sin\xB2x", "(SINSQ(x))"},
        {"|x-1|", "(ABS(x-1))"},
        {"-x^2", "(0-x^2)"},
        {"(x+1)(x-1)", "((x+1)*(x-1))"},
        {"2sin(x)", "(2*SIN(x))"},
        {"3!", "(6)"},
        {"f'(x)", "DIFF((F(x)))"},
        {"3x", "(3*x)"},
        {"3e", "(3e)"},
        {"5!+1", "(120+1)"},
        {"2*pi", "(2*p*I())"},
        {"2p", "(2*p)"},
    });
    expectTranslations(
        {{"sin(x)", "(SINRAD(x))"}, {"arctan(x)", "(DEGATAN(x))"}, {"arcsin(x)", "(DEGASIN(x))"}}, true);
}

TEST(FormulaTrans, TextPreparation) {
    expectTranslations({
        {"SIN(X)", "(SIN(x))"}, // lower-cased first
        {"2 x + 1", "(2*x+1)"}, // blanks removed
        {"", "()"},             // nothing to translate
        {"-x", "(0-x)"},        // a leading minus subtracts from 0
        {"2(-x)", "(2*(0-x))"}, // so does a minus after any "("
        {"((-(-x)))", "(((0-(0-x))))"},
        {"x\xB3-x\xB2", "(x^3-x^2)"}, // superscripts
        {"x\xB2\xB3", "(x^2^3)"},     // left for the parser to reject
    });
}

TEST(FormulaTrans, PrimeDerivesTheWholeFormula) {
    expectTranslations({
        {"x\xB2'", "DIFF((x^2))"},
        {"sin'x", "DIFF((SIN(x)))"},
        {"x''", "DIFF((x'))"}, // only the first prime is taken
    });
}

TEST(FormulaTrans, NamesAndTheOwedBracket) {
    expectTranslations({
        {"sinx", "(SIN(x))"},
        {"sin2x", "(SIN(2*x))"},
        {"sin-x+1", "(SIN(-x)+1)"},
        {"sinxcosx", "(SIN(x)*COS(x))"},
        {"sinsinx", "(SIN(SIN(x)))"},
        {"sin(x)+sin(2x)", "(SIN(x)+SIN(2*x))"},
        {"sinh x", "(SINH(x))"},
        {"arcsinh(x)", "(ARCSINH(x))"},
        {"arccosec(x)", "(ARCCOSEC(x))"},
        {"arccos(x)", "(ARCCOS(x))"},
        {"cosec\xB2x", "(COSECSQ(x))"},
        {"tan\xB3(x)", "(TANCUBE(x))"},
        {"sqrt(x)", "(SQRT(x))"},
        {"sqr(x)", "(SQR(x))"},
        {"integ(x)", "(INTEG(x))"},
        {"int(x)", "(INT(x))"},
        {"lnx", "(LN(x))"},
        {"e^x", "(e^x)"},
        {"g(x)+h(x)", "(G(x)+H(x))"},
        {"floor(x)", "(F(L(o*o*r*(x))))"}, // a name the table lacks falls apart into letters
        {"sin", "(SIN())"},
    });
    // Degree mode changes the trigonometric names only.
    expectTranslations(
        {
            {"sin\xB2x", "(SINSQRAD(x))"},
            {"cosec(x)", "(COSECRAD(x))"},
            {"cot\xB3x", "(COTCUBERAD(x))"},
            {"arccosec(x)", "(DEGACOSEC(x))"},
            {"sinh(x)", "(SINH(x))"},
            {"ln(x)", "(LN(x))"},
        },
        true);
}

TEST(FormulaTrans, AbsoluteBarsConvertOnePair) {
    expectTranslations({
        {"|x|", "(ABS(x))"},
        {"2|x|", "(2*ABS(x))"},
        {"|x|+|x-1|", "(ABS(x)+|x-1|)"},
        {"|x", "(ABS(x)"},
    });
}

// Each multiplication rule, and each case where a later rule overrides an earlier one.
TEST(FormulaTrans, MultiplicationRules) {
    expectTranslations({
        {"ab", "(a*b)"},                  // 1: operand, operand
        {"(x)(x)", "((x)*(x))"},          // 2: ")", "("
        {"asin(x)", "(a*SIN(x))"},        // 3: operand, name start
        {"sin(x)", "(SIN(x))"},           // 4 over 3: "(" then "(" or a name
        {"(x)", "((x))"},                 // 5: operand, ")"
        {"a+b", "(a+b)"},                 // 6: operand, operator
        {"2.5x", "(2.5*x)"},              // 7 over 1: inside a number
        {"1,5", "(1,5)"},                 // 7 over 1
        {"2sin(x)", "(2*SIN(x))"},        // 8: number, name start
        {"a(x+1)", "(a*(x+1))"},          // 9: operand, "("
        {"(x)sin(x)", "((x)*SIN(x))"},    // 10: ")", name start
        {"2e", "(2e)"},                   // 11 over 1: number, "e"
        {"21!", "(5.10909421717094E19)"}, // 11 over 8: number, "E"
        {"ex", "(ex)"},                   // 12 over 1: after "e"
        {"e(x)", "(e(x))"},               // 12 over 9
        {"((x))", "(((x)))"},             // 13 over 3 and 9: after "("
        {"x^(2)", "(x^(2))"},             // 14: after an operator
        {"(x+1)x", "((x+1)x)"},           // no rule: the previous decision (none) stands
        {"xx", "(x*x)"},                  // the x rule
        {"2xy", "(2*x*y)"},
    });
}

TEST(FormulaTrans, Separators) {
    struct SepRow {
        const char* text;
        char decimal, thousands;
        const char* expected;
    } rows[] = {
        {"1,000x", '.', ',', "(1000*x)"},    {"1.000,5x", ',', '.', "(1000.5*x)"},
        {"1,5+2,5", ',', '\0', "(1.5+2,5)"}, // only the first comma is the decimal point
        {"2,5", '.', '\0', "(2,5)"},         {"max(1,2)", '.', ',', "(m*a*x*(12))"},
        {"1 000", '.', ' ', "(1000)"},
    };
    for (const auto& r : rows) {
        TFormulaTrans trans;
        trans.DecimalSeparator = r.decimal;
        trans.ThousandSeparator = r.thousands;
        trans.Instring = r.text;
        trans.Translate();
        EXPECT_EQ(trans.Outstring, r.expected) << r.text;
    }
}

TEST(FormulaTrans, Factorials) {
    expectTranslations({
        {"0!", "(1)"},
        {"3!!", "(6)"},
        {"3!+2!", "(6+2)"}, // only the first is evaluated
        {"x+4!", "(x+24)"},
        {"12!", "(479001600)"},
        {"13!", "(6227020800)"},
        {"20!", "(2432902008176640000)"},
        {"0013!", "(6227020800)"},
        {"170!", "(7.257415615308E306)"},
    });
    struct ErrorRow {
        const char* text;
        const char* error;
        const char* message;
    } rows[] = {
        {"171!", "ETranslateError", "Factorial too large: 171!"},
        {"1000!", "ETranslateError", "Factorial too large: 1000!"},
        {"99999999999999999999!", "ETranslateError", "Factorial too large: 99999999999999999999!"},
        {"x!", "EConvertError", "'' is not a valid integer value"},
        {"!", "EConvertError", "'' is not a valid integer value"},
    };
    for (const auto& r : rows) {
        TFormulaTrans trans;
        trans.Instring = r.text;
        try {
            trans.Translate();
            ADD_FAILURE() << r.text << " translated to " << trans.Outstring;
        } catch (const EKurvoError& e) {
            EXPECT_STREQ(e.className(), r.error) << r.text;
            EXPECT_STREQ(e.what(), r.message) << r.text;
        }
    }
}

TEST(FormulaTrans, TranslationsEvaluate) {
    struct ValueRow {
        const char* text;
        double x;
        double expected;
    } rows[] = {
        {"2x\xB2-3x+1", 2, 3},
        {"|x-5|", 2, 3},
        {"-x^2", 3, -9},
        {"(x+1)(x-1)", 3, 8},
        {"sin\xB2x+cos\xB2x", 0.7, 1},
        {"3!x", 2, 12},
        {"2|x|", -2, 4},
        {"x(x+1)", 2, 6},
        {"sqrt(x)sqrt(x)", 3, 3},
        {"2.5x", 2, 5},
        {"-(-x)", 4, 4},
        {"13!/12!", 0, 518918400} /* only the first "!" counts */,
    };
    for (const auto& r : rows) {
        auto o = test::evaluateAt(translate(r.text), r.x);
        ASSERT_TRUE(o.ok) << r.text << ": " << o.error << " " << o.message;
        EXPECT_NEAR(static_cast<double>(o.value), r.expected, 1e-9) << r.text;
    }
}

TEST(FormulaTrans, NumberAfterAFactorialMultipliesIt) {
    const double f24 = 620448401733239439360000.0;
    struct FactorialRow {
        const char* text;
        const char* translation;
        double x;
        double expected;
    } rows[] = {
        {"3!2", "(6*2)", 0, 12},
        {"24!2", "(6.20448401733239E23*2)", 0, 2 * f24}, // not glued onto the exponent
        {"3!!2", "(6*2)", 0, 12},                        // the second "!" is dropped first
        {"3!.5", "(6*.5)", 0, 3},
        {"3!2x", "(6*2*x)", 2, 24},
        {"2+3!10", "(2+6*10)", 0, 62},
        {"3!x", "(6*x)", 2, 12},
        {"2*3!", "(2*6)", 0, 12},
        {"3!(x+1)", "(6*(x+1))", 1, 12},
        {"3!+2", "(6+2)", 0, 8},
        {"3!^2", "(6^2)", 0, 36},
    };
    for (const auto& r : rows) {
        std::string t = translate(r.text);
        EXPECT_EQ(t, r.translation) << r.text;
        auto o = test::evaluateAt(t, r.x);
        ASSERT_TRUE(o.ok) << r.text << ": " << o.error << " " << o.message;
        EXPECT_NEAR(static_cast<double>(o.value), r.expected, r.expected * 1e-14) << r.text;
    }
}

TEST(FormulaTrans, TypedPiAndRootSymbolsReadAsPAndSqrt) {
    // The texts arrive as UTF-8 from the formula field or the command line.
    struct SymbolRow {
        const char* utf8;
        const char* translation;
        double x;
        double expected; // with the constant p at its default, π
    } rows[] = {
        {"2\u03C0", "(2*p)", 0, 2 * Pi},       {"\u03C0\u00B2", "(p^2)", 0, Pi * Pi},
        {"\u03C0x", "(p*x)", 2, 2 * Pi},       {"sin(\u03C0/2)", "(SIN(p/2))", 0, 1},
        {"sin \u03C0x", "(SIN(p*x))", 0.5, 1}, {"\u221Ax", "(SQRT(x))", 9, 3},
        {"\u221A(x+1)", "(SQRT(x+1))", 8, 3},  {"2\u221Ax", "(2*SQRT(x))", 4, 4},
        {"x\u221Ax", "(x*SQRT(x))", 4, 8},     {"\u221A\u03C0", "(SQRT(p))", 0, std::sqrt(Pi)},
        {"\u221A2x", "(SQRT(2*x))", 2, 2},
    };
    for (const auto& r : rows) {
        std::string t = translate(utf8ToCp1252(r.utf8));
        EXPECT_EQ(t, r.translation) << r.utf8;
        TParser p;
        p.P = Pi;
        p.X = r.x;
        auto o = test::evaluate(p, t);
        ASSERT_TRUE(o.ok) << r.utf8 << ": " << o.error << " " << o.message;
        EXPECT_NEAR(static_cast<double>(o.value), r.expected, 1e-12) << r.utf8;
    }
    // A relation solved for y keeps the symbols' meaning.
    EXPECT_EQ(translate(utf8ToCp1252("y=\u221Ax")), "((0-(0-(SQRT(x)))))");
}

TEST(FormulaTrans, DegreesTakeEffectAtTheNextTranslation) {
    TFormulaTrans trans;
    trans.Instring = "sin(x)";
    trans.Degrees = true;
    trans.Translate();
    EXPECT_EQ(trans.Outstring, "(SINRAD(x))");
    EXPECT_EQ(trans.ParserNames()[47], "SINRAD");
    trans.Degrees = false;
    trans.Translate();
    EXPECT_EQ(trans.Outstring, "(SIN(x))");
    EXPECT_EQ(trans.ParserNames()[47], "SIN");
}

// Every text translates quickly, however long or odd: no step may loop or grow without bound.
TEST(FormulaTrans, LongOddTextsTranslateQuickly) {
    auto repeat = [](const std::string& s, int n) {
        std::string r;
        for (int k = 0; k < n; ++k)
            r += s;
        return r;
    };
    const std::string texts[] = {
        repeat("sin", 1000) + "x",
        repeat("x", 3000),
        repeat("(-", 1500),
        repeat("|", 3000) + repeat("\xB2", 3000),
        repeat("(", 1500) + "y" + repeat(")", 1500) + "=x",
        "y=" + repeat("(x+", 1000) + "1" + repeat(")", 1000),
        repeat("sin(", 700) + "y" + repeat(")", 700) + "=x",
        repeat("y", 3000) + "=" + repeat("x", 3000),
        "(" + repeat("y+", 1) + repeat("x+", 1500) + "1)(x+1)=" + repeat("2", 1000),
        repeat("sinxcos", 500) + "'" + repeat("!", 100) + "3!",
    };
    for (const auto& text : texts) {
        TFormulaTrans trans;
        trans.Instring = text;
        auto start = std::chrono::steady_clock::now();
        try {
            trans.Translate();
        } catch (const EKurvoError&) {
        }
        auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        // A guard against runaway work (each of these took minutes once), not a speed goal: the
        // bound leaves room for a sanitized build on a loaded machine.
        EXPECT_LT(ms, 5000) << text.substr(0, 40);
    }
}

// ---- the name tables ----------------------------------------------------------------------------------

TEST(FormulaNames, TablesHoldEveryNameOnce) {
    TFormulaTrans trans;
    EXPECT_EQ(formulaNames().size(), TFormulaTrans::NameCount);
    std::set<std::string> seen;
    for (std::size_t i = 0; i < TFormulaTrans::TableSize; ++i) {
        const auto& name = trans.UserNames()[i];
        if (i >= TFormulaTrans::NameCount) {
            EXPECT_TRUE(name.empty() && trans.ParserNames()[i].empty() && trans.InverseNames()[i].empty());
            continue;
        }
        EXPECT_TRUE(seen.insert(name).second) << "duplicate " << name;
        EXPECT_FALSE(trans.ParserNames()[i].empty()) << name;
    }
}

// A name that occurs inside a later one would be replaced inside it ("arccos" in "arccosec").
TEST(FormulaNames, LongerNamesComeFirst) {
    auto names = formulaNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i + 1; j < names.size(); ++j)
            EXPECT_EQ(names[j].userName.find(names[i].userName), std::string_view::npos)
                << names[i].userName << " is found inside the later " << names[j].userName;
}

TEST(FormulaNames, EveryEmittedNameIsKnownToTheParser) {
    std::set<std::string, std::less<>> known;
    for (const auto& f : functionTable())
        known.insert(std::string(f.name));
    for (bool degrees : {false, true}) {
        TFormulaTrans trans;
        trans.Degrees = degrees;
        trans.Instring = "x";
        trans.Translate();
        for (std::size_t i = 0; i < TFormulaTrans::NameCount; ++i) {
            EXPECT_TRUE(known.count(trans.ParserNames()[i])) << trans.ParserNames()[i];
            const auto& inverse = trans.InverseNames()[i];
            if (!inverse.empty()) {
                EXPECT_TRUE(known.count(inverse)) << inverse;
            }
        }
    }
    // The names the steps write themselves: the prime, the bars, and the roots and logarithm of the
    // rearrangement (written in lower case and translated like typed names).
    for (const char* name : {"DIFF", "ABS", "SQRT", "LN"})
        EXPECT_TRUE(known.count(name)) << name;
}

// The same round trip from the outside: every name, typed with an argument or in a relation that the
// rearrangement undoes, translates into something the parser accepts.
TEST(FormulaNames, EveryNameTranslatesIntoAParsableExpression) {
    for (bool degrees : {false, true}) {
        for (const auto& n : formulaNames()) {
            for (const std::string& text :
                 {std::string(n.userName) + "(x)", std::string(n.userName) + "(y)=x"}) {
                TFormulaTrans trans;
                trans.Degrees = degrees;
                trans.Instring = text;
                trans.Translate();
                TParser parser;
                EXPECT_NO_THROW(parser.setExpression(trans.Outstring)) << text << " -> " << trans.Outstring;
                EXPECT_EQ(trans.SolvedForY,
                          text.find('=') != std::string::npos && !n.inverse(degrees).empty())
                    << text;
            }
        }
    }
}

} // namespace

namespace {

TEST(TranslateFormula, ReturnsTheFactsOfItsOwnTextAndKeepsNothing) {
    struct Row {
        const char* text;
        bool relation, solved, root;
        int ycount;
    } rows[] = {
        {"x^2+y^2=25", true, true, true, 1},
        {"x+1", false, false, false, 0},  // nothing left over from the relation before
        {"y*y=x", true, false, false, 2},
        {"y=2x", true, true, false, 1},
    };
    for (const auto& r : rows) {
        const kurvo::TTranslation t = kurvo::translateFormula(r.text, {});
        EXPECT_EQ(t.Relation, r.relation) << r.text;
        EXPECT_EQ(t.SolvedForY, r.solved) << r.text;
        EXPECT_EQ(t.Root, r.root) << r.text;
        EXPECT_EQ(t.ycount, r.ycount) << r.text;
        EXPECT_EQ(t.SecondFn.empty(), !r.root) << r.text;
        // The class gives the same translation.
        kurvo::TFormulaTrans tr;
        tr.Instring = r.text;
        tr.Translate();
        EXPECT_EQ(tr.Outstring, t.Outstring) << r.text;
    }
    // The class keeps a relation's facts across a text that is no relation, as callers expect.
    kurvo::TFormulaTrans tr;
    tr.Instring = "x^2+y^2=25";
    tr.Translate();
    tr.Instring = "x+1";
    tr.Translate();
    EXPECT_TRUE(tr.Root && tr.SolvedForY);
    EXPECT_EQ(tr.ycount, 1);
    EXPECT_EQ(tr.Outstring, "(x+1)");
}

} // namespace
