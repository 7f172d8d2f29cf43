// The values of the environment dialog ("Effects & Settings") and the rules that store them.
#pragma once

#include "SettingsRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kurvo {

/// What the environment dialog's controls hold, apart from the choices that take effect at once
/// (grid size, axis type, mark kind). Colours are 0x00BBGGRR; the line thicknesses are the texts
/// of their fields, as typed.
struct TEnvironmentValues {
    std::int32_t backgroundColour = 0, fontColour = 0;
    std::int32_t axesColour = 0, asymptotesColour = 0, derivativeColour = 0, integralColour = 0;
    std::int32_t gridColour = 0, traceLinesColour = 0, tangentColour = 0;
    std::array<std::int32_t, 5> GraphColours{};
    std::array<std::int32_t, 5> MarkColours{};

    std::string graphLineThickness, axisLineThickness, gridLineThickness;
    std::string fontName;
    int fontSize = 0;

    bool showPlot = false, showAxes = false, showGrid = false, minorAxisDivisions = false;
    bool axisMarkers = false, axisLabels = false, showHints = false, coordsSnapToGraph = false;
    bool showAsymptotes = false, asymptoteBeep = false;
    bool connectMarks = false, outlineMarks = false;

    int significantFigures = 0; ///< "Sig. Figs", 1..14
    int plotStep = 0;           ///< "Plot Step" N, 32..1000000
};

/// The dialog's values as the settings hold them (the plot step from the settings' plot-step text;
/// the dialog shows the toolbar's field instead when there is one).
TEnvironmentValues environmentValues(const TSettingsRecord& settings);

/// Store: copies the values into the settings. Every value is checked first, so a refused value
/// changes nothing: a thickness that is not an integer raises EConvertError ("'%s' is not a valid
/// integer value"); a thickness outside 1..MaxLineThickness, a font size outside 1..MaxFontSize,
/// significant figures outside 1..14 or a plot step outside MinPlotStep..MaxPlotStep raise
/// EConvertError with a message naming the field. The plot-step text is left alone.
void storeEnvironment(const TEnvironmentValues& values, TSettingsRecord& settings);

/// The range fields' texts as OK reads them; the t fields only when the toolbar holds them.
struct TViewFieldTexts {
    std::optional<std::string> tmin, tmax;
    std::string xmin, xmax, ymin, ymax;
};

/// OK, after the Store step: the view taken from the range fields, each text a plain decimal number
/// (an expression not yet plotted raises EConvertError "'%s' is not a valid floating point value"),
/// and the plot step written as the settings' plot-step text. All fields are converted before any is
/// taken, so a refused field leaves the view as it was.
void takeEnvironmentView(const TViewFieldTexts& fields, int plotStep, TSettingsRecord& settings);

} // namespace kurvo
