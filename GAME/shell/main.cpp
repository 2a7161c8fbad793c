// The game program: runs the game from the current folder.
#include "GAME/shell/entry.h"

int main() { return WinMain(); }
