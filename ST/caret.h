// The blinking caret shared by the one-line entry fields, and where a click
// puts it among the field's character cells.
#pragma once

namespace ZOV {

class ST_INPUT;

// Advances the blink clock by dt: the caret shows for the first half second
// and hides for the second, then the clock starts again. Returns whether it
// shows now.
bool AdvanceCaretBlink(float& blink, float dt);

// The caret position a click gives in a field whose top-left corner is
// (x, y), w x h pixels, holding `count` cells `cell` pixels wide that start
// `margin` pixels in: after the cell clicked, 0 left of the first cell's
// middle, `count` right of the last cell; `current` when the click is on
// none of them. The mouse is known to be inside the field.
int CaretPositionAtMouse(const ST_INPUT& in, float x, float y, int w, int h, int margin, int cell, int count,
                         int current);

}  // namespace ZOV
