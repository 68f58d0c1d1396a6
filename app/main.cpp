// cmdform <template-file> [argument ...]: shows the template's dialog and runs the command it builds.

#include "app/CommandLine.h"
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

bool gQuietStartup = false;

// Qt aborts with a core dump when it cannot reach the display; say why and exit instead.
void ExitOnFatalStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (!gQuietStartup || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "cmdform: cannot open the dialog: no display could be reached\n");
        std::fflush(stderr);
        ::_exit(1);
    }
}

// --help, --version and usage errors, which need no dialog; -1 when the dialog is wanted.
int AnswerWithoutDialog(const TCommandLine& line)
{
    switch (line.Action) {
    case TCommandLine::ShowHelp:
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    case TCommandLine::ShowVersion:
        std::printf("cmdform %s\n", CMDFORM_VERSION);
        return 0;
    case TCommandLine::UsageError:
        std::fprintf(stderr, "cmdform: %s\n%s", line.Error.c_str(), UsageHint().c_str());
        return 2;
    case TCommandLine::ShowDialog:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    TraceMark("main");
    const TCommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (int status = AnswerWithoutDialog(line); status >= 0)
        return status;
    // A check builds the dialog without showing it, so it needs no display.
    // Its output is its verdict alone: Qt's start-up notes are left out.
    if (line.Check) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        gQuietStartup = true;
    }
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

    return RunStartup(line, line.Check ? ReportToStandardError : ReportStartupError);
}
