#pragma once
// TDesktopWindows: what the window system says about windows: the one in front, and frames.

#include <QMargins>
#include <QRect>

class QWidget;

class TDesktopWindows {
public:
    virtual ~TDesktopWindows() = default;
    /// The outer rectangle, frame included, of the window in front, in screen coordinates.
    virtual QRect ForegroundRect() = 0;
    /// The frame that the window manager will put around window, which exists but is not shown
    /// yet; no margins when that cannot be learnt.
    virtual QMargins FrameExtents(QWidget* window) = 0;
};
