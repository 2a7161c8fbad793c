// Matrix and vector helpers for the graphics device, in the conventions the
// renderer's transforms are written in: row vectors, v' = v × M, matrices
// stored row by row, left-handed view space (z into the screen).
#pragma once

namespace plat {

struct Vec3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Mat4 {
  float m[4][4] = {};
  bool operator==(const Mat4&) const = default;
};

Mat4 Identity();
// a × b: the transform of a, then that of b.
Mat4 Multiply(const Mat4& a, const Mat4& b);
// Rotation by roll about z, then pitch about x, then yaw about y.
Mat4 RotationYawPitchRoll(float yaw, float pitch, float roll);
Mat4 RotationZ(float angle);
Mat4 Scaling(float sx, float sy, float sz);
Mat4 Translation(float x, float y, float z);
Mat4 LookAtLH(Vec3 eye, Vec3 at, Vec3 up);
Mat4 PerspectiveFovLH(float fovy, float aspect, float zn, float zf);
Mat4 OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf);
// (v, 1) × m, divided by the resulting w.
Vec3 TransformCoord(Vec3 v, const Mat4& m);

// Where a point drawn through world × view × projection lands on a target
// of w × h pixels: x to the right, y downward, origin at the top-left corner.
Vec3 ToTargetPixels(Vec3 v, const Mat4& world, const Mat4& view, const Mat4& proj, int w, int h);

}  // namespace plat
