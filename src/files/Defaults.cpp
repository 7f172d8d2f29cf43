// The shipped defaults: settings, toolbar and text lists a teacher can start with.
#include "Defaults.h"

#include "DataFolder.h"
#include "Errors.h"

#include <system_error>

namespace kurvo {
namespace {

// Colours are 0x00BBGGRR.
constexpr std::int32_t rgb(int r, int g, int b) {
    return (b << 16) | (g << 8) | r;
}

// Both as doubles, so the file written is the same on every platform whatever long double is.
constexpr double EulerNumber = 2.718281828459045;
constexpr double Pi = 3.141592653589793;

} // namespace

TSettingsRecord defaultSettings() {
    TSettingsRecord s;
    s.Xmin = -10;
    s.Xmax = 10;
    s.Tmin = 0;
    s.Tmax = 2 * Pi;
    s.Ymin = -7;
    s.Ymax = 7;
    s.PlotStep = (s.Xmax - s.Xmin) / 256 * 0.25L;

    s.showAsymptotes = true;
    s.showPlot = true;
    s.showAxes = true;
    s.showGrid = true;
    s.minorAxisDivisions = true;
    s.axisMarkers = true;
    s.axisLabels = true;
    s.piAxis = false;
    s.largeGrid = true;

    s.backgroundColour = rgb(255, 255, 255);
    s.axesColour = rgb(0, 0, 0);
    s.asymptotesColour = rgb(128, 128, 128);
    s.derivativeColour = rgb(0, 128, 128);
    s.integralColour = rgb(128, 64, 0);
    s.gridColour = rgb(220, 220, 220);
    s.traceLinesColour = rgb(160, 160, 160);
    s.tangentColour = rgb(255, 0, 255);
    s.GraphColours = {rgb(0, 0, 192), rgb(208, 0, 0), rgb(0, 128, 0), rgb(128, 0, 128), rgb(224, 128, 0)};
    s.MarkColours = {rgb(255, 0, 0), rgb(0, 0, 255), rgb(0, 144, 0), rgb(255, 0, 255), rgb(255, 140, 0)};
    s.graphLineThickness = 2;
    s.axisLineThickness = 1;
    s.gridLineThickness = 1;
    s.fontName = "DejaVu Sans";
    s.fontSize = 9;
    s.fontColour = rgb(0, 0, 0);

    s.AutoYScaling = false;
    s.DegreeMode = false;
    s.asymptoteBeep = false;
    s.CartesianMode = true;
    s.ParametricMode = false;
    s.ImplicitMode = false;
    s.PlotDerived = false;
    s.PlotIntegral = false;
    s.ShowCoordinateInfo = true;
    s.SquareAxes = false;
    s.ShowTangent = false;
    s.showHints = true;
    // The filled circle: a measured point as worksheets and textbooks draw it, solid enough to be
    // seen from the back of a classroom on a projector, and unlike a cross it is not mistaken for
    // a grid crossing or an axis tick.
    s.MarkType = 12;
    s.XAxisName = "x";
    s.YAxisName = "y";
    s.plotStepText = plotStepToText(256);
    s.connectMarks = false;
    s.FamilyPlotting = false;
    s.familySize = 5;

    // a b c d e m n o p q r s u v w z: e and p cannot be changed in the constants editor, so they
    // ship as Euler's number and pi; the others start at 1 (what the editor makes of an empty field).
    for (std::size_t i = 0; i < TSettingsRecord::ConstantCount; ++i) {
        char letter = TSettingsRecord::ConstantLetters[i];
        s.ConstantValues[i] = letter == 'e' ? EulerNumber : letter == 'p' ? Pi : 1.0;
        s.FamilySteps[i] = 1;
    }
    s.savedConstants = s.ConstantValues;
    s.LastGraph = -1;
    s.significantFigures = 6;
    s.coordsSnapToGraph = true;
    s.outlineMarks = false;
    s.adminPassword = "";
    return s;
}

TToolbarConfig defaultToolbarConfig() {
    TToolbarConfig c;
    c.flatButtons = true;
    c.linesBetweenToolbars = true;
    c.items.fill(true);
    return c;
}

std::vector<std::pair<std::string, std::vector<std::string>>> defaultTextLists() {
    const std::vector<std::string> noFunctions(UserFunctionCount, "");
    const std::vector<std::string> noFunctionExpressions(UserFunctionCount, "()");
    // Formulas in classroom notation; "\xB2" is the Windows-1252 superscript two.
    return {
        {datafile::CartesianPresets,
         {"x^2", "x^3-3x", "2x+1", "(x-2)(x+1)", "x\xB2-4", "a*x^2+b*x+c", "sin(x)", "cos(x)", "tan(x)",
          "2sin(3x)", "sin(x)+cos(2x)", "1/x", "sqrt(x)", "|x|", "e^x", "ln(x)"}},
        {datafile::CartesianParametricPresets,
         {"cos(t),sin(t)", "3cos(t),2sin(t)", "t-sin(t),1-cos(t)", "sin(2t),sin(3t)", "t,t^2"}},
        {datafile::PolarPresets,
         {"2sin(3t)", "1+cos(t)", "2cos(2t)", "t/2", "3", "1+2cos(t)", "4/(2+cos(t))"}},
        {datafile::PolarParametricPresets, {"2,t", "t,t", "1+cos(t),t", "sin(t),2t"}},
        {datafile::ImplicitPresets,
         {"x^2+y^2=25", "x^2/9+y^2/4=1", "x^2-y^2=1", "y^2=x^3-x", "x*y=1", "y>x^2", "x^2+y^2<=16"}},
        {datafile::CartesianFunctions, noFunctions},
        {datafile::CartesianFunctionExpressions, noFunctionExpressions},
        {datafile::PolarFunctions, noFunctions},
        {datafile::PolarFunctionExpressions, noFunctionExpressions},
        {datafile::Relations, {"y=", "y>", "y>=", "y<", "y<="}},
        {datafile::CartesianAliases, {"x^2+1:para", "a*x^2+b*x+c:quadratic", "sin(x):wave"}},
        {datafile::CartesianParametricAliases, {"cos(t),sin(t):circle", "t-sin(t),1-cos(t):cycloid"}},
        {datafile::PolarAliases, {"1+cos(t):cardioid", "2sin(3t):rose"}},
        {datafile::PolarParametricAliases, {"t,t:spiral"}},
        {datafile::ImplicitAliases, {"x^2+y^2=25:circle", "x^2/9+y^2/4=1:ellipse", "x^2-y^2=1:hyperbola"}},
    };
}

namespace {

std::vector<std::string> dataFileNames() {
    std::vector<std::string> names = {datafile::Settings, datafile::ToolbarConfig};
    for (const auto& [name, lines] : defaultTextLists())
        names.push_back(name);
    return names;
}

} // namespace

std::vector<std::filesystem::path> existingDataFiles(const std::filesystem::path& folder) {
    DataFolder data(folder);
    std::vector<std::filesystem::path> existing;
    std::error_code ec;
    for (const auto& name : dataFileNames()) {
        auto file = data.find(name);
        if (std::filesystem::exists(file, ec)) existing.push_back(file);
    }
    return existing;
}

std::vector<std::filesystem::path> writeDefaultDataFolder(const std::filesystem::path& folder,
                                                          bool overwrite) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw EInOutError("Cannot create folder " + folder.string() + ": " + ec.message());
    if (!overwrite) {
        auto existing = existingDataFiles(folder);
        if (!existing.empty())
            throw EInOutError("Cannot write " + existing.front().string() + ": the file already exists");
    }

    DataFolder data(folder);
    data.writeSettings(defaultSettings());
    data.writeToolbarConfig(defaultToolbarConfig());
    for (const auto& [name, lines] : defaultTextLists())
        data.writeLines(name, lines);

    std::vector<std::filesystem::path> written;
    for (const auto& name : dataFileNames())
        written.push_back(data.find(name));
    return written;
}

} // namespace kurvo
