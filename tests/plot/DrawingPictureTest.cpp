// The picture is a function of the drawing: for drawings of every mode, with three graphs or more,
// a full redraw, a resize and back, a zoom out and undo, the SVG and PDF documents and a graph file
// saved and reopened all draw what the first paint drew.
#include "PlotTestSupport.h"

#include "DrawingEdits.h"
#include "FamilyFields.h"
#include "GraphFileApply.h"
#include "PlotExport.h"
#include "PrintLayout.h"

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

using namespace kurvo;
using kurvo::test::PlotFixture;

namespace {

constexpr int Width = 400, Height = 300;

using Mode = TPlotMode::Kind;

/// One step of building a drawing: a formula plotted in a mode, or something else done to it.
struct Step {
    Mode kind = Mode::Cartesian;
    bool parametric = false;
    std::string formula;
    std::function<void(PlotFixture&)> action; // instead of plotting, when set
};

struct Drawing {
    const char* name;
    std::vector<Step> steps;
    std::function<void(TSettingsRecord&)> settings; // before the first graph
};

Step in(Mode kind, const char* formula, bool parametric = false) {
    return {kind, parametric, formula, {}};
}

void build(PlotFixture& f, const Drawing& d) {
    f.settings.showAxes = true;
    if (d.settings) d.settings(f.settings);
    f.engine->replotAll();
    for (const Step& s : d.steps) {
        if (s.action) {
            s.action(f);
            continue;
        }
        // A mode switch neither replots nor clears; the next formula takes the new mode.
        TPlotMode{s.kind, s.parametric, false}.applyTo(f.settings);
        f.engine->syncModes();
        f.plot(s.formula);
    }
}

const std::vector<Drawing>& drawings() {
    static const std::vector<Drawing> all = {
        {"cartesian", {in(Mode::Cartesian, "x^2/4"), in(Mode::Cartesian, "sin x"), in(Mode::Cartesian, "1/x")}, {}},
        {"derived and integral",
         {in(Mode::Cartesian, "x^2/4"), in(Mode::Cartesian, "sin x"), in(Mode::Cartesian, "x/2")},
         [](TSettingsRecord& s) { s.PlotDerived = s.PlotIntegral = true; }},
        {"polar", {in(Mode::Polar, "2sin(3t)"), in(Mode::Polar, "3"), in(Mode::Polar, "t/2")}, {}},
        {"parametric cartesian",
         {in(Mode::Cartesian, "3sin(2t),3cos(3t)", true), in(Mode::Cartesian, "cos t,sin t", true),
          in(Mode::Cartesian, "t-3,t/2", true)},
         {}},
        {"parametric polar",
         {in(Mode::Polar, "2,t", true), in(Mode::Polar, "1+cos(t),t", true), in(Mode::Polar, "4,t/2", true)},
         {}},
        {"implicit solved",
         {in(Mode::Implicit, "x^2+y^2=25"), in(Mode::Implicit, "y^2=x"), in(Mode::Implicit, "y=x^3")},
         {}},
        {"implicit general",
         {in(Mode::Implicit, "x*y=1"), in(Mode::Implicit, "y^2=x^3-x"), in(Mode::Implicit, "x^2+x*y+y^2=9")},
         {}},
        {"implicit inequalities",
         {in(Mode::Implicit, "y>x^2"), in(Mode::Implicit, "x^2+y^2=4"), in(Mode::Implicit, "x*y<=1"),
          in(Mode::Implicit, "x^2+y^2<9")},
         {}},
        {"relation box",
         {{Mode::Cartesian, false, "", [](PlotFixture& f) { f.host.relation = "y>"; }},
          in(Mode::Cartesian, "x^2"), in(Mode::Cartesian, "sin x"), in(Mode::Cartesian, "-x")},
         {}},
        {"family",
         {{Mode::Cartesian, false, "",
           [](PlotFixture& f) {
               TFamilyFields fields;
               fields.count = "3";
               fields.increments[0] = "1";
               f.host.family = fields;
               f.host.formula = "a*x^2/4";
               const TFamilyCheck check = f.engine->checkFamily(fields);
               ASSERT_TRUE(check.ok());
               f.engine->PlotFamily(check.family);
           }}},
         {}},
        {"coordinate sets",
         {in(Mode::Cartesian, "x/2"),
          {Mode::Cartesian, false, "",
           [](PlotFixture& f) {
               ASSERT_TRUE(addTypedDataSet(*f.engine, "x,y", {"1,2", "2,3", "3,1"}).error.empty());
           }},
          in(Mode::Cartesian, "cos x")},
         {}},
        {"mixed modes",
         {in(Mode::Polar, "2sin(3t)"), in(Mode::Implicit, "x^2+y^2=25"), in(Mode::Cartesian, "cos t,sin t", true),
          in(Mode::Implicit, "y<x"), in(Mode::Cartesian, "x/3")},
         {}},
    };
    return all;
}

/// The colours of the graphs, marks and shading a picture shows (not its background or axes).
std::set<QRgb> inkColours(const TSettingsRecord& s) {
    std::set<QRgb> out;
    for (auto c : s.GraphColours)
        out.insert(settingsColour(c).rgb());
    for (auto c : s.MarkColours)
        out.insert(settingsColour(c).rgb());
    out.insert(settingsColour(s.derivativeColour).rgb());
    out.insert(settingsColour(s.integralColour).rgb());
    return out;
}

/// Whether pixel p shows colour c over the background bg, alone or blended with the background
/// (an antialiased edge or a point spread over four pixels) at a fifth of its strength or more.
bool shows(QRgb p, QRgb c, QRgb bg, double least) {
    // least 0: any ink at all (an antialiased document blends curves where they run together)
    if (least == 0) return p != bg;
    const int channels[3][3] = {{qRed(p), qRed(c), qRed(bg)},
                                {qGreen(p), qGreen(c), qGreen(bg)},
                                {qBlue(p), qBlue(c), qBlue(bg)}};
    // The blend's strength from the channel where c and the background differ most.
    int widest = 0;
    for (int k = 1; k < 3; ++k)
        if (std::abs(channels[k][1] - channels[k][2]) > std::abs(channels[widest][1] - channels[widest][2]))
            widest = k;
    const int span = channels[widest][1] - channels[widest][2];
    if (span == 0) return p == c;
    const double alpha = double(channels[widest][0] - channels[widest][2]) / span;
    if (alpha < least || alpha > 1.1) return false;
    for (const auto& ch : channels)
        if (std::abs(ch[0] - (ch[2] + alpha * (ch[1] - ch[2]))) > 40) return false;
    return true;
}

/// The pixels where `a` shows exactly colour c and `b` does not show it (see shows) within a
/// pixel, less an allowance for the pixels where a vector document's antialiased curves cross
/// others and blend with them: 6 pixels and 2 in 100 of the colour's pixels.
int missing(const QImage& a, const QImage& b, QRgb c, QRgb bg, double least = 0.2) {
    int count = 0, total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != c) continue;
            ++total;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = b.valid(x + dx, y + dy) && shows(b.pixel(x + dx, y + dy), c, bg, least);
            count += !found;
        }
    return std::max(0, count - 6 - total / 50);
}

/// The pixels where two pictures of the same size differ (all of them when the sizes differ).
int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            n += x.pixel(col, row) != y.pixel(col, row);
    if (n > 0 && qEnvironmentVariableIsSet("KURVO_PICTURE_DIR")) {
        const QString dir = qEnvironmentVariable("KURVO_PICTURE_DIR");
        static int k = 0;
        a.save(QString("%1/%2-a.png").arg(dir).arg(++k));
        b.save(QString("%1/%2-b.png").arg(dir).arg(k));
    }
    return n;
}

class DrawingPicture : public testing::TestWithParam<Drawing> {};

TEST_P(DrawingPicture, EveryPathDrawsTheSameGraphs) {
    const Drawing& d = GetParam();
    PlotFixture f(Width, Height);
    build(f, d);
    ASSERT_TRUE(f.host.messages.empty()) << f.host.messages.front();
    const QImage first = f.engine->composedPicture().convertToFormat(QImage::Format_RGB32);
    ASSERT_GT(first.width(), 0);

    f.engine->replotAll();
    EXPECT_EQ(differing(f.engine->composedPicture(), first), 0) << "full redraw";

    f.engine->setPaintBoxSize(Width + 120, Height + 80);
    f.engine->replotAll();
    f.engine->setPaintBoxSize(Width, Height);
    f.engine->replotAll();
    EXPECT_EQ(differing(f.engine->composedPicture(), first), 0) << "resize and back";

    ASSERT_TRUE(f.engine->ZoomOut());
    ASSERT_TRUE(f.engine->undo());
    f.engine->replotAll();
    EXPECT_EQ(differing(f.engine->composedPicture(), first), 0) << "zoom out and undo";

    // Saved and reopened into a fresh window of the same size.
    QTemporaryDir dir;
    const std::filesystem::path file = dir.filePath("drawing.kvo").toStdString();
    saveGraphFile(f.engine->Document, file);
    PlotFixture g(Width, Height);
    g.host.family = f.host.family;
    g.host.relation = f.host.relation;
    ASSERT_TRUE(openChosenFile(*g.engine, file));
    EXPECT_TRUE(g.host.messages.empty()) << g.host.messages.front();
    EXPECT_EQ(differing(g.engine->composedPicture(), first), 0) << "graph file saved and reopened";

    // The vector documents, rasterized: every graph pixel of the picture within a pixel of the
    // same colour in the document and the other way round.
    const std::set<QRgb> ink = inkColours(f.settings);
    QImage svg(first.size(), QImage::Format_RGB32);
    svg.fill(settingsColour(f.settings.backgroundColour));
    {
        QSvgRenderer renderer(pictureBytes(*f.engine, PictureFormat::Svg));
        QPainter p(&svg);
        renderer.render(&p);
    }
    if (qEnvironmentVariableIsSet("KURVO_PICTURE_DIR")) {
        first.save(qEnvironmentVariable("KURVO_PICTURE_DIR") + "/" + d.name + ".png");
        svg.save(qEnvironmentVariable("KURVO_PICTURE_DIR") + "/" + d.name + "-svg.png");
    }
    const QRgb bg = settingsColour(f.settings.backgroundColour).rgb();
    for (QRgb c : ink) {
        // The SVG renderer antialiases, blending curves that run together: where the picture has
        // a curve the document must have ink; the colours are compared in the aliased PDF below.
        EXPECT_EQ(missing(first, svg, c, bg, 0), 0) << "SVG lacks colour " << std::hex << c;
        EXPECT_EQ(missing(svg, first, c, bg), 0) << "SVG has more of colour " << std::hex << c;
    }
    // The printed page, on a page whose layout prints the plot at its own size: the picture's
    // rectangle of the page draws the same pixels as the screen.
    const QSize pageSize(Width, 2 * Height);
    QImage printed(pageSize, QImage::Format_RGB32);
    printed.fill(settingsColour(f.settings.backgroundColour));
    {
        QPainter p(&printed);
        drawPrintPage(*f.engine, p, pageSize, 100);
    }
    const QRect placed = pageLayout(*f.engine, printed, pageSize, 100).picture;
    ASSERT_EQ(placed.size(), first.size()) << "the page prints the plot at another scale";
    EXPECT_EQ(differing(printed.copy(placed), first), 0) << "printed page";

    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) return; // poppler-utils: installed by scripts/setup
    const std::filesystem::path pdf = dir.filePath("drawing.pdf").toStdString();
    savePicture(*f.engine, pdf, PictureFormat::Pdf);
    QProcess::execute(pdftoppm, {"-png", "-aa", "no", "-aaVector", "no", "-r",
                                 QString::number(QImage(1, 1, QImage::Format_RGB32).logicalDpiY()), "-singlefile",
                                 QString::fromStdString(pdf.string()), dir.filePath("page")});
    const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(page.size(), first.size());
    for (QRgb c : ink) {
        EXPECT_EQ(missing(first, page, c, bg), 0) << "PDF lacks colour " << std::hex << c;
        EXPECT_EQ(missing(page, first, c, bg), 0) << "PDF has more of colour " << std::hex << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, DrawingPicture, testing::ValuesIn(drawings()),
                         [](const testing::TestParamInfo<Drawing>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });

} // namespace

namespace {

TEST(RangeFields, ReadBackWhatTheyShowWhereTheDecimalSeparatorIsAComma) {
    PlotFixture f;
    f.engine->Parsers.Translator.DecimalSeparator = ',';
    f.engine->Parsers.Translator.ThousandSeparator = '.';
    f.host.fields = {"0", "6.283185", "-1,5", "10", "-7", "7"};
    f.engine->replotAll();
    EXPECT_NEAR(static_cast<double>(f.settings.Tmax), 6.283185, 1e-12);
    EXPECT_NEAR(static_cast<double>(f.settings.Xmin), -1.5, 1e-12);
    // What the fields show now reads back to the same view.
    const TSettingsRecord before = f.settings;
    f.engine->replotAll();
    EXPECT_EQ(f.settings.Tmax, before.Tmax);
    EXPECT_EQ(f.settings.Xmin, before.Xmin);
}

} // namespace

namespace {

TEST(SlotModes, DerivedAndIntegralGraphsOnlyWhereTheyApply) {
    // Switches left on from Cartesian mode add nothing to a relation or a parametric pair.
    for (const Step& s : {in(Mode::Implicit, "y=x^2"), in(Mode::Cartesian, "t,t^2", true), in(Mode::Polar, "2")}) {
        PlotFixture f;
        f.settings.PlotDerived = f.settings.PlotIntegral = true;
        TPlotMode{s.kind, s.parametric, false}.applyTo(f.settings);
        f.engine->syncModes();
        f.plot(s.formula);
        EXPECT_GT(f.countInImage(f.graph(0)), 50) << s.formula;
        EXPECT_EQ(f.countInImage(f.engine->colour(f.settings.derivativeColour)), 0) << s.formula;
        EXPECT_EQ(f.countInImage(f.engine->colour(f.settings.integralColour)), 0) << s.formula;
    }
}

TEST(SlotModes, AModeSwitchKeepsEachGraphInItsOwnMode) {
    PlotFixture f;
    TPlotMode{Mode::Polar, false, false}.applyTo(f.settings);
    f.plot("2sin(3t)");
    TPlotMode{Mode::Implicit, false, false}.applyTo(f.settings);
    f.engine->syncModes();
    f.plot("x^2+y^2=25");
    EXPECT_EQ(f.engine->Document.Graphs[0].Mode.kind, Mode::Polar);
    EXPECT_EQ(f.engine->Document.Graphs[1].Mode.kind, Mode::Implicit);
    // The rose's petal tip at t = pi/6 (r = 2, angle 30 degrees) stays after a redraw.
    f.engine->replotAll();
    const int x = f.engine->WorldToPixelX(2 * std::cos(3.14159265358979 / 6));
    const int y = f.engine->WorldToPixelY(2 * std::sin(3.14159265358979 / 6));
    int near = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            near += f.pixel(x + dx, y + dy) == f.graph(0);
    EXPECT_GT(near, 0);
}

} // namespace
