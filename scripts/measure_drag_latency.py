#!/usr/bin/env python3
"""Measures, from outside the running game, how long a dragged piece takes
to show where the mouse moved it: the pointer is moved by the X test
extension, and the window's pixels around the piece are read back from the
X server until they change.

Used by scripts/measure_drag_latency.sh, which starts the X server and the
game; this part drives the game into play and times the drag:

  measure_drag_latency.py DISPLAY STATE_FILE PID MOVES PLUS

PLUS is the number of clicks on the set-up strip's "plus" (3 pieces along
the short side at first; 7 clicks give 10 × 13 = 130 pieces). Prints one
line: the pieces, the processor use of the puzzle at rest (cores, over 5 s,
the pointer off the board), and the number of moves with the latency's
median, smallest and largest in milliseconds.
"""
import ctypes
import os
import statistics
import subprocess
import sys
import time

display, state_path, pid, moves, plus = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
env = dict(os.environ, DISPLAY=display)


def read_state():
    lines = {}
    pieces = {}
    try:
        with open(state_path) as f:
            for line in f:
                w = line.split()
                if not w:
                    continue
                if w[0] in ("button", "tool", "tab", "picture", "piece") and len(w) > 1:
                    key = w[0] + " " + w[1]
                    vals = [int(x) for x in w[2:] if x.lstrip("-").isdigit()]
                    if w[0] == "piece":
                        pieces[int(w[1])] = vals
                    lines[key] = vals
                else:
                    lines[w[0]] = w[1:]
    except OSError:
        pass
    return lines, pieces


def get(lines, line, key):
    w = lines.get(line, [])
    for i in range(len(w) - 1):
        if w[i] == key:
            return int(w[i + 1])
    return None


def wait_for(cond, seconds=60, what=""):
    end = time.time() + seconds
    while time.time() < end:
        s = read_state()
        if cond(*s):
            return s
        time.sleep(0.05)
    sys.exit("timed out waiting for the game: " + what)


def xdo(*args):
    subprocess.run(["xdotool", *args], env=env, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


window = ""
for _ in range(200):
    found = subprocess.run(["xdotool", "search", "--pid", pid], env=env, capture_output=True, text=True).stdout.split()
    if found:
        window = found[0]
        break
    time.sleep(0.1)


# A press or a key held over a few frames, so that a frame sees it.
def click(x, y):
    xdo("mousemove", "--window", window, str(x), str(y))
    time.sleep(0.15)
    xdo("mousedown", "--window", window, "1")
    time.sleep(0.15)
    xdo("mouseup", "--window", window, "1")
    time.sleep(0.3)


def key(name):
    xdo("keydown", "--window", window, name)
    time.sleep(0.15)
    xdo("keyup", "--window", window, name)
    time.sleep(0.2)


# Into play: the second chapter, its first picture, the strip cut with more
# pieces, then play; the mouse help closed.
wait_for(lambda l, p: l.get("state", [None])[0] == "0", what="the menu")
l, _ = read_state()
if get(l, "slots", "dialog") == 1:
    key("Return")
    wait_for(lambda l, p: get(l, "slots", "dialog") == 0)
l, _ = read_state()
click(*l["tab 2"][:2])
wait_for(lambda l, p: l.get("category", [None])[0] == "2", what="the chapter")
l, _ = read_state()
click(*l["picture 0"][:2])
l, _ = read_state()
click(*l["button cut"][:2])
wait_for(lambda l, p: get(l, "slots", "strip") == 1, what="the set-up strip")
for i in range(plus):
    l, _ = read_state()
    click(get(l, "stripctl", "plus"), int(l["stripctl"][l["stripctl"].index("plus") + 2]))
    wait_for(lambda l, p, n=4 + i: get(l, "strip", "count") == n, what="the count")
key("Return")
wait_for(lambda l, p: l.get("state", [None])[0] == "6" and get(l, "state", "board") == 4 and p, what="play")
wait_for(lambda l, p: get(l, "slots", "help") == 1, what="the mouse help")
key("Return")
wait_for(lambda l, p: get(l, "slots", "help") == 0, what="the help closed")
time.sleep(4)  # the pieces land and come to rest


def cpu_seconds():
    with open("/proc/%s/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


# The puzzle at rest, the pointer off the board.
xdo("mousemove", "1000", "20")
c0, t0 = cpu_seconds(), time.time()
time.sleep(5)
rest = (cpu_seconds() - c0) / (time.time() - t0)

x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.POINTER(XImage)
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                          ctypes.c_ulong, ctypes.c_int]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

dpy = x11.XOpenDisplay(display.encode())
if not dpy:
    sys.exit("cannot open display " + display)
root = x11.XDefaultRootWindow(dpy)
ZPIXMAP = 2
ALL_PLANES = 0xFFFFFFFF


def grab(x, y, w, h):
    img = x11.XGetImage(dpy, root, x, y, w, h, ALL_PLANES, ZPIXMAP)
    if not img:
        return b""
    data = ctypes.string_at(img.contents.data, img.contents.bytes_per_line * img.contents.height)
    x11.XFree(img.contents.data)
    x11.XFree(img)
    return data


def move(x, y):
    xtst.XTestFakeMotionEvent(dpy, -1, x, y, 0)
    x11.XFlush(dpy)


# The game window's place on the screen.
geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env, capture_output=True,
                     text=True).stdout
g = dict(kv.split("=") for kv in geo.split())
ox, oy = int(g["X"]), int(g["Y"])

_, pieces = read_state()
grip = None
for i, v in sorted(pieces.items()):
    if len(v) >= 6 and v[4] >= 0 and 200 < v[4] < 800 and 200 < v[5] < 560:
        grip = (v[4] + ox, v[5] + oy)
        break
if grip is None:
    sys.exit("no piece to take")
move(*grip)
time.sleep(0.2)
xtst.XTestFakeButtonEvent(dpy, 1, 1, 0)
x11.XFlush(dpy)
time.sleep(0.5)

box = 96  # the pixels watched: a box around the pointer
lat = []
x, y = grip
for i in range(moves):
    step = 16 if i % 2 == 0 else -16
    nx = x + step
    bx, by = min(x, nx) - box // 2, y - box // 2
    before = grab(bx, by, box + abs(step), box)
    t0 = time.perf_counter()
    move(nx, y)
    rows = [before[r * len(before) // box:(r + 1) * len(before) // box] for r in range(box)]
    while True:
        now = grab(bx, by, box + abs(step), box)
        # The piece moved shows in many rows at once (a flicker of the
        # cursor's glitter in a few).
        changed = sum(1 for r in range(box) if now[r * len(now) // box:(r + 1) * len(now) // box] != rows[r])
        if len(now) == len(before) and changed >= 8:
            break
        if time.perf_counter() - t0 > 2.0:
            break
    lat.append((time.perf_counter() - t0) * 1000.0)
    x = nx
    time.sleep(0.15)  # the frame settles before the next move
xtst.XTestFakeButtonEvent(dpy, 1, 0, 0)
x11.XFlush(dpy)
print("%d pieces; at rest %.2f cores; %d moves, latency median %.1f ms, min %.1f, max %.1f" %
      (len(pieces), rest, len(lat), statistics.median(lat), min(lat), max(lat)))
