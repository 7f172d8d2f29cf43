// The options INI file: defaults for missing or damaged files, round trips, other keys kept.
#include "ExtensionSettings.h"

#include "AtomicFile.h"
#include "DataSource.h"
#include "Errors.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace kurvo;

namespace {

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

TEST(ExtensionSettings, WhatCannotBeReadIsTheDefault) {
    struct Row {
        const char* name;
        const char* text; // nullptr: no file
        TExtensionSettings expected;
    } rows[] = {
        {"missing file", nullptr, {}},
        {"empty file", "", {}},
        {"both off", "[Plot]\nSmoothImplicitCurves=false\nAntialiasedCurves=false\n", {false, false}},
        {"numbers and case", "[Plot]\nSmoothImplicitCurves=0\nAntialiasedCurves=TRUE\n", {false, true}},
        {"a value that is no flag",
         "[Plot]\nSmoothImplicitCurves=maybe\nAntialiasedCurves=false\n",
         {true, false}},
        {"another section", "[Other]\nSmoothImplicitCurves=false\n", {}},
        {"legend and graph list", "[Plot]\nShowLegend=true\n[Window]\nShowGraphList=1\n", {true, true, true, true}},
        {"binary garbage", "\x01\xFF[[[=\x00\x02", {}},
    };
    for (const auto& r : rows) {
        test::TempFolder dir;
        const auto file = dir.path() / "kurvo.ini";
        if (r.text) writeText(file, r.text);
        EXPECT_EQ(readExtensionSettings(file), r.expected) << r.name;
    }
}

TEST(ExtensionSettings, WrittenOptionsAreReadBackAndOtherKeysSurvive) {
    test::TempFolder dir;
    const auto file = dir.path() / "kurvo.ini";
    writeText(file, "[Window]\nWidth=640\n[Plot]\nAntialiasedCurves=true\n");
    for (TExtensionSettings options : {TExtensionSettings{false, true}, TExtensionSettings{true, false},
                                       TExtensionSettings{false, false},
                                       TExtensionSettings{true, true, true, false},
                                       TExtensionSettings{true, true, false, true}}) {
        writeExtensionSettings(file, options);
        EXPECT_EQ(readExtensionSettings(file), options);
    }
    const std::string text = readFileBytes(file);
    EXPECT_NE(text.find("Width=640"), std::string::npos) << text;
    // the write leaves no temporary file behind
    EXPECT_EQ(dir.names(), std::vector<std::string>{"kurvo.ini"});
}

TEST(ExtensionSettings, AFileThatCannotBeWrittenRaisesAndTheOldOneStays) {
    test::TempFolder dir;
    EXPECT_THROW(writeExtensionSettings(dir.path() / "missing" / "kurvo.ini", {false, false}), EInOutError);
    // a folder where the file should be cannot be replaced by it
    std::filesystem::create_directory(dir.path() / "kurvo.ini");
    EXPECT_THROW(writeExtensionSettings(dir.path() / "kurvo.ini", {false, false}), EInOutError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "kurvo.ini"));
    EXPECT_EQ(readExtensionSettings(dir.path() / "kurvo.ini"), TExtensionSettings{});
}

TEST(ExtensionSettings, TheDataSourceUsesItsFolderAndAnInMemorySourceTheDefaults) {
    test::TempFolder dir;
    TDataSource folder(dir.path());
    writeExtensionSettings(folder, {false, true});
    EXPECT_EQ(readExtensionSettings(folder), (TExtensionSettings{false, true}));
    EXPECT_EQ(readExtensionSettings(TDataSource(dir.path())), (TExtensionSettings{false, true}));

    TDataSource memory = TDataSource::builtInDefaults();
    writeExtensionSettings(memory, {false, false}); // nothing on disk, and no failure
    EXPECT_EQ(readExtensionSettings(memory), TExtensionSettings{});
}

} // namespace
