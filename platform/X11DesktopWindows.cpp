#include "platform/X11DesktopWindows.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {

template <typename TReply>
using TReplyPointer = std::unique_ptr<TReply, decltype(&std::free)>;

template <typename TReply>
TReplyPointer<TReply> Owned(TReply* reply)
{
    return TReplyPointer<TReply>(reply, &std::free);
}

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, true, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit items of a property; none when it is missing or of another type.
std::vector<uint32_t> Property(xcb_connection_t* connection, xcb_window_t window, const char* name, xcb_atom_t type)
{
    const xcb_atom_t property = Atom(connection, name);
    if (property == XCB_ATOM_NONE)
        return {};
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto* items = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(items, items + xcb_get_property_value_length(reply.get()) / 4);
}

// _NET_FRAME_EXTENTS holds left, right, top and bottom.
std::optional<QMargins> FrameExtentsOf(xcb_connection_t* connection, xcb_window_t window)
{
    const std::vector<uint32_t> extents = Property(connection, window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (extents.size() != 4)
        return std::nullopt;
    return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
}

// The window's rectangle in root coordinates, its X border included.
std::optional<QRect> WindowRect(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window)
{
    const auto geometry = Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    const auto origin = Owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, 0, 0), nullptr));
    if (!geometry || !origin)
        return std::nullopt;
    const int border = geometry->border_width;
    return QRect(origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
                 geometry->height + 2 * border);
}

bool WindowManagerSupports(xcb_connection_t* connection, xcb_window_t root, const char* name)
{
    const xcb_atom_t atom = Atom(connection, name);
    const std::vector<uint32_t> supported = Property(connection, root, "_NET_SUPPORTED", XCB_ATOM_ATOM);
    return atom != XCB_ATOM_NONE && std::find(supported.begin(), supported.end(), atom) != supported.end();
}

// _NET_ACTIVE_WINDOW may outlive its window (openbox leaves it when the active window closes),
// and X hands the id on to a new window, which need not be managed or even shown: the window in
// front is one the window manager lists, where it keeps a list.
bool IsListedClient(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window)
{
    if (!WindowManagerSupports(connection, root, "_NET_CLIENT_LIST"))
        return true;
    const std::vector<uint32_t> clients = Property(connection, root, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    return std::find(clients.begin(), clients.end(), window) != clients.end();
}

std::optional<QRect> ActiveWindowRect(xcb_connection_t* connection, xcb_window_t root)
{
    const std::vector<uint32_t> active = Property(connection, root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW);
    if (active.empty() || active[0] == XCB_WINDOW_NONE || !IsListedClient(connection, root, active[0]))
        return std::nullopt;
    std::optional<QRect> rect = WindowRect(connection, root, active[0]);
    if (rect)
        *rect += FrameExtentsOf(connection, active[0]).value_or(QMargins());
    return rect;
}

// The focus may lie on an inner window; its ancestor right below the root is the whole window,
// or the window manager's frame around it.
std::optional<xcb_window_t> OutermostAncestor(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window)
{
    for (int depth = 0; depth < 64; ++depth) {
        const auto tree = Owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
        if (!tree)
            return std::nullopt;
        if (tree->parent == root)
            return window;
        window = tree->parent;
    }
    return std::nullopt;
}

std::optional<QRect> FocusWindowRect(xcb_connection_t* connection, xcb_window_t root)
{
    const auto focus = Owned(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    if (!focus || focus->focus == XCB_WINDOW_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT
        || focus->focus == root)
        return std::nullopt;
    const std::optional<xcb_window_t> outermost = OutermostAncestor(connection, root, focus->focus);
    return outermost ? WindowRect(connection, root, *outermost) : std::nullopt;
}

QScreen* ScreenAtNative(const QPoint& point)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        if (QRect(logical.topLeft(), logical.size() * screen->devicePixelRatio()).contains(point))
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

// X11 counts device pixels; Qt places windows in device-independent ones, scaled per screen
// around the screen's origin.
QRect FromNative(const QRect& rect)
{
    const QScreen* screen = ScreenAtNative(rect.center());
    if (!screen)
        return rect;
    const qreal ratio = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();
    return QRect(origin + (rect.topLeft() - origin) / ratio, rect.size() / ratio);
}

QRect ScreenUnderPointer()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

void RequestFrameExtents(xcb_connection_t* connection, xcb_window_t root, xcb_window_t window)
{
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = window;
    request.type = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(connection, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

} // namespace

QRect TX11DesktopWindows::ForegroundRect()
{
    xcb_connection_t* connection = Connection();
    if (!connection)
        return ScreenUnderPointer();
    const xcb_window_t root = RootWindow(connection);
    std::optional<QRect> rect = ActiveWindowRect(connection, root);
    // A window manager that keeps _NET_ACTIVE_WINDOW has the last word: with no window active
    // (or the active one gone), the input focus rests on a window of its own, often a hidden
    // 1x1 window off the screen, which is no window in front.
    if (!rect && !WindowManagerSupports(connection, root, "_NET_ACTIVE_WINDOW"))
        rect = FocusWindowRect(connection, root);
    return rect ? FromNative(*rect) : ScreenUnderPointer();
}

QMargins TX11DesktopWindows::FrameExtents(QWidget* window)
{
    xcb_connection_t* connection = Connection();
    if (!connection || !window)
        return QMargins();
    const xcb_window_t root = RootWindow(connection);
    const auto id = static_cast<xcb_window_t>(window->winId());
    if (!WindowManagerSupports(connection, root, "_NET_REQUEST_FRAME_EXTENTS"))
        return QMargins();
    RequestFrameExtents(connection, root, id);
    // The window manager answers by setting the property; one that never does costs 0.1 s.
    std::optional<QMargins> extents = FrameExtentsOf(connection, id);
    for (int attempt = 0; !extents && attempt < 100; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        extents = FrameExtentsOf(connection, id);
    }
    return extents.value_or(QMargins()) / window->devicePixelRatio();
}
