// Data-set files and the store: header rows, empty rows, "#" separators, decimal commas, a last row
// without line end, bad rows reported by line while the good ones are kept, and the store's sets.
#include "DataSetFile.h"
#include "DataSetStore.h"
#include "Errors.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

#include <cmath>
#include <limits>

namespace kurvo {
namespace {

using Lines = std::vector<std::string>;

TEST(OpenFileKind, LastThreeCharactersWithLetterCase) {
    const std::pair<const char*, TFileKind> cases[] = {
        {"drawing.kvo", TFileKind::GraphFile},
        {"/a/b.c/points.csv", TFileKind::Csv},
        {"m.tsv", TFileKind::Tsv},
        {"m.sid", TFileKind::Sid},
        {"m.txt", TFileKind::Txt},
        {"DRAWING.KVO", TFileKind::Unknown},
        {"m.CSV", TFileKind::Unknown},
        {"m.kv", TFileKind::Unknown},
        {"kvo", TFileKind::GraphFile},
        {"m.xkvo", TFileKind::GraphFile},
        {"", TFileKind::Unknown},
        {"m.csv.bak", TFileKind::Unknown},
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(openFileKind(name), kind) << name;
}

TEST(PointLine, TwoNumbersAroundTheFirstComma) {
    const std::pair<const char*, std::optional<TDataPoint>> cases[] = {
        {"1,2", TDataPoint{1, 2}},
        {"-1.5,2E3", TDataPoint{-1.5, 2000}},
        {" 1 , 2\t", TDataPoint{1, 2}},
        {".5,5.", TDataPoint{0.5, 5}},
        {"1,2,3", std::nullopt},
        {",5", std::nullopt},
        {"5,", std::nullopt},
        {"1;2", std::nullopt},
        {"1,5;2,5", std::nullopt},
        {"x,y", std::nullopt},
        {"1,2\r", std::nullopt},
        {"1,1E999", std::nullopt},
        {"#", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [line, point] : cases)
        EXPECT_EQ(parsePointLine(line), point) << line;
}

struct ImportCase {
    const char* name;
    TFileKind kind;
    std::string bytes;
    std::optional<std::string> axisLabels;
    Lines lines;
    std::vector<int> rejectedLines = {};
};

void PrintTo(const ImportCase& c, std::ostream* os) {
    *os << c.name;
}

class DataSetImport : public testing::TestWithParam<ImportCase> {};

TEST_P(DataSetImport, GivesStoreLinesAndRejectedLines) {
    const ImportCase& c = GetParam();
    TDataSetImport result = readDataSetText(c.bytes, c.kind, "f");
    EXPECT_EQ(result.axisLabels, c.axisLabels);
    EXPECT_EQ(result.lines, c.lines);
    std::vector<int> rejected;
    for (const auto& r : result.rejected)
        rejected.push_back(r.lineNumber);
    EXPECT_EQ(rejected, c.rejectedLines);
    // Whatever a reader gives, the store takes whole.
    TDataSetStore store;
    EXPECT_TRUE(store.appendLines(result.lines).empty());
    EXPECT_EQ(store.lines(), result.lines);
    EXPECT_EQ(store.setCount(), result.setCount());
}

const ImportCase importCases[] = {
    {"CsvWithCrLf", TFileKind::Csv, "x,y\r\n1,2\r\n3,4\r\n", "x,y", {"1,2", "3,4", "#"}},
    {"CsvLastRowWithoutLineEnd", TFileKind::Csv, "x,y\n1,2\n3,4", "x,y", {"1,2", "3,4", "#"}},
    {"CsvLastRowEndingInCr", TFileKind::Csv, "x,y\r\n1,2\r\n3,4\r", "x,y", {"1,2", "3,4", "#"}},
    {"CsvEmptyRowsSkipped", TFileKind::Csv, "x,y\r\n\r\n1,2\n \n\t\n3,4\n\n", "x,y", {"1,2", "3,4", "#"}},
    {"CsvRowsKeptUnchanged", TFileKind::Csv, "t,v\n 1 ,2.50\n", "t,v", {" 1 ,2.50", "#"}},
    {"CsvHashEndsASet", TFileKind::Csv, "x,y\n1,2\n#\n3,4\n", "x,y", {"1,2", "#", "3,4", "#"}},
    {"CsvHashAfterLastSetNotDoubled", TFileKind::Csv, "x,y\n1,2\n#\n", "x,y", {"1,2", "#"}},
    {"CsvHashesWithoutPointsDropped",
     TFileKind::Csv,
     "x,y\n#\n1,2\n #\n#\n3,4\n",
     "x,y",
     {"1,2", "#", "3,4", "#"}},
    {"CsvWithoutHeader", TFileKind::Csv, "1,2\n3,4\n", std::nullopt, {"1,2", "3,4", "#"}},
    {"CsvHeaderOnly", TFileKind::Csv, "x,y\n", "x,y", {"#"}},
    {"EmptyFile", TFileKind::Csv, "", std::nullopt, {"#"}},
    {"CsvEmptyHeader", TFileKind::Csv, "\n1,2\n", "", {"1,2", "#"}},
    {"CsvSemicolonsAndDecimalCommas",
     TFileKind::Csv,
     "x;y\n1,5;-2,25\n3;4\n",
     "x;y",
     {"1.5,-2.25", "3,4", "#"}},
    {"CsvMalformedRowsReported",
     TFileKind::Csv,
     "x,y\n1,1\n2,4\n3,9\n4,16\n5;;25\n6,36\nabc\n7,49\n8,64,1\n9,81\n10,100\n",
     "x,y",
     {"1,1", "2,4", "3,9", "4,16", "6,36", "7,49", "9,81", "10,100", "#"},
     {6, 8, 10}},
    {"TsvTabBecomesComma", TFileKind::Tsv, "x\ty\r\n1\t2\r\n-3.5\t4E2\r\n", "x\ty", {"1,2", "-3.5,4E2", "#"}},
    {"TsvRowWithoutTabRejected", TFileKind::Tsv, "x\ty\n1\t2\n5\n", "x\ty", {"1,2", "#"}, {3}},
    {"TsvDecimalCommas",
     TFileKind::Tsv,
     "x\ty\n1,5\t-2,25\n0,001\t3\n",
     "x\ty",
     {"1.5,-2.25", "0.001,3", "#"}},
    {"TsvTwoCommasInAFieldRejected", TFileKind::Tsv, "x\ty\n1,000,5\t2\n", "x\ty", {"#"}, {2}},
    {"TsvThirdColumnRejected", TFileKind::Tsv, "x\ty\n1\t2\t3\n", "x\ty", {"#"}, {2}},
    {"SidLinesAsTheyStand",
     TFileKind::Sid,
     "time,speed\r\n0,1\r\n1, 2\r\n#\r\n2,3",
     "time,speed",
     {"0,1", "1, 2", "#", "2,3", "#"}},
    {"SidHeaderOnlyGivesOneHash", TFileKind::Sid, "x,y\r\n", "x,y", {"#"}},
    {"SidNoDecimalComma", TFileKind::Sid, "x;y\n1,5;2\n", "x;y", {"#"}, {2}},
    {"TxtTabInHeader", TFileKind::Txt, "x\ty\n1\t2\n3,5\t4\n", "x\ty", {"1,2", "3.5,4", "#"}},
    {"TxtCommaInHeader", TFileKind::Txt, "x,y\n1,2\n", "x,y", {"1,2", "#"}},
    {"TxtSemicolonInHeader", TFileKind::Txt, "x, m;y, m\n1,5;2\n", "x, m;y, m", {"1.5,2", "#"}},
    {"TxtBlanksInHeader",
     TFileKind::Txt,
     "x y\n1 2\n  3   -4,5  \n5\t6\n7 8 9\n",
     "x y",
     {"1,2", "3,-4.5", "5,6", "#"},
     {5}},
    {"TxtDelimiterFromFirstRowWhenHeaderHasNone",
     TFileKind::Txt,
     "data\n\n1\t2\n3\t4\n",
     "data",
     {"1,2", "3,4", "#"}},
    {"TxtWithoutHeader", TFileKind::Txt, "1;2\n3;4\n", std::nullopt, {"1,2", "3,4", "#"}},
    {"TxtNothingToRecognise", TFileKind::Txt, "data\n5\n", "data", {"#"}, {2}},
};

INSTANTIATE_TEST_SUITE_P(Rows, DataSetImport, testing::ValuesIn(importCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DataSetImport, RejectedLinesNameFileLineAndText) {
    TDataSetImport result = readDataSetText("x,y\n1,2\n1,x\n", TFileKind::Csv, "points.csv");
    ASSERT_EQ(result.rejected.size(), 1u);
    EXPECT_EQ(result.rejected[0], (TRejectedLine{"points.csv", 3, "1,x"}));
    EXPECT_EQ(result.rejected[0].message(), "points.csv, line 3: \"1,x\" is not a pair of numbers x,y");

    std::vector<TRejectedLine> many(13, TRejectedLine{"a.csv", 2, std::string(100, 'z')});
    std::string text = rejectedLinesMessage(many, 2);
    EXPECT_EQ(text.substr(0, text.find('\n')), "13 lines were left out:");
    EXPECT_NE(text.find("a.csv, line 2: \"" + std::string(60, 'z') + "...\""), std::string::npos);
    EXPECT_NE(text.find("\n... and 11 more"), std::string::npos);
    EXPECT_EQ(rejectedLinesMessage({}), "");
    EXPECT_EQ(rejectedLinesMessage({many[0]}).substr(0, 20), "1 line was left out:");
}

TEST(DataSetImport, OnlyDataSetKinds) {
    EXPECT_THROW(readDataSetText("", TFileKind::GraphFile, "f"), std::invalid_argument);
    EXPECT_THROW(readDataSetText("", TFileKind::Unknown, "f"), std::invalid_argument);
}

TEST(DataSetImport, FilesThatCannotBeReadRaiseInOutErrorNamingThem) {
    test::TempFolder temp;
    test::writeBytes(temp.path() / "m.csv", "x,y\n1,2\nq\n");
    TDataSetImport read = readDataSetFile(temp.path() / "m.csv", TFileKind::Csv);
    EXPECT_EQ(read.lines, (Lines{"1,2", "#"}));
    ASSERT_EQ(read.rejected.size(), 1u);
    EXPECT_EQ(read.rejected[0].file, (temp.path() / "m.csv").string());

    const std::pair<std::filesystem::path, const char*> failures[] = {
        {temp.path() / "missing.csv", "missing.csv"},
        {temp.path(), "not a regular file"},
        {temp.path() / "huge.csv", "larger than 64 MB"},
    };
    test::writeBytes(temp.path() / "huge.csv", "");
    std::filesystem::resize_file(temp.path() / "huge.csv", MaxOpenFileBytes + 1); // sparse, no disk used
    for (const auto& [file, text] : failures) {
        try {
            readDataSetFile(file, TFileKind::Csv);
            ADD_FAILURE() << file;
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
        }
    }
}

TEST(DataSetStore, SetsArePointRunsEndedByHash) {
    TDataSetStore store;
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.setCount(), 0u);
    EXPECT_EQ(store.appendLines({"1,2", "3,4", "#", "5,6"}), Lines{});
    EXPECT_EQ(store.lines(), (Lines{"1,2", "3,4", "#", "5,6", "#"})); // the open set is ended
    EXPECT_EQ(store.appendLines({"#", "x", "7,8", "1,2,3"}), (Lines{"x", "1,2,3"}));
    EXPECT_EQ(store.lines(), (Lines{"1,2", "3,4", "#", "5,6", "#", "#", "7,8", "#"}));
    ASSERT_EQ(store.setCount(), 4u);

    using Points = std::vector<TDataPoint>;
    auto points = [&](std::size_t k) {
        auto span = store.points(k);
        return Points(span.begin(), span.end());
    };
    EXPECT_EQ(points(0), (Points{{1, 2}, {3, 4}}));
    EXPECT_EQ(points(1), (Points{{5, 6}}));
    EXPECT_EQ(points(2), Points{});
    EXPECT_EQ(points(3), (Points{{7, 8}}));
    EXPECT_THROW(store.points(4), std::out_of_range);
    auto all = store.allPoints();
    EXPECT_EQ(Points(all.begin(), all.end()), (Points{{1, 2}, {3, 4}, {5, 6}, {7, 8}}));

    store.removeLastSet();
    store.removeLastSet();
    EXPECT_EQ(store.lines(), (Lines{"1,2", "3,4", "#", "5,6", "#"}));
    EXPECT_EQ(store.allPoints().size(), 3u);
    EXPECT_EQ(points(1), (Points{{5, 6}}));
    store.removeLastSet();
    store.removeLastSet();
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(store.allPoints().empty());
    store.removeLastSet(); // nothing left: no effect
    EXPECT_TRUE(store.empty());

    EXPECT_TRUE(store.appendLines({"x,y", ""}).size() == 2);
    EXPECT_TRUE(store.empty()); // nothing appended, so no "#" either
}

TEST(DataSetStore, AppendSetWritesGeneralNumberTexts) {
    TDataSetStore store;
    const double inf = std::numeric_limits<double>::infinity();
    const TDataPoint points[] = {{-1, 1}, {0.5, 1e20}, {inf, 2}, {1.5e-7, std::nan("")}, {0.1, -0.25}};
    EXPECT_EQ(store.appendSet(points), 2u);
    EXPECT_EQ(store.lines(), (Lines{"-1,1", "0.5,1E20", "0.1,-0.25", "#"}));
    EXPECT_EQ(store.setCount(), 1u);
    EXPECT_EQ(store.points(0).size(), 3u);
    EXPECT_EQ(store.appendSet({}), 0u);
    EXPECT_EQ(store.setCount(), 2u);
    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.setCount(), 0u);
    EXPECT_TRUE(store.allPoints().empty());
}

TEST(DataSetStore, TheSingleSetFlagLastsUntilSetsAreAddedOrDeleted) {
    struct Row {
        const char* what;
        std::function<void(TDataSetStore&)> step;
        bool flagAfter;
    };
    const TDataPoint image[] = {{3, 4}};
    const Row rows[] = {
        {"cleared", [](TDataSetStore& s) { s.clear(); }, false},
        {"a set typed or imported", [](TDataSetStore& s) { s.appendLines({"5,6"}); }, false},
        {"a set appended", [&](TDataSetStore& s) { s.appendSet(image); }, false},
        {"only refused lines", [](TDataSetStore& s) { s.appendLines({"x"}); }, true},
        {"the first set replaced", [&](TDataSetStore& s) { s.replaceSet(0, image); }, true},
        {"the last set removed", [](TDataSetStore& s) { s.removeLastSet(); }, true},
    };
    for (const Row& row : rows) {
        TDataSetStore store;
        store.appendLines({"1,2", "#"});
        store.setDataSetCount(3);
        store.setSingleSetOnly(true);
        row.step(store);
        EXPECT_EQ(store.singleSetOnly(), row.flagAfter) << row.what;
    }
}

} // namespace
} // namespace kurvo
