#include "ST/xml_file.h"

#include <string>

#include "platform/sys.h"

namespace ZOV {

pugi::xml_parse_result LoadXmlFile(pugi::xml_document* doc, const char* path, iFile::ReadResult* read) {
  doc->reset();
  std::string bytes;
  const iFile::ReadResult found = ifile.ReadRegularFile(path, &bytes);
  if (read) *read = found;
  pugi::xml_parse_result result;
  const std::string shown = path ? path : "";
  switch (found) {
    case iFile::ReadResult::kOk:
      return doc->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    case iFile::ReadResult::kMissing: result.status = pugi::status_file_not_found; return result;
    case iFile::ReadResult::kNotAFile:
      plat::PrintLine(shown + ": not a regular file (a folder, pipe, device or link), not read");
      break;
    case iFile::ReadResult::kFailed: plat::PrintLine(shown + ": could not be read"); break;
  }
  result.status = pugi::status_io_error;
  return result;
}

}  // namespace ZOV
