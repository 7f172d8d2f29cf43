// TShading: the lattice dots that shade the region above or below a Cartesian graph.
#include "Shading.h"

#include "Aliases.h"
#include "AsciiCase.h"

namespace kurvo {

void TShading::ShadeAboveGraph(int slot) {
    shade(slot, 10, true);
}
void TShading::ShadeBelowGraph(int slot) {
    shade(slot, 5, false);
}

void TShading::shade(int slot, int spacing, bool above) {
    QPainter& p = e_.canvas();
    p.setPen(QPen(e_.graphColour(slot), 1));
    for (int i = 0; i <= e_.View.PlotWidth / spacing; ++i) {
        Extended x = e_.PixelToWorldX(spacing * i);
        e_.Parser1.X = static_cast<double>(x);
        Extended fx;
        try {
            fx = e_.Parser1.Value();
        } catch (const std::exception&) {
            continue; // the whole column fails the same way: every point of it is skipped
        }
        for (int j = 0; j <= e_.View.PlotHeight / spacing; ++j) {
            Extended y = e_.PixelToWorldY(spacing * j);
            if (above ? y > fx : y < fx) p.drawPoint(spacing * i, spacing * j);
        }
    }
}

void TShading::ShadeImplicitRegion(int slot, const TGraphSlot& graph) {
    const int relation = graph.Relation;
    if (relation == 4 || graph.GeneralForm.empty()) return;
    const bool greater = relation == 0 || relation == 1;
    // The boundary's F = left - (right) of the slot's own relation: the region is where F has the
    // relation's sign.
    e_.Parser1.setExpression(graph.GeneralForm);

    QPainter& p = e_.canvas();
    p.setPen(QPen(e_.graphColour(slot), 1));
    for (int i = 0; i <= e_.View.PlotWidth / 10; ++i) {
        e_.Parser1.X = static_cast<double>(e_.PixelToWorldX(10 * i));
        for (int j = 0; j <= e_.View.PlotHeight / 10; ++j) {
            e_.Parser1.Y = static_cast<double>(e_.PixelToWorldY(10 * j));
            try {
                Extended F = e_.Parser1.Value();
                if (greater ? F > 0 : F < 0) p.drawPoint(10 * i, 10 * j);
            } catch (const std::exception&) {
                // a point where the relation cannot be evaluated is skipped
            }
        }
    }
}

} // namespace kurvo
