// Data-set file rows turned into store lines: one row rule per format, one set builder for all.
#include "DataSetFile.h"

#include "AtomicFile.h"
#include "DataSetStore.h"

#include <algorithm>
#include <stdexcept>

namespace kurvo {
namespace {

constexpr std::size_t ShownTextLength = 60;

enum class Delimiter { Comma, Tab, Semicolon, Blank };

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A field with one comma and no point is a number written with a decimal comma.
std::string decimalPointField(std::string_view field) {
    std::string text(field);
    if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos)
        text[text.find(',')] = '.';
    return text;
}

std::string joinFields(std::string_view x, std::string_view y) {
    return decimalPointField(x) + "," + decimalPointField(y);
}

// The store line of a row whose two fields are split at the first `separator`; a row without it
// has an empty x field.
std::string fromSeparatedFields(std::string_view row, char separator) {
    std::size_t at = row.find(separator);
    if (at == std::string_view::npos) return joinFields({}, row);
    return joinFields(row.substr(0, at), row.substr(at + 1));
}

std::string fromBlankSeparatedFields(std::string_view row) {
    row = trimmed(row);
    auto blank = std::find_if(row.begin(), row.end(), isBlank);
    if (blank == row.end()) return joinFields({}, row);
    auto rest = std::find_if_not(blank, row.end(), isBlank);
    auto at = static_cast<std::size_t>(blank - row.begin());
    return joinFields(row.substr(0, at), row.substr(static_cast<std::size_t>(rest - row.begin())));
}

std::string fromCommaRow(std::string_view row) {
    std::string line(row);
    if (!parsePointLine(line) && row.find(';') != std::string_view::npos)
        return fromSeparatedFields(row, ';');
    return line;
}

std::string storeLine(std::string_view row, TFileKind kind, Delimiter delimiter) {
    if (kind == TFileKind::Sid) return std::string(row);
    switch (delimiter) {
    case Delimiter::Comma:
        return fromCommaRow(row);
    case Delimiter::Tab:
        return fromSeparatedFields(row, '\t');
    case Delimiter::Semicolon:
        return fromSeparatedFields(row, ';');
    case Delimiter::Blank:
        return fromBlankSeparatedFields(row);
    }
    return std::string(row);
}

std::optional<Delimiter> delimiterIn(std::string_view row) {
    row = trimmed(row); // blanks around the row separate nothing
    if (row.find('\t') != std::string_view::npos) return Delimiter::Tab;
    if (row.find(';') != std::string_view::npos) return Delimiter::Semicolon;
    if (row.find(',') != std::string_view::npos) return Delimiter::Comma;
    if (row.find(' ') != std::string_view::npos) return Delimiter::Blank;
    return std::nullopt;
}

Delimiter txtDelimiter(const std::vector<std::string_view>& rows) {
    if (rows.empty()) return Delimiter::Comma;
    if (auto d = delimiterIn(rows[0])) return *d;
    auto firstRow =
        std::find_if(rows.begin() + 1, rows.end(), [](auto row) { return !trimmed(row).empty(); });
    if (firstRow != rows.end())
        if (auto d = delimiterIn(*firstRow)) return *d;
    return Delimiter::Comma;
}

// Collects the store lines of one file: points into the current set, "#" only after a point.
class SetBuilder {
  public:
    void point(std::string line) {
        m_lines.push_back(std::move(line));
        m_setHasPoints = true;
    }
    void endSet() {
        if (!m_setHasPoints) return;
        m_lines.emplace_back(DataSetEndLine);
        m_setHasPoints = false;
    }
    std::vector<std::string> finish() {
        endSet();
        if (m_lines.empty()) m_lines.emplace_back(DataSetEndLine);
        return std::move(m_lines);
    }

  private:
    std::vector<std::string> m_lines;
    bool m_setHasPoints = false;
};

} // namespace

std::string TRejectedLine::message() const {
    std::string shown = text.size() > ShownTextLength ? text.substr(0, ShownTextLength) + "..." : text;
    return file + ", line " + std::to_string(lineNumber) + ": \"" + shown + "\" is not a pair of numbers x,y";
}

std::string rejectedLinesMessage(const std::vector<TRejectedLine>& rejected, std::size_t listed) {
    if (rejected.empty()) return {};
    std::string text = rejected.size() == 1 ? std::string("1 line was left out:")
                                            : std::to_string(rejected.size()) + " lines were left out:";
    for (std::size_t i = 0; i < rejected.size() && i < listed; ++i)
        text += "\n" + rejected[i].message();
    if (rejected.size() > listed) text += "\n... and " + std::to_string(rejected.size() - listed) + " more";
    return text;
}

std::size_t TDataSetImport::setCount() const {
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), DataSetEndLine));
}

TDataSetImport readDataSetText(std::string_view bytes, TFileKind kind, const std::string& fileName) {
    if (!isDataSetFileKind(kind)) throw std::invalid_argument("not a data-set file kind");
    std::vector<std::string_view> rows = lineViews(bytes, true);
    Delimiter delimiter = Delimiter::Comma;
    if (kind == TFileKind::Tsv) delimiter = Delimiter::Tab;
    if (kind == TFileKind::Txt) delimiter = txtDelimiter(rows);

    TDataSetImport result;
    SetBuilder sets;
    std::size_t first = 0;
    if (!rows.empty() && !parsePointLine(storeLine(rows[0], kind, delimiter))) {
        result.axisLabels = std::string(rows[0]);
        first = 1;
    }
    for (std::size_t i = first; i < rows.size(); ++i) {
        std::string_view row = rows[i];
        if (trimmed(row).empty()) continue;
        if (trimmed(row) == DataSetEndLine) {
            sets.endSet();
            continue;
        }
        std::string line = storeLine(row, kind, delimiter);
        if (parsePointLine(line))
            sets.point(std::move(line));
        else
            result.rejected.push_back({fileName, static_cast<int>(i + 1), std::string(row)});
    }
    result.lines = sets.finish();
    return result;
}

TDataSetImport readDataSetFile(const std::filesystem::path& file, TFileKind kind) {
    return readDataSetText(readOpenedFile(file), kind, file.string());
}

} // namespace kurvo
