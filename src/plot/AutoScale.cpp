// TAutoScale: the Cartesian, integral, polar, parametric and implicit fits.
#include "AutoScale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <utility>

namespace kurvo {

namespace {
/// A t range longer than this many steps of 0.01 is sampled with a longer step, so a fit always ends.
constexpr Extended MaxTSamples = 1e6L;

/// Steps v from `start` by `step` while v <= end, the sum kept in extended precision as a loop
/// steps it, and gives each v with the evaluations of the parsers at it: `parsers` evaluate a
/// block of values as one row each, with `variables[k]` (the parser's own variable field) set to
/// each v; the fields hold the last v afterwards. A step too small to move v ends the run.
template <std::size_t N, class Take>
void sampleRow(const std::array<TParser*, N>& parsers, const std::array<double*, N>& variables, Extended start,
               Extended end, Extended step, Take&& take) {
    constexpr std::size_t Block = 256;
    std::array<Extended, Block> vs;
    std::array<double, Block> xs;
    std::array<std::array<EvalResult, Block>, N> results;
    Extended v = start;
    bool more = v <= end;
    while (more) {
        std::size_t n = 0;
        while (more && n < Block) {
            vs[n] = v;
            xs[n++] = static_cast<double>(v);
            more = v + step != v;
            v += step;
            more = more && v <= end;
        }
        for (std::size_t k = 0; k < N; ++k)
            parsers[k]->Values(*variables[k], std::span(xs.data(), n), std::span(results[k].data(), n));
        for (std::size_t i = 0; i < n; ++i) {
            std::array<EvalResult, N> at;
            for (std::size_t k = 0; k < N; ++k)
                at[k] = results[k][i];
            take(vs[i], xs[i], at);
        }
    }
}
} // namespace

void TAutoScale::recompute() {
    doc_.XRange = s_.Xmax - s_.Xmin;
    doc_.YRange = s_.Ymax - s_.Ymin;
}

TAutoScale::Outcome TAutoScale::fit() {
    if (s_.ImplicitMode || doc_.DataSetPlotting) {
        // Coordinate sets fit themselves when they are drawn.
        return doc_.DataSetPlotting ? Outcome::Unchanged : ImplicitFit();
    }
    p_.Context.resetMarkers();
    Outcome outcome = Outcome::Unchanged;
    if (s_.CartesianMode && !s_.ParametricMode) outcome = CartesianFit();
    if (s_.CartesianMode && s_.ParametricMode) outcome = ParametricFit(false);
    if (!s_.CartesianMode && !s_.ParametricMode) outcome = PolarFit();
    if (!s_.CartesianMode && s_.ParametricMode) outcome = ParametricFit(true);
    if (s_.CartesianMode && !s_.ParametricMode && (s_.PlotIntegral || p_.Context.IntegralMarker)) {
        const Outcome integral = IntegralFit();
        if (integral == Outcome::Fitted) outcome = integral;
    }
    p_.Context.resetMarkers();
    return outcome;
}

void TAutoScale::sampleX(Bounds& b) {
    const Extended h = doc_.XRange / 128;
    if (!(h > 0) || !std::isfinite(h)) return;
    double& X = *p_.Parser1.variable('X');
    for (Extended x = s_.Xmin; x <= s_.Xmax;) {
        X = static_cast<double>(x);
        const EvalResult r = p_.Parser1.TryValue();
        if (r.ok()) {
            b.take(r.value);
            x += h;
        } else {
            // A sample without a value is skipped, and so are the next three.
            x += 4 * h;
        }
    }
}

TAutoScale::Outcome TAutoScale::applyY(Bounds b, Extended factor) {
    // Nothing was sampled: a range of zero height could not be drawn, so the view stays.
    if (b.top - b.bottom == 0) return Outcome::Unchanged;
    if (b.bottom == 0) b.bottom = -0.1L * (b.top - b.bottom);
    s_.Ymin = factor * b.bottom;
    s_.Ymax = factor * b.top;
    recompute();
    return Outcome::Fitted;
}

TAutoScale::Outcome TAutoScale::CartesianFit() {
    Bounds b;
    p_.Context.InverseMarker = false;
    sampleX(b);
    const Outcome outcome = applyY(b, 1.4L);
    if (outcome == Outcome::Fitted && p_.Context.InverseMarker) {
        // An x = f(y) graph: the fitted range belongs on the x axis.
        std::swap(s_.Xmin, s_.Ymin);
        std::swap(s_.Xmax, s_.Ymax);
        recompute();
    }
    return outcome;
}

TAutoScale::Outcome TAutoScale::IntegralFit() {
    const Extended h = doc_.XRange * 0.002L;
    if (!(h > 0) || !std::isfinite(h)) return Outcome::Unchanged;
    Bounds b{s_.Ymax, s_.Ymin};
    Extended sum = 0;
    // A failed sample adds nothing to the running sum.
    sampleRow<1>({&p_.Parser1}, {p_.Parser1.variable('X')}, s_.Xmin, s_.Xmax, h,
                 [&](Extended, double, const std::array<EvalResult, 1>& r) {
                     if (!r[0].ok()) return;
                     sum += r[0].value * h;
                     b.take(sum);
                 });
    return applyY(b, 1.1L);
}

namespace {
struct Box {
    Extended minX = 0, maxX = 0, minY = 0, maxY = 0;
    void take(Extended x, Extended y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

/// Both ranges from the box of the sampled points, with a margin; a box without width or height
/// would give a view that cannot be drawn, so the view then stays.
bool fitToBox(Box box, TSettingsRecord& s) {
    if (box.maxX - box.minX == 0 || box.maxY - box.minY == 0) return false;
    if (box.minX == 0) box.minX = -0.05L * (box.maxX - box.minX);
    if (box.minY == 0) box.minY = -0.05L * (box.maxY - box.minY);
    s.Xmin = 1.2L * box.minX;
    s.Xmax = 1.2L * box.maxX;
    s.Ymin = 1.2L * box.minY;
    s.Ymax = 1.2L * box.maxY;
    return true;
}
} // namespace

TAutoScale::Outcome TAutoScale::PolarFit() {
    Extended t = s_.Tmin;
    if (t == 0) {
        const std::string& text = p_.Parser1.Expression();
        if (text.find("LOG") != std::string::npos || text.find("LN") != std::string::npos) t = 1e-6L;
    }
    const Extended step = std::max<Extended>(0.01L, (s_.Tmax - s_.Tmin) / MaxTSamples);
    Box box;
    // A failed sample is skipped.
    sampleRow<1>({&p_.Parser1}, {p_.Parser1.variable('T')}, t, s_.Tmax, step,
                 [&](Extended at, double, const std::array<EvalResult, 1>& r) {
                     if (!r[0].ok()) return;
                     const Extended radius = r[0].value;
                     box.take(radius * std::cos(at), radius * std::sin(at));
                 });
    if (!fitToBox(box, s_)) return Outcome::Unchanged;
    recompute();
    return Outcome::Fitted;
}

TAutoScale::Outcome TAutoScale::ParametricFit(bool polar) {
    const Extended step = std::max<Extended>(0.01L, (s_.Tmax - s_.Tmin) / MaxTSamples);
    double& T1 = *p_.Parser1.variable('T');
    double& T2 = *p_.Parser2.variable('T');
    Box box;
    // A failed sample is not caught here: it ends the fit with the evaluator's error, as it ends the
    // parametric plot itself.
    sampleRow<2>({&p_.Parser1, &p_.Parser2}, {&T1, &T2}, s_.Tmin, s_.Tmax, step,
                 [&](Extended, double at, const std::array<EvalResult, 2>& r) {
                     if (!r[0].ok() || !r[1].ok()) {
                         // the failed sample raises its error where it failed
                         T1 = T2 = at;
                         (void)p_.Parser1.valueOf(r[0]);
                         (void)p_.Parser2.valueOf(r[1]);
                     }
                     const Extended f = r[0].value, g = r[1].value;
                     if (polar)
                         box.take(f * std::cos(g), f * std::sin(g));
                     else
                         box.take(f, g);
                 });
    if (!fitToBox(box, s_)) return Outcome::Unchanged;
    recompute();
    return Outcome::Fitted;
}

TAutoScale::Outcome TAutoScale::ImplicitFit() {
    const auto slot = static_cast<std::size_t>(std::clamp(s_.LastGraph, 0, TGraphDocument::SlotCount - 1));
    const TGraphSlot& graph = doc_.Graphs[slot];
    // A relation that could not be solved for y has no y = f(x) to sample: its view stays.
    if (!(graph.ycount == 1 && graph.SolvedForY)) return Outcome::Unchanged;
    Bounds b;
    sampleX(b);
    if (!graph.SecondBranch.empty()) {
        // The negative branch of an even root; the paint sets its own expressions.
        const std::string expression = p_.Parser1.Expression();
        p_.Parser1.setExpression(graph.SecondBranch);
        sampleX(b);
        p_.Parser1.setExpression(expression);
    }
    if (b.top - b.bottom == 0) return Outcome::NothingFound;
    return applyY(b, 1.4L);
}

} // namespace kurvo
