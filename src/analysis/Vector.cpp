// TVector: a fixed-length vector of doubles indexed from 1, with forgiving element access.
#include "Vector.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace kurvo {

TVector::TVector(int length) {
    if (length <= 0) throw ESDLVectorError("vector dimension zero or negative");
    try {
        m_elements.assign(static_cast<std::size_t>(length), 0.0);
    } catch (const std::bad_alloc&) {
        throw ESDLVectorError("not enough memory on heap");
    } catch (const std::length_error&) {
        throw ESDLVectorError("not enough memory on heap");
    }
}

double TVector::elem(int k) const {
    if (k < 1 || k > length()) return 0.0;
    return m_elements[static_cast<std::size_t>(k - 1)];
}

void TVector::setElem(int k, double v) {
    if (k < 1 || k > length()) return;
    m_elements[static_cast<std::size_t>(k - 1)] = v;
}

void TVector::addToElem(int k, double v) {
    if (k < 1 || k > length()) return;
    m_elements[static_cast<std::size_t>(k - 1)] += v;
}

void TVector::clear() {
    std::fill(m_elements.begin(), m_elements.end(), 0.0);
}

} // namespace kurvo
