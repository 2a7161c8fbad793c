// The engine's file service, one global instance `ZOV::ifile`:
//  - single entries out of password-protected zip packs (traditional PKWARE
//    encryption, stored or deflated entries), one open pack and one read
//    buffer at a time;
//  - the pack selection (current pack name and its password) that the
//    texture, sprite, particle, sound and XML loaders consult: while a pack
//    is selected their resource names are entry names of that pack, with no
//    pack they are plain file paths relative to the current folder;
//  - plain files, raw record files and folders;
//  - a line log that stays off unless LogInit switches it on;
//  - a message box and opening a file with the desktop.
//
// Zip operations return 1 for success and -1 for failure; file operations
// return 0 for success and 1 for failure. Nothing throws.
//
// There is no lock: one thread at a time may select packs and read entries
// (the selection, the archive and the read buffer are single shared fields).
#pragma once

#include <cstdint>
#include <string>

struct zip;

namespace ZOV {

// One node of a singly linked list of names, as FindDir returns them. The
// caller owns the nodes and the values (new[] copies); FreeNameList frees a
// whole list.
template <class T>
struct JINVECPTR {
  int index = 0;
  T value{};
  JINVECPTR* next = nullptr;
};

void FreeNameList(JINVECPTR<char*>* head);

// What ZipFindFile learnt about the entry it stands on.
struct ZipEntryInfo {
  uint64_t index = 0;              // position of the entry in the pack
  uint64_t uncompressed_size = 0;  // length of the read buffer's contents
  uint64_t compressed_size = 0;
  uint32_t crc = 0;
  uint16_t compression_method = 0;  // 0 stored, 8 deflated
  uint16_t encryption_method = 0;   // 0 none, 1 traditional PKWARE
};

class iFile {
 public:
  // Entries declaring more than this are refused rather than allocated.
  static constexpr uint64_t kMaxEntrySize = uint64_t(256) << 20;
  // Longest entry name kept in the entry-name field (longer names are still
  // compared in full).
  static constexpr int kNameCapacity = 260;

  // Constant-initialised: usable from any other static initialiser.
  constexpr iFile() = default;
  ~iFile();
  iFile(const iFile&) = delete;
  iFile& operator=(const iFile&) = delete;

  // --- Zip packs -----------------------------------------------------------
  // Opens the pack file (closing the previously open one first).
  int ZipOpen(const char* pack);
  // Walks the open pack's entries for one whose stored name equals `name`
  // byte for byte (case-sensitive, "/" as stored). Prints "Zip not find
  // <name>" when no entry matches; an empty pack fails silently.
  int ZipFindFile(const char* name);
  // Reads the entry ZipFindFile stands on, whole, into a new read buffer of
  // uncompressed size + 1 bytes (the spare byte is 0, but readers use the
  // size). The entry's checksum is verified: a wrong password, damaged data
  // or a short read fails (-1) and leaves no buffer. A null password reads
  // unencrypted entries only.
  int ZipReadFile(const char* password);
  int ZipClearData();
  int ZipCloze();
  // Whether entry `name` of the selected pack can be read (pack and password
  // must both be selected). The pack is closed again on every path.
  int ZipJustGetMeFile(const char* name);
  // The pointers are stored, not copied: they must outlive the selection.
  void ZipSetCurrentPack(char* pack) { current_pack = pack; }
  void ZipSetCurrentPass(char* password) { current_pass = password; }

  // Reads entry `name` of `pack` into `out` in one step (open, find, read,
  // clear, close); 1 on success, -1 on any failure with `out` left empty.
  int ZipReadEntry(const char* pack, const char* name, const char* password, std::string* out);

  // --- Plain files ---------------------------------------------------------
  // Rules every reader and writer below follows:
  //  - Only a regular file is read or written: a folder, pipe, device or
  //    socket at the path is refused, and opening never waits on a pipe.
  //  - A write never goes through a link: a link at the path is replaced by
  //    the new file (atomic replace) or refused (append, truncation).
  //  - Below the user's documents folder (GetFolderPath), where the game
  //    keeps its per-user files, no link is followed at all: a link there,
  //    as the file or as any folder on the way to it, makes the path refused
  //    for reading and for writing. The documents folder itself may be one.

  // What reading a file found.
  enum class ReadResult {
    kOk,        // the whole regular file was read
    kMissing,   // nothing at the path (or a folder on the way is missing)
    kNotAFile,  // a folder, pipe, device or socket, or a refused link
    kFailed,    // a read error, no permission, or larger than kMaxEntrySize
  };
  // Reads the whole regular file into `out` (emptied first).
  ReadResult ReadRegularFile(const char* path, std::string* out);

  // True when a file or a folder exists at the path.
  bool CheckFileExist(const char* path);
  // Empties an existing regular file (0); 1 when it is missing, not a
  // regular file, a link, or cannot be opened.
  int CreateNewEmptyFile(const char* path);
  // The whole file in a new char[size + 1] ending in a 0 byte (delete[] it).
  // A missing file is created empty first; null when it cannot be read or
  // is not a regular file.
  char* FileRead(const char* path);
  // 0 when something existed at the path and was deleted (a link itself is
  // deleted, never its target); 1 otherwise.
  int FileDel(const char* path);
  // Appends the text, after a "\n" when the file is not empty. A link at
  // the path is refused (1).
  int WriteInFileBack(const char* path, const char* text);
  // Puts the text first, then "\n" when the old contents were not empty,
  // then the old contents. Replaces the file atomically; a link at the path
  // is refused (1), as is anything that is not a regular file.
  int WriteInFileFirst(const char* path, const char* text);
  // Writes `size` raw bytes as the whole file, atomically (a temporary file
  // in the same folder, flushed, then renamed over the old one, so a link at
  // the path is replaced, never written through). Fails (1) on an existing
  // file that may not be written, and on a folder, pipe, device or socket.
  // The temporary file is "<name>.~<process id>.<6 letters or digits>"; one
  // of the same file left by a writer process that no longer runs (killed
  // during a write) is removed by the next write of that file.
  int SaveData(const char* path, const void* data, int size);
  // SaveData without the flush to disk before the rename (which costs some
  // milliseconds a write): a reader still finds the old contents or the new
  // ones whole, never half, but a power cut soon after may leave the file
  // old, empty or missing. Only for data whose loss on a power cut does not
  // matter, such as a view of the running program rewritten every frame;
  // whatever a player keeps goes through SaveData.
  int SaveDataUnflushed(const char* path, const void* data, int size);
  // Reads up to `size` raw bytes from the start of the regular file; a short
  // file leaves the rest of `data` untouched.
  int LoadData(const char* path, void* data, int size);

  // How many names SetAside tries: "<path>.bad", then "<path>.bad.1" up to
  // "<path>.bad.<kSetAsideNames - 1>".
  static constexpr int kSetAsideNames = 100;
  // Moves a damaged file (or whatever is at the path: a folder, a link)
  // aside under the first of those names that is free, never replacing
  // anything. Returns the path it now has; "" when nothing was at the path,
  // every name was taken, or the rename failed (it then stays where it is).
  std::string SetAside(const char* path);

  // --- Folders -------------------------------------------------------------
  // What is at the path itself: a link is never followed, so a link, to a
  // folder or dangling, is kLink. kOther is a file, pipe, device or socket.
  enum class PathKind { kNothing, kFolder, kLink, kOther };
  static PathKind WhatIsAt(const char* path);
  // 0 created (one level), 1 something exists there already, 2 failed.
  int CreateDir(const char* path);
  // Deletes the folder and everything in it. Symbolic links inside are
  // removed, never followed; an empty path, the root and a path that is
  // itself a link are refused. True when everything was removed.
  bool DirDel(const char* path);
  // Lists the folder's entries matching a Windows-style mask ("*.*" every
  // entry, "*.pzl" a suffix; case-insensitive): mode 0 every entry, mode 1
  // folders only (below the documents folder a link to a folder is not
  // one), other modes nothing. Names are taken in case-insensitive order;
  // each new node goes to the head, so the head holds the last name with
  // the highest index. Null when nothing was kept or on failure.
  JINVECPTR<char*>* FindDir(const char* dir, const char* mask, int mode);
  // The current folder, in a buffer of this object (overwritten next call).
  char* GetCurrentDir();
  // Changes the current folder; returns 0 whatever happened.
  int SetCurrentDir(const char* path);
  // The user's documents folder in a new char[] (delete[] it); null if none.
  char* GetFolderPath();
  // Makes the program's own folder the current folder; returns 0.
  int SetGameDir();

  // --- Messages, shell and log -----------------------------------------------
  int ShowMessage(const char* text, const char* caption);
  // Opens a file of the current folder with the desktop's default program.
  // Only a plain existing file name is accepted (no folders, no options).
  bool fOpenURL(const char* path);
  int LogInit(const char* name, const char* folder);
  int Log(const char* text, bool back);
  int Log(char* text, bool back);
  int Log(int value, bool back);
  int Log(float value, bool back);
  int Log(char* a, char* b, bool back);
  int Log(char* a, int value, bool back);
  int Log(char* a, float value, bool back);
  iFile& operator<<(char* text);
  iFile& operator<<(const char* text);
  iFile& operator<<(int value);
  iFile& operator<<(float value);
  iFile& operator>>(char* text);
  iFile& operator>>(int value);
  iFile& operator>>(float value);

  // Test seam for the atomic replace: called once the temporary file holds
  // half of the new contents. Returning false makes the write fail there.
  using WriteFaultHook = bool (*)(const char* temp_path);
  static void SetWriteFaultHookForTests(WriteFaultHook hook);

  // The selection and the last read, read directly by the loaders.
  char* current_pack = nullptr;
  char* current_pass = nullptr;
  char* read_buffer = nullptr;
  ZipEntryInfo file_info;

  // The name of the entry last examined by ZipFindFile (at most 259 bytes).
  const char* EntryName() const { return entry_name_; }
  bool IsPackOpen() const { return archive_ != nullptr; }

 private:
  int WriteLine(const std::string& line, bool back);
  // Whether the atomic replace flushes the new file to disk before the
  // rename.
  enum class Flush { kToDisk, kNo };
  bool ReplaceFile(const char* path, const std::string& contents, Flush flush);
  int SaveBytes(const char* path, const void* data, int size, Flush flush);

  char folder_[kNameCapacity] = {};
  bool log_on_ = false;
  char* log_name_ = nullptr;
  char* log_folder_ = nullptr;
  char entry_name_[kNameCapacity] = {};
  bool has_entry_ = false;
  zip* archive_ = nullptr;
};

extern iFile ifile;

}  // namespace ZOV
