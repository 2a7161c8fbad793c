// The shared fonts, sprite and sound that the loader thread creates once
// and that live until exit. Engine widgets (the name dialog, the list box's
// owner) and the player-selection window read them directly.
//
// Every one is null until the loader has made it; its users must then draw
// or play nothing (ZOV::SoundRender accepts a null sound).
#pragma once

class JSPRITE;

namespace ZOV {
class JFONT;
class ST_A;
}  // namespace ZOV

// The large font (headers, the player list).
extern ZOV::JFONT* big;
// The common interface font (prompts, button labels).
extern ZOV::JFONT* comix;
// A plain translucent black sprite the size of the screen: the dim layer
// drawn behind modal windows.
extern JSPRITE* blackTranslucent;
// The button click sound.
extern ZOV::ST_A* eButton;
