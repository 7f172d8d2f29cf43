// Families through the engine: members by pixels, stepped constants, the redraw after a view change.
#include "PlotTestSupport.h"

#include "Errors.h"

#include <gtest/gtest.h>

#include <map>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

std::size_t at(char letter) {
    return *constantIndex(letter);
}

/// The families dialog's fields: a number of graphs and some increments by letter.
TFamilyFields fields(const char* count, std::map<char, const char*> increments) {
    TFamilyFields f;
    f.count = count;
    for (const auto& [letter, text] : increments)
        f.increments[at(letter)] = text;
    return f;
}

/// Runs the families dialog's OK with the formula field holding `formula`.
void plotFamily(PlotFixture& f, const std::string& formula, const TFamilyFields& fields) {
    f.host.formula = formula;
    TFamilyCheck check = f.engine->checkFamily(fields);
    ASSERT_TRUE(check.ok()) << check.error->message;
    f.engine->PlotFamily(check.family);
}

/// The member colours found within two pixels of a world point.
bool nearColour(const PlotFixture& f, long double x, long double y, const QColor& c) {
    const QImage img = f.engine->composedPicture();
    const int px = f.engine->WorldToPixelX(x), py = f.engine->WorldToPixelY(y);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (img.valid(px + dx, py + dy) && img.pixelColor(px + dx, py + dy) == c) return true;
    return false;
}

TEST(FamilyPlot, FiveParabolasAreFiveCurves) {
    PlotFixture f;
    plotFamily(f, "a*x^2", fields("5", {{'a', "1"}}));
    EXPECT_TRUE(f.settings.FamilyPlotting);
    EXPECT_EQ(f.engine->Document.FamilyLastGraph, 5);
    EXPECT_TRUE(f.host.messages.empty()) << f.host.messages.front();
    // Member k is y = (1 + k) x², in slot k's colour (the five slot colours differ).
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(f.engine->Document.UserFormulas[static_cast<std::size_t>(k)], "a*x^2");
        for (double x : {-1.0, 0.5, 1.0}) {
            const double y = (1 + k) * x * x;
            EXPECT_TRUE(nearColour(f, x, y, f.graph(k))) << "member " << k << " x=" << x;
        }
        // No member is drawn with its neighbour's constant.
        if (k < 4) {
            EXPECT_FALSE(nearColour(f, 1.0, k + 2.0, f.graph(k))) << k;
        }
    }
    EXPECT_EQ(f.settings.ConstantValues[at('a')], 1.0L); // the constant itself never moved
}

TEST(FamilyPlot, MembersFollowTheSteppedConstants) {
    struct Row {
        const char* what;
        const char* formula;
        TFamilyFields fields;
        std::vector<std::pair<double, double>> points; // (x, y) of member 0, 1, 2, ...
    };
    const Row rows[] = {
        {"slopes 1, 1.5 and 2", "a*x", fields("3", {{'a', "0.5"}}), {{3, 3}, {3, 4.5}, {3, 6}}},
        {"only d steps", "a*x+d", fields("3", {{'d', "-2"}}), {{2, 3}, {2, 1}, {2, -1}}},
        {"two constants", "b*x+c", fields("2", {{'b', "1"}, {'c', "1"}}), {{2, 3}, {2, 6}}},
    };
    for (const Row& row : rows) {
        PlotFixture f;
        plotFamily(f, row.formula, row.fields);
        for (std::size_t k = 0; k < row.points.size(); ++k) {
            auto [x, y] = row.points[k];
            EXPECT_TRUE(nearColour(f, x, y, f.graph(static_cast<int>(k)))) << row.what << " member " << k;
        }
        for (char c : std::string("abcdmnoqrsuvwz"))
            EXPECT_EQ(f.settings.ConstantValues[at(c)], 1.0L) << row.what << " " << c;
    }
}

TEST(FamilyPlot, ParametricMembersStepBothCoordinates) {
    PlotFixture f;
    f.settings.ParametricMode = true;
    plotFamily(f, "a*cos(t),a*sin(t)", fields("3", {{'a', "2"}}));
    EXPECT_EQ(f.engine->Document.UserFormulas[2], "a*cos(t),a*sin(t)"); // the whole pair is kept
    for (int k = 0; k < 3; ++k) {
        const double r = 1 + 2 * k;
        EXPECT_TRUE(nearColour(f, r, 0, f.graph(k))) << k;
        EXPECT_TRUE(nearColour(f, 0, -r, f.graph(k))) << k;
    }
}

TEST(FamilyPlot, ZoomDrawsTheFamilyAgainAndPlotEndsIt) {
    PlotFixture f;
    f.host.family = fields("3", {{'a', "1"}});
    plotFamily(f, "a*x^2", *f.host.family);
    // A zoom: new range fields, then the redraw hook on a cleared picture.
    f.host.fields = {"0", "6.283185", "-4", "4", "-2", "10"};
    f.engine->replotFamilyOrAll();
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(nearColour(f, 1.5, (1 + k) * 2.25, f.graph(k))) << k;

    // An edit in the dialog without OK shows at the next redraw.
    f.host.family = fields("2", {{'a', "3"}});
    f.engine->replotFamilyOrAll();
    EXPECT_EQ(f.engine->Document.FamilyLastGraph, 2);
    EXPECT_TRUE(nearColour(f, 1.5, 4 * 2.25, f.graph(1)));
    EXPECT_FALSE(nearColour(f, 1.5, 3 * 2.25, f.graph(2))); // the old third member is gone

    // Fields that make no family any more: reported, and the family drawn last is drawn again.
    f.host.family = fields("2", {});
    f.engine->replotFamilyOrAll();
    EXPECT_EQ(f.host.messages, std::vector<std::string>{msg::NoIncrement});
    EXPECT_TRUE(nearColour(f, 1.5, 4 * 2.25, f.graph(1)));

    f.plot("x");
    EXPECT_FALSE(f.settings.FamilyPlotting);
    f.host.messages.clear();
    f.engine->replotFamilyOrAll(); // an ordinary full redraw now
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(FamilyPlot, EscapeEndsTheFamilyAndKeepsTheMembersDrawn) {
    PlotFixture f;
    f.plot("a*x^2");
    const long long perMember = f.host.polls;
    ASSERT_GT(perMember, 4);
    f.host.family = fields("5", {{'a', "1"}});
    // Escape in the middle of the third member (slot 2).
    const long long start = f.host.polls;
    f.host.stopPoll = [&] { return f.host.polls == start + 2 * perMember + perMember / 2; };
    plotFamily(f, "a*x^2", *f.host.family);
    f.host.stopPoll = nullptr;
    EXPECT_FALSE(f.settings.FamilyPlotting);
    EXPECT_EQ(f.settings.LastGraph, 2);
    // Paints after the stop: a zoom's redraw and a resize's. Neither generates the family again:
    // members 0 and 1 are drawn whole with their own constants, the third too, the rest never.
    const long long before = f.host.polls;
    for (const char* paint : {"zoom", "resize"}) {
        if (std::string(paint) == "zoom")
            f.engine->replotFamilyOrAll();
        else
            f.engine->replotAll();
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(nearColour(f, 1.0, 1 + k, f.graph(k))) << paint << " member " << k;
        EXPECT_FALSE(nearColour(f, 1.0, 4, f.graph(3))) << paint;
        EXPECT_FALSE(nearColour(f, 1.0, 5, f.graph(4))) << paint;
    }
    EXPECT_LE(f.host.polls - before, 2 * 3 * perMember + 10);
}

TEST(FamilyPlot, EveryPaintOfAFamilyDrawsEachMemberWithItsOwnConstants) {
    // A resize (a full redraw from the stored slots), an export, and a derived graph beside each
    // member must not take the constants the previous member or paint left stepped.
    PlotFixture f;
    f.settings.PlotDerived = true;
    plotFamily(f, "a*x^2", fields("3", {{'a', "1"}}));
    const QColor derived = f.engine->colour(f.settings.derivativeColour);
    auto check = [&](const char* when) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_TRUE(nearColour(f, 1, 1 + k, f.graph(k))) << when << " member " << k;
            EXPECT_TRUE(nearColour(f, 1, 2 * (1 + k), derived)) << when << " derived " << k;
        }
        EXPECT_FALSE(nearColour(f, 1, 4, f.graph(2))) << when; // no member drawn with a = 4
        EXPECT_FALSE(nearColour(f, 1.5, 12, derived)) << when; // nor derived with a = 4
    };
    check("drawn");
    f.engine->replotAll();
    check("redrawn");

    QImage exported(800, 600, QImage::Format_RGB32);
    exported.fill(Qt::white);
    f.renderOnto(exported);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(exported.pixelColor(f.engine->WorldToPixelX(1), f.engine->WorldToPixelY(1 + k)), f.graph(k))
            << "exported member " << k;
}

TEST(FamilyPlot, WithoutADialogTheStoredFamilyIsRedrawn) {
    PlotFixture f;
    plotFamily(f, "a*x", fields("4", {{'a', "1"}}));
    f.host.fields = {"0", "6.283185", "-5", "5", "-20", "20"};
    f.engine->replotFamilyOrAll(); // as after opening a graph file saved in family mode
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(nearColour(f, 4, 4.0 * (1 + k), f.graph(k))) << k;
}

TEST(FamilyPlot, AGraphDrawnBeforeTheFamilyKeepsItsSlot) {
    PlotFixture f;
    f.plotAll({"1", "2", "3", "4", "5", "sin(x)"});
    ASSERT_EQ(f.settings.LastGraph, 5);
    plotFamily(f, "a*x", fields("3", {{'a', "1"}}));
    EXPECT_EQ(f.engine->Document.UserFormulas[5], "sin(x)");
    EXPECT_EQ(f.engine->Document.UserFormulas[3], "4");
    EXPECT_EQ(f.settings.LastGraph, 5);
}

TEST(FamilyPlot, AFormulaThatFailsChangesNeitherConstantsNorMode) {
    PlotFixture f;
    f.settings.ConstantValues[at('a')] = 2;
    f.host.formula = "sin(x";
    TFamilyCheck check = f.engine->checkFamily(fields("3", {{'a', "1"}}));
    ASSERT_TRUE(check.ok());
    EXPECT_THROW(f.engine->PlotFamily(check.family), EKurvoError);
    EXPECT_FALSE(f.settings.FamilyPlotting);
    EXPECT_EQ(f.settings.ConstantValues[at('a')], 2.0L);
    EXPECT_EQ(f.settings.LastGraph, -1);
}

TEST(FamilyPlot, TheSlotsBoundTheFamily) {
    PlotFixture f;
    EXPECT_TRUE(f.engine->checkFamily(fields("99", {{'a', "1"}})).ok());
    EXPECT_EQ(f.engine->checkFamily(fields("101", {{'a', "1"}})).error,
              (TFieldError{0, "A family of 101 graphs does not fit in the 100 graph slots left."}));
    EXPECT_EQ(f.engine->checkFamily(fields("3", {{'a', "0"}})).error, (TFieldError{1, msg::NoIncrement}));
}

} // namespace
