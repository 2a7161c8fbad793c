// ZOV::iSys: small system utilities (pointer position relative to the
// window, mouse buttons held right now, client rectangle, today's date,
// physical memory), with one global instance ZOV::isys.
#pragma once

#include "platform/window.h"
#include "ST/object.h"

namespace ZOV {

struct RECT {
  long left = 0, top = 0, right = 0, bottom = 0;
};

class iSys {
 public:
  // Pointer position relative to the window's outer corner.
  void GetMousePos(plat::Window* window, int* x, int* y);
  int UpProcess() { return 0; }
  // Total physical memory in MiB.
  unsigned GetOP() const;
  unsigned GetAppMemUsage() const { return 0; }
  bool isLButtonDown() const;
  bool isRButtonDown() const;
  RECT GetERect(plat::Window* window) const;
  // A new char[15] (delete[] by the caller): today as "d:m:yyyy".
  char* GetData() const;
  int GetData(JST::iPOINT3* out) const;
  // Formats a date as GetData() does.
  static void FormatDate(const JST::iPOINT3& d, char* out15);
  long SetFocusWindow(plat::Window* window);

 private:
  JST::iPOINT origin_;
  JST::iPOINT unused_;
};

extern iSys isys;

}  // namespace ZOV
