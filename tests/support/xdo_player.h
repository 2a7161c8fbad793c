// A scripted player for the real game program: it drives the X server's
// pointer and keyboard with xdotool, at the game window, and reads the
// scene's test-only state file (GAME/shell/scene_dump.h) to decide its
// moves. Helpers the later tests reuse: click a widget by its name in the
// state file, press a key long enough for a frame to see it, drag a piece
// beside another, wait for a state.
#pragma once

#include <unistd.h>

#include <algorithm>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/game_run.h"
#include "tests/support/test_env.h"

namespace xdo {

// The scene's state file, read whole.
struct SceneState {
  std::map<std::string, std::vector<int>> named;           // "button play" -> {x, y, active}, "tool sort" -> {x, y, pushed}
  std::map<int, std::vector<int>> tabs, pictures, pieces;  // id -> {x, y, ...}

  // The number after `key` on the line starting with `line`; with an empty
  // key the line's first number. -1000 when there is none.
  int Get(const std::string& line, const std::string& key) const {
    auto it = words.find(line);
    if (it == words.end()) return -1000;
    const std::vector<std::string>& w = it->second;
    if (key.empty()) return w.empty() ? -1000 : std::atoi(w[0].c_str());
    for (size_t i = 0; i + 1 < w.size(); ++i)
      if (w[i] == key) return std::atoi(w[i + 1].c_str());
    return -1000;
  }
  std::map<std::string, std::vector<std::string>> words;
  // Every line's words by its first word, repeated keys kept in order
  // ("leader" -> one entry per row).
  std::map<std::string, std::vector<std::vector<std::string>>> lines;

  // Word i after the key of the line starting with `line`; empty when none.
  std::string Text(const std::string& line, size_t i = 0) const {
    auto it = words.find(line);
    return it == words.end() || i >= it->second.size() ? std::string() : it->second[i];
  }
  // The numbers after the name of a window's widget ("ctl ok", "box full",
  // "slider music", "swatch 2"); empty when it is not shown.
  std::vector<int> Widget(const std::string& kindAndName) const {
    auto it = named.find(kindAndName);
    return it == named.end() ? std::vector<int>() : it->second;
  }
};

inline SceneState ReadState(const std::string& path) {
  SceneState s;
  std::istringstream in(testenv::ReadFile(path));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream ls(line);
    std::string key;
    ls >> key;
    std::vector<std::string> w;
    for (std::string t; ls >> t;) w.push_back(t);
    s.lines[key].push_back(w);
    if ((key == "button" || key == "ctl" || key == "slider" || key == "box" || key == "swatch" || key == "tool") &&
        !w.empty()) {
      std::vector<int> v;
      for (size_t i = 1; i < w.size(); ++i) v.push_back(std::atoi(w[i].c_str()));
      s.named[key + " " + w[0]] = v;
      continue;
    }
    if ((key == "tab" || key == "picture" || key == "piece") && !w.empty()) {
      std::vector<int> v;
      for (size_t i = 1; i < w.size(); ++i) v.push_back(std::atoi(w[i].c_str()));
      (key == "tab" ? s.tabs : key == "picture" ? s.pictures : s.pieces)[std::atoi(w[0].c_str())] = v;
      continue;
    }
    s.words[key] = w;
  }
  return s;
}

// Adds a keyboard layout (such as "ru") beside the US one on the X server.
// xdotool then types that layout's letters by their own keys, switching the
// layout group; without it, it maps a spare key code to each such letter
// and takes it back at once, and a program that looks the key up after that
// reads no letter at all. Call it while the program is connected: an X
// server without clients resets its keyboard. False when it could not be
// set.
inline bool AddKeyboardLayout(const std::string& display, const std::string& layout) {
  const std::string cmd = "DISPLAY=" + display + " setxkbmap -layout us," + layout + " >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

class Player {
 public:
  Player(std::string display, std::string statePath) : display_(std::move(display)), path_(std::move(statePath)) {}

  SceneState State() const { return ReadState(path_); }

  // Polls the state file until `done` holds; false at the deadline (longer
  // for a program built with ThreadSanitizer, gamerun::kWaitFactor).
  bool WaitFor(const std::function<bool(const SceneState&)>& done, int seconds = 30) const {
    for (int i = 0; i < seconds * gamerun::kWaitFactor * 20; ++i) {
      if (done(State())) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // Waits until the frame counter has moved on by `n` (the game has seen
  // what was sent).
  bool Frames(int n) const {
    const int from = FrameOf(State());
    return WaitFor([&](const SceneState& s) { return FrameOf(s) >= from + n; }, 10);
  }

  // Finds the window of process `pid` (30 s, longer under ThreadSanitizer);
  // false at once when the process has ended without one.
  bool FindWindow(pid_t pid) {
    for (int i = 0; i < 30 * gamerun::kWaitFactor * 20 && window_.empty(); ++i) {
      window_ = Shell("xdotool search --pid " + std::to_string(pid) + " 2>/dev/null | head -n 1");
      if (!window_.empty() && window_.back() == '\n') window_.pop_back();
      if (!window_.empty()) break;
      if (Ended(pid)) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (window_.empty()) return false;
    Run("windowfocus --sync " + window_);
    return true;
  }

  // Points are the game's screen pixels. A game shown scaled in a larger
  // window (a small mode full screen: the screen fitted into the window,
  // bars either side) gets them in window pixels: the first window pixel
  // that the game maps back onto the point.
  void Move(int x, int y) const {
    if (gameW_ > 0 && gameH_ > 0 && winW_ >= gameW_ && winH_ >= gameH_) {
      const double scale = std::min(double(winW_) / gameW_, double(winH_) / gameH_);
      const int sw = int(gameW_ * scale), sh = int(gameH_ * scale);
      x = (winW_ - sw) / 2 + (x * sw + gameW_ - 1) / gameW_;
      y = (winH_ - sh) / 2 + (y * sh + gameH_ - 1) / gameH_;
    }
    Run("mousemove --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y));
  }
  // Reads the game's screen and window sizes from the state file
  // ("screen W H window W H ..."), so that Move follows a scaled game.
  void FollowScaling() {
    const SceneState s = State();
    auto it = s.words.find("screen");
    if (it == s.words.end() || it->second.size() < 5) return;
    const std::vector<std::string>& w = it->second;
    gameW_ = std::atoi(w[0].c_str());
    gameH_ = std::atoi(w[1].c_str());
    winW_ = std::atoi(w[3].c_str());
    winH_ = std::atoi(w[4].c_str());
  }
  // A key held for a few frames, so that a frame sees it go down.
  void Key(const std::string& key) const {
    Run("keydown --window " + window_ + " " + key);
    Frames(2);
    Run("keyup --window " + window_ + " " + key);
    Frames(2);
  }
  // Types UTF-8 text at the game window, as a typist would: each key
  // pressed and released, 60 ms apart, however slow the frames are. Letters
  // of a layout added with AddKeyboardLayout are typed by their own keys.
  void Type(const std::string& utf8) const {
    Run("type --window " + window_ + " --delay 60 -- " + ShellQuoted(utf8));
  }
  // A click as a quick tap gives it: press and release at once, with no
  // hold, however slow the frames are.
  void Click(int x, int y, int button = 1) const {
    Move(x, y);
    Frames(2);
    Run("click --window " + window_ + " " + std::to_string(button));
    Frames(3);
  }
  // The point after `key` on the line `line` ("stripctl", "ok" -> its x, y).
  bool ClickAt(const std::string& line, const std::string& key) const {
    const SceneState s = State();
    const int x = s.Get(line, key);
    auto it = s.words.find(line);
    if (x == -1000 || it == s.words.end()) return false;
    for (size_t i = 0; i + 2 < it->second.size(); ++i)
      if (it->second[i] == key) {
        Click(x, std::atoi(it->second[i + 2].c_str()));
        return true;
      }
    return false;
  }
  // A play panel tool by its name in the state file.
  bool ClickTool(const std::string& name) const {
    const SceneState s = State();
    auto it = s.named.find("tool " + name);
    if (it == s.named.end()) return false;
    Click(it->second[0], it->second[1]);
    return true;
  }
  // Two keys held together ("ctrl", "q") long enough for frames to see
  // both; nothing is waited for afterwards, as the chord may end the program.
  void Chord(const std::string& first, const std::string& second) const {
    Run("keydown --window " + window_ + " " + first);
    Run("keydown --window " + window_ + " " + second);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    Run("keyup --window " + window_ + " " + second);
    Run("keyup --window " + window_ + " " + first);
  }
  // The game window's X id (after FindWindow).
  const std::string& Window() const { return window_; }
  // A menu button ("play", "cut", ...) or a book tab, by the state file.
  bool ClickButton(const std::string& name) const {
    const SceneState s = State();
    auto it = s.named.find("button " + name);
    if (it == s.named.end()) return false;
    Click(it->second[0], it->second[1]);
    return true;
  }
  bool ClickTab(int id) const {
    const SceneState s = State();
    auto it = s.tabs.find(id);
    if (it == s.tabs.end()) return false;
    Click(it->second[0], it->second[1]);
    return true;
  }
  // A window's widget by the state file ("ctl ok", "box cursor").
  bool ClickWidget(const std::string& kindAndName) const {
    const std::vector<int> v = State().Widget(kindAndName);
    if (v.size() < 2) return false;
    Click(v[0], v[1]);
    return true;
  }
  const std::string& WindowId() const { return window_; }
  bool ClickPicture(int index) const {
    const SceneState s = State();
    auto it = s.pictures.find(index);
    if (it == s.pictures.end()) return false;
    Click(it->second[0], it->second[1]);
    return true;
  }
  // Drags from (x, y) to (tx, ty) in small steps, a frame each.
  void Drag(int x, int y, int tx, int ty) const {
    Move(x, y);
    Frames(2);
    Run("mousedown --window " + window_ + " 1");
    Frames(2);
    for (int s = 1; s <= 8; ++s) {
      Move(x + (tx - x) * s / 8, y + (ty - y) * s / 8);
      Frames(1);
    }
    Run("mouseup --window " + window_ + " 1");
    Frames(3);
  }
  // Drags piece `piece` by a point where it is topmost so that its centre
  // lands at (tx, ty).
  bool DragPieceTo(int piece, int tx, int ty) const {
    const SceneState s = State();
    auto it = s.pieces.find(piece);
    if (it == s.pieces.end() || it->second.size() < 6 || it->second[4] < 0) return false;
    const std::vector<int>& v = it->second;
    Drag(v[4], v[5], tx + (v[4] - v[0]), ty + (v[5] - v[1]));
    return true;
  }

 private:
  int gameW_ = 0, gameH_ = 0, winW_ = 0, winH_ = 0;
  // Whether `pid` has ended (a child not yet waited for is a zombie).
  static bool Ended(pid_t pid) {
    const std::string stat = testenv::ReadFile("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')');
    return close == std::string::npos || (close + 2 < stat.size() && stat[close + 2] == 'Z');
  }
  static int FrameOf(const SceneState& s) {
    auto it = s.words.find("frame");
    return it == s.words.end() || it->second.empty() ? 0 : std::atoi(it->second[0].c_str());
  }
  static std::string ShellQuoted(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }
  void Run(const std::string& args) const {
    const std::string cmd = "DISPLAY=" + display_ + " xdotool " + args + " >/dev/null 2>&1";
    (void)std::system(cmd.c_str());
  }
  std::string Shell(const std::string& cmd) const {
    std::string out;
    if (FILE* p = popen(("DISPLAY=" + display_ + " " + cmd).c_str(), "r")) {
      char buf[256];
      while (fgets(buf, sizeof buf, p)) out += buf;
      pclose(p);
    }
    return out;
  }

  std::string display_, path_;
  std::string window_;
};

}  // namespace xdo
