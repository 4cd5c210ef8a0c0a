#pragma once

// The X11 side of the platform glue: Qt's own xcb connection and the properties of X
// windows, read and written directly where Qt does not tell or do what the window manager
// needs. Only in builds with X11.

#ifdef HYGROVA_WITH_X11

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <vector>

#include <xcb/xcb.h>

class QWidget;

namespace hygrova::x11 {

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
// An xcb reply, freed with the pointer.
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeDeleter>;

// Qt's connection to the X server; null when the program does not run on X11.
xcb_connection_t* Connection();

// The atom of the name, XCB_ATOM_NONE when the server has none of that name; and of several
// names, asked in one round trip.
xcb_atom_t Atom(xcb_connection_t* connection, const char* name);
std::vector<xcb_atom_t> Atoms(xcb_connection_t* connection,
                              std::initializer_list<const char*> names);

// The 32-bit values of a property of an X window (empty when it is not set or has another
// type or format).
std::vector<std::uint32_t> Property32(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t name, xcb_atom_t type, std::uint32_t count);

// The X window of a top-level widget, 0 while it has none.
xcb_window_t WindowOf(const QWidget& widget);

}  // namespace hygrova::x11

#endif
