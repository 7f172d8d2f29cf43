// The settings record (data/sett.dat): the program's one settings object and its 1504-byte codec.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kurvo {

/// Bounds of the values the program computes with (see sanitized()).
inline constexpr int MinPlotStep = 32;
inline constexpr int MaxPlotStep = 1000000;
inline constexpr int MaxLineThickness = 50; // pixels; the environment dialog offers 1..10
inline constexpr int MaxFontSize = 200;     // points
inline constexpr int GraphSlotCount = 100;
inline constexpr int MaxFamilySize = GraphSlotCount;

/// Every persistent setting: view, mode flags, display options, colours, constants, family values
/// and the administrator password. Colours are 0x00BBGGRR. Texts are Windows-1252 bytes; each has
/// the capacity of its field in the file (255, 10 or 12 characters) and is cut to it when written.
struct TSettingsRecord {
    static constexpr std::size_t Size = 1504;
    static constexpr std::size_t ConstantCount = 16;
    /// The letters of ConstantValues, FamilySteps and savedConstants, in their order.
    static constexpr const char* ConstantLetters = "abcdemnopqrsuvwz";

    long double Xmin = 0, Xmax = 0, Tmin = 0, Tmax = 0, Ymin = 0, Ymax = 0;
    long double PlotStep = 0; ///< sampling step, recomputed before every paint

    bool showAsymptotes = false, showPlot = false, showAxes = false, showGrid = false;
    bool minorAxisDivisions = false, axisMarkers = false, axisLabels = false;
    bool piAxis = false;    ///< axis type: true = "Pi", false = "Normal"
    bool largeGrid = false; ///< grid size: true = "Large", false = "Small"

    std::int32_t backgroundColour = 0, axesColour = 0, asymptotesColour = 0, derivativeColour = 0;
    std::int32_t integralColour = 0, gridColour = 0, traceLinesColour = 0, tangentColour = 0;
    std::array<std::int32_t, 5> GraphColours{};
    std::array<std::int32_t, 5> MarkColours{};
    std::int32_t graphLineThickness = 0, axisLineThickness = 0, gridLineThickness = 0;

    std::string fontName; ///< label font, at most 255 characters
    std::int32_t fontSize = 0;
    std::int32_t fontColour = 0;

    bool AutoYScaling = false;
    bool reserved429 = false; ///< carried by the graph file only
    bool DegreeMode = false;
    bool reserved431 = false; ///< carried by the graph file only
    bool asymptoteBeep = false;
    bool CartesianMode = false; ///< true = Cartesian, false = Polar
    bool ParametricMode = false;
    bool ImplicitMode = false;
    bool reserved436 = false; ///< carried by the graph file only
    bool PlotDerived = false;
    bool PlotIntegral = false;
    long double reserved440 = 0, reserved450 = 0; ///< carried by the graph file only

    bool ShowCoordinateInfo = false, SquareAxes = false, ShowTangent = false;
    bool showHints = false;
    std::int32_t MarkType = 0; ///< data mark kind 1..12
    std::string XAxisName;     ///< at most 255 characters
    std::string YAxisName;     ///< at most 255 characters
    std::string plotStepText;  ///< the plot step N as decimal digits, at most 10 characters
    bool connectMarks = false;
    bool FamilyPlotting = false;
    std::int32_t familySize = 0; ///< number of graphs of a family

    std::array<long double, ConstantCount> ConstantValues{};
    std::array<long double, ConstantCount> FamilySteps{};
    std::int32_t LastGraph = -1;                             ///< index of the newest graph slot, -1 = none
    std::array<long double, ConstantCount> savedConstants{}; ///< held while a family is drawn
    std::int32_t significantFigures = 0;                     ///< readout precision 1..14
    bool coordsSnapToGraph = false;
    bool outlineMarks = false;
    std::string adminPassword; ///< at most 12 characters, plain text

    friend bool operator==(const TSettingsRecord&, const TSettingsRecord&) = default;
};

/// Decodes one record from exactly TSettingsRecord::Size bytes. A boolean byte other than 0 is
/// true; a text whose length byte exceeds the field's capacity is cut to the capacity.
TSettingsRecord decodeSettings(const std::uint8_t* bytes);

/// Encodes the record as TSettingsRecord::Size bytes. Unused text bytes and padding are zero, so
/// the same record always gives the same file.
std::string encodeSettings(const TSettingsRecord& record);

/// Reads data/sett.dat (or any file holding the record). A file shorter than one record raises
/// EInOutError; bytes after the first record are ignored.
TSettingsRecord readSettingsFile(const std::filesystem::path& file);

/// Writes the whole record, atomically (see writeFileAtomically).
void writeSettingsFile(const std::filesystem::path& file, const TSettingsRecord& record);

/// The plot step N stored as text: the first comma, if any, is removed and the rest converted to an
/// integer ("1,024" gives 1024). Raises EConvertError when the rest is not an integer.
int plotStepFromText(const std::string& text);

/// The plot step N as stored: its decimal digits, cut to 10 characters.
std::string plotStepToText(int plotStep);

/// A record that is safe to compute with, and the fields that had to be replaced to get it.
struct TSanitizedSettings {
    TSettingsRecord record;
    std::vector<std::string> replaced; ///< one readable entry per replaced field, e.g. "font size 0"
};

/// Checks the values the program computes with: the view ranges (finite, non-empty, wide enough for
/// the sampling loop to advance), the plot step, the three line thicknesses, the font size, the mark
/// type (1..12), the significant figures (1..14), the family size and LastGraph. Unusable values are
/// replaced by the shipped defaults in the copy; the original record is left as stored.
TSanitizedSettings sanitized(const TSettingsRecord& record);

} // namespace kurvo
