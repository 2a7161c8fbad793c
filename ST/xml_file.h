// Reading an XML file of the game from disk. The bytes come through the file
// service's one reader of regular files (ST/file.h), so a folder, pipe,
// device or socket where the file should be is never opened as a document
// and never makes start-up wait, and its rules on links hold; pugixml then
// parses the bytes from memory.
#pragma once

#include <pugixml.hpp>

#include "ST/file.h"

namespace ZOV {

// Loads the file at `path` into `doc` (reset first). The result is pugixml's:
// status_file_not_found for a missing file, status_io_error for something
// that is no regular file or could not be read (with a log line saying which),
// else the parse's own. `read`, when given, receives what the reader found.
pugi::xml_parse_result LoadXmlFile(pugi::xml_document* doc, const char* path,
                                   iFile::ReadResult* read = nullptr);

}  // namespace ZOV
