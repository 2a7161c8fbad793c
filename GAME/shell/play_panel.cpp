#include "GAME/shell/play_panel.h"

#include <string>

#include "GAME/config/globals.h"
#include "GAME/ui/pack_selection.h"
#include "GAME/ui/window_layout.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/renderer.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace {

// One tool: its code, its base offset from the panel's x, and the codes of
// the neighbours it pushes aside when magnified (0: none).
struct ToolPlace {
  int code;
  float offset;
  int left;
  int right;
};

// Left to right on the panel. The sort and settings tools never push each
// other.
constexpr ToolPlace kTools[] = {
    {PLAY_PANEL::kFly, -340.0f, 0, PLAY_PANEL::kFrame},
    {PLAY_PANEL::kFrame, -255.0f, PLAY_PANEL::kFly, PLAY_PANEL::kMagnifier},
    {PLAY_PANEL::kMagnifier, -170.0f, PLAY_PANEL::kFrame, PLAY_PANEL::kBorder},
    {PLAY_PANEL::kBorder, -85.0f, PLAY_PANEL::kMagnifier, PLAY_PANEL::kHelp},
    {PLAY_PANEL::kHelp, 0.0f, PLAY_PANEL::kBorder, PLAY_PANEL::kSort},
    {PLAY_PANEL::kSort, 85.0f, PLAY_PANEL::kHelp, 0},
    {PLAY_PANEL::kSettings, 212.5f, 0, PLAY_PANEL::kExit},
    {PLAY_PANEL::kExit, 306.0f, PLAY_PANEL::kSettings, 0},
};

const ToolPlace& PlaceOf(int code) {
  for (const ToolPlace& t : kTools)
    if (t.code == code) return t;
  return kTools[0];
}

// The order the buttons are made, drawn and deleted in.
constexpr int kFieldOrder[] = {PLAY_PANEL::kExit, PLAY_PANEL::kBorder, PLAY_PANEL::kFrame,
                               PLAY_PANEL::kHelp, PLAY_PANEL::kFly,    PLAY_PANEL::kSort,
                               PLAY_PANEL::kMagnifier, PLAY_PANEL::kSettings};
// The order Update looks at them in: the first one reports a click or a
// held press where two magnified buttons overlap.
constexpr int kVisitOrder[] = {PLAY_PANEL::kSettings, PLAY_PANEL::kMagnifier, PLAY_PANEL::kSort,
                               PLAY_PANEL::kFly,      PLAY_PANEL::kHelp,      PLAY_PANEL::kBorder,
                               PLAY_PANEL::kExit,     PLAY_PANEL::kFrame};
// The order DropButtons releases them in.
constexpr int kDropOrder[] = {PLAY_PANEL::kFly,  PLAY_PANEL::kFrame, PLAY_PANEL::kMagnifier, PLAY_PANEL::kBorder,
                              PLAY_PANEL::kHelp, PLAY_PANEL::kSort,  PLAY_PANEL::kExit,      PLAY_PANEL::kSettings};

// A button closer to the mouse than this many image heights is magnified.
constexpr float kReach = 0.7f;
constexpr float kLargest = 1.4f;    // the scale with the mouse on the centre
constexpr float kRise = 45.0f;      // pixels up per image height inside the reach
constexpr float kStepAside = 20.0f; // pixels aside per image height inside the reach
// The panel image's top 5 % is left out and the rest stretched over it.
constexpr float kPanelTop = 0.05f;
// Written to every button's third tip colour (nothing reads it).
constexpr uint32_t kHintThirdColor = 0x88000000u;

const char* HintOf(int code) {
  switch (code) {
    case PLAY_PANEL::kExit: return chTEXT_PLAY_PANEL_EXIT;
    case PLAY_PANEL::kBorder: return chTEXT_PLAY_PANEL_BORDER;
    case PLAY_PANEL::kFrame: return chTEXT_PLAY_PANEL_ISO;
    case PLAY_PANEL::kHelp: return chTEXT_PLAY_PANEL_HELP;
    case PLAY_PANEL::kFly: return chTEXT_PLAY_PANEL_FLY;
    case PLAY_PANEL::kSort: return chTEXT_PLAY_PANEL_SORT;
    case PLAY_PANEL::kMagnifier: return chTEXT_PLAY_PANEL_MAG;
    case PLAY_PANEL::kSettings: return chTEXT_PLAY_PANEL_SETTINGS;
    default: return nullptr;
  }
}

const char* ImageOf(int code) {
  switch (code) {
    case PLAY_PANEL::kExit: return chBUTTONDOOR;
    case PLAY_PANEL::kBorder: return chBUTTONBORDER;
    case PLAY_PANEL::kFrame: return chBUTTONFRAME;
    case PLAY_PANEL::kHelp: return chBUTTONHELP;
    case PLAY_PANEL::kFly: return chBUTTONFLY;
    case PLAY_PANEL::kSort: return chBUTTONSORT;
    case PLAY_PANEL::kMagnifier: return chBUTTONMAG;
    case PLAY_PANEL::kSettings: return chBUTTONSETTINGS;
    default: return nullptr;
  }
}

// The codes PushButton and DropButton act on.
bool Toggles(int code) { return code >= PLAY_PANEL::kFrame && code <= PLAY_PANEL::kMagnifier; }

}  // namespace

PLAY_PANEL::PLAY_PANEL(const char* image, ZOV::JFONT* hintFont) : JSPRITE(image, 0) {
  input_ = ZOV::GetGame()->GetInput();
  SetTexelCoord(0.0f, kPanelTop, 1.0f, 1.0f);
  active_ = true;
  {
    GAME::PackSelection level(C_NAME_PACK_LEVEL, C_PAS_LEVEL);
    for (int code : kFieldOrder) {
      auto b = std::make_unique<BUTTONACT>(ImageOf(code), nullptr);
      const char* hint = HintOf(code);
      b->tipText = hint ? hint : "";
      b->tipFont = hintFont;
      buttons_[size_t(code)] = std::move(b);
    }
    for (int code : kFieldOrder) {
      BUTTONACT* b = Tool(code);
      b->tipBoxColor = uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BACK);
      b->tipBorderColor = uint32_t(PLAY_PANEL_BUTTON_HINT_COLOR_BORDR);
      b->tipTextColor = kHintThirdColor;
    }
    plat::PrintLine("=========================================");
    plat::PrintLine("COLOR: " + std::to_string(PLAY_PANEL_BUTTON_HINT_COLOR_BORDR));
  }
  Repos();
  plat::PrintLine("init player panel");
}

PLAY_PANEL::~PLAY_PANEL() {
  plat::PrintLine("Destroying play panel...");
  for (int code : kFieldOrder) buttons_[size_t(code)].reset();
  plat::PrintLine("Play panel destroyed ");
}

BUTTONACT* PLAY_PANEL::Tool(int code) const {
  if (code < kFrame || code > kSettings) return nullptr;
  return buttons_[size_t(code)].get();
}

const BUTTONACT* PLAY_PANEL::Button(int code) const { return Tool(code); }

void PLAY_PANEL::SetPos(int x, int y) {
  JSPRITE::SetPos(x, y);
  Repos();
}

void PLAY_PANEL::Repos() {
  for (const ToolPlace& t : kTools) Tool(t.code)->SetPos(int(position.x + t.offset), int(position.y));
}

int PLAY_PANEL::Update(int, float) {
  if (!active_) return kNothing;
  int mx = 0, my = 0;
  input_->GetMousePos(&mx, &my);
  Repos();
  if (input_->Key(plat::VK_ESCAPE) == 1) return kExit;
  for (int code : kVisitOrder) {
    BUTTONACT* b = Tool(code);
    // Measured from where the moves made so far this frame left it.
    const float d = b->HowFarPsnt(mx, my);
    if (d < kReach) {
      const float inside = kReach - d;
      b->SetSize(kLargest - d);
      b->Move(0, -int(inside * kRise));
      const int aside = int(inside * kStepAside);
      const ToolPlace& t = PlaceOf(code);
      if (t.left) Tool(t.left)->Move(-aside, 0);
      if (t.right) Tool(t.right)->Move(aside, 0);
    } else {
      b->SetSize(kReach);
    }
    if (b->Update(0, 0.0f) == 1) {
      if (code == kBorder) b->Activate(true);
      return code;
    }
    if (b->GetState() == JBUTTONMAP4::STATE_PRESSED) return kHeld;
  }
  return kNothing;
}

int PLAY_PANEL::Render(int) {
  if (gfx) gfx->SetAnisotropic(true);
  JSPRITE::Render(0);
  for (int code : kFieldOrder) Tool(code)->Render(0);
  if (gfx) gfx->SetAnisotropic(false);
  return 1;
}

int PLAY_PANEL::PostRender() {
  for (int code : kFieldOrder) Tool(code)->RenderTip();
  return 1;
}

void PLAY_PANEL::ForgetHover() {
  for (int code : kFieldOrder) GAME::ForgetHover(*Tool(code));
}

void PLAY_PANEL::PushButton(int code) {
  if (Toggles(code)) Tool(code)->Activate(false);
}

void PLAY_PANEL::DropButton(int code) {
  if (!Toggles(code)) return;
  BUTTONACT* b = Tool(code);
  b->Activate(true);
  // The frame and border tools show their look again at once.
  if (code == kFrame || code == kBorder) b->SetState(b->state);
}

void PLAY_PANEL::DropButtons() {
  plat::PrintLine("Drop Buttons");
  for (int code : kDropOrder) Tool(code)->Activate(true);
}
