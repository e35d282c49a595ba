#pragma once
// An offscreen screen of a chosen size for the programs that show the real
// windows headless; call before the application object is created.

class QTemporaryDir;

namespace quintara::test {

// Writes the screen's description into `dir` and points the offscreen
// platform at it; false when the file cannot be written. The size is in the
// table's pixels, as the platform gives them with its own scale: a screen of
// `scale` has that many of its own pixels to each.
bool UseOffscreenScreen(const QTemporaryDir &dir, int width, int height, double scale = 1);

} // namespace quintara::test
