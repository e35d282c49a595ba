#pragma once
// What the desktop does with a window asked to be maximised.

namespace quintara {

// Whether the desktop maximises the window itself. On X11 that takes a
// window manager; with none (a bare X server such as Xvfb) the window must
// take the screen's area on its own. Wayland compositors always do it.
bool DesktopMaximises();

} // namespace quintara
