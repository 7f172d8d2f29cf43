// TMatrix: a matrix of doubles addressed by (column, row) from 1, with product and in-place inverse.
#include "Matrix.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>

namespace kurvo {

namespace {

/// Pivots smaller than this are taken as zero: the matrix counts as singular.
constexpr double TinyPivot = 1e-10;

/// A square matrix stored row after row, addressed as a(row, column) from 1, with what Crout's
/// decomposition of it records: the row permutation and each row's scale.
struct LuSquare {
    int n;
    std::vector<double> a_;
    std::vector<double> scale;
    std::vector<int> perm;

    double& a(int row, int column) {
        return a_[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(n) +
                  static_cast<std::size_t>(column - 1)];
    }

    /// Implicit scaling: each row is judged by its elements relative to its largest one. False for
    /// a row of zeros.
    bool scaleRows() {
        scale.assign(static_cast<std::size_t>(n) + 1, 0.0);
        for (int i = 1; i <= n; ++i) {
            double big = 0.0;
            for (int j = 1; j <= n; ++j)
                big = std::max(big, std::fabs(a(i, j)));
            if (big == 0.0) return false;
            scale[static_cast<std::size_t>(i)] = 1.0 / big;
        }
        return true;
    }

    /// Crout's decomposition of column j: the upper part, then the pivot chosen by scaled size (on
    /// a tie the later row wins) and swapped into row j. False when the pivot is too small: the
    /// matrix counts as singular.
    bool decomposeColumn(int j) {
        for (int i = 1; i < j; ++i) {
            double sum = a(i, j);
            for (int k = 1; k < i; ++k)
                sum -= a(i, k) * a(k, j);
            a(i, j) = sum;
        }
        double big = 0.0;
        int pivotRow = j;
        for (int i = j; i <= n; ++i) {
            double sum = a(i, j);
            for (int k = 1; k < j; ++k)
                sum -= a(i, k) * a(k, j);
            a(i, j) = sum;
            double merit = scale[static_cast<std::size_t>(i)] * std::fabs(sum);
            if (merit >= big) {
                big = merit;
                pivotRow = i;
            }
        }
        if (pivotRow != j) {
            for (int k = 1; k <= n; ++k)
                std::swap(a(pivotRow, k), a(j, k));
            std::swap(scale[static_cast<std::size_t>(pivotRow)], scale[static_cast<std::size_t>(j)]);
        }
        perm[static_cast<std::size_t>(j)] = pivotRow;
        if (std::fabs(a(j, j)) < TinyPivot) return false;
        if (j != n) {
            double factor = 1.0 / a(j, j);
            for (int i = j + 1; i <= n; ++i)
                a(i, j) *= factor;
        }
        return true;
    }

    /// The whole decomposition; false when the matrix is singular.
    bool decompose() {
        if (!scaleRows()) return false;
        perm.assign(static_cast<std::size_t>(n) + 1, 0);
        for (int j = 1; j <= n; ++j)
            if (!decomposeColumn(j)) return false;
        return true;
    }

    /// Solves L·U·x = b in place (b indexed from 1).
    void solve(std::vector<double>& b) {
        int firstNonZero = 0; // forward substitution skips the leading zeros of b
        for (int i = 1; i <= n; ++i) {
            auto p = static_cast<std::size_t>(perm[static_cast<std::size_t>(i)]);
            double sum = b[p];
            b[p] = b[static_cast<std::size_t>(i)];
            if (firstNonZero != 0) {
                for (int k = firstNonZero; k < i; ++k)
                    sum -= a(i, k) * b[static_cast<std::size_t>(k)];
            } else if (sum != 0.0) {
                firstNonZero = i;
            }
            b[static_cast<std::size_t>(i)] = sum;
        }
        for (int i = n; i >= 1; --i) {
            double sum = b[static_cast<std::size_t>(i)];
            for (int k = i + 1; k <= n; ++k)
                sum -= a(i, k) * b[static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(i)] = sum / a(i, i);
        }
    }
};

} // namespace

TMatrix::TMatrix(int columns, int rows) : m_columns(columns), m_rows(rows) {
    if (columns <= 0 || rows <= 0) throw ESDLMatrixError("array dimensions zero or negative");
    try {
        m_elements.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0.0);
    } catch (const std::bad_alloc&) {
        throw ESDLMatrixError("not enough memory on heap");
    } catch (const std::length_error&) {
        throw ESDLMatrixError("not enough memory on heap");
    }
}

double TMatrix::elem(int column, int row) const {
    return inBounds(column, row) ? m_elements[index(column, row)] : 0.0;
}

void TMatrix::setElem(int column, int row, double v) {
    if (inBounds(column, row)) m_elements[index(column, row)] = v;
}

void TMatrix::fill(double v) {
    std::fill(m_elements.begin(), m_elements.end(), v);
}

bool TMatrix::multiply(const TMatrix& other, TMatrix& result) const {
    if (m_columns != other.m_rows || result.m_columns != other.m_columns || result.m_rows != m_rows)
        return false;
    // Summed into a separate buffer so that result may alias either factor.
    std::vector<double> product(result.m_elements.size(), 0.0);
    for (int i = 1; i <= m_rows; ++i)
        for (int j = 1; j <= other.m_columns; ++j) {
            double sum = 0.0;
            for (int k = 1; k <= m_columns; ++k)
                sum += elem(k, i) * other.elem(j, k);
            product[result.index(j, i)] = sum;
        }
    result.m_elements = std::move(product);
    return true;
}

bool TMatrix::invert() {
    if (m_columns != m_rows) return false;
    const int n = m_rows;
    // Decomposed in a working copy, so that a singular matrix is left as it was.
    LuSquare lu{n, m_elements, {}, {}};
    if (!lu.decompose()) return false;

    // Solve L·U·x = e for each column e of the identity.
    std::vector<double> inverse(m_elements.size(), 0.0);
    std::vector<double> b(static_cast<std::size_t>(n) + 1);
    for (int column = 1; column <= n; ++column) {
        std::fill(b.begin(), b.end(), 0.0);
        b[static_cast<std::size_t>(column)] = 1.0;
        lu.solve(b);
        for (int i = 1; i <= n; ++i)
            inverse[index(column, i)] = b[static_cast<std::size_t>(i)];
    }
    m_elements = std::move(inverse);
    return true;
}

} // namespace kurvo
