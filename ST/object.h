// The object model: the abstract bases of everything that is updated and
// drawn once a frame, and the point types that carry positions.
//
// Owners hold children through plain pointers, call Update(0, 0.0f) and
// Render(0) each frame, and delete a child through its own class. Objects
// take their time step from the game object, not from Update's argument.
#pragma once

namespace JST {

struct iPOINT {
  int x = 0, y = 0;
  iPOINT() = default;
  iPOINT(int x_, int y_) : x(x_), y(y_) {}
  ~iPOINT() {}
};

struct iPOINT3 {
  int x = 0, y = 0, z = 0;  // day, month, year where a date is kept
};

// Float point. Only the operators below exist: there is deliberately no
// addition or multiplication; callers add to the fields directly.
struct fPOINT {
  float x = 0.0f, y = 0.0f;
  fPOINT() = default;
  fPOINT(float x_, float y_) : x(x_), y(y_) {}
  fPOINT& operator=(const fPOINT& o) = default;
  fPOINT& operator=(float v) {
    x = y = v;
    return *this;
  }
  fPOINT& operator/=(float v) {
    x /= v;
    y /= v;
    return *this;
  }
  fPOINT operator/(float v) const { return fPOINT(x / v, y / v); }
  fPOINT& operator-=(const fPOINT& o) {
    x -= o.x;
    y -= o.y;
    return *this;
  }
  fPOINT operator-(const fPOINT& o) const { return fPOINT(x - o.x, y - o.y); }
};

// Anything updated and drawn. Update returns an event code (0 = nothing).
class ST {
 public:
  virtual ~ST() = default;
  virtual int Update(int, float) = 0;
  virtual int Render(int) = 0;
};

// A positioned, rotated and scaled object.
class STO : public ST {
 public:
  int Update(int, float) override { return 0; }
  int Render(int) override { return 0; }
  // A hook some windows override.
  virtual int Message(int) { return 0; }
  virtual void SetSize(float sx, float sy) {
    scale.x = sx;
    scale.y = sy;
  }

  fPOINT position;
  float angle = 0.0f;
  fPOINT scale;
};

// A short-lived play-field effect: Update returns non-zero once finished,
// and the owner then deletes it.
class STE {
 public:
  virtual ~STE() = default;
  virtual long long Update() { return 0; }
  virtual void Render() {}

  fPOINT position;
};

}  // namespace JST
