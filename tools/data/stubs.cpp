#include "tools/data/generator.h"
namespace gendata {
void MakeDecorations(Sink&) {}
void MakeSmallArt(Sink&) {}
void MakeTrophies(Sink&) {}
void MakePictures(Sink&) {}
void MakeSounds(Sink&) {}
void MakeMusic(Sink&) {}
void MakeEditions(Sink&) {}
}
