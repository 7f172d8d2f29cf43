// The user functions f..l: which definitions are refused before they are applied, and how the
// accepted ones evaluate once installed.
#include "UserFunctions.h"
#include "Errors.h"
#include "FormulaTrans.h"
#include "Parser.h"

#include <gtest/gtest.h>

#include <memory>

namespace kurvo {

void PrintTo(const TUserFunctionError& e, std::ostream* os) {
    *os << "{" << e.index << ", \"" << e.message << "\"}";
}

namespace {

struct CheckCase {
    const char* what;
    TUserFunctionTexts typed;
    std::optional<TUserFunctionError> error;
};

TEST(UserFunctionCheck, RefusesBadAndSelfCallingDefinitionsByLetter) {
    const CheckCase cases[] = {
        {"all empty", {}, std::nullopt},
        {"a chain without a cycle", {"g(x)+1", "h(x)*2", "x\xB2"}, std::nullopt},
        {"one function used twice", {"g(x)+g(2x)", "x"}, std::nullopt},
        {"f calls itself", {"f(x)+1"}, TUserFunctionError{0, "Function f calls itself."}},
        {"typed without brackets",
         {"", "", "", "", "", "", "2lx"},
         TUserFunctionError{6, "Function l calls itself."}},
        {"f and g call each other",
         {"g(x)", "f(x)"},
         TUserFunctionError{0, "Function f calls itself through g."}},
        {"a longer cycle, reported at its first letter",
         {"", "h(x)", "i(x)+1", "g(2x)"},
         TUserFunctionError{1, "Function g calls itself through h and i."}},
        {"f only leads into the cycle g, h, i, j",
         {"g(x)", "h(x)", "i(x)", "j(x)", "g(x)"},
         TUserFunctionError{1, "Function g calls itself through h, i and j."}},
        {"a missing bracket",
         {"", "", "sin(x"},
         TUserFunctionError{2, "Function h: Missing brackets in expression"}},
        {"a dangling operator", {"x^"}, TUserFunctionError{0, "Function f: Error parsing expression:\r(X^)"}},
        {"a factorial without a number",
         {"", "!x"},
         TUserFunctionError{1, "Function g: '' is not a valid integer value"}},
        {"a bad definition is found before a cycle",
         {"f(x)", "", "", "", "", "x+"},
         TUserFunctionError{5, "Function k: Error parsing expression:\r(X+)"}},
        {"two lines in one definition",
         {"", "", "", "x\n+1"},
         TUserFunctionError{3, "Function i: a definition is one line."}},
    };
    for (const auto& c : cases) {
        TFormulaTrans translator;
        TUserFunctionCheck check = checkUserFunctions(c.typed, translator);
        EXPECT_EQ(check.error, c.error) << c.what;
    }
}

TEST(UserFunctionCheck, TranslationsAreTheExpressionFileLines) {
    TFormulaTrans translator;
    TUserFunctionCheck check = checkUserFunctions({"x\xB2-1", "", "2f(x)"}, translator);
    ASSERT_TRUE(check.ok()) << check.error->message;
    EXPECT_EQ(check.translated, (TUserFunctionTexts{"(x^2-1)", "()", "(2*F(x))", "()", "()", "()", "()"}));
    EXPECT_EQ(userFunctionExpression("()"), "(1)");
    EXPECT_EQ(userFunctionExpression("(x^2-1)"), "(x^2-1)");
}

TEST(UserFunctionCheck, DegreeTranslatorGivesDegreeForms) {
    TFormulaTrans translator;
    translator.Degrees = true;
    TUserFunctionCheck check = checkUserFunctions({"sinx"}, translator);
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.translated[0], "(SINRAD(x))");
}

class InstalledFunctions : public testing::Test {
  protected:
    InstalledFunctions() {
        for (std::size_t k = 0; k < UserFunctionCount; ++k) {
            parsers[k] = std::make_unique<TParser>(context);
            context.UserFunctionParser[k] = parsers[k].get();
        }
    }
    double value(const std::string& expression, double x) {
        TParser p(context);
        p.X = x;
        p.setExpression(expression);
        return static_cast<double>(p.Value());
    }
    TParserContext context;
    std::array<std::unique_ptr<TParser>, UserFunctionCount> parsers;
};

TEST_F(InstalledFunctions, AcceptedDefinitionsEvaluateAndEmptyOnesGiveOne) {
    TFormulaTrans translator;
    TUserFunctionCheck check = checkUserFunctions({"x\xB2-1", "", "2f(x)+g(x)"}, translator);
    ASSERT_TRUE(check.ok());
    installUserFunctions(context, check.translated);
    EXPECT_DOUBLE_EQ(value("F(X)+1", 3), 9);
    EXPECT_DOUBLE_EQ(value("G(X)", 5), 1);
    EXPECT_DOUBLE_EQ(value("H(X)", 2), 7);
    EXPECT_EQ(parsers[1]->Expression(), "(1)");
}

TEST_F(InstalledFunctions, PolarFunctionsBindT) {
    context.CartesianMode = false;
    TFormulaTrans translator;
    TUserFunctionCheck check = checkUserFunctions({"2t"}, translator);
    ASSERT_TRUE(check.ok());
    installUserFunctions(context, check.translated);
    EXPECT_DOUBLE_EQ(value("F(X)", 4), 8);
}

} // namespace
} // namespace kurvo
