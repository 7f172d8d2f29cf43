// The mode switches and the angle unit: flags, preset lists, relation box, enabled commands, images.
#include "AppTestSupport.h"

namespace kurvo::test {
namespace {

using F = TToolbarSet::RangeField;

enum class Switch { Cartesian, Polar, Implicit, Parametric };

/// What the window shows in one mode after the switches.
struct ModeState {
    const char* presets;
    QStringList relations; // empty: the Cartesian relation list
    bool cartesian, parametric, implicit;
    bool parametricEnabled, derivedEnabled;
    int pressedButton;
    const char* checkedAction;
};

struct ModeRow {
    const char* what;
    std::vector<Switch> switches;
    bool byMenu;
    ModeState expected;
};

class ModeSwitchTest : public AppTest {
  protected:
    void apply(Switch s, bool byMenu) {
        if (byMenu) {
            const char* names[] = {"Cart1", "Polar1", "Implicit1", "Parametric1"};
            action(names[static_cast<int>(s)])->trigger();
        } else {
            const int items[] = {item::CartesianMode, item::PolarMode, item::ImplicitMode,
                                 item::ParametricSwitch};
            QTest::mouseClick(button(items[static_cast<int>(s)]), Qt::LeftButton);
        }
    }
};

TEST_F(ModeSwitchTest, EachSwitchLoadsItsPresetsRelationBoxAndCommands) {
    using S = Switch;
    const QString rPolar = "r=", rParaPolar = QString::fromUtf8("r,ø="), rParaCart = "x,y=";
    // The expected states: presets, relations, the three flags, Parametric and the derived commands
    // enabled, the mode button pressed and the menu command checked.
    const ModeState polar{datafile::PolarPresets, {rPolar}, false, false, false, true, false, item::PolarMode,
                          "Polar1"};
    const ModeState implicit{datafile::ImplicitPresets, {}, true, false, true, false, false,
                             item::ImplicitMode, "Implicit1"};
    const ModeState cartesian{datafile::CartesianPresets, {}, true, false, false, true, true,
                              item::CartesianMode, "Cart1"};
    const ModeState cartesianParametric{datafile::CartesianParametricPresets, {rParaCart}, true, true, false,
                                        true, false, item::CartesianMode, "Cart1"};
    const ModeState polarParametric{datafile::PolarParametricPresets, {rParaPolar}, false, true, false, true,
                                    false, item::PolarMode, "Polar1"};
    const ModeRow rows[] = {
        {"polar", {S::Polar}, true, polar},
        {"polar button", {S::Polar}, false, polar},
        {"implicit", {S::Implicit}, true, implicit},
        {"cartesian parametric", {S::Parametric}, true, cartesianParametric},
        {"polar parametric", {S::Polar, S::Parametric}, false, polarParametric},
        {"implicit clears parametric", {S::Parametric, S::Implicit}, true, implicit},
        {"back to cartesian", {S::Implicit, S::Cartesian}, true, cartesian},
        {"back from polar by button", {S::Polar, S::Cartesian}, false, cartesian},
    };
    for (const ModeRow& row : rows) {
        open();
        for (Switch s : row.switches)
            apply(s, row.byMenu);
        const ModeState& e = row.expected;
        const TSettingsRecord& st = form->settings();
        EXPECT_EQ(st.CartesianMode, e.cartesian) << row.what;
        EXPECT_EQ(st.ParametricMode, e.parametric) << row.what;
        EXPECT_EQ(st.ImplicitMode, e.implicit) << row.what;
        EXPECT_EQ(formulaItems(), fileItems(e.presets)) << row.what;
        EXPECT_EQ(form->toolbars().formulaBox->currentText(), fileItems(e.presets).front()) << row.what;
        QStringList relations = e.implicit              ? QStringList{}
                                : e.relations.isEmpty() ? fileItems(datafile::Relations)
                                                        : e.relations;
        EXPECT_EQ(relationItems(), relations) << row.what;
        EXPECT_EQ(action("Parametric1")->isEnabled(), e.parametricEnabled) << row.what;
        EXPECT_EQ(button(item::ParametricSwitch)->isEnabled(), e.parametricEnabled) << row.what;
        EXPECT_EQ(action("Parametric1")->isChecked(), e.parametric) << row.what;
        EXPECT_EQ(button(item::ParametricSwitch)->property("image").toInt(), e.parametric ? 6 : 25)
            << row.what;
        for (const char* a : {"ShowTangent1", "PlotDerivedFunction1", "PlotIntegralFunction1"})
            EXPECT_EQ(action(a)->isEnabled(), e.derivedEnabled) << row.what << " " << a;
        for (int n : {item::Tangent, item::PlotDerivative, item::PlotIntegral})
            EXPECT_EQ(button(n)->isEnabled(), e.derivedEnabled) << row.what << " " << n;
        EXPECT_TRUE(button(e.pressedButton)->isChecked()) << row.what;
        EXPECT_TRUE(action(e.checkedAction)->isChecked()) << row.what;
        EXPECT_TRUE(form->recordedMessages().empty()) << row.what;
        form.reset();
    }
}

TEST_F(ModeSwitchTest, RangeFieldsAreEnabledByModeAndAutoScaling) {
    struct Row {
        const char* what;
        bool cartesian, parametric, implicit, autoY;
        bool t, x, y;
    };
    const Row rows[] = {
        {"cartesian", true, false, false, false, false, true, true},
        {"cartesian, auto y", true, false, false, true, false, true, false},
        {"polar", false, false, false, false, true, true, true},
        {"polar, auto y", false, false, false, true, true, false, false},
        {"cartesian parametric", true, true, false, false, true, true, true},
        {"implicit after cartesian, auto y", true, false, true, true, false, true, true},
        {"implicit after polar", false, false, true, false, true, true, true},
    };
    for (const Row& row : rows) {
        TSettingsRecord s = defaultSettings();
        s.CartesianMode = row.cartesian;
        s.ParametricMode = row.parametric;
        s.ImplicitMode = row.implicit;
        s.AutoYScaling = row.autoY;
        data().writeSettings(s);
        open();
        EXPECT_EQ(field(F::TMin)->isEnabled(), row.t) << row.what;
        EXPECT_EQ(field(F::TMax)->isEnabled(), row.t) << row.what;
        EXPECT_EQ(field(F::XMin)->isEnabled(), row.x) << row.what;
        EXPECT_EQ(field(F::XMax)->isEnabled(), row.x) << row.what;
        EXPECT_EQ(field(F::YMin)->isEnabled(), row.y) << row.what;
        EXPECT_EQ(field(F::YMax)->isEnabled(), row.y) << row.what;
        form.reset();
    }
}

TEST_F(ModeSwitchTest, AChosenRelationSurvivesAResize) {
    open();
    form->toolbars().relationBox->setCurrentIndex(1); // "y>"
    form->resize(form->width() + 40, form->height() + 30);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->toolbars().relationBox->currentText(), "y>");
    // Polar mode has a single label: the remembered index falls back to it.
    action("Polar1")->trigger();
    EXPECT_EQ(form->toolbars().relationBox->currentText(), "r=");
}

TEST_F(ModeSwitchTest, AngleUnitFollowsMenuAndButton) {
    struct Row {
        const char* what;
        std::function<void(ModeSwitchTest&)> act;
        bool degrees;
    };
    const Row rows[] = {
        {"menu degrees", [](ModeSwitchTest& t) { t.action("Degrees1")->trigger(); }, true},
        {"menu radians after degrees",
         [](ModeSwitchTest& t) {
             t.action("Degrees1")->trigger();
             t.action("Radians1")->trigger();
         },
         false},
        {"button once",
         [](ModeSwitchTest& t) { QTest::mouseClick(t.button(item::AngleMode), Qt::LeftButton); }, true},
        {"button twice",
         [](ModeSwitchTest& t) {
             QTest::mouseClick(t.button(item::AngleMode), Qt::LeftButton);
             QTest::mouseClick(t.button(item::AngleMode), Qt::LeftButton);
         },
         false},
    };
    for (const Row& row : rows) {
        open();
        row.act(*this);
        EXPECT_EQ(form->settings().DegreeMode, row.degrees) << row.what;
        EXPECT_EQ(form->engine()->Parsers.Translator.Degrees, row.degrees) << row.what;
        EXPECT_EQ(action("Degrees1")->isChecked(), row.degrees) << row.what;
        EXPECT_EQ(action("Radians1")->isChecked(), !row.degrees) << row.what;
        EXPECT_EQ(button(item::AngleMode)->property("image").toInt(), row.degrees ? 10 : 26) << row.what;
        form.reset();
    }
}

TEST_F(ModeSwitchTest, DerivedAndIntegralTogglesKeepMenuAndButtonTogether) {
    open();
    action("PlotDerivedFunction1")->trigger();
    EXPECT_TRUE(form->settings().PlotDerived);
    EXPECT_TRUE(button(item::PlotDerivative)->isChecked());
    QTest::mouseClick(button(item::PlotDerivative), Qt::LeftButton);
    EXPECT_FALSE(form->settings().PlotDerived);
    EXPECT_FALSE(action("PlotDerivedFunction1")->isChecked());
    QTest::mouseClick(button(item::PlotIntegral), Qt::LeftButton);
    EXPECT_TRUE(form->settings().PlotIntegral);
    EXPECT_TRUE(action("PlotIntegralFunction1")->isChecked());
}

TEST_F(ModeSwitchTest, CommandsNotBuiltYetAreDisabledAndTheMenuIsComplete) {
    open();
    for (const char* name :
         {"Zoomout1", "Zoomin1", "Movegraph1", "Undolastaction1", "EqualScale1", "Environment1"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    EXPECT_FALSE(action("Datasets")->isEnabled());
    EXPECT_EQ(action("Square1")->text(), "&Square x  and y axes");
    EXPECT_EQ(action("ConfigureToolbar1")->text(), "&Configure Toolbar  (Admin only)");
    EXPECT_EQ(action("Constants1")->toolTip(), "Open constant editor");
    EXPECT_EQ(action("Plot")->text(), "&Plot Graph");
    EXPECT_TRUE(action("Plot")->isEnabled());
}

TEST_F(ModeSwitchTest, ARoseBesideACircleSurvivesResizeZoomUndoAndAFile) {
    open();
    auto plot = [&](const char* formula) {
        formulaEdit()->setText(formula);
        action("Plot")->trigger();
    };
    action("Polar1")->trigger();
    plot("2sin(3t)");
    action("Implicit1")->trigger();
    plot("x^2+y^2=25");
    // Switches of another mode are shown off and disabled while their flags wait.
    action("Cart1")->trigger();
    action("PlotDerivedFunction1")->trigger();
    action("Implicit1")->trigger();
    EXPECT_FALSE(action("PlotDerivedFunction1")->isEnabled());
    EXPECT_FALSE(action("PlotDerivedFunction1")->isChecked());
    EXPECT_TRUE(form->settings().PlotDerived);
    form->engine()->replotAll();
    const QImage first = form->engine()->composedPicture();
    auto save = [&](const QString& name) {
        if (qEnvironmentVariableIsSet("KURVO_PICTURE_DIR"))
            form->grab().save(qEnvironmentVariable("KURVO_PICTURE_DIR") + "/" + name + ".png");
    };
    save("window-first");

    const QSize size = form->size();
    form->resize(size.width() + 120, size.height() + 60);
    QTest::qWait(50);
    form->resize(size);
    QTest::qWait(50);
    EXPECT_EQ(form->engine()->composedPicture(), first) << "resize and back";

    action("Zoomout1")->trigger();
    save("window-zoomed");
    action("Undolastaction1")->trigger();
    EXPECT_EQ(form->settings().LastGraph, 1) << "undoing a zoom adds no graph";
    EXPECT_EQ(form->engine()->composedPicture(), first) << "zoom out and undo";
    save("window-undone");

    const std::filesystem::path file = start / "drawing.kvo";
    form->fileCommands().saveGraphFileAs(file);
    form.reset();
    open();
    form->fileCommands().openFile(file);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->engine()->composedPicture(), first) << "saved and reopened";
    EXPECT_TRUE(form->recordedMessages().empty()) << form->recordedMessages().front();
    save("window-reopened");
}

} // namespace
} // namespace kurvo::test
