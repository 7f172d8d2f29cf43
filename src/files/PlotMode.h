// TPlotMode: the plot mode as one value, and its texts in a graph file.
#pragma once

#include "SettingsRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace kurvo {

/// How a graph is drawn: y = f(x), r = f(t) or a relation in x and y; a pair x(t), y(t) (or r(t),
/// θ(t)) where the parametric switch applies; and whether angles are in degrees. The settings
/// record keeps the same facts as its flags; `of` and `applyTo` convert.
struct TPlotMode {
    enum class Kind { Cartesian, Polar, Implicit };
    Kind kind = Kind::Cartesian;
    bool parametric = false; ///< never with Implicit
    bool degrees = false;

    static TPlotMode of(const TSettingsRecord& s) {
        TPlotMode m;
        m.kind = s.ImplicitMode ? Kind::Implicit : s.CartesianMode ? Kind::Cartesian : Kind::Polar;
        m.parametric = s.ParametricMode && !s.ImplicitMode;
        m.degrees = s.DegreeMode;
        return m;
    }
    /// Sets the record's mode flags (an implicit mode keeps the Cartesian flag on).
    void applyTo(TSettingsRecord& s) const {
        s.ImplicitMode = kind == Kind::Implicit;
        s.CartesianMode = kind != Kind::Polar;
        s.ParametricMode = parametric && kind != Kind::Implicit;
        s.DegreeMode = degrees;
    }

    bool implicit() const { return kind == Kind::Implicit; }
    /// The graph runs over t (polar, or a parametric pair).
    bool usesT() const { return kind == Kind::Polar || (kind == Kind::Cartesian && parametric); }
    /// y = f(x): the only mode with derived and integral graphs and the relation box.
    bool explicitCartesian() const { return kind == Kind::Cartesian && !parametric; }
    /// The parametric switch applies (not to relations).
    bool parametricApplies() const { return kind != Kind::Implicit; }

    /// The mode's line in a graph file: "cartesian", "polar" or "implicit", then " parametric"
    /// and " degrees" where they hold. It never holds a comma.
    std::string text() const {
        std::string t = kind == Kind::Cartesian ? "cartesian" : kind == Kind::Polar ? "polar" : "implicit";
        if (parametric && kind != Kind::Implicit) t += " parametric";
        if (degrees) t += " degrees";
        return t;
    }
    /// The mode of such a line; nullopt for any other text.
    static std::optional<TPlotMode> fromText(std::string_view line) {
        TPlotMode m;
        auto take = [&](std::string_view word) {
            if (!line.starts_with(word)) return false;
            line.remove_prefix(word.size());
            return true;
        };
        if (take("cartesian"))
            m.kind = Kind::Cartesian;
        else if (take("polar"))
            m.kind = Kind::Polar;
        else if (take("implicit"))
            m.kind = Kind::Implicit;
        else
            return std::nullopt;
        if (m.kind != Kind::Implicit && take(" parametric")) m.parametric = true;
        if (take(" degrees")) m.degrees = true;
        if (!line.empty()) return std::nullopt;
        return m;
    }

    friend bool operator==(const TPlotMode&, const TPlotMode&) = default;
};

} // namespace kurvo
