// Products, vector transforms and the normal matrix of 4x4 matrices.
#include "Matrix.h"

namespace fixedgl {

Matrix Identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix Multiply(const Matrix &left, const MatrixD &right) {
  Matrix product;
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += static_cast<double>(left[k * 4 + row]) * right[column * 4 + k];
      product[column * 4 + row] = static_cast<float>(sum);
    }
  }
  return product;
}

std::array<float, 4> Transform(const Matrix &matrix, const std::array<float, 4> &vector) {
  std::array<float, 4> result;
  for (int row = 0; row < 4; ++row) {
    result[row] = matrix[row] * vector[0] + matrix[4 + row] * vector[1] +
                  matrix[8 + row] * vector[2] + matrix[12 + row] * vector[3];
  }
  return result;
}

Matrix3 NormalMatrix(const Matrix &matrix) {
  // a(row, column) of the upper-left 3x3 part.
  auto a = [&matrix](int row, int column) { return static_cast<double>(matrix[column * 4 + row]); };
  // The cofactor of each element; the inverse transpose is the cofactor
  // matrix divided by the determinant.
  double cofactor[3][3];
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int r0 = (row + 1) % 3, r1 = (row + 2) % 3;
      const int c0 = (column + 1) % 3, c1 = (column + 2) % 3;
      cofactor[row][column] = a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0);
    }
  }
  const double determinant =
      a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[0][1] + a(0, 2) * cofactor[0][2];
  Matrix3 normal = {};
  if (determinant == 0.0)
    return normal;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column)
      normal[column * 3 + row] = static_cast<float>(cofactor[row][column] / determinant);
  }
  return normal;
}

} // namespace fixedgl
