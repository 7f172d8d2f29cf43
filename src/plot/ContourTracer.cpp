// TraceContours: a general relation F(x, y) = 0 traced as connected polylines by marching squares.
#include "ContourTracer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace kurvo {

namespace {

/// A grid cell is split at most this often, so the finest cell is 1/8 of a grid cell.
constexpr int MaxDepth = 3;
/// Bisection on a cell edge stops once the bracket is this short (pixels).
constexpr double CrossingResolution = 1.0 / 32;
/// A chord between two crossings may stray this far from the curve (pixels) before its cell is split.
constexpr double ChordTolerance = 0.4;
/// A refined crossing whose |F| is at most this fraction of the edge's end values is a root even
/// where rounding keeps it from being smaller than the bracket's ends.
constexpr double RootNoise = 1e-9;

const double Undefined = std::numeric_limits<double>::quiet_NaN();

bool undefined(double v) {
    return std::isnan(v);
}
/// Zero counts with the positive values, so a curve through a grid node has one side there.
bool positive(double v) {
    return v >= 0;
}
/// Exact equality: QPointF's own comparison is fuzzy and would merge distinct crossings.
bool samePoint(QPointF a, QPointF b) {
    return a.x() == b.x() && a.y() == b.y();
}

/// A cell edge, named by its first end and length. Horizontal edges run left to right and vertical
/// ones top to bottom, so both cells beside an edge refine it identically.
struct EdgeKey {
    double x, y, length;
    bool vertical;
    bool operator==(const EdgeKey&) const = default;
};

struct EdgeKeyHash {
    std::size_t operator()(const EdgeKey& k) const {
        std::uint64_t h = std::bit_cast<std::uint64_t>(k.x);
        h = h * 0x9E3779B97F4A7C15ull ^ std::bit_cast<std::uint64_t>(k.y);
        h = h * 0x9E3779B97F4A7C15ull ^ std::bit_cast<std::uint64_t>(k.length);
        return static_cast<std::size_t>(h * 0x9E3779B97F4A7C15ull + (k.vertical ? 1 : 0));
    }
};

struct Segment {
    QPointF p, q;
};

class Tracer {
  public:
    Tracer(const ContourFunction& f, const ContourGrid& grid) : f_(f), grid_(grid) {}

    /// F at a pixel point; NaN where it is undefined, infinite or not a number.
    double eval(double px, double py) const {
        const std::optional<double> v = f_(grid_.worldX(px), grid_.worldY(py));
        return v && std::isfinite(*v) ? *v : Undefined;
    }

    /// The piece of the curve in the square cell with top left corner (x, y) and side s, whose corner
    /// values are a (top left), b (top right), c (bottom left) and d (bottom right).
    void cell(double x, double y, double s, double a, double b, double c, double d, int depth);

    std::vector<Segment> segments;

  private:
    enum Edge { Top, Right, Bottom, Left };

    void split(double x, double y, double s, double a, double b, double c, double d, int depth);
    std::optional<QPointF> crossing(Edge edge, double x, double y, double s, double a, double b, double c,
                                    double d);
    std::optional<QPointF> refine(QPointF lo, QPointF hi, double flo, double fhi, double length) const;
    void addSegment(const std::optional<QPointF>& p, const std::optional<QPointF>& q) {
        if (p && q && !samePoint(*p, *q)) segments.push_back({*p, *q});
    }

    const ContourFunction& f_;
    const ContourGrid& grid_;
    std::unordered_map<EdgeKey, std::optional<QPointF>, EdgeKeyHash> crossings_;
};

void Tracer::split(double x, double y, double s, double a, double b, double c, double d, int depth) {
    const double h = s / 2;
    const double top = eval(x + h, y), left = eval(x, y + h), centre = eval(x + h, y + h);
    const double right = eval(x + s, y + h), bottom = eval(x + h, y + s);
    cell(x, y, h, a, top, left, centre, depth + 1);
    cell(x + h, y, h, top, b, centre, right, depth + 1);
    cell(x, y + h, h, left, centre, c, bottom, depth + 1);
    cell(x + h, y + h, h, centre, right, bottom, d, depth + 1);
}

void Tracer::cell(double x, double y, double s, double a, double b, double c, double d, int depth) {
    const int missing = undefined(a) + undefined(b) + undefined(c) + undefined(d);
    if (missing == 4) return;
    if (missing > 0) {
        // The curve may end at the edge of F's domain inside this cell: look closer, then give up.
        if (depth < MaxDepth) split(x, y, s, a, b, c, d, depth);
        return;
    }
    const bool sa = positive(a), sb = positive(b), sc = positive(c), sd = positive(d);
    if (sa == sb && sb == sc && sc == sd) return;

    if (sa == sd && sb == sc) {
        // A saddle: two pieces, paired one way or the other. Split while the cell is large; in the
        // smallest cells the sign at the centre tells which corners the curve separates.
        if (depth < MaxDepth) {
            split(x, y, s, a, b, c, d, depth);
            return;
        }
        const double centre = eval(x + s / 2, y + s / 2);
        if (undefined(centre)) return;
        const auto top = crossing(Top, x, y, s, a, b, c, d), right = crossing(Right, x, y, s, a, b, c, d);
        const auto bottom = crossing(Bottom, x, y, s, a, b, c, d), left = crossing(Left, x, y, s, a, b, c, d);
        if (positive(centre) == sa) {
            addSegment(top, right);
            addSegment(left, bottom);
        } else {
            addSegment(top, left);
            addSegment(right, bottom);
        }
        return;
    }

    // Exactly two edges change sign.
    Edge ends[2] = {Top, Top};
    int n = 0;
    if (sa != sb) ends[n++] = Top;
    if (sb != sd) ends[n++] = Right;
    if (sc != sd) ends[n++] = Bottom;
    if (sa != sc) ends[n++] = Left;
    const auto p = crossing(ends[0], x, y, s, a, b, c, d), q = crossing(ends[1], x, y, s, a, b, c, d);
    if (!p || !q) {
        // One real crossing beside a pole or a gap: smaller cells separate the two.
        if ((p || q) && depth < MaxDepth) split(x, y, s, a, b, c, d, depth);
        return;
    }
    if (samePoint(*p, *q)) return;
    if (depth < MaxDepth) {
        // Distance of the chord's midpoint from the curve, estimated as |F| over the cell's gradient.
        const QPointF mid = (*p + *q) / 2;
        const double fm = eval(mid.x(), mid.y());
        const double gx = ((b - a) + (d - c)) / (2 * s), gy = ((c - a) + (d - b)) / (2 * s);
        if (!(std::fabs(fm) <= ChordTolerance * std::hypot(gx, gy))) {
            split(x, y, s, a, b, c, d, depth);
            return;
        }
    }
    addSegment(p, q);
}

std::optional<QPointF> Tracer::crossing(Edge edge, double x, double y, double s, double a, double b, double c,
                                        double d) {
    QPointF lo, hi;
    double flo = 0, fhi = 0;
    switch (edge) {
    case Top:
        lo = {x, y}, hi = {x + s, y}, flo = a, fhi = b;
        break;
    case Right:
        lo = {x + s, y}, hi = {x + s, y + s}, flo = b, fhi = d;
        break;
    case Bottom:
        lo = {x, y + s}, hi = {x + s, y + s}, flo = c, fhi = d;
        break;
    case Left:
        lo = {x, y}, hi = {x, y + s}, flo = a, fhi = c;
        break;
    }
    const EdgeKey key{lo.x(), lo.y(), s, edge == Right || edge == Left};
    auto found = crossings_.find(key);
    if (found != crossings_.end()) return found->second;
    auto point = refine(lo, hi, flo, fhi, s);
    crossings_.emplace(key, point);
    return point;
}

std::optional<QPointF> Tracer::refine(QPointF lo, QPointF hi, double flo, double fhi, double length) const {
    if (flo == 0) return lo;
    if (fhi == 0) return hi;
    const double scale = std::max(std::fabs(flo), std::fabs(fhi));
    // Midpoints of binary fractions of the grid are exact, so the same crossing is found from any
    // cell that brackets it, and the pieces of neighbouring cells meet at identical points.
    for (; length > CrossingResolution; length /= 2) {
        const QPointF m = (lo + hi) / 2;
        const double fm = eval(m.x(), m.y());
        if (undefined(fm)) return std::nullopt;
        if (fm == 0) return m;
        if (positive(fm) == positive(flo))
            lo = m, flo = fm;
        else
            hi = m, fhi = fm;
    }
    const QPointF p = lo + (flo / (flo - fhi)) * (hi - lo);
    const double fp = std::fabs(eval(p.x(), p.y()));
    // Near a root |F| falls towards zero inside the bracket; across a pole it grows beyond both ends,
    // and across a jump it stays at one of them.
    if (fp < std::min(std::fabs(flo), std::fabs(fhi)) || fp <= RootNoise * scale) return p;
    return std::nullopt;
}

/// Joins segments that share end points into polylines.
std::vector<std::vector<QPointF>> joinSegments(const std::vector<Segment>& segments) {
    // Every segment end, identified as 2 x segment + side, sorted by position so that ends at the
    // same point form one run.
    const int endCount = static_cast<int>(segments.size()) * 2;
    auto pointOf = [&](int end) { return end & 1 ? segments[end >> 1].q : segments[end >> 1].p; };
    std::vector<int> ends(endCount);
    for (int i = 0; i < endCount; ++i)
        ends[i] = i;
    auto less = [&](int l, int r) {
        const QPointF a = pointOf(l), b = pointOf(r);
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    };
    std::sort(ends.begin(), ends.end(), less);
    std::vector<int> runStart(endCount), runLength(endCount), position(endCount);
    for (int i = 0; i < endCount;) {
        int j = i + 1;
        while (j < endCount && samePoint(pointOf(ends[j]), pointOf(ends[i])))
            ++j;
        for (int k = i; k < j; ++k) {
            runStart[ends[k]] = i;
            runLength[ends[k]] = j - i;
            position[ends[k]] = k;
        }
        i = j;
    }

    std::vector<char> used(segments.size(), 0);
    std::vector<std::vector<QPointF>> polylines;
    auto walk = [&](int end) {
        std::vector<QPointF> line{pointOf(end)};
        for (;;) {
            used[end >> 1] = 1;
            const int far = end ^ 1;
            line.push_back(pointOf(far));
            if (runLength[far] != 2) break; // an open end, or a point where branches cross
            const int start = runStart[far];
            const int next = ends[position[far] == start ? start + 1 : start];
            if (used[next >> 1]) break; // back at the first point of a closed curve
            end = next;
        }
        polylines.push_back(std::move(line));
    };
    for (int i = 0; i < endCount; ++i)
        if (runLength[ends[i]] != 2 && !used[ends[i] >> 1]) walk(ends[i]);
    for (int s = 0; s < static_cast<int>(segments.size()); ++s)
        if (!used[s]) walk(2 * s);
    return polylines;
}

} // namespace

ContourResult TraceContours(const ContourFunction& F, const ContourGrid& grid,
                            const std::function<bool()>& shouldStop) {
    ContourResult result;
    const double s = grid.cellSize;
    if (grid.width <= 0 || grid.height <= 0 || !(s >= 1) || !std::isfinite(s)) return result;
    if (!(grid.Xmax > grid.Xmin) || !(grid.Ymax > grid.Ymin) || !std::isfinite(grid.Xmax - grid.Xmin) ||
        !std::isfinite(grid.Ymax - grid.Ymin))
        return result;

    Tracer tracer(F, grid);
    const int columns = static_cast<int>(std::ceil(grid.width / s));
    const int rows = static_cast<int>(std::ceil(grid.height / s));
    // Two rows of grid nodes: the cells between them are traced as soon as the lower row is known.
    std::vector<double> above(columns + 1), below(columns + 1);
    for (int j = 0; j <= rows; ++j) {
        if (shouldStop && shouldStop()) {
            result.stopped = true;
            break;
        }
        for (int i = 0; i <= columns; ++i)
            below[i] = tracer.eval(i * s, j * s);
        if (j > 0)
            for (int i = 0; i < columns; ++i)
                tracer.cell(i * s, (j - 1) * s, s, above[i], above[i + 1], below[i], below[i + 1], 0);
        std::swap(above, below);
    }
    result.polylines = joinSegments(tracer.segments);
    return result;
}

} // namespace kurvo
