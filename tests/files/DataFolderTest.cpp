// The data folder: line splitting, Windows-1252 bytes, names in any letter case, the per-mode file
// choice, the function and alias rules, and writes that never leave a damaged file.
#include "Aliases.h"
#include "DataFolder.h"
#include "AtomicFile.h"
#include "Defaults.h"
#include "Errors.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace kurvo {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLists, SplitAtLineFeedWithOrWithoutCarriageReturn) {
    const std::pair<const char*, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\rb\r\n", {"a\rb"}}, // a lone CR is not a line end
        {"a\r", {"a\r"}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(splitLines(text), lines) << testing::PrintToString(text);
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

class DataFolderTest : public testing::Test {
  protected:
    test::TempFolder temp;
    DataFolder data{temp.path()};
};

TEST_F(DataFolderTest, Windows1252BytesSurviveWritingAndReading) {
    const Lines lines = {"x\xB2+y\xB2=25", "x\xB3", "caf\xE9", ""};
    data.writeLines("Cart.txt", lines);
    EXPECT_EQ(test::readBytes(temp.path() / "Cart.txt"), "x\xB2+y\xB2=25\r\nx\xB3\r\ncaf\xE9\r\n\r\n");
    EXPECT_EQ(data.readLines("Cart.txt"), lines);
}

TEST_F(DataFolderTest, NamesAreMatchedWithoutRegardToCase) {
    test::writeBytes(temp.path() / "CART.TXT", "x^2\n");
    EXPECT_EQ(data.readLines("Cart.txt"), Lines{"x^2"});
    EXPECT_EQ(data.readLines("cart.txt"), Lines{"x^2"});
    data.writeLines("cart.txt", {"sin(x)"});
    EXPECT_EQ(temp.names(), Lines{"CART.TXT"}); // written over the existing file, no second file
    EXPECT_EQ(test::readBytes(temp.path() / "CART.TXT"), "sin(x)\r\n");
    data.appendLine("Cart.TXT", "x\xB3");
    EXPECT_EQ(data.readLines("cart.txt"), (Lines{"sin(x)", "x\xB3"}));
    data.appendLine("implic.txt", "x^2+y^2=1"); // a missing list is created under the name given
    EXPECT_EQ(temp.names(), (Lines{"CART.TXT", "implic.txt"}));
    EXPECT_THROW(data.readLines("Polar.txt"), EInOutError);
}

TEST(ModeFiles, EachModeHasItsPresetAndAliasList) {
    struct Case {
        bool implicit, cartesian, parametric;
        const char *presets, *aliases;
    };
    const Case cases[] = {
        {false, true, false, "Cart.txt", "cartal.txt"},  {false, true, true, "Cartpara.txt", "pcartal.txt"},
        {false, false, false, "Polar.txt", "polal.txt"}, {false, false, true, "parapol.txt", "ppolal.txt"},
        {true, true, true, "implic.txt", "Implal.txt"},  {true, false, false, "implic.txt", "Implal.txt"},
    };
    for (const auto& c : cases) {
        TSettingsRecord mode;
        mode.ImplicitMode = c.implicit;
        mode.CartesianMode = c.cartesian;
        mode.ParametricMode = c.parametric;
        EXPECT_STREQ(presetListName(mode), c.presets);
        EXPECT_STREQ(aliasListName(mode), c.aliases);
    }
    EXPECT_STREQ(functionFileName(true), "Cartfun.txt");
    EXPECT_STREQ(functionExpressionFileName(false), "Polarfun_int.txt");
}

TEST_F(DataFolderTest, EmptyFunctionsAreStoredAsBracketsAndLoadedAsOne) {
    test::writeBytes(temp.path() / "cartfun_int.txt", "X^2\r\nSIN(X)\r\n()\r\n( )\r\n");
    TUserFunctionTexts f = data.readFunctionExpressions(true);
    EXPECT_EQ(f, (TUserFunctionTexts{"X^2", "SIN(X)", "(1)", "( )", "", "", ""}));

    TUserFunctionTexts typed{"x\xB2", "", "", "", "", "", "2x"};
    TUserFunctionTexts translated{"X^2", "", "", "", "", "", "2*X"};
    data.writeFunctions(false, typed, translated);
    EXPECT_EQ(data.readFunctions(false), typed);
    EXPECT_EQ(test::readBytes(temp.path() / "Polarfun_int.txt"),
              "X^2\r\n()\r\n()\r\n()\r\n()\r\n()\r\n2*X\r\n");
    EXPECT_EQ(data.readFunctionExpressions(false)[1], "(1)");
}

TEST(Aliases, AWholeFormulaEqualToAnAliasIsReplacedByItsTarget) {
    const Lines cartesian = {"x^2+1:PaRa", "no colon here", "", "sin(x):wave"};
    const std::pair<const char*, const char*> cases[] = {
        {"para", "x^2+1"}, // typed PARA, lower-cased by the caller
        {"wave", "sin(x)"}, {"parabola", "parabola"}, {"no colon here", "no colon here"}, {"x^2+1", "x^2+1"},
    };
    for (const auto& [typed, result] : cases)
        EXPECT_EQ(applyAliases(typed, cartesian), result) << typed;
    // Later lines see the result of earlier ones.
    EXPECT_EQ(applyAliases("b", {"a:b", "c:a"}), "c");
    // Only the first colon separates: the alias may itself hold one.
    EXPECT_EQ(applyAliases("r:2", {"x^2:r:2"}), "x^2");
}

TEST(Aliases, ANonEmptyLineWithoutColonIsAnError) {
    EXPECT_FALSE(aliasListHasErrors({"x^2:sq", "", "cos(t),sin(t):circle"}));
    EXPECT_TRUE(aliasListHasErrors({"x^2:sq", "oops"}));
}

// A failed write raises EInOutError naming the file and leaves the old file and no temporary file.
class FailedWriteTest : public DataFolderTest {
  protected:
    void expectOldFileIntact(const std::function<void()>& write) {
        try {
            write();
            ADD_FAILURE() << "the write did not fail";
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("sett.dat"), std::string::npos) << e.what();
        }
        EXPECT_EQ(test::readBytes(temp.path() / "sett.dat"), oldBytes);
        EXPECT_EQ(temp.names(), std::vector<std::string>{"sett.dat"});
    }
    void SetUp() override {
        TSettingsRecord old = defaultSettings();
        old.Xmin = -3;
        data.writeSettings(old);
        oldBytes = test::readBytes(temp.path() / "sett.dat");
    }
    std::string oldBytes;
};

TEST_F(FailedWriteTest, DiskFullHalfwayLeavesTheOldFile) {
    // A file size limit makes the write fail part way, as a full disk does.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    expectOldFileIntact([&] { data.writeSettings(defaultSettings()); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
}

TEST_F(FailedWriteTest, ReadOnlyFolderLeavesTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    std::filesystem::permissions(temp.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    expectOldFileIntact([&] { data.writeSettings(defaultSettings()); });
}

TEST_F(FailedWriteTest, MissingFolderNamesTheFile) {
    DataFolder missing(temp.path() / "nowhere");
    try {
        missing.writeLines("Cart.txt", {"x"});
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("nowhere/Cart.txt"), std::string::npos) << e.what();
    }
}

TEST_F(DataFolderTest, RewritingKeepsThePermissionBits) {
    auto file = temp.path() / "Cart.txt";
    data.writeLines("Cart.txt", {"x"});
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    data.writeLines("Cart.txt", {"y"});
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
    EXPECT_EQ(data.readLines("Cart.txt"), Lines{"y"});
}

} // namespace
} // namespace kurvo
