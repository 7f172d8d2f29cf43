// The least-squares polynomial through points, solved by an orthogonal factorisation on scaled x.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace kurvo {

/// A fitted polynomial: coefficients a0 … a(degree) in powers of x, constant term first, and its
/// coefficient of determination R² (1 when y does not vary).
struct PolynomialFitResult {
    std::vector<double> coefficients;
    double rSquared = 0;
};

/// Fits y ≈ a0 + a1·x + … + a(degree)·x^degree in the least-squares sense.
///
/// x is first shifted and scaled into [-1, 1] and y is taken about its mean, so data far from zero
/// lose nothing to cancellation; the least-squares problem in those units is solved by Householder
/// reflections in extended precision (never by the normal equations, which square the condition
/// of the problem); the solution is then carried back to powers of x. Returns nothing when no unique
/// polynomial exists: a degree below 0, fewer points than coefficients, x values that cannot tell the
/// coefficients apart (too few different x), or coefficients too large for a double.
std::optional<PolynomialFitResult> leastSquaresPolynomial(std::span<const double> xs,
                                                          std::span<const double> ys, int degree);

} // namespace kurvo
