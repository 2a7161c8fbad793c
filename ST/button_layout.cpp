#include "ST/button_layout.h"

#include "ST/button.h"

namespace ZOV {

namespace {

float HalfFrame(const JBUTTONMAP4& b) { return float(FrameWidth(b)) / 2.0f; }

// The row of a button straddling the edge: a quarter of its height above it.
int EdgeRow(const JBUTTONMAP4& b, float edgeY) { return int(edgeY - float(b.GetHeight()) / 4.0f); }

}  // namespace

int FrameWidth(const JBUTTONMAP4& b) { return b.frame.x; }

void PlaceOkCancel(JBUTTONMAP4& ok, JBUTTONMAP4& cancel, float x, float rowY) {
  ok.SetPos(int(x - HalfFrame(ok)), int(rowY));
  cancel.SetPos(int(x + HalfFrame(cancel)), int(rowY));
}

void PlaceOkCancelOnEdge(JBUTTONMAP4& ok, JBUTTONMAP4& cancel, float x, float edgeY) {
  ok.SetPos(int(x - HalfFrame(ok)), EdgeRow(ok, edgeY));
  cancel.SetPos(int(x + HalfFrame(cancel)), EdgeRow(cancel, edgeY));
}

void PlaceOnEdge(JBUTTONMAP4& button, float x, float edgeY) { button.SetPos(int(x), EdgeRow(button, edgeY)); }

}  // namespace ZOV
