// The window in front and our own frame. Headless there is no X11 and the screen under the pointer
// stands in; run under an X server (QT_QPA_PLATFORM=xcb), with or without a window manager, the look-ups
// are compared with what Qt reports about its own windows.

#include "platform/X11DesktopWindows.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root; }

xcb_atom_t Atom(const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        Connection(), xcb_intern_atom(Connection(), false, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

bool RootHas(const char* property)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        Connection(), xcb_get_property(Connection(), false, Root(), Atom(property), XCB_ATOM_ANY, 0, 1), nullptr);
    const bool present = reply && reply->type != XCB_ATOM_NONE;
    std::free(reply);
    return present;
}

// Writes _NET_ACTIVE_WINDOW as a window manager would, and as it stays once that window is gone.
void SetActiveWindowProperty(xcb_window_t window)
{
    xcb_change_property(Connection(), XCB_PROP_MODE_REPLACE, Root(), Atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 32,
                        1, &window);
    // A round trip: the change is made before the look-up that follows.
    std::free(xcb_get_input_focus_reply(Connection(), xcb_get_input_focus(Connection()), nullptr));
}

} // namespace

class TestX11DesktopWindows : public QObject {
    Q_OBJECT

    static bool Headless() { return QGuiApplication::platformName() != "xcb"; }

private slots:
    void withoutX11TheScreenUnderThePointerStandsIn_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QRect>("rect");

        QTest::newRow("pointer on the first screen") << QPoint(100, 100) << QRect(0, 0, 800, 600);
        QTest::newRow("pointer on the second screen") << QPoint(1000, 700) << QRect(800, 0, 1024, 768);
        QTest::newRow("pointer off every screen gives the primary one") << QPoint(900, 700 + 1000) << QRect(0, 0, 800, 600);
    }

    void withoutX11TheScreenUnderThePointerStandsIn()
    {
        if (!Headless())
            QSKIP("an X server answers here");
        QFETCH(QPoint, pointer);
        QFETCH(QRect, rect);
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCursor::setPos(pointer);
        QCOMPARE(QCursor::pos(), pointer);
        QCOMPARE(TX11DesktopWindows().ForegroundRect(), rect);
    }

    void withoutX11NoFrameIsKnown()
    {
        if (!Headless())
            QSKIP("an X server answers here");
        QWidget window;
        window.winId();
        QCOMPARE(TX11DesktopWindows().FrameExtents(&window), QMargins());
    }

    void activeWindowIsTheForegroundWindowWithItsFrame()
    {
        if (Headless())
            QSKIP("needs an X server");
        QWidget window;
        window.setGeometry(120, 90, 300, 200);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(TX11DesktopWindows().ForegroundRect(), window.frameGeometry());
    }

    // Once the active window is gone, a window manager puts the input focus on a window of its
    // own (openbox: a hidden 1x1 window off the screen), which must not count as the window in front.
    void withNoWindowActiveTheScreenUnderThePointerStandsIn()
    {
        if (Headless())
            QSKIP("needs an X server");
        {
            QWidget window;
            window.setGeometry(120, 90, 300, 200);
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
        }
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        QVERIFY(screen);
        QTRY_COMPARE(TX11DesktopWindows().ForegroundRect(), screen->geometry());
    }

    // _NET_ACTIVE_WINDOW outlives its window (openbox leaves it when the active window closes)
    // and X hands the id on to a new window, which may be no managed window at all, like the
    // next dialog before it is shown.
    void activeWindowThatIsNoManagedWindowIsNotInFront()
    {
        if (Headless())
            QSKIP("needs an X server");
        if (!RootHas("_NET_CLIENT_LIST"))
            QSKIP("needs a window manager that lists its windows");
        QWidget unshown;
        unshown.setGeometry(200, 150, 300, 200);
        SetActiveWindowProperty(xcb_window_t(unshown.winId()));
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        QVERIFY(screen);
        QCOMPARE(TX11DesktopWindows().ForegroundRect(), screen->geometry());
    }

    void frameExtentsAreKnownBeforeTheWindowIsShown()
    {
        if (Headless())
            QSKIP("needs an X server");
        QWidget window(nullptr, Qt::Tool);
        window.resize(200, 100);
        window.winId();
        const QMargins extents = TX11DesktopWindows().FrameExtents(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect frame = window.frameGeometry();
        const QRect client = window.geometry();
        QTRY_COMPARE(QMargins(client.left() - frame.left(), client.top() - frame.top(),
                              frame.right() - client.right(), frame.bottom() - client.bottom()),
                     extents);
    }
};

int main(int argc, char* argv[])
{
    // Two screens side by side, so that the screen under the pointer is not simply the first one.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" FIXTURES_DIR "/two-screens.json");
    QApplication app(argc, argv);
    TestX11DesktopWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11desktopwindows.moc"
