// TraceContours on relations with known curves: closeness to the curve, no gaps, closed curves, poles.
#include "ContourTracer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <unordered_map>
#include <vector>

using namespace kurvo;

namespace {

const double Pi = std::numbers::pi;
using Relation = std::function<double(double x, double y)>;

/// The default window: x -10..10, y -7..7 on 1000x700 pixels, 50 pixels per unit on both axes.
ContourGrid standardGrid() {
    ContourGrid g;
    g.Xmin = -10, g.Xmax = 10, g.Ymin = -7, g.Ymax = 7;
    g.width = 1000, g.height = 700;
    g.cellSize = 4;
    return g;
}

ContourFunction everywhere(Relation f) {
    return [f](double x, double y) -> std::optional<double> { return f(x, y); };
}

ContourResult trace(const ContourFunction& f, const ContourGrid& g = standardGrid()) {
    return TraceContours(f, g, [] { return false; });
}

double distance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

/// Segments (a point is a segment of length zero) in 4-pixel buckets, for nearest-distance queries
/// up to a few pixels.
class NearIndex {
  public:
    void add(QPointF a, QPointF b) {
        const int id = static_cast<int>(segments_.size());
        segments_.push_back({a, b});
        for (int i = bucket(std::min(a.x(), b.x())); i <= bucket(std::max(a.x(), b.x())); ++i)
            for (int j = bucket(std::min(a.y(), b.y())); j <= bucket(std::max(a.y(), b.y())); ++j)
                buckets_[key(i, j)].push_back(id);
    }
    void addPolylines(const std::vector<std::vector<QPointF>>& lines) {
        for (const auto& line : lines)
            for (std::size_t k = 1; k < line.size(); ++k)
                add(line[k - 1], line[k]);
    }
    /// Distance to the nearest segment, or infinity when none is within one bucket.
    double nearest(QPointF p) const {
        double best = std::numeric_limits<double>::infinity();
        for (int i = bucket(p.x()) - 1; i <= bucket(p.x()) + 1; ++i)
            for (int j = bucket(p.y()) - 1; j <= bucket(p.y()) + 1; ++j) {
                auto it = buckets_.find(key(i, j));
                if (it == buckets_.end()) continue;
                for (int id : it->second)
                    best = std::min(best, distance(p, segments_[id].first, segments_[id].second));
            }
        return best;
    }

  private:
    static int bucket(double v) { return static_cast<int>(std::floor(v / 4)); }
    static long long key(int i, int j) { return (static_cast<long long>(i) << 32) ^ (j & 0xffffffffLL); }
    std::vector<std::pair<QPointF, QPointF>> segments_;
    std::unordered_map<long long, std::vector<int>> buckets_;
};

/// Points of the true curve: the roots along every half-pixel column and row, found by a scan at
/// half-pixel steps and bisection. Consecutive points along the curve are at most 0.71 pixel apart.
std::vector<QPointF> referenceCurve(const Relation& f, const ContourGrid& g) {
    std::vector<QPointF> points;
    auto at = [&](QPointF p) { return f(g.worldX(p.x()), g.worldY(p.y())); };
    auto scan = [&](QPointF from, QPointF step, int count) {
        double previous = at(from);
        for (int k = 1; k <= count; ++k) {
            QPointF lo = from + (k - 1) * step, hi = from + k * step;
            const double value = at(hi);
            if ((previous < 0) != (value < 0)) {
                double flo = previous;
                for (int n = 0; n < 40; ++n) {
                    const QPointF mid = (lo + hi) / 2;
                    const double fm = at(mid);
                    if ((fm < 0) == (flo < 0))
                        lo = mid, flo = fm;
                    else
                        hi = mid;
                }
                points.push_back((lo + hi) / 2);
            }
            previous = value;
        }
    };
    for (int c = 0; c <= 2 * g.width; ++c)
        scan({c / 2.0, 0}, {0, 0.5}, 2 * g.height);
    for (int r = 0; r <= 2 * g.height; ++r)
        scan({0, r / 2.0}, {0.5, 0}, 2 * g.width);
    return points;
}

struct CurveCase {
    std::string name;
    Relation f;
    int closed;       // polylines that end where they start
    int open;         // polylines with two ends
    bool countPieces; // false where branches cross, so the count of pieces is left open
};

const std::vector<CurveCase> Curves = {
    {"Circle", [](double x, double y) { return x * x + y * y - 25; }, 1, 0, true},
    {"Ellipse", [](double x, double y) { return x * x + y * y / 4 - 1; }, 1, 0, true},
    {"SmallCircle", [](double x, double y) { return x * x + y * y - 0.01; }, 1, 0, true},
    {"Hyperbola", [](double x, double y) { return x * y - 1; }, 0, 2, true},
    {"EllipticCurve", [](double x, double y) { return y * y - (x * x * x - x); }, 1, 1, true},
    {"SineCosine", [](double x, double y) { return std::sin(x) - std::cos(y); }, 0, 0, false},
    {"CrossingLines", [](double x, double y) { return x * x - y * y; }, 0, 0, false},
};

class ContourCurves : public ::testing::TestWithParam<CurveCase> {};

TEST_P(ContourCurves, StaysWithinAPixelOfTheCurveAndLeavesNoGap) {
    const CurveCase& c = GetParam();
    const ContourGrid g = standardGrid();
    const ContourResult r = trace(everywhere(c.f), g);
    ASSERT_FALSE(r.stopped);
    ASSERT_FALSE(r.polylines.empty());

    const std::vector<QPointF> truth = referenceCurve(c.f, g);
    NearIndex truthIndex, traced;
    for (QPointF p : truth)
        truthIndex.add(p, p);
    traced.addPolylines(r.polylines);

    int far = 0, longSteps = 0;
    for (const auto& line : r.polylines)
        for (std::size_t k = 0; k < line.size(); ++k) {
            if (truthIndex.nearest(line[k]) > 1.0) ++far;
            if (k == 0) continue;
            if (truthIndex.nearest((line[k - 1] + line[k]) / 2) > 1.0) ++far;
            const QPointF step = line[k] - line[k - 1];
            if (std::hypot(step.x(), step.y()) > 4 * std::sqrt(2.0) + 1e-9) ++longSteps;
        }
    EXPECT_EQ(far, 0) << "points or chords more than a pixel from the curve";
    EXPECT_EQ(longSteps, 0) << "steps longer than a grid cell";

    int gaps = 0;
    for (QPointF p : truth)
        if (traced.nearest(p) > 1.0) ++gaps;
    EXPECT_EQ(gaps, 0) << "points of the curve more than a pixel from every traced line";

    if (c.countPieces) {
        int closed = 0, open = 0;
        for (const auto& line : r.polylines)
            (line.front().x() == line.back().x() && line.front().y() == line.back().y() ? closed : open) += 1;
        EXPECT_EQ(closed, c.closed);
        EXPECT_EQ(open, c.open);
    }
}

INSTANTIATE_TEST_SUITE_P(Relations, ContourCurves, ::testing::ValuesIn(Curves),
                         [](const auto& info) { return info.param.name; });

TEST(ContourTracer, BothLinesOfACrossPassThroughTheirCrossing) {
    // x^2 - y^2 = 0 is y = x and y = -x; the scan of the reference misses the double root at the
    // crossing itself, so the lines are checked against their own equations here.
    const ContourGrid g = standardGrid();
    const ContourResult r = trace(everywhere([](double x, double y) { return x * x - y * y; }), g);
    NearIndex traced;
    traced.addPolylines(r.polylines);
    for (double x = -6; x <= 6; x += 0.005)
        for (double sign : {1.0, -1.0}) {
            const QPointF p(500 + 50 * x, 350 - 50 * sign * x);
            EXPECT_LE(traced.nearest(p), 1.0) << "x = " << x << ", y = " << sign * x;
        }
}

struct PoleCase {
    std::string name;
    Relation f;
    /// Distance in pixels of a point from the true curve, or from its nearest branch.
    std::function<double(double x, double y)> distanceToCurve;
};

const std::vector<PoleCase> Poles = {
    {"Reciprocal", [](double x, double y) { return 1 / (x - y) - 1; },
     [](double x, double y) { return 50 * std::fabs(x - y - 1) / std::sqrt(2.0); }},
    {"TangentOfProduct", [](double x, double y) { return std::tan(x * y) - 1; },
     [](double x, double y) {
         // The branches x*y = pi/4 + k*pi, to first order in the distance.
         const double v = x * y - Pi / 4, off = v - Pi * std::round(v / Pi);
         return 50 * std::fabs(off) / std::hypot(x, y);
     }},
};

class ContourPoles : public ::testing::TestWithParam<PoleCase> {};

TEST_P(ContourPoles, DrawNoSegmentAcrossAPole) {
    const PoleCase& c = GetParam();
    const ContourGrid g = standardGrid();
    const ContourResult r = trace(everywhere(c.f), g);
    ASSERT_FALSE(r.polylines.empty());
    int far = 0;
    for (const auto& line : r.polylines)
        for (std::size_t k = 0; k < line.size(); ++k) {
            const QPointF p = k == 0 ? line[0] : (line[k - 1] + line[k]) / 2;
            for (QPointF q : {line[k], p})
                if (c.distanceToCurve(g.worldX(q.x()), g.worldY(q.y())) > 1.0) ++far;
        }
    EXPECT_EQ(far, 0);

    // The reference scan crosses the poles too; only its points on the curve must be covered.
    NearIndex traced;
    traced.addPolylines(r.polylines);
    int gaps = 0, covered = 0;
    for (QPointF p : referenceCurve(c.f, g)) {
        if (c.distanceToCurve(g.worldX(p.x()), g.worldY(p.y())) > 0.01) continue;
        (traced.nearest(p) > 1.0 ? gaps : covered) += 1;
    }
    EXPECT_EQ(gaps, 0) << covered << " covered";
    EXPECT_GT(covered, 1000);
}

INSTANTIATE_TEST_SUITE_P(Relations, ContourPoles, ::testing::ValuesIn(Poles),
                         [](const auto& info) { return info.param.name; });

TEST(ContourTracer, LineBesideAPoleIsWholeAndSingle) {
    // 1/(x-y) = 1 is the line y = x - 1 alone, one piece from edge to edge of the picture.
    const ContourGrid g = standardGrid();
    const ContourResult r = trace(everywhere([](double x, double y) { return 1 / (x - y) - 1; }), g);
    ASSERT_EQ(r.polylines.size(), 1u);
    NearIndex traced;
    traced.addPolylines(r.polylines);
    for (double x = -6; x <= 8; x += 0.005)
        EXPECT_LE(traced.nearest({500 + 50 * x, 350 - 50 * (x - 1)}), 1.0) << "x = " << x;
}

TEST(ContourTracer, AJumpThroughZeroIsNoCrossing) {
    // y = floor(x): F changes sign at every integer x without passing zero; only the steps are drawn.
    const ContourResult r = trace(everywhere([](double x, double y) { return y - std::floor(x); }));
    ASSERT_FALSE(r.polylines.empty());
    for (const auto& line : r.polylines)
        for (std::size_t k = 1; k < line.size(); ++k)
            EXPECT_NEAR(line[k].y(), line[k - 1].y(), 1e-6) << "a vertical piece at x = " << line[k].x();
}

TEST(ContourTracer, UndefinedSamplesEndTheCurveAtTheDomainEdge) {
    // The circle where x >= 0.3 only: one arc whose ends lie within a pixel of (0.3, +-sqrt(24.91)).
    const ContourGrid g = standardGrid();
    const ContourFunction f = [](double x, double y) -> std::optional<double> {
        if (x < 0.3) return std::nullopt;
        return x * x + y * y - 25;
    };
    const ContourResult r = trace(f, g);
    ASSERT_EQ(r.polylines.size(), 1u);
    const auto& arc = r.polylines[0];
    for (QPointF p : arc)
        EXPECT_GE(p.x(), 515 - 1e-9);
    const double edgeRow = 50 * std::sqrt(25 - 0.09);
    const QPointF top(515, 350 - edgeRow), bottom(515, 350 + edgeRow);
    QPointF a = arc.front(), b = arc.back();
    if (a.y() > b.y()) std::swap(a, b);
    EXPECT_LE(std::hypot(a.x() - top.x(), a.y() - top.y()), 1.0);
    EXPECT_LE(std::hypot(b.x() - bottom.x(), b.y() - bottom.y()), 1.0);
}

TEST(ContourTracer, InfiniteOrNaNValuesCountAsUndefined) {
    // The circle where x >= 0 has a value; elsewhere F gives infinity or NaN and draws nothing.
    const ContourFunction f = [](double x, double y) -> std::optional<double> {
        if (x < 0) return y < 0 ? std::numeric_limits<double>::infinity() : std::nan("");
        return x * x + y * y - 25;
    };
    const ContourResult r = trace(f);
    ASSERT_EQ(r.polylines.size(), 1u);
    for (QPointF p : r.polylines[0])
        EXPECT_GE(p.x(), 500 - 1e-9);
}

TEST(ContourTracer, ShouldStopEndsTheTraceAtOnce) {
    const Relation circle = [](double x, double y) { return x * x + y * y - 25; };
    struct Row {
        int stopAtCall; // 0: never
        bool stopped;
    };
    for (Row row : {Row{1, true}, Row{40, true}, Row{0, false}}) {
        int evaluations = 0, calls = 0;
        const ContourFunction f = [&](double x, double y) -> std::optional<double> {
            ++evaluations;
            return circle(x, y);
        };
        const ContourResult r = TraceContours(f, standardGrid(), [&] { return ++calls == row.stopAtCall; });
        EXPECT_EQ(r.stopped, row.stopped) << "stop at call " << row.stopAtCall;
        if (row.stopAtCall == 1) {
            EXPECT_EQ(evaluations, 0);
            EXPECT_TRUE(r.polylines.empty());
        }
        if (row.stopAtCall > 1) {
            EXPECT_EQ(calls, row.stopAtCall); // asked no more after it answered yes
            EXPECT_LT(evaluations, 251 * row.stopAtCall * 2);
        }
    }
}

TEST(ContourTracer, EmptyOrInvertedPicturesTraceNothing) {
    const ContourFunction circle = everywhere([](double x, double y) { return x * x + y * y - 25; });
    struct Row {
        std::string name;
        std::function<void(ContourGrid&)> change;
    };
    const std::vector<Row> rows = {
        {"zero width", [](ContourGrid& g) { g.width = 0; }},
        {"negative height", [](ContourGrid& g) { g.height = -5; }},
        {"inverted x range", [](ContourGrid& g) { std::swap(g.Xmin, g.Xmax); }},
        {"empty y range", [](ContourGrid& g) { g.Ymax = g.Ymin; }},
        {"infinite range", [](ContourGrid& g) { g.Xmax = std::numeric_limits<double>::infinity(); }},
        {"zero cell", [](ContourGrid& g) { g.cellSize = 0; }},
        {"NaN cell", [](ContourGrid& g) { g.cellSize = std::nan(""); }},
    };
    for (const Row& row : rows) {
        ContourGrid g = standardGrid();
        row.change(g);
        EXPECT_TRUE(trace(circle, g).polylines.empty()) << row.name;
    }
}

} // namespace
