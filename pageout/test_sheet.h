#pragma once

namespace pageout {

class TBasePageJob;

// Draws the one-page test sheet through every drawing operation of a job: inch rulers along
// the top and left edges, a 1-inch black square at (1, 1), a frame on the margins, text left,
// centred and right on one line, tab cells with borders and shade, a rounded rectangle, an
// ellipse, lines of pen widths -1 to -10, text turned by 90, 180 and 270 degrees and a bitmap.
// Printed on a real printer it shows how the printer places things.
void DrawTestSheet(TBasePageJob& job);

} // namespace pageout
