// TCurveFit: a stream of (x, y) points with its running sums, and the statistics and least-squares
// fits taken from them.
#pragma once

#include "Errors.h" // EInvalidOp, raised by the means and the line

#include <vector>

namespace kurvo {

/// The least-squares line y = slope·x + intercept and its coefficient of determination.
struct LineFit {
    double slope = 0;
    double intercept = 0;
    double rSquared = 0;
};

/// Accumulates points one at a time. The running sums Σx, Σy, Σx², Σy² are what the dialogs show;
/// deviations, the correlation and the fits are computed about the means from the points
/// themselves, so data far from zero (times in seconds since 1970, say) lose nothing to the
/// cancellation of large sums. Polynomial fits go up to degree 8.
class TCurveFit {
  public:
    static constexpr int MaxDegree = 8;

    TCurveFit() = default;

    /// Forgets every point.
    void reset();
    void addPoint(double x, double y);

    int count() const { return static_cast<int>(m_xs.size()); }
    double sumX() const { return m_sumX; }
    double sumY() const { return m_sumY; }
    double sumXSqu() const { return m_sumXSqu; }
    double sumYSqu() const { return m_sumYSqu; }

    /// Means; with no points they raise EInvalidOp (0/0), as the division itself would.
    double meanX() const;
    double meanY() const;
    double meanDiff() const; ///< mean of x − y

    /// Sample standard deviations √(Σ(v − mean)²/(n − 1)); 0 with fewer than 3 points, and 0
    /// when every value is the same.
    double stdDevX() const;
    double stdDevY() const;
    double stdDevDiff() const; ///< of x − y

    /// Population standard deviations √(Σ(v − mean)²/n); 0 with no points or when every value is
    /// the same.
    double popStdDevX() const;
    double popStdDevY() const;

    /// Correlation coefficient r; 0 with 2 points or fewer, or when x or y does not vary.
    double corrCoeff() const;

    /// The least-squares line; all zero with fewer than 2 points. When every x is the same there
    /// is no line: raises EInvalidOp (0/0). R² is 1 when y does not vary.
    LineFit linearFit() const;

    /// The least-squares polynomial of the given degree (0 … MaxDegree): on success `coefficients`
    /// holds a0 … a(degree), constant term first, and `rSquared` its coefficient of determination.
    /// Returns false, writing nothing, when the degree is out of range or not smaller than the
    /// point count, or when the x values do not determine the coefficients.
    bool polynomialFit(int degree, std::vector<double>& coefficients, double& rSquared) const;

    /// Whether every x (every y, every x − y) added so far is the same value; true with no points.
    bool xConstant() const { return !m_xVaries; }
    bool yConstant() const { return !m_yVaries; }
    bool diffConstant() const { return !m_diffVaries; }

  private:
    /// Sums of squared and multiplied deviations from the means, each deviation divided by a
    /// power of two near the largest of its kind (so neither the squares nor their sums overflow or
    /// underflow).
    struct Spread {
        double scaleX = 0, scaleY = 0;
        double xx = 0, yy = 0, xy = 0;
    };
    /// Of (x, y), or of (x − y, y) when `ofDifferences`.
    Spread spread(bool ofDifferences) const;

    std::vector<double> m_xs, m_ys;
    double m_sumX = 0, m_sumY = 0, m_sumXSqu = 0, m_sumYSqu = 0, m_sumDiff = 0;
    bool m_xVaries = false, m_yVaries = false, m_diffVaries = false;
};

} // namespace kurvo
