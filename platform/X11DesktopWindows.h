#pragma once
// TX11DesktopWindows: the window in front and our frame as the X11 window manager reports them;
// the screen under the mouse pointer where X11 cannot tell (Wayland, offscreen, no such window).

#include "platform/DesktopWindows.h"

class TX11DesktopWindows : public TDesktopWindows {
public:
    /// The window that _NET_ACTIVE_WINDOW on the root window names, if the window manager lists
    /// it in _NET_CLIENT_LIST, with the frame that its _NET_FRAME_EXTENTS gives; without a window
    /// manager that keeps _NET_ACTIVE_WINDOW, the window with the input focus, as the outermost
    /// window below the root that holds it; else the screen under the mouse pointer.
    QRect ForegroundRect() override;
    /// Asks the window manager for its estimate (_NET_REQUEST_FRAME_EXTENTS) and waits for the
    /// answer a short while.
    QMargins FrameExtents(QWidget* window) override;
};
