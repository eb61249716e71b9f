#pragma once
// Moving the pixels of an image within it, as a scrolled view needs: what
// moves out of the image is lost, what it uncovers keeps its old pixels
// until it is drawn.

class QImage;

// Moves the whole picture by dx pixels to the right and dy pixels down
// (negative: left, up). Nothing for a null image or a move by its size or
// more.
void scrollImage(QImage& image, int dx, int dy);
