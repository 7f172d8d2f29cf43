// TShading: the lattice dots that shade the region above or below a Cartesian graph.
#include "Shading.h"

#include "Aliases.h"
#include "AsciiCase.h"

#include <QPainterPath>

#include <algorithm>
#include <numeric>
#include <vector>

namespace kurvo {

void TShading::ShadeAboveGraph(int slot) {
    shade(slot, 10, true);
}
void TShading::ShadeBelowGraph(int slot) {
    shade(slot, 5, false);
}

namespace {

// Each graph's lattice is shifted along the diagonal by a step coprime to the spacing, so the
// lattices of up to `spacing` graphs never share a dot and an overlap shows every colour. The
// first graph keeps the lattice at the picture's corner.
int latticeOffset(int slot, int spacing) {
    int step = std::max(1, spacing / 3);
    while (std::gcd(step, spacing) != 1)
        ++step;
    return static_cast<int>((static_cast<long long>(std::max(slot, 0)) * step) % spacing);
}

// The dots of a lattice column, collected as runs of successive lattice rows and drawn at the
// end as one dashed path: a dash one pixel long every `spacing` pixels puts a dot on each
// lattice point of a run. A picture gets one path per graph instead of an element per dot.
class TLatticeDots {
  public:
    TLatticeDots(int spacing, int offset) : spacing_(spacing), offset_(offset) {}
    /// Lattice point (i, j) holds a dot; points must come column by column, rows ascending.
    void add(int i, int j) {
        if (open_ && i == column_ && j == last_ + 1) {
            last_ = j;
            return;
        }
        close();
        open_ = true;
        column_ = i;
        first_ = last_ = j;
    }
    void draw(QPainter& p, const QColor& colour) {
        close();
        if (path_.isEmpty()) return;
        QPen pen(colour, 1, Qt::CustomDashLine, Qt::FlatCap);
        pen.setDashPattern({1.0, static_cast<qreal>(spacing_ - 1)});
        p.save();
        p.setBrush(Qt::NoBrush);
        p.setPen(pen);
        p.drawPath(path_);
        p.restore();
    }

  private:
    void close() {
        if (!open_) return;
        // Each dash is the square a dot covers: one pixel wide, centred on the lattice point. A
        // run is a whole number of dash periods long (its end is gap), so the dots fall on the
        // lattice whether a reader starts the pattern again at each subpath or carries it on.
        const qreal x = spacing_ * column_ + offset_;
        path_.moveTo(x, spacing_ * first_ + offset_ - 0.5);
        path_.lineTo(x, spacing_ * last_ + offset_ - 0.5 + spacing_);
        open_ = false;
    }
    int spacing_, offset_;
    bool open_ = false;
    int column_ = 0, first_ = 0, last_ = 0;
    QPainterPath path_;
};

} // namespace

void TShading::shade(int slot, int spacing, bool above) {
    const int offset = latticeOffset(slot, spacing);
    TLatticeDots dots(spacing, offset);
    // The boundary is evaluated for the whole row of lattice columns at once.
    const int columns = std::max(0, (e_.View.PlotWidth - offset) / spacing + 1);
    std::vector<double> xs(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i)
        xs[static_cast<std::size_t>(i)] = static_cast<double>(e_.PixelToWorldX(spacing * i + offset));
    std::vector<EvalResult> fxs(xs.size());
    e_.Parser1.Values(e_.Parser1.X, xs, fxs);
    for (int i = 0; i < columns; ++i) {
        const EvalResult& r = fxs[static_cast<std::size_t>(i)];
        if (!r.ok()) continue; // the whole column fails the same way: every point of it is skipped
        const Extended fx = r.value;
        for (int j = 0; j <= (e_.View.PlotHeight - offset) / spacing; ++j) {
            Extended y = e_.PixelToWorldY(spacing * j + offset);
            if (above ? y > fx : y < fx) dots.add(i, j);
        }
    }
    dots.draw(e_.canvas(), e_.graphColour(slot));
}

void TShading::ShadeImplicitRegion(int slot, const TGraphSlot& graph) {
    const int relation = graph.Relation;
    if (relation == 4 || graph.GeneralForm.empty()) return;
    const bool greater = relation == 0 || relation == 1;
    // The boundary's F = left - (right) of the slot's own relation: the region is where F has the
    // relation's sign.
    e_.Parser1.setExpression(graph.GeneralForm);

    const int offset = latticeOffset(slot, 10);
    TLatticeDots dots(10, offset);
    // Each lattice column is evaluated as one row of y values; a point where the relation cannot
    // be evaluated is skipped.
    const int rows = std::max(0, (e_.View.PlotHeight - offset) / 10 + 1);
    std::vector<double> ys(static_cast<std::size_t>(rows));
    for (int j = 0; j < rows; ++j)
        ys[static_cast<std::size_t>(j)] = static_cast<double>(e_.PixelToWorldY(10 * j + offset));
    std::vector<EvalResult> Fs(ys.size());
    for (int i = 0; i <= (e_.View.PlotWidth - offset) / 10; ++i) {
        e_.Parser1.X = static_cast<double>(e_.PixelToWorldX(10 * i + offset));
        e_.Parser1.Values(e_.Parser1.Y, ys, Fs);
        for (int j = 0; j < rows; ++j) {
            const EvalResult& F = Fs[static_cast<std::size_t>(j)];
            if (F.ok() && (greater ? F.value > 0 : F.value < 0)) dots.add(i, j);
        }
    }
    dots.draw(e_.canvas(), e_.graphColour(slot));
}

} // namespace kurvo
