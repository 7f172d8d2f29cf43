// The environment dialog's values: read from the settings, checked, and stored back.
#include "EnvironmentValues.h"

#include "Errors.h"
#include "NumberText.h"

#include <array>

namespace kurvo {

TEnvironmentValues environmentValues(const TSettingsRecord& s) {
    TEnvironmentValues v;
    v.backgroundColour = s.backgroundColour;
    v.fontColour = s.fontColour;
    v.axesColour = s.axesColour;
    v.asymptotesColour = s.asymptotesColour;
    v.derivativeColour = s.derivativeColour;
    v.integralColour = s.integralColour;
    v.gridColour = s.gridColour;
    v.traceLinesColour = s.traceLinesColour;
    v.tangentColour = s.tangentColour;
    v.GraphColours = s.GraphColours;
    v.MarkColours = s.MarkColours;
    v.graphLineThickness = std::to_string(s.graphLineThickness);
    v.axisLineThickness = std::to_string(s.axisLineThickness);
    v.gridLineThickness = std::to_string(s.gridLineThickness);
    v.fontName = s.fontName;
    v.fontSize = s.fontSize;
    v.showPlot = s.showPlot;
    v.showAxes = s.showAxes;
    v.showGrid = s.showGrid;
    v.minorAxisDivisions = s.minorAxisDivisions;
    v.axisMarkers = s.axisMarkers;
    v.axisLabels = s.axisLabels;
    v.showHints = s.showHints;
    v.coordsSnapToGraph = s.coordsSnapToGraph;
    v.showAsymptotes = s.showAsymptotes;
    v.asymptoteBeep = s.asymptoteBeep;
    v.connectMarks = s.connectMarks;
    v.outlineMarks = s.outlineMarks;
    v.significantFigures = s.significantFigures;
    try {
        v.plotStep = plotStepFromText(s.plotStepText);
    } catch (const EConvertError&) {
        v.plotStep = 256; // a start-up record is sanitized, so only a hand-made record lands here
    }
    return v;
}

namespace {

void checkRange(int value, int low, int high, const std::string& refusal) {
    if (value < low || value > high) throw EConvertError(refusal);
}

/// A thickness field's text as pixels: an integer the program can draw with.
int thickness(const std::string& text, const char* field) {
    const int pixels = strToInt(text);
    checkRange(pixels, 1, MaxLineThickness,
               std::string(field) + " must be from 1 to " + std::to_string(MaxLineThickness) +
                   " pixels, not " + std::to_string(pixels) + ".");
    return pixels;
}

} // namespace

void storeEnvironment(const TEnvironmentValues& v, TSettingsRecord& s) {
    // Everything is checked before anything is copied: a refused value leaves the settings whole.
    const int graphPixels = thickness(v.graphLineThickness, "Graph Line Thickness");
    const int axisPixels = thickness(v.axisLineThickness, "Axis Line Thickness");
    const int gridPixels = thickness(v.gridLineThickness, "Grid Line Thickness");
    checkRange(v.fontSize, 1, MaxFontSize,
               "The font Size must be from 1 to " + std::to_string(MaxFontSize) + " points, not " +
                   std::to_string(v.fontSize) + ".");
    checkRange(v.significantFigures, 1, 14,
               "Sig. Figs must be from 1 to 14, not " + std::to_string(v.significantFigures) + ".");
    checkRange(v.plotStep, MinPlotStep, MaxPlotStep,
               "Plot Step must be from " + std::to_string(MinPlotStep) + " to " +
                   std::to_string(MaxPlotStep) + ", not " + std::to_string(v.plotStep) + ".");

    s.backgroundColour = v.backgroundColour;
    s.fontColour = v.fontColour;
    s.axesColour = v.axesColour;
    s.asymptotesColour = v.asymptotesColour;
    s.derivativeColour = v.derivativeColour;
    s.integralColour = v.integralColour;
    s.gridColour = v.gridColour;
    s.traceLinesColour = v.traceLinesColour;
    s.tangentColour = v.tangentColour;
    s.MarkColours = v.MarkColours;
    s.GraphColours = v.GraphColours;
    s.graphLineThickness = graphPixels;
    s.axisLineThickness = axisPixels;
    s.gridLineThickness = gridPixels;
    s.fontName = v.fontName.substr(0, 255);
    s.fontSize = v.fontSize;
    s.showPlot = v.showPlot;
    s.showAxes = v.showAxes;
    s.showGrid = v.showGrid;
    s.minorAxisDivisions = v.minorAxisDivisions;
    s.axisMarkers = v.axisMarkers;
    s.axisLabels = v.axisLabels;
    s.showHints = v.showHints;
    s.coordsSnapToGraph = v.coordsSnapToGraph;
    s.showAsymptotes = v.showAsymptotes;
    s.asymptoteBeep = v.asymptoteBeep;
    s.connectMarks = v.connectMarks;
    s.outlineMarks = v.outlineMarks;
    s.significantFigures = v.significantFigures;
}

void takeEnvironmentView(const TViewFieldTexts& f, int plotStep, TSettingsRecord& s) {
    const long double tmin = f.tmin ? strToFloat(*f.tmin) : s.Tmin;
    const long double tmax = f.tmax ? strToFloat(*f.tmax) : s.Tmax;
    const std::array<long double, 4> xy = {strToFloat(f.xmin), strToFloat(f.xmax), strToFloat(f.ymin),
                                           strToFloat(f.ymax)};
    s.Tmin = tmin;
    s.Tmax = tmax;
    s.Xmin = xy[0];
    s.Xmax = xy[1];
    s.Ymin = xy[2];
    s.Ymax = xy[3];
    s.plotStepText = plotStepToText(plotStep);
}

} // namespace kurvo
