// JSPRITE: the engine's drawable picture, one textured quad with a position,
// scale, angle, hot spot (the quad point drawn at the position, pivot of
// scaling and turning), blend mode, layer and colour. Made from an image
// file (an entry of the pack selected in ZOV::ifile, or a file on disk) or
// around an existing texture. It owns its texture handle and frees it when
// destroyed (the renderer never frees its default texture, so a sprite whose
// load failed leaves that alone), except the renderer's screen texture,
// which a sprite may show (the magnifier) but never owns. The base of the
// image widgets and most windows.
#pragma once

#include <cstdint>

#include "ST/draw_types.h"
#include "ST/object.h"

namespace ZOV {
class JINGFX;
}

class JSPRITE : public JST::STO {
 public:
  // Loads the image and builds the quad (0, 0)-(w, h), uv 0..1, hot spot at
  // the centre, blend 1, layer 50, opaque white, at (0, 0), angle 0, scale 1.
  // A missing image gives the renderer's 8x8 white default texture.
  JSPRITE(const char* file, int unused);
  // Wraps a texture and takes it over (the screen texture excepted: that is
  // only shown). Image and texture size are the texture's own size as the
  // renderer reports it, whatever was loaded in between; a handle the
  // renderer does not know gives an empty 0 x 0 quad. uv run 0..0.99.
  explicit JSPRITE(unsigned long texture);
  // A placeholder with no image (texture 0): prints "FAKE_____FAKE"; it
  // draws nothing visible and frees nothing.
  JSPRITE();
  ~JSPRITE() override;
  JSPRITE(const JSPRITE&) = delete;
  JSPRITE& operator=(const JSPRITE&) = delete;

  // Draws at the position with the sprite's scale and angle; returns 0.
  int Render(int) override;
  // At (x, y) instead of the position; returns 0.
  int Render(float x, float y);
  // At (x, y) turned by angle instead of the sprite's angle; returns 1.
  int Render(float x, float y, float angle);
  int RenderMe(float x, float y, float sx, float sy, float angle, int hx, int hy);

  void SetPos(int x, int y);
  void Move(int dx, int dy);
  // Distance from the position to (x, y) in image heights.
  float HowFarPsnt(int x, int y) const;
  // Resizes the quad to w x h pixels; uv and hot spot stay.
  void SetSizePix(int w, int h);
  // Texture coordinates of the quad's left, top, right and bottom edges.
  void SetTexelCoord(float left, float top, float right, float bottom);
  // Hot spot from an anchor (ZOV::JENUM::HOT_SPOT) and the quad's size; 6 and
  // unknown values leave it as it is. Call after SetSizePix.
  void CalculateHotSpot(int anchor);
  void SetHotSpot(int x, int y);
  // Repeats the image across a quad larger than it instead of stretching it.
  void StreckenTexelz();
  // Pulls uv of exactly 0 or 1 in to 0.005 / 0.995, so filtering picks up no
  // texels from the opposite edge.
  void CompressTexture();

  unsigned long GetTexture() const { return quad.texture; }
  // Replaces the handle; the old texture is not freed. The sprite owns the
  // new one unless it is the renderer's screen texture.
  void SetTexture(unsigned long texture);
  // Frees the texture now (when there is one and the sprite owns it); the
  // handle becomes 0 either way.
  void Release();
  // Whether the texture shown is the renderer's screen texture, borrowed.
  bool ShowsScreen() const { return showsScreen_; }
  // A ZOV::JENUM::BLEND_MODE for the quad.
  void SetBlendMode(int mode) { quad.blend = mode; }
  uint32_t GetColor() const { return quad.color; }
  void SetColor(int argb) { quad.color = uint32_t(argb); }
  // The image's width or height for ZOV::JENUM::IMAGE_SIZE (1), else the
  // texture's.
  int GetMyTexWidth(int which) const { return which == 1 ? imageSize.x : texSize.x; }
  int GetMyTexHeight(int which) const { return which == 1 ? imageSize.y : texSize.y; }

  // Fields, public as the widgets built on sprites read and write them.
  ZOV::JINGFX* gfx = nullptr;
  ZOV::ZOV4 quad;
  JST::iPOINT hotSpot{0, 0};
  JST::iPOINT imageSize{0, 0};
  JST::iPOINT texSize{0, 0};

 private:
  // Quad, hot spot and defaults for the image size; uv run 0..umax, 0..vmax.
  void Build(float umax, float vmax);
  // Notes whether `quad.texture` is the screen texture. Kept from the moment
  // the handle is set, so a later re-made screen texture changes nothing.
  void NoteScreenTexture();

  bool showsScreen_ = false;
};
