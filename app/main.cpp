// cmdform <template-file> [argument ...]: shows the template's dialog and runs the command it builds.

#include "app/Startup.h"
#include "app/StartupTrace.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

bool DisplayConfigured()
{
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

// Qt aborts with a core dump when it cannot reach the display; say why and exit instead.
void ExitOnFatalStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "cmdform: cannot open the dialog: no display could be reached\n");
        std::fflush(stderr);
        ::_exit(1);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    TraceMark("main");
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!DisplayConfigured()) {
        std::fprintf(stderr, "cmdform: cannot open the dialog: no display (DISPLAY is not set)\n");
        return 1;
    }

    // Qt sees only the program name: every argument belongs to the template, whatever it looks like.
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    qInstallMessageHandler(ExitOnFatalStartupMessage);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(nullptr);
    TraceMark("QApplication");
    TraceFirstWindow();

    return RunStartup(args, ReportStartupError);
}
