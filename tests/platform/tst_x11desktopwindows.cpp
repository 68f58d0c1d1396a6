// The window in front and our own frame. Headless there is no X11 and the screen under the pointer
// stands in; run under an X server (QT_QPA_PLATFORM=xcb), with or without a window manager, the look-ups
// are compared with what Qt reports about its own windows.

#include "platform/X11DesktopWindows.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <QWidget>

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
