// TVector and TMatrix: bounds, products, and inverses of regular, singular and badly scaled matrices.
#include "Matrix.h"
#include "Vector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace kurvo;

namespace {

using Rows = std::vector<std::vector<double>>;

TMatrix matrixOf(const Rows& rows) {
    TMatrix m(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            m.setElem(static_cast<int>(c + 1), static_cast<int>(r + 1), rows[r][c]);
    return m;
}

void expectMatrix(const TMatrix& m, const Rows& rows, double tolerance, const char* what) {
    ASSERT_EQ(m.rows(), static_cast<int>(rows.size())) << what;
    ASSERT_EQ(m.columns(), static_cast<int>(rows[0].size())) << what;
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            EXPECT_NEAR(m.elem(static_cast<int>(c + 1), static_cast<int>(r + 1)), rows[r][c],
                        tolerance * std::max(1.0, std::fabs(rows[r][c])))
                << what << " row " << r + 1 << " column " << c + 1;
}

TEST(TVector, ElementsFromOneAndForgivingBounds) {
    TVector v(3);
    EXPECT_EQ(v.elem(1), 0);
    v.setElem(1, 1.5);
    v.setElem(3, -2);
    v.setElem(0, 9);
    v.setElem(4, 9);
    v.addToElem(3, 0.5);
    EXPECT_EQ(v.elem(1), 1.5);
    EXPECT_EQ(v.elem(2), 0);
    EXPECT_EQ(v.elem(3), -1.5);
    EXPECT_EQ(v.elem(0), 0);
    EXPECT_EQ(v.elem(4), 0);
    v.clear();
    EXPECT_EQ(v.elem(1), 0);
}

TEST(TVector, BadDimensionsRaiseTheLibraryError) {
    for (int length : {0, -1}) {
        try {
            TVector v(length);
            FAIL() << length;
        } catch (const ESDLVectorError& e) {
            EXPECT_STREQ(e.what(), "vector dimension zero or negative");
        }
    }
}

TEST(TMatrix, ColumnRowAddressingAndBadDimensions) {
    TMatrix m(3, 2); // three columns, two rows
    m.setElem(3, 1, 7);
    m.setElem(1, 2, 5);
    m.setElem(4, 1, 9); // outside: ignored
    m.setElem(1, 3, 9);
    EXPECT_EQ(m.elem(3, 1), 7);
    EXPECT_EQ(m.elem(1, 2), 5);
    EXPECT_EQ(m.elem(1, 3), 0);
    m.fill(2);
    EXPECT_EQ(m.elem(2, 2), 2);
    const std::pair<int, int> bad[] = {{0, 1}, {1, 0}, {-2, 3}};
    for (auto [c, r] : bad) {
        try {
            TMatrix b(c, r);
            FAIL() << c << "x" << r;
        } catch (const ESDLMatrixError& e) {
            EXPECT_STREQ(e.what(), "array dimensions zero or negative");
        }
    }
}

TEST(TMatrix, Products) {
    struct Row {
        Rows a, b, product;
    };
    const Row rows[] = {
        {{{1, 2}, {3, 4}}, {{5, 6}, {7, 8}}, {{19, 22}, {43, 50}}},
        {{{1, 2, 3}}, {{4}, {5}, {6}}, {{32}}},
        {{{4}, {5}}, {{1, 2, 3}}, {{4, 8, 12}, {5, 10, 15}}},
        {{{2, 0}, {0, 0.5}}, {{1}, {-4}}, {{2}, {-2}}},
    };
    for (const auto& row : rows) {
        TMatrix a = matrixOf(row.a), b = matrixOf(row.b);
        TMatrix result(b.columns(), a.rows());
        ASSERT_TRUE(a.multiply(b, result));
        expectMatrix(result, row.product, 0, "product");
    }
}

TEST(TMatrix, ProductWithMismatchedShapesChangesNothing) {
    TMatrix a = matrixOf({{1, 2}, {3, 4}});
    TMatrix b = matrixOf({{1, 2, 3}});
    TMatrix result(3, 2);
    result.fill(7);
    EXPECT_FALSE(a.multiply(b, result)); // 2 columns against 1 row
    TMatrix c = matrixOf({{1}, {1}});
    TMatrix wrongResult(2, 2);
    wrongResult.fill(7);
    EXPECT_FALSE(a.multiply(c, wrongResult)); // result must be 1 × 2
    expectMatrix(result, {{7, 7, 7}, {7, 7, 7}}, 0, "untouched");
    expectMatrix(wrongResult, {{7, 7}, {7, 7}}, 0, "untouched");
}

TEST(TMatrix, ProductIntoOneOfItsFactors) {
    TMatrix a = matrixOf({{1, 2}, {3, 4}});
    TMatrix b = matrixOf({{5, 6}, {7, 8}});
    ASSERT_TRUE(a.multiply(b, a));
    expectMatrix(a, {{19, 22}, {43, 50}}, 0, "aliased product");
}

TEST(TMatrix, Inverses) {
    struct Row {
        const char* what;
        Rows m, inverse;
    };
    const Row rows[] = {
        {"1x1", {{4}}, {{0.25}}},
        {"2x2", {{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}},
        {"needs a row swap", {{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}},
        {"3x3", {{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}}, {{0.75, 0.5, 0.25}, {0.5, 1, 0.5}, {0.25, 0.5, 0.75}}},
        {"zero in the first pivot",
         {{0, 2, 1}, {1, 0, 0}, {0, 0, 1}},
         {{0, 1, 0}, {0.5, 0, -0.5}, {0, 0, 1}}},
        // Rows ten orders of magnitude apart: the scaled pivot choice keeps full accuracy.
        {"badly scaled", {{1e10, 2e10}, {3, 4}}, {{-2e-10, 1}, {1.5e-10, -0.5}}},
    };
    for (const auto& row : rows) {
        TMatrix m = matrixOf(row.m);
        ASSERT_TRUE(m.invert()) << row.what;
        expectMatrix(m, row.inverse, 1e-12, row.what);
    }
}

TEST(TMatrix, InverseTimesMatrixIsTheIdentity) {
    // A Hilbert-like normal matrix of the kind a degree-4 fit builds.
    Rows rows(5, std::vector<double>(5));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            rows[r][c] = 1.0 / (r + c + 1);
    TMatrix m = matrixOf(rows), inverse = matrixOf(rows), product(5, 5);
    ASSERT_TRUE(inverse.invert());
    ASSERT_TRUE(inverse.multiply(m, product));
    Rows identity(5, std::vector<double>(5, 0));
    for (int i = 0; i < 5; ++i)
        identity[i][i] = 1;
    expectMatrix(product, identity, 1e-9, "inverse x matrix");
}

TEST(TMatrix, SingularOrNotSquareIsRefusedAndLeftUnchanged) {
    struct Row {
        const char* what;
        Rows m;
    };
    const Row rows[] = {
        {"dependent rows", {{1, 2}, {2, 4}}},
        {"zero row", {{1, 2}, {0, 0}}},
        {"zero column", {{0, 2}, {0, 3}}},
        {"3x3 rank 2", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}},
        // Regular, but its pivots fall below the absolute threshold of 1e-10.
        {"tiny entries", {{1e-11, 0}, {0, 1e-11}}},
        {"not square", {{1, 2, 3}, {4, 5, 6}}},
    };
    for (const auto& row : rows) {
        TMatrix m = matrixOf(row.m);
        EXPECT_FALSE(m.invert()) << row.what;
        expectMatrix(m, row.m, 0, row.what);
    }
}

} // namespace
