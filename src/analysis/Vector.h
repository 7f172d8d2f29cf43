// TVector: a fixed-length vector of doubles indexed from 1, with forgiving element access.
#pragma once

#include "Errors.h"

#include <vector>

namespace kurvo {

/// Bad dimensions or lack of memory when creating a TVector.
class ESDLVectorError : public EKurvoError {
  public:
    using EKurvoError::EKurvoError;
    const char* className() const noexcept override { return "ESDLVectorError"; }
};

/// A vector of doubles with elements 1 .. length(), all 0 after creation. Reading outside the
/// bounds gives 0 and writing outside them is ignored, so callers summing power terms need no
/// bounds checks of their own.
class TVector {
  public:
    /// Raises ESDLVectorError ("vector dimension zero or negative", "not enough memory on heap").
    explicit TVector(int length);

    int length() const { return static_cast<int>(m_elements.size()); }
    /// Element k (from 1); 0 when k lies outside 1 .. length().
    double elem(int k) const;
    /// Stores v as element k; ignored when k lies outside 1 .. length().
    void setElem(int k, double v);
    /// Adds v to element k; ignored outside the bounds.
    void addToElem(int k, double v);
    /// Sets every element to 0.
    void clear();

  private:
    std::vector<double> m_elements;
};

} // namespace kurvo
