// The modal windows' part of the test-only scene view (scene_dump.h): which
// window is on top, where its controls are and what they hold, the screen
// and window size, and the board's background colour. Written only when
// JIGSAW_STATE_DUMP names a file; the line formats are listed in
// scene_dump.h.
#pragma once

#include <ostream>

namespace GAME {

class PUZZLE;

// Appends the windows' lines for `scene` to `out`.
void DumpWindowsState(const PUZZLE& scene, std::ostream& out);

}  // namespace GAME
