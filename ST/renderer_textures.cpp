// The renderer's textures: pictures loaded from files or from entries of the
// selected zip pack, the colour-keyed load, empty textures for pixel
// writing, locking, and the screenshot. Every texture keeps 32-bit ARGB
// pixels (bytes B, G, R, A) at the image's own size.
//
// Any thread may call these: each holds the process lock `cs`, which also
// guards the file service's single open pack and read buffer, and the
// renderer's last texture and last texture size.
#include <string>

#include "ST/file.h"
#include "ST/game.h"
#include "ST/renderer.h"
#include "ST/text_cut.h"
#include "platform/gfx_image.h"
#include "platform/sys.h"

namespace ZOV {

namespace gfx = plat::gfx;

namespace {

// A file or entry name as the log lines quote it.
std::string Text(const char* s) { return LogQuote(s); }

// The colour key: every pixel whose blue, green and red are each below the
// top-left pixel's + 10 becomes fully transparent; nothing else changes.
void KeyOutBackground(plat::Image& img) {
  if (img.argb.empty()) return;
  const uint32_t first = img.argb[0];
  const int b0 = int(first & 0xFF), g0 = int((first >> 8) & 0xFF), r0 = int((first >> 16) & 0xFF);
  for (uint32_t& p : img.argb) {
    const int b = int(p & 0xFF), g = int((p >> 8) & 0xFF), r = int((p >> 16) & 0xFF);
    if (b < b0 + 10 && g < g0 + 10 && r < r0 + 10) p &= 0x00FFFFFFu;
  }
}

}  // namespace

unsigned long JINGFX::LoadFailed() {
  if (defaultTexture) return defaultTexture;
  plat::MessageBox(nullptr, "defaultTexture not exist!!!", "errrrrror");
  return 0;
}

unsigned long JINGFX::MakeTexture(const plat::Image& img) {
  const gfx::Tex tex = gfx::CreateTextureFromImage(img);
  if (tex) lastTexture = tex;
  return tex;
}

unsigned long JINGFX::TextureLoad(const char* file) {
  CsHold lock;
  plat::Image img;
  if (file && plat::DecodeFile(file, img)) {
    if (const unsigned long tex = MakeTexture(img)) {
      lastTextureSize = JST::iPOINT(img.w, img.h);
      return tex;
    }
  }
  if (!defaultTexture) return LoadFailed();
  plat::PrintLine("\n\nTextue not load " + Text(file));
  return defaultTexture;
}

unsigned long JINGFX::TextureLoadJA(const char* file) {
  CsHold lock;
  plat::Image img;
  if (file && plat::DecodeFile(file, img)) {
    KeyOutBackground(img);
    if (const unsigned long tex = MakeTexture(img)) {
      lastTextureSize = JST::iPOINT(img.w, img.h);
      return tex;
    }
  }
  if (!defaultTexture) return LoadFailed();
  plat::PrintLine("Textue not load " + Text(file));
  return defaultTexture;
}

unsigned long JINGFX::TextureLoadJA(const char*, const char*) { return defaultTexture; }

unsigned long JINGFX::TextureLoadZip(const char* pack, const char* entry, const char* password) {
  CsHold lock;
  iFile& f = ifile;
  // The password is never printed: pack and entry names identify the load.
  if (f.ZipOpen(pack) != 1) {
    plat::PrintLine("Zip open failed zip " + Text(pack) + " ! name " + Text(entry));
    if (!defaultTexture) return 0;
    plat::PrintLine("Zip textue not load 1 " + Text(entry));
    return defaultTexture;
  }
  if (f.ZipFindFile(entry) != 1) {
    f.ZipClearData();
    f.ZipCloze();
    plat::PrintLine("\n\n\nZip find fail " + Text(pack) + " " + Text(entry));
    if (!defaultTexture) return 0;
    plat::PrintLine("Zip textue not load 3 " + Text(entry));
    return defaultTexture;
  }
  if (f.ZipReadFile(password) != 1) {  // wrong password or damaged entry ("ReadError")
    f.ZipClearData();
    f.ZipCloze();
    return defaultTexture;
  }
  const size_t size = size_t(f.file_info.uncompressed_size);
  // The header's size is recorded before the body is decoded, so a picture
  // that is cut short still reports the size it claims; a header the decoder
  // refuses (another format, a side past plat::kMaxImageSide) records none.
  int hw = 0, hh = 0;
  if (plat::ImageInfoMemory(f.read_buffer, size, &hw, &hh)) lastTextureSize = JST::iPOINT(hw, hh);
  plat::Image img;
  unsigned long tex = 0;
  if (plat::DecodeMemory(f.read_buffer, size, img)) tex = MakeTexture(img);
  f.ZipClearData();
  f.ZipCloze();
  if (tex) {
    lastTextureSize = JST::iPOINT(img.w, img.h);
    return tex;
  }
  if (!defaultTexture) return LoadFailed();
  plat::PrintLine("Zip textue not load 2 " + Text(entry));
  return defaultTexture;
}

unsigned long JINGFX::TextureCreate(int w, int h) {
  CsHold lock;
  const gfx::Tex tex = gfx::CreateTexture(w, h);
  if (!tex) return 0;
  lastTexture = tex;
  lastTextureSize = JST::iPOINT(w, h);
  return tex;
}

unsigned long JINGFX::TextureCreateFrom(int w, int h, std::vector<uint32_t>&& pixels) {
  CsHold lock;
  plat::Image img;
  img.w = w;
  img.h = h;
  img.argb = std::move(pixels);
  const gfx::Tex tex = gfx::CreateTextureFromImage(std::move(img));
  if (!tex) {
    pixels = std::move(img.argb);  // refused: the caller keeps its pixels
    return 0;
  }
  lastTexture = tex;
  lastTextureSize = JST::iPOINT(w, h);
  return tex;
}

uint32_t* JINGFX::TextureLock(unsigned long tex) {
  CsHold lock;
  lastTextureSize = GetTextureWH(tex);  // (-1, -1) for unknown handles
  return HandleInRange(tex) ? gfx::Lock(gfx::Tex(tex)) : nullptr;
}

int JINGFX::TextureUnlock(unsigned long tex) {
  CsHold lock;
  return HandleInRange(tex) && gfx::Unlock(gfx::Tex(tex)) ? 0 : -1;
}

long JINGFX::GetScreenShot() {
  plat::Image img;
  if (!gfx::ReadPixels(0, img)) return -1;
  return plat::SaveBMP("screenshot.bmp", img) ? 0 : -2;
}

}  // namespace ZOV
