#include "shell/native_title.h"

#include <cstdlib>

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace hygrova {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name, std::uint16_t length)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace

void ShowEmptyTitle(QWidget& window)
{
    const auto* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    static constexpr char kNetName[] = "_NET_WM_NAME";
    static constexpr char kUtf8[] = "UTF8_STRING";
    const xcb_atom_t netName = Atom(connection, kNetName, sizeof kNetName - 1);
    const xcb_atom_t utf8 = Atom(connection, kUtf8, sizeof kUtf8 - 1);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, nullptr);
    if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, nullptr);
    }
    xcb_flush(connection);
}

}  // namespace hygrova
