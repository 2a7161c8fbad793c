#include "tools/data/generator.h"
namespace gendata {
void MakePictures(Sink&) {}
void MakeSounds(Sink&) {}
void MakeMusic(Sink&) {}
void MakeEditions(Sink&) {}
}
