// Where the window keeps its data folder: the start folder's, an installed program's per-user one
// created from the installed defaults, or the question of a program run from its build folder.
#include "StartFolder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace kurvo::test {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DataFolderChoice, UserDataFolderFollowsTheBaseDirectoryRules) {
    struct Case {
        const char* xdg;
        const char* home;
        std::optional<fs::path> expected;
    };
    const Case cases[] = {
        {"/x/share", "/home/a", fs::path("/x/share/kurvo32/data")},
        {nullptr, "/home/a", fs::path("/home/a/.local/share/kurvo32/data")},
        {"", "/home/a", fs::path("/home/a/.local/share/kurvo32/data")},
        {"relative/share", "/home/a", fs::path("/home/a/.local/share/kurvo32/data")}, // relative: ignored
        {"/x/share", nullptr, fs::path("/x/share/kurvo32/data")},
        {nullptr, nullptr, std::nullopt},
        {nullptr, "", std::nullopt},
        {"rel", "also-relative", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(userDataFolder(c.xdg, c.home), c.expected)
            << "XDG_DATA_HOME=" << (c.xdg ? c.xdg : "(unset)") << " HOME=" << (c.home ? c.home : "(unset)");
}

TEST(DataFolderChoice, OnlyAnInstalledLayoutHasInstalledDefaults) {
    QTemporaryDir tmp;
    const fs::path root = tmp.path().toStdString();
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/kurvo32/data");
    fs::create_directories(root / "build/src/app");
    writeFile(root / "file/share/kurvo32/data", "not a folder");
    fs::create_directories(root / "file/bin");

    const fs::path relative = "../share/kurvo32/data";
    EXPECT_EQ(installedDefaultsFolder(root / "usr/bin", relative), root / "usr/share/kurvo32/data");
    EXPECT_EQ(installedDefaultsFolder(root / "build/src/app", relative), std::nullopt);
    EXPECT_EQ(installedDefaultsFolder(root / "file/bin", relative), std::nullopt);
}

// A folder laid out like an installed prefix, a start folder and a home, with the answers recorded.
class DataFolderPlacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = tmp.path().toStdString();
        defaults = root / "usr/share/kurvo32/data";
        writeFile(defaults / "sett.dat", "installed settings");
        writeFile(defaults / "Cart.txt", "x^2\r\n");
        start = root / "start";
        fs::create_directories(start);
        userData = root / "home/.local/share/kurvo32/data";
    }
    std::optional<fs::path> choose(bool installed, bool answer = true) {
        DataFolderPlaces places{start, installed ? std::optional(defaults) : std::nullopt, userData};
        return chooseDataFolder(
            places,
            [&](const std::string&) {
                ++questions;
                return answer;
            },
            [&](const std::string& m) { told.push_back(m); });
    }

    QTemporaryDir tmp;
    fs::path root, defaults, start, userData;
    int questions = 0;
    std::vector<std::string> told;
};

TEST_F(DataFolderPlacesTest, InstalledProgramCopiesTheDefaultsOnFirstStartWithoutAsking) {
    EXPECT_EQ(choose(true), userData);
    EXPECT_EQ(questions, 0);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(readFile(userData / "sett.dat"), "installed settings");
    EXPECT_EQ(readFile(userData / "Cart.txt"), "x^2\r\n");
    EXPECT_FALSE(fs::exists(start / "data")) << "nothing is written into the start folder";
    // Nothing but the data folder is left beside it (no half-made copy).
    EXPECT_EQ(std::distance(fs::directory_iterator(userData.parent_path()), fs::directory_iterator()), 1);

    // The second start keeps what the user changed.
    writeFile(userData / "sett.dat", "changed by the user");
    EXPECT_EQ(choose(true), userData);
    EXPECT_EQ(readFile(userData / "sett.dat"), "changed by the user");
}

TEST_F(DataFolderPlacesTest, InstalledProgramUsesAStartFolderDataFolderOnlyWhenItHoldsSettings) {
    writeFile(start / "DATA/SETT.DAT", "class settings");
    EXPECT_EQ(choose(true), start / "DATA");
    EXPECT_FALSE(fs::exists(userData));

    // A home folder's unrelated "Data" folder is left alone.
    fs::remove(start / "DATA/SETT.DAT");
    writeFile(start / "DATA/holiday.txt", "photos");
    EXPECT_EQ(choose(true), userData);
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(fs::exists(start / "DATA/sett.dat"));
}

TEST_F(DataFolderPlacesTest, InstalledProgramReportsAFolderItCannotCreate) {
    writeFile(root / "home/.local/share/kurvo32", "a file where the folder belongs");
    EXPECT_EQ(choose(true), std::nullopt);
    EXPECT_EQ(questions, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(userData.string()), std::string::npos) << told[0];
}

TEST_F(DataFolderPlacesTest, CopiedFilesAreWritableByTheirOwner) {
    fs::permissions(defaults / "sett.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_EQ(choose(true), userData);
    EXPECT_NE(fs::status(userData / "sett.dat").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(DataFolderPlacesTest, BuildTreeProgramAsksAsBefore) {
    struct Case {
        bool answer;
        bool created;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
        questions = 0;
        const auto chosen = choose(false, c.answer);
        EXPECT_EQ(questions, 1) << "answer " << c.answer;
        EXPECT_EQ(chosen.has_value(), c.created) << "answer " << c.answer;
        EXPECT_EQ(fs::exists(start / "data/sett.dat"), c.created) << "answer " << c.answer;
        EXPECT_FALSE(fs::exists(userData)) << "answer " << c.answer;
    }
    // Once there, the start folder's data folder is used whatever it holds.
    fs::remove(start / "data/sett.dat");
    questions = 0;
    EXPECT_EQ(choose(false), start / "data");
    EXPECT_EQ(questions, 0);
}

} // namespace
} // namespace kurvo::test
