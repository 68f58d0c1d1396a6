#include "app/StartupTrace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool TraceEnabled()
{
    static const bool enabled = [] {
        const char* value = std::getenv("CMDFORM_TRACE");
        return value && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

QElapsedTimer& Clock()
{
    static QElapsedTimer clock;
    return clock;
}

// Watches every object's events until the first window has been painted, then removes itself.
class TFirstWindowWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !FShown && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            FShown = true;
            TraceMark("show");
        } else if (event->type() == QEvent::Expose && FShown && !FExposed && watched->isWindowType()
                   && static_cast<QWindow*>(watched)->isExposed()) {
            FExposed = true;
            TraceMark("expose");
            // The expose paints and flushes the window before the loop turns again.
            QTimer::singleShot(0, this, [this] {
                TraceMark("painted");
                QCoreApplication::instance()->removeEventFilter(this);
                deleteLater();
            });
        }
        return false;
    }

private:
    bool FShown = false;
    bool FExposed = false;
};

} // namespace

void TraceMark(const char* point)
{
    if (!TraceEnabled())
        return;
    if (!Clock().isValid()) {
        Clock().start();
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        std::fprintf(stderr, "cmdform trace: monotonic %.3f ms\n",
                     std::chrono::duration<double, std::milli>(since).count());
    }
    std::fprintf(stderr, "cmdform trace: %8.3f ms %s\n", Clock().nsecsElapsed() / 1e6, point);
}

void TraceFirstWindow()
{
    if (!TraceEnabled() || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(new TFirstWindowWatch(QCoreApplication::instance()));
}
