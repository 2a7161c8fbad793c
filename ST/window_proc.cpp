#include "ST/window_proc.h"

#include "ST/game.h"

namespace ZOV {

int LogicalFromClient(int client, int offset, int scaled, int logical) {
  // Before the first letterbox there is no scaled size: positions pass through.
  if (scaled <= 0) return client - offset;
  const double c0 = double(client - offset);
  return int(c0 - c0 * double(scaled - logical) / double(scaled));
}

long JWndProc(plat::Window* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  static ST_GAME* game = GetGame();
  ST_INPUT& in = game->input;
  switch (message) {
    case plat::WM_MOUSEMOVE: {
      const JINGFX& g = game->gfx;
      const int cx = int(uint32_t(lParam) & 0xFFFF);
      const int cy = int((uint32_t(lParam) >> 16) & 0xFFFF);
      in.EventMouseMove(LogicalFromClient(cx, g.adaptOffsetX, g.scaledW, g.logicalW),
                        LogicalFromClient(cy, g.adaptOffsetY, g.scaledH, g.logicalH));
      break;
    }
    case plat::WM_LBUTTONDOWN: in.EventMouseLkm(true); break;
    case plat::WM_LBUTTONUP: in.EventMouseLkm(false); break;
    case plat::WM_RBUTTONDOWN: in.EventMouseRkm(true); break;
    case plat::WM_RBUTTONUP: in.EventMouseRkm(false); break;
    case plat::WM_MBUTTONDOWN: in.EventMouseMkm(true); break;
    case plat::WM_MBUTTONUP: in.EventMouseMkm(false); break;
    case plat::WM_LBUTTONDBLCLK: in.EventMouseDblClick(); break;
    case plat::WM_KEYDOWN: {
      const int vk = int(wParam);
      const int scan = plat::MapVirtualKey(vk);
      // The key table goes over as it stands before this key is recorded.
      plat::ToUnicode(vk, scan, in.GetKeysMap(), in.TypedText(), plat::kMaxTypedChars + 1);
      in.EventKeyDown(vk);
      break;
    }
    case plat::WM_KEYUP: in.EventKeyUp(int(wParam)); break;
    case plat::WM_ACTIVATE:
      if (wParam == plat::WA_INACTIVE) {
        game->SetState(JENUM::GAME_INACTIVE);
        if (window) window->Minimize();
      } else if (wParam == plat::WA_ACTIVE || wParam == plat::WA_CLICKACTIVE) {
        game->SetState(JENUM::GAME_ACTIVE);
      }
      break;
    case plat::WM_SETFOCUS: game->SetState(JENUM::GAME_ACTIVE); break;
    case plat::WM_KILLFOCUS: game->SetState(JENUM::GAME_INACTIVE); break;
    case plat::WM_CLOSE:
      // The game saves first; the loop then ends after this pass.
      if (game->closeFunc) game->closeFunc();
      game->Exit();
      break;
    case plat::WM_DESTROY: game->Exit(); break;
    default: break;
  }
  return plat::DefWindowProc(window, message, wParam, lParam);
}

}  // namespace ZOV
