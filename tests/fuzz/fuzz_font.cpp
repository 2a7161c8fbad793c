// A font descriptor through ZOV::JFONT, on the recording renderer: the
// input is the descriptor file; its page image is "page.png" of the working
// folder when it names that (the seeds do), else none. The font then measures and
// draws a line of Latin, Cyrillic and characters it may lack.
#include <memory>

#include "ST/font.h"
#include "platform/gfx_image.h"
#include "tests/fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  fuzzenv::RecordingEngine();
  fuzzenv::WritePng("page.png", 256, 256);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput("fuzz.fnt", data, size);
  {
    ZOV::JFONT font("fuzz.fnt", 0);
    const wchar_t* line = L"Ab 09 Жж \u2603\t%";
    int sink = font.GetStringLenght("Ab 09 %s") + font.GetStringLenght(line) + font.GetStringHeight("A\nB");
    sink += font.GetLetterWidth('A') + font.GetLetterWidth(0x10FFFF);
    font.Rende(10, 10, "Ab 09 Zz");
    font.Rende(10, 40, line);
    font.Render(10, 70, "%d %s", sink, "x");
  }
  fuzzenv::DropRecordedDraws();
  return 0;
}
