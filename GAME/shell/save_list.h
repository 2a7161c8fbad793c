// Listing the saved games of a player folder as thumbnails (the saved-games
// panel and a gallery chapter's Fill). Only the root element's attributes
// are read: "ImgSmAdr" (thumbnail entry of the preview pack), "rt"
// (rotation), "Min" (pieces along the shorter side), "ImgAdr" (full
// picture) and "regCg" (joins made).
//
// Which files: the entries of the folder matching "*.pzl" (any case), in a
// fixed order: names that are a decimal number (as the game names its saves)
// first, the highest number (the newest save) first; other names after them,
// compared without regard to case, in descending order. Each is read as a
// regular file through the file service (ST/xml_file.h), so a folder or
// other non-file named like a save, and a link below the documents folder,
// is never read. A file is skipped with a log line ("File not opened " and
// its path) when it cannot be read or parsed, when its root element is not
// "Save", or when its Min is outside 3..15 (a save of no puzzle the board
// can cut).
//
// Completion: a puzzle of c pieces needs c - 1 joins, so the percent is
// trunc(joins / (c - 1) * 100 + 0.5), held to 0..100; there is none (-1)
// for fewer than 2 pieces.
#pragma once

#include <string>
#include <vector>

class FRAME;

namespace GAME {

constexpr int kSaveMinLowest = 3;
constexpr int kSaveMinHighest = 15;

// Whether save name `a` comes before `b` in the listing order above.
bool SaveNameBefore(const std::string& a, const std::string& b);
// The "*.pzl" entry names of `folder`, in listing order.
std::vector<std::string> ListSaveNames(const char* folder);
// The completion percent of a puzzle of `count` pieces with `joins` made.
int CompletionPercent(int joins, int count);
// The thumbnail of the save at `path`, with the preview pack selected; null
// (and a log line) when the file is skipped.
FRAME* ReadSaveFrame(const std::string& path);
// Logs "Adr in fill" and the folder, then appends one thumbnail per save of
// the folder (its path = folder + name; logs "detected save " and the name
// for each entry) and returns how many it appended.
int AppendSaves(const char* folder, std::vector<FRAME*>* frames);

}  // namespace GAME
