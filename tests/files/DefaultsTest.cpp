// The shipped defaults: written whole, read back to the same values, and identical to the
// repository's own data folder.
#include "Defaults.h"
#include "Aliases.h"
#include "DataFolder.h"
#include "Errors.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kurvo {
namespace {

TEST(Defaults, AreSafeAndSensible) {
    TSettingsRecord s = defaultSettings();
    EXPECT_TRUE(sanitized(s).replaced.empty());
    EXPECT_EQ(s.Xmin, -10);
    EXPECT_EQ(s.Ymax, 7);
    EXPECT_EQ(plotStepFromText(s.plotStepText), 256);
    EXPECT_EQ(s.ConstantValues[4], 2.718281828459045); // e
    EXPECT_EQ(s.ConstantValues[8], 3.141592653589793); // p
    EXPECT_EQ(s.fontName, "DejaVu Sans");
    EXPECT_EQ(s.adminPassword, "");
    auto toolbar = defaultToolbarConfig();
    EXPECT_EQ(std::count(toolbar.items.begin(), toolbar.items.end(), true), 43);
    // Every shipped alias list is one the alias editor would accept.
    for (const auto& [name, lines] : defaultTextLists()) {
        if (name.find("al.txt") == std::string::npos) continue;
        EXPECT_FALSE(aliasListHasErrors(lines)) << name;
    }
}

TEST(Defaults, AWrittenFolderReadsBackToTheSameValues) {
    test::TempFolder temp;
    auto folder = temp.path() / "start" / "data";
    auto written = writeDefaultDataFolder(folder, false);
    EXPECT_EQ(written.size(), 17u);

    DataFolder data(folder);
    EXPECT_EQ(data.readSettings(), defaultSettings());
    EXPECT_EQ(data.readToolbarConfig(), defaultToolbarConfig());
    for (const auto& [name, lines] : defaultTextLists())
        EXPECT_EQ(data.readLines(name), lines) << name;
    for (bool cartesian : {true, false}) {
        for (const auto& f : data.readFunctionExpressions(cartesian))
            EXPECT_EQ(f, "(1)");
        for (const auto& f : data.readFunctions(cartesian))
            EXPECT_EQ(f, "");
    }
    EXPECT_EQ(data.readLines(presetListName(defaultSettings()))[0], "x^2");
}

TEST(Defaults, ExistingFilesAreOnlyReplacedWhenAsked) {
    test::TempFolder temp;
    test::writeBytes(temp.path() / "CARTTYP.TXT", "mine\r\n");
    EXPECT_THROW(writeDefaultDataFolder(temp.path(), false), EInOutError);
    EXPECT_EQ(temp.names(), std::vector<std::string>{"CARTTYP.TXT"}); // nothing else written

    writeDefaultDataFolder(temp.path(), true);
    EXPECT_EQ(test::readBytes(temp.path() / "CARTTYP.TXT"), "y=\r\ny>\r\ny>=\r\ny<\r\ny<=\r\n");
    EXPECT_EQ(temp.names().size(), 17u);
}

TEST(Defaults, TheShippedDataFolderIsWhatTheDefaultsWrite) {
    test::TempFolder temp;
    writeDefaultDataFolder(temp.path(), false);
    std::filesystem::path shipped = KURVO_SHIPPED_DATA;
    std::vector<std::string> shippedNames;
    for (const auto& entry : std::filesystem::directory_iterator(shipped))
        shippedNames.push_back(entry.path().filename().string());
    std::sort(shippedNames.begin(), shippedNames.end());
    EXPECT_EQ(shippedNames, temp.names()) << "regenerate with: kurvo init-data --force .";
    for (const auto& name : temp.names())
        EXPECT_EQ(test::readBytes(shipped / name), test::readBytes(temp.path() / name))
            << name << " differs; regenerate with: kurvo init-data --force .";
}

} // namespace
} // namespace kurvo
