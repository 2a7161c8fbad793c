// The board's part of the test-only scene view (scene_dump.h): the grid,
// the set-up strip's controls, the play panel's tools, the tools' state on
// the board, the pocket, the preview frame, the win dialog and the three
// information windows, each as one "key value..." line (their layout is in
// scene_dump.h's comment). Written only when JIGSAW_STATE_DUMP names a file.
#pragma once

#include <ostream>

namespace GAME {

class PUZZLE;

// Appends the board's and the end-of-puzzle windows' lines to `out`.
void DumpBoardState(const PUZZLE& scene, std::ostream& out);

}  // namespace GAME
