#include "table/windowsystem.h"

#include <cstdlib>

#include <QGuiApplication>

#ifdef QUINTARA_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace quintara {

bool DesktopMaximises()
{
#ifdef QUINTARA_HAVE_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return true;
    xcb_connection_t *c = x11->connection();
    // A running window manager names its check window on the root window.
    static const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
    bool managed = false;
    if (atom && atom->atom != XCB_ATOM_NONE) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_get_property_reply_t *property = xcb_get_property_reply(
            c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
        managed = property && xcb_get_property_value_length(property) == 4;
        std::free(property);
    }
    std::free(atom);
    return managed;
#else
    return true;
#endif
}

} // namespace quintara
