// The run-time toolbars: which bars and controls a configuration creates, and the formula bar's buttons.
#include "AppTestSupport.h"

#include "ButtonImages.h"

#include <QLabel>
#include <QSpinBox>
#include <QToolBar>

#include <set>

namespace kurvo::test {
namespace {

using F = TToolbarSet::RangeField;

TToolbarConfig configWithout(std::initializer_list<int> unchecked, bool flat = true) {
    TToolbarConfig c = defaultToolbarConfig();
    c.flatButtons = flat;
    for (int n : unchecked)
        c.items[static_cast<std::size_t>(n)] = false;
    return c;
}

TEST(ToolbarItems, EveryItemHasItsBarAndAnImageOnlyWhenItIsAButton) {
    const auto& items = toolbarItems();
    std::set<int> images;
    for (std::size_t n = 0; n < items.size(); ++n) {
        const TToolbarItem& it = items[n];
        const auto bar = n <= 30   ? TToolbarItem::Bar::Button
                         : n <= 35 ? TToolbarItem::Bar::Range
                                   : TToolbarItem::Bar::Formula;
        EXPECT_EQ(it.bar, bar) << n;
        const bool isButton = it.kind == TToolbarItem::Kind::Push || it.kind == TToolbarItem::Kind::Check ||
                              it.kind == TToolbarItem::Kind::Grouped || it.kind == TToolbarItem::Kind::AllUp;
        EXPECT_EQ(it.image >= 0, isButton) << n;
        EXPECT_EQ(std::string(it.caption) == "Separator", it.kind == TToolbarItem::Kind::Divider) << n;
        if (it.image >= 0) {
            EXPECT_TRUE(images.insert(it.image).second) << "image used twice: " << it.image;
        }
    }
    // Images 0..24 sit on the buttons; 25, 26 and 27 are the alternates the switches put there.
    EXPECT_EQ(images.size(), 25u);
    EXPECT_EQ(*images.rbegin(), 24);
}

TEST(ButtonImages, EveryImageDrawsSomethingAtEverySize) {
    for (int i = 0; i <= PlotGlyphImage; ++i)
        for (int size : {18, 36}) {
            QImage img = buttonImage(i).pixmap(size, size).toImage();
            int inked = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    inked += qAlpha(img.pixel(x, y)) > 0;
            EXPECT_GT(inked, size * size / 40) << "image " << i << " at " << size;
        }
}

TEST_F(AppTest, TheConfigurationDecidesWhichBarsAndControlsExist) {
    struct Row {
        const char* what;
        TToolbarConfig config;
        bool buttonBar;
        bool tFields;
        bool plotStepField;
        bool plotButton;
    };
    std::initializer_list<int> allButtonItems = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                                 22, 23, 24, 25, 26, 27, 28, 29, 30};
    const Row rows[] = {
        {"everything", configWithout({}), true, true, true, true},
        {"no button-bar item", configWithout(allButtonItems), false, true, false, true},
        {"only the plot-step field",
         configWithout({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                        15, 16, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}),
         true, true, true, true},
        {"no t fields, no Plot button", configWithout({31, 32, 37}), true, false, true, false},
    };
    for (const Row& row : rows) {
        data().writeToolbarConfig(row.config);
        open();
        TToolbarSet& t = form->toolbars();
        EXPECT_EQ(t.buttonBar != nullptr, row.buttonBar) << row.what;
        EXPECT_NE(t.rangeBar, nullptr) << row.what;
        EXPECT_NE(t.formulaBar, nullptr) << row.what;
        EXPECT_EQ(form->plotHost().hasField(TPlotHost::Field::TMin), row.tFields) << row.what;
        EXPECT_EQ(form->plotHost().hasPlotStepField(), row.plotStepField) << row.what;
        EXPECT_EQ(t.plotButton != nullptr, row.plotButton) << row.what;
        for (int n = 0; n < 43; ++n) {
            const bool button = toolbarItems()[static_cast<std::size_t>(n)].image >= 0;
            EXPECT_EQ(t.buttons[static_cast<std::size_t>(n)] != nullptr,
                      button && row.config.items[static_cast<std::size_t>(n)])
                << row.what << " item " << n;
        }
        // Top to bottom: button bar, range bar, formula bar, then the plot area.
        int top = t.buttonBar ? t.buttonBar->geometry().bottom() : -1;
        EXPECT_LT(top, t.rangeBar->geometry().top()) << row.what;
        EXPECT_LT(t.rangeBar->geometry().bottom(), t.formulaBar->geometry().top()) << row.what;
        EXPECT_LE(t.formulaBar->geometry().bottom(), form->paintBox()->geometry().top()) << row.what;
        EXPECT_TRUE(form->recordedMessages().empty()) << row.what;
        form.reset();
    }
}

TEST_F(AppTest, EveryToolbarControlFitsItsBarAndNoneOverlaps) {
    // A control outside its bar or over another is cut off or hidden: with flat buttons and
    // without, every control of every bar lies whole inside the bar, beside the others.
    for (bool flat : {true, false}) {
        data().writeToolbarConfig(configWithout({}, flat));
        open();
        TToolbarSet& t = form->toolbars();
        for (QToolBar* bar : {t.buttonBar, t.rangeBar, t.formulaBar}) {
            ASSERT_NE(bar, nullptr);
            QList<QRect> placed;
            for (QWidget* w : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!w->isVisible() || w->inherits("QToolBarExtension") || w->width() <= 1) continue;
                const QString name = w->objectName() + " " + w->accessibleName();
                EXPECT_TRUE(bar->rect().contains(w->geometry())) << name.toStdString() << " flat=" << flat;
                for (const QRect& other : placed)
                    EXPECT_FALSE(other.intersects(w->geometry())) << name.toStdString() << " flat=" << flat;
                placed << w->geometry();
            }
            EXPECT_GE(placed.size(), 3) << bar->objectName().toStdString();
        }
        form.reset();
    }
}

TEST_F(AppTest, WithoutThePlotButtonTheFormulaFieldIs73PixelsWider) {
    open();
    const int withButton = form->toolbars().formulaBox->width();
    form.reset();
    data().writeToolbarConfig(configWithout({item::PlotGraph}));
    open();
    EXPECT_EQ(form->toolbars().formulaBox->width(), withButton + 73);
    // Enter still plots.
    formulaEdit()->setText("x^2");
    QTest::keyClick(form->toolbars().formulaBox, Qt::Key_Return);
    EXPECT_EQ(form->settings().LastGraph, 0);
}

TEST_F(AppTest, SquaredAndCubedAreTypedAtTheCaret) {
    struct Row {
        const char* what;
        bool formulaFocused;
        int caret;
        bool squared;
        const char* expected;
    };
    const Row rows[] = {
        {"squared at the end", true, 1, true, "x²+1"},
        {"cubed in the middle", true, 1, false, "x³+1"},
        {"squared needs the formula field's focus", false, 1, true, "x+1"},
        {"cubed goes in whatever has the focus", false, 0, false, "³x+1"},
    };
    open();
    for (const Row& row : rows) {
        formulaEdit()->setText("x+1");
        formulaEdit()->setCursorPosition(row.caret);
        if (row.formulaFocused)
            formulaEdit()->setFocus();
        else
            form->toolbars().relationBox->setFocus();
        QCoreApplication::processEvents();
        QTest::mouseClick(button(row.squared ? item::XSquared : item::XCubed), Qt::LeftButton);
        EXPECT_EQ(formulaEdit()->text(), QString::fromUtf8(row.expected)) << row.what;
        if (std::string(row.expected) != "x+1") {
            EXPECT_EQ(formulaEdit()->cursorPosition(), row.caret + 1) << row.what;
        }
    }
}

TEST_F(AppTest, SaveToFileAppendsToTheModesPresetList) {
    open();
    const auto before = data().readLines(datafile::CartesianPresets);
    formulaEdit()->setText(QString::fromUtf8("x³-2"));
    QTest::mouseClick(button(item::SaveToFile), Qt::LeftButton);
    auto after = data().readLines(datafile::CartesianPresets);
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.back(), "x\xB3-2");
    EXPECT_EQ(formulaItems().back(), QString::fromUtf8("x³-2"));
    EXPECT_EQ(formulaEdit()->text(), QString::fromUtf8("x³-2"));

    // The menu command does the same, into the list of the current mode.
    form->commands().action(Command::Implicit)->trigger();
    formulaEdit()->setText("x*y=2");
    action("Addformulatofile1")->trigger();
    EXPECT_EQ(data().readLines(datafile::ImplicitPresets).back(), "x*y=2");

    // A missing list is reported and not created.
    std::filesystem::remove(start / "data" / datafile::ImplicitPresets);
    action("Addformulatofile1")->trigger();
    EXPECT_FALSE(std::filesystem::exists(start / "data" / datafile::ImplicitPresets));
    ASSERT_EQ(form->recordedMessages().size(), 1u);
    EXPECT_NE(form->recordedMessages()[0].find(datafile::ImplicitPresets), std::string::npos);
}

} // namespace
} // namespace kurvo::test
