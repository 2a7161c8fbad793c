#include "platform/gfx_math.h"

#include <cmath>

namespace plat {
namespace {

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Normal(Vec3 a) {
  const float len = std::sqrt(Dot(a, a));
  if (len == 0.0f) return a;
  return {a.x / len, a.y / len, a.z / len};
}

}  // namespace

Mat4 Identity() {
  Mat4 r;
  for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
  return r;
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
  Mat4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
  return r;
}

Mat4 RotationYawPitchRoll(float yaw, float pitch, float roll) {
  const float cy = std::cos(yaw), sy = std::sin(yaw);
  const float cp = std::cos(pitch), sp = std::sin(pitch);
  const float cr = std::cos(roll), sr = std::sin(roll);
  Mat4 rz = Identity(), rx = Identity(), ry = Identity();
  rz.m[0][0] = cr; rz.m[0][1] = sr; rz.m[1][0] = -sr; rz.m[1][1] = cr;
  rx.m[1][1] = cp; rx.m[1][2] = sp; rx.m[2][1] = -sp; rx.m[2][2] = cp;
  ry.m[0][0] = cy; ry.m[0][2] = -sy; ry.m[2][0] = sy; ry.m[2][2] = cy;
  return Multiply(Multiply(rz, rx), ry);
}

Mat4 RotationZ(float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  Mat4 r = Identity();
  r.m[0][0] = c; r.m[0][1] = s; r.m[1][0] = -s; r.m[1][1] = c;
  return r;
}

Mat4 Scaling(float sx, float sy, float sz) {
  Mat4 r = Identity();
  r.m[0][0] = sx; r.m[1][1] = sy; r.m[2][2] = sz;
  return r;
}

Mat4 Translation(float x, float y, float z) {
  Mat4 r = Identity();
  r.m[3][0] = x; r.m[3][1] = y; r.m[3][2] = z;
  return r;
}

Mat4 LookAtLH(Vec3 eye, Vec3 at, Vec3 up) {
  const Vec3 z = Normal(Sub(at, eye));
  const Vec3 x = Normal(Cross(up, z));
  const Vec3 y = Cross(z, x);
  Mat4 r = Identity();
  r.m[0][0] = x.x; r.m[0][1] = y.x; r.m[0][2] = z.x;
  r.m[1][0] = x.y; r.m[1][1] = y.y; r.m[1][2] = z.y;
  r.m[2][0] = x.z; r.m[2][1] = y.z; r.m[2][2] = z.z;
  r.m[3][0] = -Dot(x, eye); r.m[3][1] = -Dot(y, eye); r.m[3][2] = -Dot(z, eye);
  return r;
}

Mat4 PerspectiveFovLH(float fovy, float aspect, float zn, float zf) {
  const float ys = 1.0f / std::tan(fovy / 2.0f);
  const float xs = ys / aspect;
  Mat4 r;
  r.m[0][0] = xs;
  r.m[1][1] = ys;
  r.m[2][2] = zf / (zf - zn);
  r.m[2][3] = 1.0f;
  r.m[3][2] = -zn * zf / (zf - zn);
  return r;
}

Mat4 OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf) {
  Mat4 o = Identity();
  o.m[0][0] = 2.0f / (r - l);
  o.m[1][1] = 2.0f / (t - b);
  o.m[2][2] = 1.0f / (zf - zn);
  o.m[3][0] = (l + r) / (l - r);
  o.m[3][1] = (t + b) / (b - t);
  o.m[3][2] = zn / (zn - zf);
  return o;
}

Vec3 TransformCoord(Vec3 v, const Mat4& m) {
  const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
  const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
  const float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
  const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
  if (w == 0.0f) return {x, y, z};
  return {x / w, y / w, z / w};
}

Vec3 ToTargetPixels(Vec3 v, const Mat4& world, const Mat4& view, const Mat4& proj, int w, int h) {
  const Vec3 ndc = TransformCoord(v, Multiply(Multiply(world, view), proj));
  return {(ndc.x + 1.0f) * 0.5f * float(w), (1.0f - ndc.y) * 0.5f * float(h), ndc.z};
}

}  // namespace plat
