#include "shell/platform/window_state.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#ifdef HYGROVA_WITH_X11
#include "shell/platform/x11_properties.h"
#endif

namespace hygrova {
namespace {

// Window states in which the window manager decides the window's size.
constexpr Qt::WindowStates kSystemSizedStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

#ifdef HYGROVA_WITH_X11
// The ICCCM's WM_STATE value of an iconified window.
constexpr std::uint32_t kIconicState = 3;

// Whether the window manager shows the window as an icon; empty where no window manager
// has said anything of the window.
std::optional<bool> IconicOnX11(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_atom_t wmState = x11::Atom(connection, "WM_STATE");
    const auto state = x11::Property32(connection, window, wmState, wmState, 1);
    if (state.empty()) {
        return std::nullopt;
    }
    return state.front() == kIconicState;
}

// Whether the window manager lists a maximized or full-screen state on the window.
bool EnlargedOnX11(xcb_connection_t* connection, xcb_window_t window)
{
    const auto states = x11::Property32(connection, window, x11::Atom(connection, "_NET_WM_STATE"),
                                        XCB_ATOM_ATOM, 64);
    const xcb_atom_t enlarged[] = {x11::Atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                                   x11::Atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ"),
                                   x11::Atom(connection, "_NET_WM_STATE_FULLSCREEN")};
    return std::any_of(states.begin(), states.end(), [&](std::uint32_t state) {
        return state != XCB_ATOM_NONE &&
               std::find(std::begin(enlarged), std::end(enlarged), state) != std::end(enlarged);
    });
}
#endif

// How long after an activation the window asks again if another window of the program gets
// the focus.
constexpr std::chrono::milliseconds kActivationGrace{500};

// Asks the window manager to activate the window, with its own present time: an activation
// request from an application (_NET_ACTIVE_WINDOW, source 1) without a time.
void AskForActivationNow(QWidget& window)
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    const xcb_window_t id = x11::WindowOf(window);
    if (connection == nullptr || id == 0) {
        return;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = x11::Atom(connection, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 1;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

}  // namespace

bool IsMinimizedBySystem(const QWidget& window)
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection != nullptr && x11::WindowOf(window) != 0) {
        return IconicOnX11(connection, x11::WindowOf(window)).value_or(window.isMinimized());
    }
#endif
    return window.isMinimized();
}

bool IsSizedBySystem(const QWidget& window)
{
    if (window.windowState() & kSystemSizedStates) {
        return true;
    }
    // Before the window is first shown, the window manager has not seen it.
    if (!window.testAttribute(Qt::WA_WState_Visible)) {
        return false;
    }
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection != nullptr && x11::WindowOf(window) != 0) {
        return IconicOnX11(connection, x11::WindowOf(window)).value_or(false) ||
               EnlargedOnX11(connection, x11::WindowOf(window));
    }
#endif
    return false;
}

void RestoreMinimized(QWidget& window)
{
    if (window.isMinimized()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        return;
    }
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    const xcb_window_t id = x11::WindowOf(window);
    if (connection != nullptr && id != 0 && IconicOnX11(connection, id).value_or(false)) {
        xcb_map_window(connection, id);
        xcb_flush(connection);
    }
#endif
}

void ActivateWindow(QWidget& window)
{
    window.activateWindow();
    AskForActivationNow(window);
    // Where the window manager passes the focus on a moment later all the same (xfwm4 may,
    // once a message box has gone), the window asks once more.
    auto* watch = new QObject(&window);
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, watch,
                     [watch, &window](QWindow* focused) {
                         if (focused != nullptr && focused != window.windowHandle() &&
                             window.isVisible()) {
                             window.activateWindow();
                             AskForActivationNow(window);
                             watch->deleteLater();
                         }
                     });
    QTimer::singleShot(kActivationGrace, watch, &QObject::deleteLater);
}

bool PointerButtonHeld()
{
#ifdef HYGROVA_WITH_X11
    xcb_connection_t* connection = x11::Connection();
    if (connection != nullptr) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const x11::ReplyPtr<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(
            connection, xcb_query_pointer(connection, screen->root), nullptr));
        constexpr std::uint16_t kButtons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 |
                                           XCB_BUTTON_MASK_3 | XCB_BUTTON_MASK_4 |
                                           XCB_BUTTON_MASK_5;
        return pointer && (pointer->mask & kButtons) != 0;
    }
#endif
    return false;
}

StaysOnScreen::StaysOnScreen(QWidget& window) : QObject(&window), m_window(window)
{
    window.installEventFilter(this);
}

bool StaysOnScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::WindowStateChange &&
        m_window.isMinimized()) {
        // Once Qt has finished taking the window for minimized.
        QMetaObject::invokeMethod(
            this,
            [this] {
                RestoreMinimized(m_window);
                m_window.raise();
                m_window.activateWindow();
            },
            Qt::QueuedConnection);
    }
    return false;
}

}  // namespace hygrova
