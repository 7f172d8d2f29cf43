// TCurveFit: running sums over a stream of (x, y) points, and the statistics and least-squares fits
// taken from them.
#pragma once

#include "Vector.h"

#include <vector>

namespace kurvo {

/// The least-squares line y = slope·x + intercept and its coefficient of determination.
struct LineFit {
    double slope = 0;
    double intercept = 0;
    double rSquared = 0;
};

/// Accumulates points one at a time (constant work per point) and answers every question from
/// the sums, without revisiting the points. Polynomial fits go up to degree 8: that needs the power
/// sums Σx^0 … Σx^17 and Σy·x^0 … Σy·x^8.
class TCurveFit {
  public:
    static constexpr int MaxDegree = 8;

    TCurveFit();

    /// Forgets every point.
    void reset();
    void addPoint(double x, double y);

    int count() const { return m_count; }
    double sumX() const { return m_sumX; }
    double sumY() const { return m_sumY; }
    double sumXSqu() const { return m_sumXSqu; }
    double sumYSqu() const { return m_sumYSqu; }

    /// Means; with no points they raise EInvalidOp (0/0), as the division itself would.
    double meanX() const;
    double meanY() const;
    double meanDiff() const; ///< mean of x − y

    /// Sample standard deviations √|(Σv² − (Σv)²/n)/(n − 1)|; 0 with fewer than 3 points, and 0
    /// when every value is the same (rather than the root of a rounding residue).
    double stdDevX() const;
    double stdDevY() const;
    double stdDevDiff() const; ///< of x − y

    /// Correlation coefficient r; 0 with 2 points or fewer, when Σx² or Σy² is not positive, or
    /// when x or y does not vary.
    double corrCoeff() const;

    /// The least-squares line; all zero with fewer than 2 points. When every x is the same there
    /// is no line: raises EInvalidOp (0/0), or EZeroDivide when the denominator vanished only by
    /// underflow. R² is 1 when y does not vary.
    LineFit linearFit() const;

    /// The least-squares polynomial of the given degree (0 … MaxDegree) from the normal equations:
    /// on success `coefficients` holds a0 … a(degree), constant term first, and `rSquared` its
    /// coefficient of determination. Returns false, writing nothing, when the degree is out of
    /// range or not smaller than the point count, or when the normal equations are singular.
    bool polynomialFit(int degree, std::vector<double>& coefficients, double& rSquared) const;

    /// Whether every x (every y, every x − y) added so far is the same value; true with no points. Sums of
    /// equal values do not cancel exactly in floating point, so the fits and r ask this instead of
    /// testing a difference of sums for zero.
    bool xConstant() const { return !m_xVaries; }
    bool yConstant() const { return !m_yVaries; }
    bool diffConstant() const { return !m_diffVaries; }

  private:
    static double sampleStdDev(int n, bool varies, double sum, double sumSqu);
    /// R² of a fit whose Σ(prediction·y) is `explained`.
    double rSquaredFor(double explained) const;

    int m_count = 0;
    double m_sumX = 0, m_sumY = 0, m_sumXSqu = 0, m_sumYSqu = 0;
    double m_sumDiff = 0, m_sumDiffSqu = 0, m_sumXY = 0;
    double m_firstX = 0, m_firstY = 0, m_firstDiff = 0;
    bool m_xVaries = false, m_yVaries = false, m_diffVaries = false;
    TVector m_powerSums;  ///< element k: Σx^(k−1), k = 1 … 18
    TVector m_yPowerSums; ///< element k: Σy·x^(k−1), k = 1 … 9
};

} // namespace kurvo
