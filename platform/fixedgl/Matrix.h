// 4x4 matrices as OpenGL stores them: 16 floats, column after column.
#ifndef QUELLOR_FIXEDGL_MATRIX_H
#define QUELLOR_FIXEDGL_MATRIX_H

#include <array>

namespace fixedgl {

using Matrix = std::array<float, 16>;
// A matrix built in double precision before it is applied.
using MatrixD = std::array<double, 16>;
// The upper-left 3x3 part, column after column.
using Matrix3 = std::array<float, 9>;

Matrix Identity();

// left x right, the right matrix applied to a vector first.
Matrix Multiply(const Matrix &left, const MatrixD &right);

// matrix x (x, y, z, w).
std::array<float, 4> Transform(const Matrix &matrix, const std::array<float, 4> &vector);

// The inverse transpose of the upper-left 3x3 part, which carries normals
// into eye space. A singular matrix gives zero.
Matrix3 NormalMatrix(const Matrix &matrix);

} // namespace fixedgl

#endif
