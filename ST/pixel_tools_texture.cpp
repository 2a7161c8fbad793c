// The texture forms of the pixel tools: each locks its textures through the
// game object's renderer, works on their own pixels with their own sizes as
// the pitch, and unlocks them. The whole call holds the process lock, so the
// loader thread cannot touch a texture between the lock and the unlock.
#include <string>

#include "ST/game.h"
#include "ST/pixel_tools.h"
#include "platform/sys.h"

namespace GAMETOOLS {

namespace {

// One texture locked for the length of a scope; pixels null when the lock
// failed (unknown handle, render target, already locked).
class Locked {
 public:
  Locked(ZOV::JINGFX* gfx, unsigned long tex) : gfx_(gfx), tex_(tex) {
    pixels = gfx_->TextureLock(tex_);
    if (pixels) size = gfx_->GetTextureWH(tex_);
    if (size.x <= 0 || size.y <= 0) size = JST::iPOINT(0, 0);
  }
  ~Locked() {
    if (pixels) gfx_->TextureUnlock(tex_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  bool ok() const { return pixels && size.x > 0 && size.y > 0; }

  uint32_t* pixels = nullptr;
  JST::iPOINT size{0, 0};

 private:
  ZOV::JINGFX* gfx_;
  unsigned long tex_;
};

ZOV::JINGFX* Gfx() { return ZOV::GetGame()->GetGfx(); }

}  // namespace

int PillAll(uint32_t colour, unsigned long texture) {
  CsHold hold;
  Locked t(Gfx(), texture);
  if (!t.ok()) return -1;
  const size_t n = size_t(t.size.x) * size_t(t.size.y);
  for (size_t i = 0; i < n; ++i) t.pixels[i] = colour;
  return 0;
}

int DrawLineInTexLU(int x0, int y0, int x1, int y1, unsigned long texture, uint32_t colour) {
  CsHold hold;
  Locked t(Gfx(), texture);
  if (!t.ok()) return -1;
  DrawLineInTex(x0, y0, x1, y1, t.size, t.pixels, colour);
  return 0;
}

int DrawLineInTexWuLU(int x0, int y0, int x1, int y1, unsigned long texture) {
  CsHold hold;
  Locked t(Gfx(), texture);
  if (!t.ok()) return -1;
  DrawLineInTexWu(x0, y0, x1, y1, t.size, t.pixels, 0);
  return 0;
}

int CopyPiece(int x, int y, unsigned long picture, unsigned long piece, unsigned long mask, JST::iPOINT size,
              int cx0, int cy0) {
  CsHold hold;
  ZOV::JINGFX* gfx = Gfx();
  Locked pc(gfx, piece), pic(gfx, picture), m(gfx, mask);
  if (!pc.ok() || !pic.ok() || !m.ok()) {
    plat::PrintLine("CopyPiece: a texture could not be locked");
    return -1;
  }
  const int taken = CopyPiece(x, y, pic.pixels, pic.size, pc.pixels, pc.size, m.pixels, m.size, size, cx0, cy0);
  if (taken < 0) {
    plat::PrintLine("CopyPiece: sizes do not fit (picture " + std::to_string(pic.size.x) + "x" +
                    std::to_string(pic.size.y) + ", mask " + std::to_string(m.size.x) + "x" +
                    std::to_string(m.size.y) + ", piece " + std::to_string(pc.size.x) + "x" +
                    std::to_string(pc.size.y) + ", box " + std::to_string(size.x) + "x" + std::to_string(size.y) +
                    ")");
  }
  return taken;
}

}  // namespace GAMETOOLS
