// Start-up of the window: files read, fields filled, missing files reported, first-start data folder.
#include "AppTestSupport.h"

#include "StartFolder.h"

#include <QSpinBox>
#include <QStatusBar>

#include <fstream>

namespace kurvo::test {
namespace {

using F = TToolbarSet::RangeField;

TEST_F(AppTest, StartupReadsTheFilesAndFillsTheFields) {
    TSettingsRecord s = defaultSettings();
    s.Xmin = -3;
    s.Xmax = 4.5;
    s.Ymin = -1.25;
    s.Ymax = 1000;
    s.Tmin = 0;
    s.Tmax = 1;
    s.plotStepText = "1,024"; // a comma after the first digit is dropped: 1024
    s.ShowCoordinateInfo = true;
    s.LastGraph = 7;
    data().writeSettings(s);
    data().writeLines(datafile::CartesianPresets, {"x^3", "x\xB2-1"});
    open();

    EXPECT_EQ(form->windowTitle(), "Kurvo32 Graph Editor");
    const std::pair<F, const char*> fields[] = {{F::TMin, "0"},   {F::TMax, "1"},     {F::XMin, "-3"},
                                                {F::XMax, "4.5"}, {F::YMin, "-1.25"}, {F::YMax, "1000"}};
    for (auto [f, text] : fields)
        EXPECT_EQ(field(f)->text(), text) << "field " << f;
    EXPECT_EQ(form->toolbars().plotStep->value(), 1024);
    EXPECT_EQ(formulaItems(), QStringList({"x^3", QString::fromUtf8("x²-1")}));
    EXPECT_EQ(form->toolbars().formulaBox->currentText(), "x^3");
    EXPECT_EQ(relationItems(), fileItems(datafile::Relations));
    EXPECT_EQ(form->toolbars().relationBox->currentText(), "y=");
    EXPECT_EQ(form->settings().LastGraph, -1);
    EXPECT_TRUE(form->statusBarWidget()->isVisible());
    EXPECT_TRUE(action("ShowCoordinateInfo1")->isChecked());
    EXPECT_TRUE(button(item::CartesianMode)->isChecked());
    EXPECT_TRUE(action("Cart1")->isChecked());
    EXPECT_TRUE(formulaEdit()->hasFocus());
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    // The first paint draws the axes of the loaded view: the picture is no longer blank.
    EXPECT_EQ(form->engine()->PlotPicture.width(), form->paintBox()->width());
    EXPECT_NE(form->engine()->composedPicture().pixel(form->engine()->WorldToPixelX(0), 5),
              form->engine()->colour(form->settings().backgroundColour).rgb());
}

TEST_F(AppTest, TheReadoutFlagRulesTheStatusBarWithOrWithoutItsButton) {
    struct Row {
        bool buttonShown;
        bool readout;
    };
    for (Row row : {Row{true, true}, Row{true, false}, Row{false, true}, Row{false, false}}) {
        TToolbarConfig c = defaultToolbarConfig();
        c.items[item::GraphCoordinates] = row.buttonShown;
        data().writeToolbarConfig(c);
        TSettingsRecord s = defaultSettings();
        s.ShowCoordinateInfo = row.readout;
        data().writeSettings(s);
        open();
        EXPECT_EQ(form->statusBarWidget()->isVisible(), row.readout) << row.buttonShown;
        EXPECT_EQ(action("ShowCoordinateInfo1")->isChecked(), row.readout) << row.buttonShown;
        EXPECT_EQ(button(item::GraphCoordinates) != nullptr, row.buttonShown);
        if (row.buttonShown) {
            EXPECT_EQ(button(item::GraphCoordinates)->isChecked(), row.readout);
        }
        form.reset();
    }
}

TEST_F(AppTest, UserFunctionsComeFromTheModesExpressionFile) {
    data().writeLines(datafile::CartesianFunctionExpressions, {"(X*3)", "()", "", "", "", "", ""});
    open(false);
    TParser& f = *form->engine()->Parsers.UserFunctionParser[0];
    f.X = 2;
    EXPECT_DOUBLE_EQ(static_cast<double>(f.Value()), 6.0);
    // An empty function "()" evaluates to 1.
    EXPECT_DOUBLE_EQ(static_cast<double>(form->engine()->Parsers.UserFunctionParser[1]->Value()), 1.0);
}

TEST_F(AppTest, StartingInPolarModeLoadsThePolarLists) {
    for (bool parametric : {false, true}) {
        TSettingsRecord s = defaultSettings();
        s.CartesianMode = false;
        s.ParametricMode = parametric;
        data().writeSettings(s);
        data().writeLines(datafile::PolarFunctionExpressions, {"(T+1)"});
        open();
        const char* list = parametric ? datafile::PolarParametricPresets : datafile::PolarPresets;
        EXPECT_EQ(formulaItems(), fileItems(list)) << parametric;
        EXPECT_TRUE(button(item::PolarMode)->isChecked());
        EXPECT_EQ(relationItems(), QStringList{QString::fromUtf8(parametric ? "r,ø=" : "r=")});
        TParser& f = *form->engine()->Parsers.UserFunctionParser[0];
        f.T = 2;
        EXPECT_DOUBLE_EQ(static_cast<double>(f.Value()), 3.0);
    }
}

TEST_F(AppTest, AMissingStartupFileIsReportedAndTheWindowStillOpens) {
    struct Row {
        const char* file;
        bool displayStage; // read at first display rather than at creation
    };
    const Row rows[] = {
        {datafile::ToolbarConfig, false},    {datafile::Settings, false},
        {datafile::CartesianPresets, false}, {datafile::CartesianFunctionExpressions, false},
        {datafile::Relations, true},         {datafile::CartesianAliases, true},
    };
    for (const Row& row : rows) {
        writeDefaultDataFolder(start / "data", true);
        std::filesystem::remove(start / "data" / row.file);
        open();
        EXPECT_TRUE(form->isVisible()) << row.file;
        // Reported once; the relation list is read again at every resize, and reported each time.
        ASSERT_FALSE(form->recordedMessages().empty()) << row.file;
        if (std::string(row.file) != datafile::Relations) {
            EXPECT_EQ(form->recordedMessages().size(), 1u) << row.file;
        }
        for (const auto& m : form->recordedMessages())
            EXPECT_NE(m.find(row.file), std::string::npos) << m;
        // The fields and the engine exist whatever failed, so the window's commands stay safe.
        EXPECT_NE(form->engine(), nullptr);
        EXPECT_NE(form->toolbars().formulaBox, nullptr);
        // Creation stops at the failed step: the rest of it did not run.
        EXPECT_EQ(field(F::XMin)->text().isEmpty(),
                  !row.displayStage && std::string(row.file) != datafile::CartesianFunctionExpressions)
            << row.file;
        form.reset();
    }
}

TEST_F(AppTest, AFirstStartOffersTheDefaultDataFolder) {
    struct Row {
        const char* existing; // a folder already there, or nullptr
        bool answer;
        bool asked;
        bool created;
    };
    const Row rows[] = {{nullptr, true, true, true},
                        {nullptr, false, true, false},
                        {"data", true, false, false},
                        {"DATA", true, false, false}};
    for (const Row& row : rows) {
        QTemporaryDir empty;
        std::filesystem::path folder(empty.path().toStdString());
        if (row.existing) std::filesystem::create_directory(folder / row.existing);
        bool asked = false;
        std::vector<std::string> told;
        auto result = offerDefaultDataFolder(
            folder,
            [&](const std::string&) {
                asked = true;
                return row.answer;
            },
            [&](const std::string& m) { told.push_back(m); });
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(std::filesystem::exists(folder / "data" / "sett.dat"), row.created);
        EXPECT_TRUE(told.empty());
        EXPECT_EQ(result.has_value(), row.existing != nullptr || row.created);
        if (row.existing) {
            ASSERT_TRUE(result);
            EXPECT_EQ(result->filename(), row.existing);
        }
    }
}

TEST_F(AppTest, TheCreatedDefaultsGiveAQuietFirstStart) {
    QTemporaryDir empty;
    std::filesystem::path folder(empty.path().toStdString());
    auto dataFolder = offerDefaultDataFolder(
        folder, [](const std::string&) { return true; }, [](const std::string&) {});
    ASSERT_TRUE(dataFolder);
    TMainForm window(folder, *dataFolder, TMainForm::Messages::Record);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.recordedMessages().empty()) << window.recordedMessages().front();
    EXPECT_NE(window.toolbars().buttonBar, nullptr);
}

TEST_F(AppTest, ClosingWritesNothing) {
    auto before = std::filesystem::last_write_time(start / "data" / "sett.dat");
    open();
    form->commands().action(Command::Plot)->trigger();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(std::filesystem::last_write_time(start / "data" / "sett.dat"), before);
    EXPECT_EQ(data().readSettings(), defaultSettings());
}

} // namespace
} // namespace kurvo::test
