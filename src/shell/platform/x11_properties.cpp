#include "shell/platform/x11_properties.h"

#ifdef HYGROVA_WITH_X11

#include <cstring>

#include <QGuiApplication>
#include <QWidget>

namespace hygrova::x11 {

xcb_connection_t* Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    return Atoms(connection, {name}).front();
}

std::vector<xcb_atom_t> Atoms(xcb_connection_t* connection,
                              std::initializer_list<const char*> names)
{
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const char* name : names) {
        cookies.push_back(xcb_intern_atom(
            connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name));
    }
    std::vector<xcb_atom_t> atoms;
    for (const xcb_intern_atom_cookie_t cookie : cookies) {
        const ReplyPtr<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(connection, cookie, nullptr));
        atoms.push_back(atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE});
    }
    return atoms;
}

std::vector<std::uint32_t> Property32(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t name, xcb_atom_t type, std::uint32_t count)
{
    if (name == XCB_ATOM_NONE || window == XCB_WINDOW_NONE) {
        return {};
    }
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, count), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get()) / 4;
    return std::vector<std::uint32_t>(values, values + length);
}

xcb_window_t WindowOf(const QWidget& widget)
{
    return static_cast<xcb_window_t>(widget.internalWinId());
}

}  // namespace hygrova::x11

#endif
