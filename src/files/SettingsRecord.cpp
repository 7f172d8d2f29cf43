// The settings record's byte layout (one table of offsets shared by decoder and encoder) and the
// checks that make a damaged record safe to compute with.
#include "SettingsRecord.h"

#include "AtomicFile.h"
#include "Defaults.h"
#include "Errors.h"
#include "Extended80.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kurvo {
namespace {

// Calls the visitor once per field with its offset. R is TSettingsRecord or const TSettingsRecord,
// so the one list serves reading and writing.
template <class R, class V> void visitLayout(R& r, V& v) {
    v.ext(0, r.Xmin);
    v.ext(10, r.Xmax);
    v.ext(20, r.Tmin);
    v.ext(30, r.Tmax);
    v.ext(40, r.Ymin);
    v.ext(50, r.Ymax);
    v.ext(60, r.PlotStep);
    v.boolean(70, r.showAsymptotes);
    v.boolean(71, r.showPlot);
    v.boolean(72, r.showAxes);
    v.boolean(73, r.showGrid);
    v.boolean(74, r.minorAxisDivisions);
    v.boolean(75, r.axisMarkers);
    v.boolean(76, r.axisLabels);
    v.boolean(77, r.piAxis);
    v.boolean(78, r.largeGrid);
    v.int32(80, r.backgroundColour);
    v.int32(84, r.axesColour);
    v.int32(88, r.asymptotesColour);
    v.int32(92, r.derivativeColour);
    v.int32(96, r.integralColour);
    v.int32(100, r.gridColour);
    v.int32(104, r.traceLinesColour);
    v.int32(108, r.tangentColour);
    for (std::size_t i = 0; i < 5; ++i)
        v.int32(112 + 4 * i, r.GraphColours[i]);
    for (std::size_t i = 0; i < 5; ++i)
        v.int32(132 + 4 * i, r.MarkColours[i]);
    v.int32(152, r.graphLineThickness);
    v.int32(156, r.axisLineThickness);
    v.int32(160, r.gridLineThickness);
    v.text(164, 255, r.fontName);
    v.int32(420, r.fontSize);
    v.int32(424, r.fontColour);
    v.boolean(428, r.AutoYScaling);
    v.boolean(429, r.reserved429);
    v.boolean(430, r.DegreeMode);
    v.boolean(431, r.reserved431);
    v.boolean(432, r.asymptoteBeep);
    v.boolean(433, r.CartesianMode);
    v.boolean(434, r.ParametricMode);
    v.boolean(435, r.ImplicitMode);
    v.boolean(436, r.reserved436);
    v.boolean(437, r.PlotDerived);
    v.boolean(438, r.PlotIntegral);
    v.ext(440, r.reserved440);
    v.ext(450, r.reserved450);
    v.boolean(460, r.ShowCoordinateInfo);
    v.boolean(461, r.SquareAxes);
    v.boolean(462, r.ShowTangent);
    v.boolean(463, r.showHints);
    v.int32(464, r.MarkType);
    v.text(468, 255, r.XAxisName);
    v.text(724, 255, r.YAxisName);
    v.text(980, 10, r.plotStepText);
    v.boolean(991, r.connectMarks);
    v.boolean(992, r.FamilyPlotting);
    v.int32(996, r.familySize);
    for (std::size_t i = 0; i < TSettingsRecord::ConstantCount; ++i)
        v.ext(1000 + 10 * i, r.ConstantValues[i]);
    for (std::size_t i = 0; i < TSettingsRecord::ConstantCount; ++i)
        v.ext(1160 + 10 * i, r.FamilySteps[i]);
    v.int32(1320, r.LastGraph);
    for (std::size_t i = 0; i < TSettingsRecord::ConstantCount; ++i)
        v.ext(1324 + 10 * i, r.savedConstants[i]);
    v.int32(1484, r.significantFigures);
    v.boolean(1488, r.coordsSnapToGraph);
    v.boolean(1489, r.outlineMarks);
    v.text(1490, 12, r.adminPassword);
}

struct Decoder {
    const std::uint8_t* b;
    void ext(std::size_t at, long double& f) { f = decodeExtended(b + at); }
    void boolean(std::size_t at, bool& f) { f = b[at] != 0; }
    void int32(std::size_t at, std::int32_t& f) {
        std::uint32_t u = 0;
        for (int i = 3; i >= 0; --i)
            u = (u << 8) | b[at + static_cast<std::size_t>(i)];
        f = static_cast<std::int32_t>(u); // two's complement, well defined since C++20
    }
    void text(std::size_t at, std::size_t capacity, std::string& f) {
        std::size_t length = std::min<std::size_t>(b[at], capacity);
        f.assign(reinterpret_cast<const char*>(b + at + 1), length);
    }
};

struct Encoder {
    std::string& out;
    void ext(std::size_t at, long double f) {
        auto bytes = encodeExtended(f);
        std::memcpy(out.data() + at, bytes.data(), bytes.size());
    }
    void boolean(std::size_t at, bool f) { out[at] = f ? 1 : 0; }
    void int32(std::size_t at, std::int32_t f) {
        auto u = static_cast<std::uint32_t>(f);
        for (std::size_t i = 0; i < 4; ++i)
            out[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    void text(std::size_t at, std::size_t capacity, const std::string& f) {
        std::size_t length = std::min(f.size(), capacity);
        out[at] = static_cast<char>(length);
        std::memcpy(out.data() + at + 1, f.data(), length);
    }
};

std::string describe(long double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    return formatGeneral(v);
}

// True when a loop that steps from lo to hi in 4 * n equal steps moves at every step, so a plotter
// sampling the range always ends.
bool rangeUsable(long double lo, long double hi, int n) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi)) return false;
    long double range = hi - lo;
    if (!std::isfinite(range)) return false;
    long double step = range / n * 0.25L;
    long double largest = std::max(std::fabs(lo), std::fabs(hi));
    return step > 0 && largest + step > largest && -largest - step < -largest;
}

void checkInt(std::int32_t& field, std::int32_t low, std::int32_t high, std::int32_t fallback,
              const char* name, std::vector<std::string>& replaced) {
    if (field >= low && field <= high) return;
    replaced.push_back(std::string(name) + " " + std::to_string(field));
    field = fallback;
}

} // namespace

TSettingsRecord decodeSettings(const std::uint8_t* bytes) {
    TSettingsRecord r;
    Decoder d{bytes};
    visitLayout(r, d);
    return r;
}

std::string encodeSettings(const TSettingsRecord& record) {
    std::string out(TSettingsRecord::Size, '\0');
    Encoder e{out};
    visitLayout(record, e);
    return out;
}

TSettingsRecord readSettingsFile(const std::filesystem::path& file) {
    return readRecordFile(file, TSettingsRecord::Size, "settings record", decodeSettings);
}

void writeSettingsFile(const std::filesystem::path& file, const TSettingsRecord& record) {
    writeFileAtomically(file, encodeSettings(record));
}

int plotStepFromText(const std::string& text) {
    std::string digits = text;
    auto comma = digits.find(',');
    if (comma != std::string::npos) digits.erase(comma, 1);
    return strToInt(digits);
}

std::string plotStepToText(int plotStep) {
    return std::to_string(plotStep).substr(0, 10);
}

TSanitizedSettings sanitized(const TSettingsRecord& record) {
    const TSettingsRecord defaults = defaultSettings();
    TSanitizedSettings s{record, {}};
    TSettingsRecord& r = s.record;
    auto& replaced = s.replaced;

    int n = 0;
    bool stepOk = false;
    try {
        n = plotStepFromText(r.plotStepText);
        stepOk = n >= MinPlotStep && n <= MaxPlotStep;
    } catch (const EConvertError&) {
    }
    if (!stepOk) {
        replaced.push_back("plot step \"" + r.plotStepText + "\"");
        r.plotStepText = defaults.plotStepText;
        n = plotStepFromText(r.plotStepText);
    }

    auto checkRange = [&](long double& lo, long double& hi, long double defLo, long double defHi,
                          const char* name) {
        if (rangeUsable(lo, hi, n)) return;
        replaced.push_back(std::string(name) + " " + describe(lo) + " to " + describe(hi));
        lo = defLo;
        hi = defHi;
    };
    checkRange(r.Xmin, r.Xmax, defaults.Xmin, defaults.Xmax, "x range");
    checkRange(r.Ymin, r.Ymax, defaults.Ymin, defaults.Ymax, "y range");
    checkRange(r.Tmin, r.Tmax, defaults.Tmin, defaults.Tmax, "t range");
    if (!std::isfinite(r.PlotStep) || !(r.PlotStep > 0)) {
        replaced.push_back("plot step value " + describe(r.PlotStep));
        bool overT = !r.CartesianMode || r.ParametricMode;
        r.PlotStep = (overT ? r.Tmax - r.Tmin : r.Xmax - r.Xmin) / n * 0.25L;
    }

    checkInt(r.graphLineThickness, 1, MaxLineThickness, defaults.graphLineThickness, "graph line thickness",
             replaced);
    checkInt(r.axisLineThickness, 1, MaxLineThickness, defaults.axisLineThickness, "axis line thickness",
             replaced);
    checkInt(r.gridLineThickness, 1, MaxLineThickness, defaults.gridLineThickness, "grid line thickness",
             replaced);
    checkInt(r.fontSize, 1, MaxFontSize, defaults.fontSize, "font size", replaced);
    checkInt(r.MarkType, 1, 12, defaults.MarkType, "mark type", replaced);
    checkInt(r.significantFigures, 1, 14, defaults.significantFigures, "significant figures", replaced);
    checkInt(r.familySize, 1, MaxFamilySize, defaults.familySize, "family size", replaced);
    // -2 is a state the Plot action itself produces and repairs; anything else outside the 100 slots
    // would index beyond them.
    checkInt(r.LastGraph, -2, GraphSlotCount - 1, -1, "last graph", replaced);
    return s;
}

} // namespace kurvo
