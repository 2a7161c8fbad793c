#include "ST/system_utils.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sys.h"

namespace ZOV {

iSys isys;

void iSys::GetMousePos(plat::Window* window, int* x, int* y) {
  if (window && window->IsCreated()) {
    const plat::IPt o = window->Origin();
    origin_ = JST::iPOINT(o.x, o.y);
  } else {
    plat::PrintLine("Error iSys::GetMousePos");
  }
  const plat::IPt p = plat::CursorPosGlobal();
  if (x) *x = p.x - origin_.x;
  if (y) *y = p.y - origin_.y;
}

unsigned iSys::GetOP() const { return plat::PhysicalMemoryMiB(); }

bool iSys::isLButtonDown() const { return plat::MouseButtonDownNow(plat::VK_LBUTTON); }
bool iSys::isRButtonDown() const { return plat::MouseButtonDownNow(plat::VK_RBUTTON); }

RECT iSys::GetERect(plat::Window* window) const {
  RECT r;
  if (!window || !window->IsCreated()) {
    plat::PrintLine("ERECT BAD");
    return r;
  }
  const plat::IPt c = window->ClientSize();
  r.right = c.x;
  r.bottom = c.y;
  return r;
}

void iSys::FormatDate(const JST::iPOINT3& d, char* out15) {
  std::snprintf(out15, 15, "%d:%d:%d", d.x, d.y, d.z);
}

char* iSys::GetData() const {
  JST::iPOINT3 d;
  GetData(&d);
  char* text = new char[15];
  FormatDate(d, text);
  return text;
}

int iSys::GetData(JST::iPOINT3* out) const {
  const plat::Date d = plat::Today();
  if (out) {
    out->x = d.day;
    out->y = d.month;
    out->z = d.year;
  }
  return 0;
}

long iSys::SetFocusWindow(plat::Window* window) {
  if (!window || !window->Sdl()) return 0;
  SDL_RaiseWindow(window->Sdl());
  return 1;
}

}  // namespace ZOV
