// A headless engine for plot tests: known colours, an 800 x 600 area, recorded messages.
#pragma once

#include "HeadlessPlot.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <memory>

namespace kurvo::test {

inline constexpr std::int32_t Bgr(int r, int g, int b) {
    return (b << 16) | (g << 8) | r;
}

/// Known colours, one-pixel lines, no axes, an 800 x 600 area after its first paint.
inline TSettingsRecord plotTestSettings() {
    TSettingsRecord settings = defaultSettings();
    settings.backgroundColour = Bgr(255, 255, 255);
    settings.axesColour = Bgr(0, 0, 0);
    settings.gridColour = Bgr(200, 200, 200);
    settings.asymptotesColour = Bgr(0, 200, 0);
    settings.derivativeColour = Bgr(255, 0, 255);
    settings.integralColour = Bgr(0, 255, 255);
    settings.GraphColours = {Bgr(255, 0, 0), Bgr(0, 0, 255), Bgr(128, 0, 0), Bgr(0, 128, 0), Bgr(0, 0, 128)};
    settings.graphLineThickness = 1;
    settings.showAxes = false; // most tests look at the curves alone
    settings.showGrid = false;
    settings.showAsymptotes = true;
    settings.asymptoteBeep = false;
    settings.CartesianMode = true;
    settings.ImplicitMode = false;
    settings.ParametricMode = false;
    settings.AutoYScaling = false;
    settings.SquareAxes = false;
    return settings;
}

struct PlotFixture : HeadlessPlot {
    explicit PlotFixture(int width = 800, int height = 600)
        : HeadlessPlot(plotTestSettings(), width, height) {
        // Crisp curves, so a curve's pixels have exactly the slot colour.
        engine->Options.antialiasedCurves = false;
        engine->replotAll(); // first display: a cleared area
    }
    /// Made as above, then changed in place by `adjust`: a helper returns such a fixture without
    /// moving it (the engine refers to the fixture's own settings and host).
    template <class Adjust> PlotFixture(int width, int height, Adjust&& adjust) : PlotFixture(width, height) {
        adjust(*this);
    }

    /// Draws the plot again through renderTo onto `image`, at its top left; the rest of the image
    /// keeps what it had.
    void renderOnto(QImage& image) const {
        QPainter painter(&image);
        TSilentFeedback quiet;
        engine->renderTo(painter, quiet);
    }

    QColor pixel(int x, int y) const { return engine->composedPicture().pixelColor(x, y); }
    QColor graph(int i) const { return engine->graphColour(i); }
    QColor asymptote() const { return engine->colour(settings.asymptotesColour); }

    /// How many pixels of a column have the colour. Each call composes the picture afresh: a test
    /// that looks at many columns composes it once and counts in that (the static overload).
    int countInColumn(int x, const QColor& c) const { return countInColumn(engine->composedPicture(), x, c); }
    static int countInColumn(const QImage& img, int x, const QColor& c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            n += img.pixelColor(x, y) == c;
        return n;
    }
    int countInImage(const QColor& c) const {
        QImage img = engine->composedPicture();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixelColor(x, y) == c;
        return n;
    }
};

} // namespace kurvo::test
