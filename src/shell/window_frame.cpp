#include "shell/window_frame.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include <QGuiApplication>
#include <QWidget>

#ifdef HYGROVA_WITH_X11
#include <xcb/xcb.h>
#endif

namespace hygrova {

#ifdef HYGROVA_WITH_X11
namespace {

// The _NET_FRAME_EXTENTS property of an X window: left, right, top, bottom, in device pixels.
std::optional<std::array<std::uint32_t, 4>> FrameExtents(xcb_connection_t* connection,
                                                         xcb_window_t window)
{
    static constexpr char kName[] = "_NET_FRAME_EXTENTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof kName - 1, kName), nullptr);
    if (atom == nullptr) {
        return std::nullopt;
    }
    const xcb_atom_t name = atom->atom;
    std::free(atom);
    if (name == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    if (reply == nullptr) {
        return std::nullopt;
    }
    std::optional<std::array<std::uint32_t, 4>> extents;
    if (reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
        const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        extents = std::array<std::uint32_t, 4>{values[0], values[1], values[2], values[3]};
    }
    std::free(reply);
    return extents;
}

}  // namespace
#endif

QSize WindowFrameSize(const QWidget& window)
{
#ifdef HYGROVA_WITH_X11
    const auto* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return window.frameGeometry().size() - window.size();
    }
    // Until the window manager has framed the window (or without one) there is no frame. Qt's
    // own guess at the frame can be far off while the window is being framed.
    const auto extents =
        window.internalWinId() != 0
            ? FrameExtents(x11->connection(), static_cast<xcb_window_t>(window.internalWinId()))
            : std::nullopt;
    if (!extents) {
        return QSize(0, 0);
    }
    const qreal ratio = window.devicePixelRatioF();
    const auto [left, right, top, bottom] = *extents;
    return QSize(qRound((left + right) / ratio), qRound((top + bottom) / ratio));
#else
    return window.frameGeometry().size() - window.size();
#endif
}

}  // namespace hygrova
