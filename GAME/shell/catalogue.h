// Reading the picture catalogue "pzls.xml" into gallery chapters.
//
// Format: the root element (any name) holds the chapters (any element name,
// no attributes used), each holding its pictures (any element name) with the
// attributes "adrSm" (thumbnail entry of the preview pack C_NAME_PACK_IMAGE_PREV),
// "amount" (total pieces, 0 or missing for a random count), "rot" (pieces
// may be rotated) and "adrFm" (full picture entry of C_NAME_PACK_IMAGE_SMAL).
// Only elements count: text, CDATA and comments between them are skipped.
//
// The file is read from disk through the file service (ST/xml_file.h: a
// regular file only). A missing, unreadable or broken file gives no
// chapters. At most kMaxChapters are read, as the book has one tab for each
// and the saves tab takes the next id; a log line names how many more were
// left out.
#pragma once

#include <vector>

class FRAME_CHOISE_GROUP;

namespace GAME {

constexpr int kMaxChapters = 9;

// Appends one chapter per chapter element of the file at `path` (the caller
// owns them) and returns how many it appended.
int ReadCatalogue(const char* path, std::vector<FRAME_CHOISE_GROUP*>* chapters);

}  // namespace GAME
