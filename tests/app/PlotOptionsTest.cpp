// The Settings menu's plot options: read from the data folder's INI file, toggled, stored.
#include "AppTestSupport.h"

#include "ExtensionSettings.h"

#include <fstream>

namespace kurvo::test {
namespace {

class PlotOptionsTest : public AppTest {};

TEST_F(PlotOptionsTest, CheckItemsFollowTheFileAndWriteItBack) {
    std::ofstream(start / "data" / "kurvo.ini") << "[Plot]\nSmoothImplicitCurves=false\n";
    open();
    EXPECT_FALSE(action("SmoothImplicitCurves1")->isChecked());
    EXPECT_TRUE(action("AntialiasedCurves1")->isChecked()); // not in the file: the default
    EXPECT_TRUE(action("SmoothImplicitCurves1")->isEnabled());
    EXPECT_FALSE(form->engine()->Options.smoothImplicitCurves);

    struct Row {
        const char* action;
        TExtensionSettings after;
    } rows[] = {{"SmoothImplicitCurves1", {true, true}},
                {"AntialiasedCurves1", {true, false}},
                {"SmoothImplicitCurves1", {false, false}}};
    for (const auto& r : rows) {
        action(r.action)->trigger();
        EXPECT_EQ(form->engine()->Options, r.after) << r.action;
        EXPECT_EQ(readExtensionSettings(start / "data" / "kurvo.ini"), r.after) << r.action;
        EXPECT_EQ(action("SmoothImplicitCurves1")->isChecked(), r.after.smoothImplicitCurves);
        EXPECT_EQ(action("AntialiasedCurves1")->isChecked(), r.after.antialiasedCurves);
    }
    EXPECT_TRUE(form->recordedMessages().empty());
}

TEST_F(PlotOptionsTest, ADamagedFileMeansTheDefaults) {
    std::ofstream(start / "data" / "kurvo.ini", std::ios::binary) << "\xFF\xFE[[[\x01";
    open();
    EXPECT_EQ(form->engine()->Options, TExtensionSettings{});
    EXPECT_TRUE(action("SmoothImplicitCurves1")->isChecked());
    EXPECT_TRUE(action("AntialiasedCurves1")->isChecked());
}

} // namespace
} // namespace kurvo::test
