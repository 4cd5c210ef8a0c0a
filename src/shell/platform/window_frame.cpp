#include "shell/platform/window_frame.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifdef HYGROVA_WITH_X11
#include "shell/platform/x11_properties.h"
#endif

namespace hygrova {

#ifdef HYGROVA_WITH_X11
namespace {

using x11::Atom;
using x11::Property32;
using x11::ReplyPtr;

// How long RequestFrameExtents waits for the window manager's answer at most.
constexpr std::chrono::milliseconds kFrameAnswerTimeout{300};

// The _NET_FRAME_EXTENTS property of an X window: left, right, top, bottom, in device pixels.
std::optional<std::array<std::uint32_t, 4>> FrameExtents(xcb_connection_t* connection,
                                                         xcb_window_t window)
{
    const auto values = Property32(connection, window, Atom(connection, "_NET_FRAME_EXTENTS"),
                                   XCB_ATOM_CARDINAL, 4);
    if (values.size() != 4) {
        return std::nullopt;
    }
    return std::array<std::uint32_t, 4>{values[0], values[1], values[2], values[3]};
}

// Frame extents in device pixels (left, right, top, bottom) as margins in device-independent
// pixels. Each pair of sides adds up to its whole rounded, so that the frame's size is as
// exact as it can be (at a ratio of 2 a one-pixel border on each side adds one pixel).
QMargins InPixels(const std::array<std::uint32_t, 4>& extents, qreal ratio)
{
    const auto [left, right, top, bottom] = extents;
    const int x = qRound(left / ratio);
    const int y = qRound(top / ratio);
    return QMargins(x, y, qRound((left + right) / ratio) - x, qRound((top + bottom) / ratio) - y);
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window)
{
    const ReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    return tree ? tree->root : xcb_window_t{XCB_WINDOW_NONE};
}

}  // namespace
#endif

namespace {

// The frame as Qt knows it: on platforms without frame extents, and in a build without X11.
QMargins QtFrameMargins(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

}  // namespace

std::optional<QMargins> AnnouncedFrameMargins(const QWidget& window)
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection == nullptr) {
        return QtFrameMargins(window);
    }
    // Qt's own guess at the frame can be far off while the window is being framed.
    const auto extents =
        window.internalWinId() != 0
            ? FrameExtents(connection, static_cast<xcb_window_t>(window.internalWinId()))
            : std::nullopt;
    if (!extents) {
        return std::nullopt;
    }
    return InPixels(*extents, window.devicePixelRatioF());
#else
    return QtFrameMargins(window);
#endif
}

std::optional<QMargins> ExpectedFrameMargins(QWidget* window)
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection == nullptr) {
        return std::nullopt;
    }
    QWindow probe;
    if (window == nullptr) {
        probe.create();
    }
    const auto id = static_cast<xcb_window_t>(window != nullptr ? window->winId() : probe.winId());
    const qreal ratio = window != nullptr ? window->devicePixelRatioF() : probe.devicePixelRatio();
    // Only a window manager that lists the request among the hints it supports answers it.
    const xcb_window_t root = RootOf(connection, id);
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    bool supported = false;
    for (const std::uint32_t hint :
         Property32(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024)) {
        supported = supported || (request != XCB_ATOM_NONE && hint == request);
    }
    if (!supported) {
        return QMargins();
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // The answer is a property of the window; the window manager sets it when it gets to
    // the request.
    const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerTimeout;
    auto extents = FrameExtents(connection, id);
    while (!extents && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        extents = FrameExtents(connection, id);
    }
    if (!extents) {
        return QMargins();
    }
    return InPixels(*extents, ratio);
#else
    Q_UNUSED(window);
    return std::nullopt;
#endif
}

WindowManagerCue CueOfNativeEvent(const QByteArray& eventType, const void* message)
{
#ifdef HYGROVA_WITH_X11
    if (eventType != "xcb_generic_event_t") {
        return WindowManagerCue::None;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
        case XCB_REPARENT_NOTIFY:
        case XCB_PROPERTY_NOTIFY:
            return WindowManagerCue::FrameMayHaveChanged;
        case XCB_FOCUS_OUT:
        case XCB_FOCUS_IN: {
            // The focus events that a keyboard grab causes, not those of the pointer's window.
            const auto* focus = static_cast<const xcb_focus_in_event_t*>(message);
            if (focus->detail == XCB_NOTIFY_DETAIL_POINTER) {
                return WindowManagerCue::None;
            }
            // Focus leaving for a grab starts the interactive change; whatever the focus does next
            // (back to the window when the grab ends, or elsewhere) ends it.
            const bool grabbed = (event->response_type & 0x7f) == XCB_FOCUS_OUT &&
                                 focus->mode == XCB_NOTIFY_MODE_GRAB;
            return grabbed ? WindowManagerCue::InteractiveChangeStarted
                           : WindowManagerCue::InteractiveChangeEnded;
        }
        default:
            return WindowManagerCue::None;
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return WindowManagerCue::None;
#endif
}

void ShowEmptyTitle(QWidget& window)
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        0, nullptr);
    const xcb_atom_t netName = Atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
    if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, nullptr);
    }
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

void DeclareOrdinaryWindow(QWidget& window)
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t normal = Atom(connection, "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id,
                        Atom(connection, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &normal);
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

}  // namespace hygrova
