// The graph file's line layout (one list of fields shared by writer and reader) and its sections.
#include "GraphFile.h"

#include "AtomicFile.h"
#include "DataFolder.h"
#include "DataSetStore.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace kurvo {
namespace {

constexpr std::size_t ReservedGroupLines = 10;
constexpr std::size_t ShortStringLength = 255;
constexpr std::size_t PlotStepTextLength = 10;

// Calls the visitor once per line group in file order. G is TGraphFile or const TGraphFile, so
// the one list serves writing and reading.
template <class G, class V> void visitLayout(G& g, V& v) {
    auto& s = g.settings;
    v.header();
    for (auto* flag : {&s.showAsymptotes, &s.showPlot, &s.showAxes, &s.showGrid, &s.minorAxisDivisions,
                       &s.axisMarkers, &s.axisLabels, &s.piAxis, &s.largeGrid})
        v.flag(*flag);
    for (auto* flag :
         {&s.AutoYScaling, &s.reserved429, &s.DegreeMode, &s.reserved431, &s.asymptoteBeep, &s.CartesianMode,
          &s.ParametricMode, &s.ImplicitMode, &s.reserved436, &s.PlotDerived, &s.PlotIntegral})
        v.flag(*flag);
    for (auto* flag : {&s.ShowCoordinateInfo, &s.SquareAxes, &s.ShowTangent, &s.showHints, &s.connectMarks,
                       &s.FamilyPlotting, &s.coordsSnapToGraph})
        v.flag(*flag);
    v.reserved();
    for (auto* real : {&s.Xmin, &s.Xmax, &g.XRange, &s.Ymin, &s.Ymax, &g.YRange, &s.Tmin, &s.Tmax, &g.TRange,
                       &s.PlotStep, &s.reserved440, &s.reserved450})
        v.real(*real);
    v.reserved();
    for (auto* integer : {&s.MarkType, &s.familySize, &s.LastGraph, &s.graphLineThickness,
                          &s.axisLineThickness, &s.gridLineThickness, &s.fontSize, &s.fontColour,
                          &s.backgroundColour, &s.axesColour, &s.asymptotesColour, &s.derivativeColour,
                          &s.integralColour, &s.gridColour, &s.traceLinesColour, &s.tangentColour})
        v.integer(*integer);
    for (auto& colour : s.GraphColours)
        v.integer(colour);
    for (auto& colour : s.MarkColours)
        v.integer(colour);
    v.integer(s.significantFigures);
    v.reserved();
    v.text(s.fontName, ShortStringLength);
    v.text(s.XAxisName, ShortStringLength);
    v.text(s.YAxisName, ShortStringLength);
    v.text(s.plotStepText, PlotStepTextLength);
    v.reserved();
    for (auto* values : {&s.ConstantValues, &s.FamilySteps, &s.savedConstants})
        for (auto& value : *values)
            v.fixedReal(value);
}

std::string cut(const std::string& text, std::size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

const char* flagText(bool flag) {
    return flag ? "T" : "F";
}

// Scientific notation in 23 characters: " d.ddddddddddddddE+dddd" ("-" for negative values).
std::string fixedRealText(long double value) {
    if (!std::isfinite(value)) return formatGeneral(value);
    std::string text = scientificCText(value, 14);
    bool negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    std::size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (negative ? "-" : " ") + text.substr(0, e) + exponentText;
}

void requireOneLine(const std::string& text, const char* what) {
    if (text.find('\n') != std::string::npos)
        throw std::invalid_argument(std::string(what) + " holds a line break: " + text);
}

struct Writer {
    const TGraphFile& g;
    std::string out;

    void line(std::string_view text) {
        out += text;
        out += "\r\n";
    }
    void header() { line(GraphFileHeader); }
    void flag(bool f) { line(flagText(f)); }
    // Unread filler: each line repeats the last flag line, "coords snap to graph".
    void reserved() {
        for (std::size_t i = 0; i < ReservedGroupLines; ++i)
            line(flagText(g.settings.coordsSnapToGraph));
    }
    void real(long double f) { line(formatGeneral(f)); }
    void integer(std::int32_t f) { line(std::to_string(f)); }
    void text(const std::string& f, std::size_t length) {
        std::string t = cut(f, length);
        requireOneLine(t, "a text");
        line(t);
    }
    void fixedReal(long double f) { line(fixedRealText(f)); }
};

// The writer's texts for values that are not finite, accepted back so such a file can be reopened.
std::optional<long double> nonFiniteValue(std::string_view text) {
    if (text == "INF") return HUGE_VALL;
    if (text == "-INF") return -HUGE_VALL;
    if (text == "NAN") return std::nanl("");
    return std::nullopt;
}

// A real line with a decimal comma. Earlier versions wrote real lines under a locale whose decimal
// point is a comma with the comma standing in the digit string as one more digit right after the
// first, so "-1.," is -1, "6.,28318" is 6.28318, "6,2.8318" is 628.318 and "-1," is -10: the comma
// is taken out and the point (or the end of a whole number) moved back to where the digits put it.
// Such a text has a point as well, or its comma right after a first digit that is not 0; any
// other comma is a decimal comma ("14,5", "0,25").
std::optional<long double> commaWrittenReal(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || text.find(',', comma + 1) != std::string_view::npos)
        return std::nullopt;
    const std::size_t firstDigit = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    const bool written = text.find('.') != std::string_view::npos ||
                         (comma == firstDigit + 1 && text[firstDigit] >= '1' && text[firstDigit] <= '9');
    if (!written) {
        std::string t(text);
        t[comma] = '.';
        return parsePascalNumber(t);
    }
    std::string t(text.substr(0, comma));
    t += text.substr(comma + 1);
    const std::size_t exponent = std::min(t.find_first_of("Ee"), t.size());
    const std::size_t point = t.find('.');
    if (point == std::string::npos) {
        t.insert(exponent, "0");
    } else if (point >= comma && point + 1 < exponent) {
        std::swap(t[point], t[point + 1]);
    }
    return parsePascalNumber(t);
}

std::string notFloat(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

struct Reader {
    const std::vector<std::string>& lines;
    const std::string& file;
    std::size_t next = 0;

    [[noreturn]] void fail(std::size_t index, const std::string& reason) const {
        throw EGraphFileError(file, static_cast<int>(index + 1), reason);
    }
    const std::string& take() {
        if (next >= lines.size()) fail(next, "the file ends before this line");
        return lines[next++];
    }
    void header() { take(); }
    void flag(bool& f) { f = take() == "T"; }
    void reserved() {
        for (std::size_t i = 0; i < ReservedGroupLines; ++i)
            take();
    }
    void real(long double& f) {
        const std::string& t = take();
        if (auto special = nonFiniteValue(t)) {
            f = *special;
            return;
        }
        try {
            f = strToFloat(t);
        } catch (const EConvertError& e) {
            auto old = commaWrittenReal(t);
            if (!old) fail(next - 1, e.what());
            f = *old;
        }
    }
    void integer(std::int32_t& f) {
        const std::string& t = take();
        try {
            f = strToInt(t);
        } catch (const EConvertError& e) {
            fail(next - 1, e.what());
        }
    }
    void text(std::string& f, std::size_t length) { f = cut(take(), length); }
    // The number at the start of the line, after blanks; whatever follows it is ignored.
    void fixedReal(long double& f) {
        std::string_view t = take();
        std::size_t begin = t.find_first_not_of(" \t");
        std::string_view number = begin == std::string_view::npos ? std::string_view() : t.substr(begin);
        number = number.substr(0, number.find_first_of(" \t"));
        if (auto special = nonFiniteValue(number)) {
            f = *special;
            return;
        }
        auto value = parsePascalNumber(number);
        // Earlier versions wrote these lines with the locale's decimal comma.
        if (!value && number.find('.') == std::string_view::npos) {
            std::string pointed(number);
            if (auto comma = pointed.find(','); comma != std::string::npos) {
                pointed[comma] = '.';
                value = parsePascalNumber(pointed);
            }
        }
        if (!value) fail(next - 1, notFloat(t));
        f = *value;
    }
};

} // namespace

EGraphFileError::EGraphFileError(std::string file, int line, const std::string& reason)
    : EInOutError(file + ", line " + std::to_string(line) + ": " + reason), m_file(std::move(file)),
      m_line(line) {}

std::string encodeGraphFile(const TGraphFile& graph) {
    Writer writer{graph, {}};
    visitLayout(graph, writer);
    std::size_t written = 0;
    for (; written < graph.formulas.size() && written < GraphFileMaxFormulas; ++written) {
        std::string formula = cut(graph.formulas[written], ShortStringLength);
        if (formula.empty()) break;
        requireOneLine(formula, "a formula");
        if (formula.starts_with("###")) throw std::invalid_argument("a formula begins with ###: " + formula);
        writer.line(formula);
    }
    writer.line(GraphFileDataSetsLine);
    for (const auto& line : graph.dataSetLines) {
        if (line.empty()) break;
        requireOneLine(line, "a data-set line");
        writer.line(line);
    }
    // One mode line for each formula written (the file ends its formulas at an empty one), so the
    // file reads back to the same graphs with the same modes.
    const std::size_t modeLines = std::min(written, graph.graphModes.size());
    if (modeLines > 0) {
        writer.line(GraphFileGraphsLine);
        for (std::size_t i = 0; i < modeLines; ++i)
            writer.line(graph.graphModes[i].text());
    }
    return std::move(writer.out);
}

TGraphFileRead decodeGraphFile(std::string_view bytes, const std::string& fileName) {
    std::vector<std::string> lines = splitLines(bytes);
    TGraphFileRead result;
    TGraphFile& g = result.graph;
    Reader reader{lines, fileName};
    visitLayout(g, reader);

    for (;;) {
        if (reader.next >= lines.size())
            reader.fail(reader.next,
                        "the file ends before the \"" + std::string(GraphFileDataSetsLine) + "\" line");
        const std::string& line = lines[reader.next++];
        if (line.starts_with("###")) break;
        if (g.formulas.size() < GraphFileMaxFormulas)
            g.formulas.push_back(cut(line, ShortStringLength));
        else
            ++result.droppedFormulas;
    }

    bool modes = false;
    for (std::size_t i = reader.next; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line == GraphFileGraphsLine) {
            modes = true;
        } else if (modes) {
            if (g.graphModes.size() < g.formulas.size())
                g.graphModes.push_back(TPlotMode::fromText(line).value_or(TPlotMode::of(g.settings)));
        } else if (line == DataSetEndLine || parsePointLine(line))
            g.dataSetLines.push_back(line);
        else if (line.find(',') != std::string::npos)
            result.rejected.push_back({fileName, static_cast<int>(i + 1), line});
        // Other lines (blank lines, comments) are not data and are skipped.
    }
    if (!g.dataSetLines.empty() && g.dataSetLines.back() != DataSetEndLine)
        g.dataSetLines.emplace_back(DataSetEndLine);
    // A mode line left out gives the settings' mode to its graph.
    if (modes)
        while (g.graphModes.size() < g.formulas.size())
            g.graphModes.push_back(TPlotMode::of(g.settings));
    return result;
}

void writeGraphFile(const std::filesystem::path& file, const TGraphFile& graph) {
    std::string bytes;
    try {
        bytes = encodeGraphFile(graph);
    } catch (const std::invalid_argument& e) {
        throw EInOutError("Cannot write " + file.string() + ": " + e.what());
    }
    writeFileAtomically(file, bytes);
}

TGraphFileRead readGraphFile(const std::filesystem::path& file) {
    return decodeGraphFile(readOpenedFile(file), file.string());
}

TSettingsRecord withGraphFileSettings(const TSettingsRecord& current, const TSettingsRecord& fromFile) {
    TSettingsRecord result = fromFile;
    result.adminPassword = current.adminPassword;
    result.outlineMarks = current.outlineMarks;
    return result;
}

} // namespace kurvo
