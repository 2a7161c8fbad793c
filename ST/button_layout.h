// Where the windows put their four-frame buttons. A button image holds four
// equal frames side by side (normal, hover, pressed, disabled), so a frame
// is a quarter of the image's width and half a frame an eighth of it.
//
// OK and Cancel stand either side of a window's vertical centre line, OK on
// the left, each half its own frame from the line, so that the two meet on
// it. A window either puts both on one row, or lets them straddle its lower
// edge: each button's centre a quarter of its own height above the edge, so
// that the edge cuts it in its upper quarter. A lone OK straddles the edge
// the same way, centred on the line. Every position is truncated toward
// zero. Main thread only; the buttons are lent.
#pragma once

class JBUTTONMAP4;

namespace ZOV {

// A four-frame button's frame width: a quarter of its image width.
int FrameWidth(const JBUTTONMAP4& b);

// OK left and Cancel right of the centre line `x`, each half its own frame
// from it, both centred on `rowY`.
void PlaceOkCancel(JBUTTONMAP4& ok, JBUTTONMAP4& cancel, float x, float rowY);

// OK and Cancel either side of `x` as PlaceOkCancel puts them, straddling
// the window's lower edge `edgeY`.
void PlaceOkCancelOnEdge(JBUTTONMAP4& ok, JBUTTONMAP4& cancel, float x, float edgeY);

// A lone button centred on `x`, straddling the lower edge `edgeY`.
void PlaceOnEdge(JBUTTONMAP4& button, float x, float edgeY);

}  // namespace ZOV
