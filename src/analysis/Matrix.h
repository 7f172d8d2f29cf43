// TMatrix: a matrix of doubles addressed by (column, row) from 1, with product and in-place inverse.
#pragma once

#include "Errors.h"

#include <vector>

namespace kurvo {

/// Bad dimensions or lack of memory when creating a TMatrix.
class ESDLMatrixError : public EKurvoError {
  public:
    using EKurvoError::EKurvoError;
    const char* className() const noexcept override { return "ESDLMatrixError"; }
};

/// A columns × rows matrix of doubles, all 0 after creation, stored row after row. Elements are
/// addressed as (column, row), both counted from 1; reading outside the bounds gives 0 and writing
/// outside them is ignored.
class TMatrix {
  public:
    /// Raises ESDLMatrixError ("array dimensions zero or negative", "not enough memory on heap").
    TMatrix(int columns, int rows);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    double elem(int column, int row) const;
    void setElem(int column, int row, double v);
    /// Sets every element to v.
    void fill(double v);

    /// result = this × other. Needs columns() == other.rows(), result.columns() == other.columns()
    /// and result.rows() == rows(); otherwise returns false and leaves result as it was. result may
    /// be this matrix or other.
    bool multiply(const TMatrix& other, TMatrix& result) const;

    /// Inverts a square matrix in place by LU decomposition with implicit row scaling and partial
    /// pivoting. Returns false, leaving the matrix unchanged, when it is not square, has a row of
    /// zeros, or meets a pivot smaller than 1e-10 in magnitude (treated as singular).
    bool invert();

  private:
    std::size_t index(int column, int row) const {
        return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(column - 1);
    }
    bool inBounds(int column, int row) const {
        return column >= 1 && column <= m_columns && row >= 1 && row <= m_rows;
    }

    int m_columns;
    int m_rows;
    std::vector<double> m_elements;
};

} // namespace kurvo
