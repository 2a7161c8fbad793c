// Texts made to fit a limited place without cutting a UTF-8 character in
// two: the quote of a file's text in a log line, and a folder name made
// from a configured text. Plain functions of their arguments; any thread.
//
// Anything read from a file (a configured name, an attribute, a pack entry
// name) may be of any length and hold any bytes. Log lines quote such a text
// through LogQuote, so that a line stays one short line whatever the file
// holds; folder names made from configured texts go through FolderNameFrom,
// so that every file system accepts them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ZOV {

// The most bytes of a file's text that a log line quotes.
constexpr std::size_t kLogQuoteBytes = 200;

// The longest folder name made from a configured text, in bytes. File
// systems take 255 bytes a name; the rest leaves room for the suffixes of
// temporary and set-aside files made beside it.
constexpr std::size_t kMaxFolderNameBytes = 200;

// The length of the longest prefix of `text` of at most `maxBytes` bytes
// that does not end inside a UTF-8 character. A text no longer than
// `maxBytes` keeps its whole length. Where the bytes at the cut are not
// UTF-8 (continuation bytes that no lead byte begins) no character can be
// split, and the text is cut at `maxBytes` itself; so with `maxBytes` of 4
// or more a non-empty text never shrinks to nothing.
std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes);

// `text` as a log line quotes it: control bytes (below 0x20, and 0x7F)
// become '?', so the line stays one line, and a text longer than `maxBytes`
// is cut at a character boundary and followed by "...". Null quotes as "".
std::string LogQuote(std::string_view text, std::size_t maxBytes = kLogQuoteBytes);
std::string LogQuote(const char* text, std::size_t maxBytes = kLogQuoteBytes);

// A folder name that is safe to put under the documents folder: not empty,
// not "." or "..", no path separators or control characters.
bool IsSafeFolderName(std::string_view name);

// The folder name made from a configured text: `fallback` when the text is
// not a safe folder name, else the text cut to kMaxFolderNameBytes at a
// character boundary.
std::string FolderNameFrom(std::string_view text, std::string_view fallback);

}  // namespace ZOV
