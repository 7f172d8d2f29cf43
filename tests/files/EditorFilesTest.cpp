// The files the functions and formulae editors write: both function files after an apply, neither
// after a refusal or a failed write, and the preset list of each mode.
#include "Defaults.h"
#include "Errors.h"
#include "FormulaTrans.h"
#include "Parser.h"
#include "PresetList.h"
#include "TempFolder.h"
#include "UserFunctionFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace kurvo {

void PrintTo(const TUserFunctionError& e, std::ostream* os) {
    *os << "{" << e.index << ", \"" << e.message << "\"}";
}

namespace {

using Lines = std::vector<std::string>;

class EditorFilesTest : public testing::Test {
  protected:
    EditorFilesTest() {
        writeDefaultDataFolder(temp.path(), false);
        for (std::size_t k = 0; k < UserFunctionCount; ++k) {
            parsers[k] = std::make_unique<TParser>(context);
            context.UserFunctionParser[k] = parsers[k].get();
        }
        installUserFunctions(context, data.readFunctionExpressions(true));
    }
    std::string bytes(const char* name) const { return test::readBytes(data.find(name)); }
    std::vector<std::string> expressions() const {
        std::vector<std::string> result;
        for (const auto& p : parsers)
            result.push_back(p->Expression());
        return result;
    }
    double value(const std::string& expression, double x) {
        TParser p(context);
        p.X = x;
        p.setExpression(expression);
        return static_cast<double>(p.Value());
    }

    test::TempFolder temp;
    DataFolder data{temp.path()};
    TDataSource source{temp.path()};
    TParserContext context;
    std::array<std::unique_ptr<TParser>, UserFunctionCount> parsers;
    TFormulaTrans translator;
};

TEST_F(EditorFilesTest, AppliedFunctionsAreWrittenToBothFilesAndInstalled) {
    const std::string polarBefore =
        bytes(datafile::PolarFunctions) + bytes(datafile::PolarFunctionExpressions);
    const TUserFunctionTexts typed{"x\xB2-1", "", "2f(x)"};
    EXPECT_EQ(applyUserFunctions(source, true, typed, translator, context), std::nullopt);

    EXPECT_EQ(bytes(datafile::CartesianFunctions), "x\xB2-1\r\n\r\n2f(x)\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(data.readLines(datafile::CartesianFunctionExpressions),
              (Lines{"(x^2-1)", "()", "(2*F(x))", "()", "()", "()", "()"}));
    EXPECT_EQ(data.readFunctions(true), typed);
    EXPECT_EQ(data.readFunctionExpressions(true)[1], "(1)"); // what the next start-up gives g
    EXPECT_EQ(bytes(datafile::PolarFunctions) + bytes(datafile::PolarFunctionExpressions), polarBefore);

    EXPECT_DOUBLE_EQ(value("F(X)+1", 3), 9); // f(x)+1 after the apply
    EXPECT_DOUBLE_EQ(value("G(X)", 3), 1);
    EXPECT_DOUBLE_EQ(value("H(X)", 3), 16);
}

TEST_F(EditorFilesTest, PolarModeWritesThePolarFiles) {
    const std::string cartesianBefore =
        bytes(datafile::CartesianFunctions) + bytes(datafile::CartesianFunctionExpressions);
    EXPECT_EQ(applyUserFunctions(source, false, {"", "2t"}, translator, context), std::nullopt);
    EXPECT_EQ(data.readFunctions(false)[1], "2t");
    EXPECT_EQ(data.readLines("polarfun_int.txt")[1], "(2*t)");
    EXPECT_EQ(bytes(datafile::CartesianFunctions) + bytes(datafile::CartesianFunctionExpressions),
              cartesianBefore);
}

TEST_F(EditorFilesTest, ARefusedApplyWritesNothingAndKeepsTheParsers) {
    ASSERT_EQ(applyUserFunctions(source, true, {"x+1", "x*2"}, translator, context), std::nullopt);
    const std::string before =
        bytes(datafile::CartesianFunctions) + bytes(datafile::CartesianFunctionExpressions);
    const auto parsersBefore = expressions();
    struct Case {
        TUserFunctionTexts typed;
        TUserFunctionError error;
    };
    const Case cases[] = {
        {{"f(x)+1", "x"}, {0, "Function f calls itself."}},
        {{"g(x)", "f(x)"}, {0, "Function f calls itself through g."}},
        {{"x", "x", "", "", "", "", "sin(x"}, {6, "Function l: Missing brackets in expression"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(applyUserFunctions(source, true, c.typed, translator, context), c.error) << c.error.message;
        EXPECT_EQ(bytes(datafile::CartesianFunctions) + bytes(datafile::CartesianFunctionExpressions),
                  before);
        EXPECT_EQ(expressions(), parsersBefore);
    }
}

TEST_F(EditorFilesTest, AFailedWriteLeavesBothFilesAsTheyWere) {
    const std::string typedBefore = bytes(datafile::CartesianFunctions);
    const auto parsersBefore = expressions();
    // The expression file cannot be replaced while a folder stands in its place.
    std::filesystem::remove(data.find(datafile::CartesianFunctionExpressions));
    std::filesystem::create_directory(temp.path() / datafile::CartesianFunctionExpressions);
    EXPECT_THROW(applyUserFunctions(source, true, {"x+1"}, translator, context), EInOutError);
    EXPECT_EQ(bytes(datafile::CartesianFunctions), typedBefore);
    EXPECT_EQ(expressions(), parsersBefore);

    // Without an old user-notation file, the new one does not stay behind alone.
    std::filesystem::remove(data.find(datafile::CartesianFunctions));
    EXPECT_THROW(applyUserFunctions(source, true, {"x+1"}, translator, context), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / datafile::CartesianFunctions));
}

TEST_F(EditorFilesTest, EachModeEditsItsOwnPresetList) {
    struct Case {
        bool implicit, cartesian, parametric;
        const char* file;
    };
    const Case cases[] = {
        {true, true, true, datafile::ImplicitPresets},
        {false, true, true, datafile::CartesianParametricPresets},
        {false, true, false, datafile::CartesianPresets},
        {false, false, true, datafile::PolarParametricPresets},
        {false, false, false, datafile::PolarPresets},
    };
    for (const auto& c : cases) {
        TSettingsRecord mode;
        mode.ImplicitMode = c.implicit;
        mode.CartesianMode = c.cartesian;
        mode.ParametricMode = c.parametric;
        std::map<std::string, std::string> before;
        for (const auto& other : cases)
            before[other.file] = bytes(other.file);
        const Lines edited = {std::string("x\xB2 in ") + c.file, "", "sin(x)"};
        TPresetList saved = savePresetList(source, mode, edited);
        EXPECT_EQ(saved, (TPresetList{edited, edited.front()})) << c.file;
        EXPECT_EQ(readPresetList(source, mode), edited) << c.file;
        EXPECT_EQ(bytes(c.file), joinLines(edited)) << c.file;
        for (const auto& other : cases)
            if (other.file != c.file) {
                EXPECT_EQ(bytes(other.file), before[other.file]) << other.file;
            }
    }
}

TEST_F(EditorFilesTest, AnEmptiedListSavesAnEmptyFile) {
    TSettingsRecord mode = defaultSettings();
    TPresetList saved = savePresetList(source, mode, presetLinesFromText(""));
    EXPECT_EQ(saved, TPresetList{});
    EXPECT_EQ(bytes(presetListName(mode)), "");
}

TEST_F(EditorFilesTest, AMissingPresetListIsAnError) {
    TSettingsRecord mode = defaultSettings();
    std::filesystem::remove(data.find(presetListName(mode)));
    EXPECT_THROW(readPresetList(source, mode), EInOutError);
}

TEST(EditorFilesInMemory, WithoutADataFolderTheEditorsChangeOnlyTheMemory) {
    TDataSource memory = TDataSource::builtInDefaults();
    TParserContext context;
    TParser f(context);
    context.UserFunctionParser[0] = &f;
    TFormulaTrans translator;
    const TUserFunctionTexts typed{"x\xB2-1", "", "2f(x)"};
    EXPECT_EQ(applyUserFunctions(memory, true, typed, translator, context), std::nullopt);
    EXPECT_EQ(memory.readFunctions(true), typed);
    EXPECT_EQ(memory.readLines(datafile::CartesianFunctionExpressions),
              (Lines{"(x^2-1)", "()", "(2*F(x))", "()", "()", "()", "()"}));
    EXPECT_EQ(f.Expression(), "(x^2-1)");
    EXPECT_EQ(memory.readFunctions(false), TDataSource::builtInDefaults().readFunctions(false));

    TSettingsRecord mode = defaultSettings();
    mode.CartesianMode = false;
    EXPECT_EQ(savePresetList(memory, mode, {"2sin(3t)", "t"}), (TPresetList{{"2sin(3t)", "t"}, "2sin(3t)"}));
    EXPECT_EQ(readPresetList(memory, mode), (Lines{"2sin(3t)", "t"}));
    mode.CartesianMode = true;
    EXPECT_EQ(readPresetList(memory, mode),
              TDataSource::builtInDefaults().readLines(datafile::CartesianPresets));
}

TEST(PresetText, EditorTextAndLines) {
    const std::pair<const char*, Lines> cases[] = {
        {"", {}},
        {"x^2", {"x^2"}},
        {"x^2\nsin(x)\n", {"x^2", "sin(x)"}},
        {"x^2\r\nsin(x)", {"x^2", "sin(x)"}},
        {"x^2\n\nsin(x)", {"x^2", "", "sin(x)"}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(presetLinesFromText(text), lines) << testing::PrintToString(text);
    EXPECT_EQ(presetTextFromLines({"x^2", "", "sin(x)"}), "x^2\n\nsin(x)");
    EXPECT_EQ(presetTextFromLines({}), "");
}

} // namespace
} // namespace kurvo
