#pragma once
// An offscreen screen of a chosen size for the programs that show the real
// windows headless; call before the application object is created.

class QTemporaryDir;

namespace quintara::test {

// Writes the screen's description into `dir` and points the offscreen
// platform at it; false when the file cannot be written.
bool UseOffscreenScreen(const QTemporaryDir &dir, int width, int height);

} // namespace quintara::test
