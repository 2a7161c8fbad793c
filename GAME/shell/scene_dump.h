// A test-only view of the scene for scripted players that drive the real
// program from outside: when the environment names a file in
// JIGSAW_STATE_DUMP (unset in normal runs, where nothing is written), the
// program entry registers an observer of the frame that rewrites it after
// every update of the scene, through the file service's atomic replace
// without a flush to disk (ZOV::iFile::SaveDataUnflushed), as
// "key value..." lines:
//
//   frame <n>
//   state <scene state> board <board state or -1> regCg <joins> regF <parts>
//   slots settings <0|1> quit <0|1> save <0|1> help <0|1> helpShown <0|1>
//         dialog <0|1> strip <0|1>
//   category <n> hasSaves <0|1> saves <n>
//   player <current player's name>
//   players nameEntry <0|1> selected <name>   while the player window is open,
//   button playerOk|playerCancel|playerAdd <x> <y> <active>   with its buttons
//   nameBox <text>                        the name being typed, while shown
//   button <name> <x> <y> <active>        the seven menu buttons
//   tab <id> <x> <y>                      the book's tabs shown
//   picture <index> <x> <y>               the current gallery page's pictures
//   cell <w> <h>                          a piece's cell, in screen pixels
//   piece <grid index> <x> <y> <group> <rotation> <grab x> <grab y>
//                                         (a point where it is topmost, or
//                                         -1 -1 when it is covered)
//   screen <w> <h> window <w> <h> full <0|1>
//                                         the logical screen, the window's
//                                         client size, full screen or not
//   colour board <ARGB as a signed int>   the board's background (in play)
//   ctl tool <x> <y>                      the play panel's options tool
//   window <kind>                         the window on top: none, settings,
//                                         resolution, confirm (the new screen
//                                         size's countdown), authors,
//                                         options, leaders, scores, trophies
//   confirm <seconds shown>               while the countdown runs
//   ctl <name> <x> <y>                    its buttons: ok, cancel, and in the
//                                         settings resolution, authors
//   slider <music|sound> <knob x> <knob y> <value 0..100, truncated>
//   box <name> <x> <y> <ticked>           cursor, fast (settings, options);
//                                         s1024, s1440, s1920, system, full
//                                         (resolution; sizes not offered are
//                                         left out)
//   swatch <i> <x> <y> <selected> <ARGB>  the options' background colours
//   leader <place> <score> <name>         the leader board's rows
// and the board's lines (scene_dump_board.h):
//   grid <cols> <rows> rotation <0|1> min <pieces along the shorter side>
//   tools hint <0|1> hintA <grid index|-1> hintB <grid index|-1> hints <n>
//         sorted <0|1> edges <0|1> innerAlpha <%> edgeAlpha <%> faded <0|1>
//         magnifier <0|1> preview <0|1> score <n> parts <n>
//                                         (the alphas are the lowest of the
//                                         inner and of the edge pieces)
//   preview x <left> y <top> w <w> h <h> factor <%> close <x> <y>
//         size1 <x> <y> size2 <x> <y> size3 <x> <y>
//   pocket open <0|1> motion <m> inner <w> <h> outer <w> <h> pieces <n>
//         button <x> <y>
//   under <grid index> by <grid index|-1> z <z> [topz <z>]
//                                         a piece that is not topmost at its
//                                         centre, and what is (-1: nothing)
//   pocketed <grid index>...              pieces in the pocket, when any
//   win open 1 ok <x> <y> score <n> pieces <n> rotation <0|1> hours <h>
//         minutes <m> seconds <s> hints <n> collector <l> master <l>
//         endurance <l> meditation <l> inconstancy <l> sage <l> lord <0|1>
//         icons <n> icon0 <x> <y>         while the win dialog is open (the
//                                         first trophy icon, when any)
//   strip count <n> distort <n> rotation <0|1>
//   stripctl ok <x> <y> cancel <x> <y> minus <x> <y> plus <x> <y> box <x> <y>
//                                         while the set-up strip is open
//   tool <name> <x> <y> <pushed>          the play panel's eight tools in
//                                         play (fly, frame, magnifier,
//                                         border, help, sort, settings, exit)
//   panel active <0|1>
//   scoreboard rows <n> ok <x> <y>        while the score board is open
//   trophywindow ok <x> <y>               while the trophy window is open
//   leaderboard ok <x> <y>                while the leader board is open
//
// Positions are in the logical screen, which is the window's when its size
// is the logical screen's (at 1024 x 768, or full screen at the desktop's
// size).
#pragma once

#include <string>

namespace GAME {

class PUZZLE;

// The file named by JIGSAW_STATE_DUMP, read once; empty when unset.
const std::string& SceneDumpPath();
// Writes the scene's state to `path`; nothing when it cannot.
void DumpSceneState(const PUZZLE& scene, long frame, const std::string& path);

}  // namespace GAME
