// The whole program as a person meets it. The real cmdform runs in an X server of its own with
// openbox managing its windows (tests/e2e/x-session starts both); xdotool types and clicks, and
// xprop and xwininfo tell what the window manager sees. The commands the dialogs start are
// e2e_record, which leaves one record of its arguments and environment per run.
//
// Every process started here is stopped by its process id when its test ends, and every wait
// polls with a deadline, so a failing test neither hangs nor leaves anything running.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMargins>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Every wait for a window, an exit or a record gives up after this long.
constexpr int kWaitMs = 10000;
// How long a poll sleeps between two looks.
constexpr int kPollMs = 20;
// The pause xdotool makes between two keys.
const QString kKeyDelay = QStringLiteral("30");

struct TRun {
    QByteArrayList Args;
    QByteArrayList Environment;

    QByteArray Variable(const QByteArray& name) const
    {
        for (const QByteArray& entry : Environment) {
            if (entry.startsWith(name + '='))
                return entry.mid(name.size() + 1);
        }
        return QByteArray("(unset)");
    }
};

// A top-level window as the window manager knows it.
struct TWindow {
    quint32 Id = 0;
    qint64 Pid = 0;
    QByteArray Title;        // _NET_WM_NAME, UTF-8
    QByteArray Class;        // the instance part of WM_CLASS
    QByteArrayList States;   // _NET_WM_STATE
    QByteArrayList Types;    // _NET_WM_WINDOW_TYPE, most specific first
    QMargins Frame;          // _NET_FRAME_EXTENTS
};

QString Hex(quint32 id) { return QStringLiteral("0x%1").arg(id, 0, 16); }

// "NAME = value" and "NAME: value" lines of xprop -notype; a missing property is left out.
QMap<QByteArray, QByteArray> XpropLines(const QByteArray& output)
{
    QMap<QByteArray, QByteArray> properties;
    static const QRegularExpression line(QStringLiteral("^([A-Za-z0-9_]+)(?: = |: )(.*)$"));
    for (const QByteArray& text : output.split('\n')) {
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(text));
        if (match.hasMatch() && !match.captured(2).endsWith(QStringLiteral("not found.")))
            properties.insert(match.captured(1).toUtf8(), match.captured(2).toUtf8());
    }
    return properties;
}

QList<quint32> WindowIds(const QByteArray& value)
{
    QList<quint32> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const QRegularExpressionMatch& match : hex.globalMatch(QString::fromLatin1(value)))
        ids << match.captured().toUInt(nullptr, 16);
    return ids;
}

// A property printed in xprop's "8x" format: "0x65, 0x63, ...".
QByteArray HexBytes(const QByteArray& value)
{
    QByteArray bytes;
    for (const QByteArray& item : value.split(',')) {
        if (!item.trimmed().isEmpty())
            bytes += char(item.trimmed().toUInt(nullptr, 16));
    }
    return bytes;
}

QByteArrayList Items(const QByteArray& value)
{
    QByteArrayList items;
    for (const QByteArray& item : value.split(',')) {
        if (!item.trimmed().isEmpty())
            items << item.trimmed();
    }
    return items;
}

// cmdform as a test starts it. Its standard output is a pipe of our own, which every command it
// starts inherits: end of file there means cmdform and all it started have finished, so what
// the records show then is all that ran.
class TCmdform {
public:
    ~TCmdform()
    {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished(kWaitMs);
        }
        if (FOutput >= 0)
            ::close(FOutput);
    }

    bool Start(const QStringList& arguments, const QProcessEnvironment& environment, const QString& directory,
               QString* why)
    {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0) {
            *why = QStringLiteral("cannot create a pipe");
            return false;
        }
        const int writeEnd = pipe[1];
        FOutput = pipe[0];
        FProcess.setProgram(QStringLiteral(CMDFORM_BINARY));
        FProcess.setArguments(arguments);
        FProcess.setProcessEnvironment(environment);
        FProcess.setWorkingDirectory(directory);
        FProcess.setStandardInputFile(QProcess::nullDevice());
        FProcess.setStandardOutputFile(QProcess::nullDevice());
        FProcess.setChildProcessModifier([writeEnd] { ::dup2(writeEnd, STDOUT_FILENO); });
        FProcess.start();
        ::close(writeEnd);
        if (!FProcess.waitForStarted(kWaitMs)) {
            *why = QStringLiteral("cmdform did not start: ") + FProcess.errorString();
            return false;
        }
        return true;
    }

    qint64 Pid() const { return FProcess.processId(); }
    bool Running() const { return FProcess.state() == QProcess::Running; }
    QByteArray Errors() { return FErrors += FProcess.readAllStandardError(); }

    /// Waits for cmdform's exit and for the end of its standard output; false after the deadline.
    bool Finish(int* status, QString* why)
    {
        QDeadlineTimer deadline(kWaitMs);
        bool ended = false;
        while (!ended && !deadline.hasExpired()) {
            pollfd ready{FOutput, POLLIN, 0};
            if (::poll(&ready, 1, kPollMs) > 0) {
                char buffer[4096];
                const ssize_t got = ::read(FOutput, buffer, sizeof buffer);
                if (got > 0)
                    FOutputBytes.append(buffer, got);
                ended = got == 0;
            }
            FProcess.waitForFinished(0);
        }
        if (FProcess.state() != QProcess::NotRunning && !FProcess.waitForFinished(int(deadline.remainingTime()))) {
            *why = QStringLiteral("cmdform did not exit in time; its errors: ") + QString::fromUtf8(Errors());
            return false;
        }
        if (!ended) {
            *why = QStringLiteral("a command that cmdform started did not end in time");
            return false;
        }
        Errors();
        if (FProcess.exitStatus() != QProcess::NormalExit) {
            *why = QStringLiteral("cmdform crashed: ") + QString::fromUtf8(FErrors);
            return false;
        }
        *status = FProcess.exitCode();
        return true;
    }

    QByteArray Output() const { return FOutputBytes; }

private:
    QProcess FProcess;
    int FOutput = -1;
    QByteArray FOutputBytes;
    QByteArray FErrors;
};

} // namespace

// Runs a step that can fail: a failure ends the test with the step's explanation.
#define STEP(call)                                                                                                     \
    do {                                                                                                               \
        if (!(call))                                                                                                   \
            QFAIL(qPrintable(FWhy));                                                                                   \
    } while (false)

class TestEndToEnd : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> FDir;
    QString FRecords;
    QProcessEnvironment FEnvironment;
    std::unique_ptr<TCmdform> FCmdform;
    std::vector<std::unique_ptr<QProcess>> FOthers;
    QByteArray FDialogTitle;
    QString FWhy;

    bool Fail(const QString& why)
    {
        FWhy = why;
        return false;
    }

    // --- tools -------------------------------------------------------------------------------------

    /// Runs one of the X tools to its end; its standard output, or nothing when it failed.
    std::optional<QByteArray> Tool(const QString& program, const QStringList& arguments, bool mayFail = false)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(kWaitMs)) {
            process.kill();
            process.waitForFinished(kWaitMs);
            Fail(program + QStringLiteral(" did not finish: ") + arguments.join(' '));
            return std::nullopt;
        }
        if (!mayFail && (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)) {
            Fail(program + ' ' + arguments.join(' ') + QStringLiteral(" failed: ")
                 + QString::fromUtf8(process.readAllStandardError()));
            return std::nullopt;
        }
        return process.readAllStandardOutput();
    }

    bool Keys(const QStringList& keys)
    {
        return Tool(QStringLiteral("xdotool"), QStringList{"key", "--delay", kKeyDelay} + keys).has_value();
    }

    /// Types text on the US keyboard that Xvfb has (no character needs a keymap change).
    bool Type(const QString& text)
    {
        return Tool(QStringLiteral("xdotool"), {"type", "--delay", kKeyDelay, "--", text}).has_value();
    }

    /// A left click at a point of the screen, with the modifiers held ("shift", "alt" or none).
    bool Click(const QPoint& point, const QString& modifiers = QString())
    {
        QStringList arguments;
        if (!modifiers.isEmpty())
            arguments << "keydown" << modifiers;
        arguments << "mousemove" << QString::number(point.x()) << QString::number(point.y()) << "click" << "1";
        if (!modifiers.isEmpty())
            arguments << "keyup" << modifiers;
        return Tool(QStringLiteral("xdotool"), arguments).has_value();
    }

    // --- windows -----------------------------------------------------------------------------------

    struct TDesktop {
        QList<quint32> Clients;   // bottom to top
        quint32 Active = 0;
    };

    std::optional<TDesktop> Desktop()
    {
        const std::optional<QByteArray> output = Tool(
            QStringLiteral("xprop"), {"-root", "-notype", "_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW"});
        if (!output)
            return std::nullopt;
        const QMap<QByteArray, QByteArray> properties = XpropLines(*output);
        TDesktop desktop;
        desktop.Clients = WindowIds(properties.value("_NET_CLIENT_LIST_STACKING"));
        const QList<quint32> active = WindowIds(properties.value("_NET_ACTIVE_WINDOW"));
        desktop.Active = active.isEmpty() ? 0 : active.first();
        return desktop;
    }

    /// The window that has the keyboard: the one _NET_ACTIVE_WINDOW names, once the window manager
    /// manages it and the input focus is in it. The property outlives its window, and X reuses
    /// window ids: a window of the next cmdform may carry the id it names before the window
    /// manager has taken that window on.
    std::optional<TWindow> ActiveWindow()
    {
        const std::optional<TDesktop> desktop = Desktop();
        if (!desktop || !desktop->Active || !desktop->Clients.contains(desktop->Active))
            return std::nullopt;
        const std::optional<QByteArray> focus = Tool(QStringLiteral("xdotool"), {"getwindowfocus"}, true);
        if (!focus || focus->trimmed().toUInt() != desktop->Active)
            return std::nullopt;
        return Window(desktop->Active);
    }

    /// What the window manager and the client set on a window; nothing once it is gone.
    std::optional<TWindow> Window(quint32 id)
    {
        const std::optional<QByteArray> output =
            Tool(QStringLiteral("xprop"),
                 {"-id", Hex(id), "-notype", "-f", "_NET_WM_NAME", "8x", "_NET_WM_PID", "_NET_WM_NAME", "WM_CLASS",
                  "_NET_WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_FRAME_EXTENTS"},
                 true);
        if (!output || output->isEmpty())
            return std::nullopt;
        const QMap<QByteArray, QByteArray> properties = XpropLines(*output);
        TWindow window;
        window.Id = id;
        window.Pid = properties.value("_NET_WM_PID").toLongLong();
        window.Title = HexBytes(properties.value("_NET_WM_NAME"));
        const QByteArrayList classes = Items(properties.value("WM_CLASS"));
        window.Class = classes.isEmpty() ? QByteArray() : QByteArray(classes.first()).replace('"', "");
        window.States = Items(properties.value("_NET_WM_STATE"));
        window.Types = Items(properties.value("_NET_WM_WINDOW_TYPE"));
        const QByteArrayList extents = Items(properties.value("_NET_FRAME_EXTENTS"));
        if (extents.size() == 4)
            window.Frame = QMargins(extents[0].toInt(), extents[2].toInt(), extents[1].toInt(), extents[3].toInt());
        return window;
    }

    /// The window's own rectangle on the screen, without the frame.
    std::optional<QRect> ClientRect(quint32 id) { return XwininfoRect({"-id", Hex(id)}); }
    /// The screen: the root window.
    std::optional<QRect> ScreenRect() { return XwininfoRect({"-root"}); }

    std::optional<QRect> XwininfoRect(const QStringList& window)
    {
        const std::optional<QByteArray> output = Tool(QStringLiteral("xwininfo"), window);
        if (!output)
            return std::nullopt;
        auto number = [&](const char* label) {
            static const QString pattern = QStringLiteral("%1\\s*(-?\\d+)");
            const QRegularExpressionMatch match =
                QRegularExpression(pattern.arg(QRegularExpression::escape(QLatin1String(label))))
                    .match(QString::fromUtf8(*output));
            return match.captured(1).toInt();
        };
        return QRect(number("Absolute upper-left X:"), number("Absolute upper-left Y:"), number("Width:"),
                     number("Height:"));
    }

    std::optional<QRect> FrameRect(const TWindow& window)
    {
        const std::optional<QRect> client = ClientRect(window.Id);
        if (!client)
            return std::nullopt;
        return client->marginsAdded(window.Frame);
    }

    /// The managed windows of the cmdform under test, bottom to top.
    QList<TWindow> CmdformWindows()
    {
        QList<TWindow> windows;
        const std::optional<TDesktop> desktop = Desktop();
        for (quint32 id : desktop ? desktop->Clients : QList<quint32>()) {
            const std::optional<TWindow> window = Window(id);
            if (window && window->Pid == FCmdform->Pid())
                windows << *window;
        }
        return windows;
    }

    /// Polls until check() holds; a failed check may say why in FWhy.
    bool WaitUntil(const QString& what, const std::function<bool()>& check)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!check()) {
            if (deadline.hasExpired())
                return Fail(QStringLiteral("timed out waiting for %1 (last: %2)").arg(what, FWhy));
            QTest::qWait(kPollMs);
        }
        return true;
    }

    /// Waits until a window of cmdform with this title has the focus, so that keys go to it.
    bool WaitForActive(const QByteArray& title, TWindow* found = nullptr)
    {
        return WaitUntil(QStringLiteral("an active window \"%1\"").arg(QString::fromUtf8(title)), [&] {
            if (!FCmdform->Running())
                return Fail(QStringLiteral("cmdform exited: ") + QString::fromUtf8(FCmdform->Errors()));
            const std::optional<TWindow> active = ActiveWindow();
            if (!active || active->Pid != FCmdform->Pid() || active->Title != title)
                return Fail(QStringLiteral("active: ") + (active ? QString::fromUtf8(active->Title) : "none"));
            if (found)
                *found = *active;
            return true;
        });
    }

    bool WaitForEmptyDesktop()
    {
        return WaitUntil(QStringLiteral("an empty desktop"), [&] {
            const std::optional<TDesktop> desktop = Desktop();
            return desktop && desktop->Clients.isEmpty();
        });
    }

    /// Waits for a popup of cmdform (a completion list): a window of its own that is shown but
    /// not managed by the window manager.
    bool WaitForPopup()
    {
        return WaitUntil(QStringLiteral("a popup"), [&] {
            const QString pid = QString::number(FCmdform->Pid());
            const std::optional<QByteArray> ids =
                Tool(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--pid", pid}, true);
            const std::optional<TDesktop> desktop = Desktop();
            for (const QByteArray& id : ids ? ids->split('\n') : QByteArrayList()) {
                if (!id.isEmpty() && desktop && !desktop->Clients.contains(id.toUInt()))
                    return true;
            }
            return false;
        });
    }

    // --- cmdform and its records ---------------------------------------------------------------------

    QString WriteTemplate(const QByteArray& line, const QString& name)
    {
        QFile file(FDir->filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size())
            return QString();
        return file.fileName();
    }

    /// Starts cmdform with options, a template file written from line, and the arguments after it.
    bool Launch(const QByteArray& line, const QStringList& arguments, const QStringList& options = {},
                const QString& name = QStringLiteral("form.cmdform"), const QString& directory = QString())
    {
        const QString file = WriteTemplate(line, name);
        if (file.isEmpty())
            return Fail(QStringLiteral("cannot write ") + name);
        FDialogTitle = QFileInfo(file).completeBaseName().toUtf8();
        return StartCmdform(options + QStringList{file} + arguments, directory);
    }

    bool StartCmdform(const QStringList& arguments, const QString& directory = QString())
    {
        FCmdform = std::make_unique<TCmdform>();
        return FCmdform->Start(arguments, FEnvironment, directory.isEmpty() ? FDir->path() : directory, &FWhy);
    }

    QList<TRun> Runs() const
    {
        QList<TRun> runs;
        const QStringList names = QDir(FRecords).entryList({"run.*"}, QDir::Files, QDir::Time | QDir::Reversed);
        for (const QString& name : names) {
            if (name.endsWith(QStringLiteral(".part")))
                continue;
            QFile file(QDir(FRecords).filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QByteArrayList items = file.readAll().split('\0');
            items.removeLast(); // every item ends in a NUL
            const qsizetype count = items.value(0).toInt();
            runs << TRun{items.mid(1, count), items.mid(1 + count)};
        }
        return runs;
    }

    bool WaitForRuns(int count)
    {
        return WaitUntil(QStringLiteral("%1 run(s) of the command").arg(count), [&] { return Runs().size() >= count; });
    }

    /// Waits for cmdform to exit with status and for all it started to end.
    bool Finish(int status)
    {
        int actual = -1;
        if (!FCmdform->Finish(&actual, &FWhy))
            return false;
        if (actual != status)
            return Fail(QStringLiteral("exit status %1 instead of %2; errors: %3")
                            .arg(actual)
                            .arg(status)
                            .arg(QString::fromUtf8(FCmdform->Errors())));
        return true;
    }

    /// Answers the message box of cmdform titled title with Return; the dialog has the focus again.
    bool AnswerBox(const QByteArray& title)
    {
        TWindow box;
        if (!WaitForActive(title, &box))
            return false;
        if (!box.Types.startsWith("_NET_WM_WINDOW_TYPE_DIALOG"))
            return Fail(QStringLiteral("the box is not a dialog: ") + QString::fromUtf8(box.Types.join(' ')));
        return Keys({"Return"}) && WaitForActive(FDialogTitle);
    }

    // The dialog's buttons, found from its button row: OK keeps 24 pixels from the left edge and
    // Cancel 19 from the right; both are 75 by 25 pixels, 8 pixels above the bottom.
    std::optional<QPoint> ButtonCentre(const QString& button)
    {
        TWindow dialog;
        if (!WaitForActive(FDialogTitle, &dialog))
            return std::nullopt;
        const std::optional<QRect> client = ClientRect(dialog.Id);
        if (!client)
            return std::nullopt;
        const int y = client->y() + client->height() - 8 - 25 / 2;
        if (button == "ok")
            return QPoint(client->x() + 24 + 75 / 2, y);
        if (button == "cancel")
            return QPoint(client->x() + client->width() - 19 - 75 / 2, y);
        if (button == "close") {
            // The rightmost button of openbox's title bar, in the frame's top right corner.
            const QRect frame = client->marginsAdded(dialog.Frame);
            return QPoint(frame.x() + frame.width() - 12, frame.y() + dialog.Frame.top() / 2);
        }
        Fail(QStringLiteral("no button ") + button);
        return std::nullopt;
    }

    /// One step of a scripted session: "key K ...", "type TEXT", "click [MODIFIER+]ok|cancel|close",
    /// "box TITLE" (a box with that title is answered) or "runs N" (N commands have run so far).
    bool Do(const QString& step)
    {
        const QString verb = step.section(' ', 0, 0);
        const QString rest = step.section(' ', 1);
        if (verb == "key")
            return Keys(rest.split(' '));
        if (verb == "type")
            return Type(rest);
        if (verb == "box")
            return AnswerBox(rest.toUtf8());
        if (verb == "runs")
            return WaitForRuns(rest.toInt());
        if (verb == "click") {
            const QString modifiers = rest.contains('+') ? rest.section('+', 0, 0) : QString();
            const std::optional<QPoint> centre = ButtonCentre(rest.section('+', -1));
            return centre && Click(*centre, modifiers);
        }
        return Fail(QStringLiteral("unknown step: ") + step);
    }

    bool StartReferenceWindow(const QRect& geometry)
    {
        auto process = std::make_unique<QProcess>();
        const QString size = QStringLiteral("%1x%2").arg(geometry.width()).arg(geometry.height());
        const QString position = QStringLiteral("+%1+%2").arg(geometry.x()).arg(geometry.y());
        process->start(QStringLiteral("xmessage"),
                       {"-name", "e2e-reference", "-geometry", size + position, "a window in front"});
        FOthers.push_back(std::move(process));
        return FOthers.back()->waitForStarted(kWaitMs) || Fail(QStringLiteral("xmessage did not start"));
    }

    /// Waits until the reference window is active; it is found by its class.
    bool WaitForActiveReference(TWindow* found)
    {
        return WaitUntil(QStringLiteral("the reference window to be active"), [&] {
            const std::optional<TWindow> active = ActiveWindow();
            if (!active || active->Class != "e2e-reference")
                return false;
            *found = *active;
            return true;
        });
    }

private slots:
    void initTestCase()
    {
        // Without these the suite would prove nothing: fail loudly instead of skipping.
        QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "no X server: run the suite through tests/e2e/x-session");
        for (const char* tool : {"xdotool", "xprop", "xwininfo", "xmessage"}) {
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                     qPrintable(QStringLiteral("%1 is missing; scripts/install-deps installs it").arg(tool)));
        }
        const std::optional<QByteArray> wm = Tool(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"});
        QVERIFY2(wm && wm->contains("window id"), "no window manager runs on the display");
    }

    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        FRecords = FDir->filePath("records");
        const QString bin = FDir->filePath("bin");
        const QString runtime = FDir->filePath("runtime");
        QVERIFY(QDir().mkpath(FRecords) && QDir().mkpath(bin) && QDir().mkpath(runtime));
        QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // The recorder under the names the templates use: found in PATH, as a person's commands are.
        for (const char* name : {"record", "findstr"})
            QVERIFY(QFile::link(QStringLiteral(RECORDER_BINARY), QDir(bin).filePath(QString::fromLatin1(name))));

        FEnvironment = QProcessEnvironment::systemEnvironment();
        FEnvironment.remove("QT_QPA_PLATFORM");
        FEnvironment.insert("LANG", "C.UTF-8");
        FEnvironment.insert("LC_ALL", "C.UTF-8");
        FEnvironment.insert("XDG_RUNTIME_DIR", runtime);
        FEnvironment.insert("E2E_RECORD_DIR", FRecords);
        FEnvironment.insert("PATH", bin + ':' + FEnvironment.value("PATH"));

        // Each test starts on an empty desktop: the windows of the test before are gone.
        STEP(WaitForEmptyDesktop());
    }

    void cleanup()
    {
        // What the screen showed when a test failed, for the one who reads the failure.
        if (QTest::currentTestFailed()) {
            QString name = QStringLiteral("e2e-failure-%1-%2.png")
                               .arg(QString::fromLatin1(QTest::currentTestFunction()),
                                    QString::fromUtf8(QTest::currentDataTag()));
            name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]+")), QStringLiteral("_"));
            if (Tool(QStringLiteral("import"), {"-window", "root", QDir::current().absoluteFilePath(name)}, true))
                qInfo("screen saved in %s", qPrintable(QDir::current().absoluteFilePath(name)));
        }
        FCmdform.reset();
        for (const std::unique_ptr<QProcess>& process : FOthers) {
            process->kill();
            process->waitForFinished(kWaitMs);
        }
        FOthers.clear();
        // A test that failed between a key's press and release leaves nothing held for the next.
        Tool(QStringLiteral("xdotool"), {"keyup", "shift", "alt", "ctrl"}, true);
        FDir.reset();
    }

    // A search dialog as people write them: a check box, a text field that has the focus and
    // holds the first parameter, and the second parameter; the recorder stands in for findstr.
    void searchDialog()
    {
        STEP(Launch("findstr <Ix|Ignore case|/i> \"<@Is|Pattern|%1%>\" \"%2%\"", {"foo", "a b.txt"}, {},
                    "find text.cmdform"));
        // The caption is the template's name; the focus is on Pattern, which typing extends.
        STEP(WaitForActive("find text"));
        STEP(Do("key End"));
        STEP(Do("type bar"));
        STEP(Do("key alt+Return"));
        STEP(Do("box findstr  \"foobar\" \"a b.txt\""));
        // The check box comes before Pattern in the Tab order.
        STEP(Do("key shift+Tab space Return"));
        STEP(Finish(0));

        const QList<TRun> runs = Runs();
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].Args, QByteArrayList({"/i", "foobar", "a b.txt"}));
        QCOMPARE(runs[0].Variable("1"), QByteArray("foo"));
        QCOMPARE(runs[0].Variable("2"), QByteArray("a b.txt"));
        QCOMPARE(runs[0].Variable("1*"), QByteArray("\"foo\" \"a b.txt\" "));
    }

    void everyKindChangedThroughTheKeyboard()
    {
        const QByteArray line = "record \"<Is|&Text|one>\" \"<Ip|&Path|/>\" <Ic|&Fruit|apple|pear|plum> "
                                "<Im|&Mode|Fast|-f|Slow|-s> <Ix|Chec&k|-v|-q> <Ir|&Level|Low|1|Mid|2|High|3> "
                                "\"[<2>]\" <<>x<>> <It|Parameters follow> %1*%";
        const QStringList parameters{"a b", "say \"hi\"", "", "  two  ", "back\\slash", "$(touch pwned);*"};
        STEP(Launch(line, parameters));
        STEP(WaitForActive(FDialogTitle));
        // A mnemonic selects a text field's whole text, so typing replaces it.
        STEP(Do("key alt+t"));
        STEP(Do("type two  words"));
        // A path that does not exist, so that no completion list opens.
        STEP(Do("key alt+p"));
        STEP(Do("type /no such/dir"));
        STEP(Do("key alt+f Down"));
        // Space toggles the check box at once; its mnemonic would click it a tenth of a second later.
        STEP(Do("key alt+m Down Tab space"));
        STEP(Do("key alt+l Down Down"));
        STEP(Do("key Return"));
        STEP(Finish(0));

        const QList<TRun> runs = Runs();
        QCOMPARE(runs.size(), 1);
        QByteArrayList expected{"two  words", "/no such/dir", "pear", "-s", "-v", "3", "[/no such/dir]", "<x>"};
        for (const QString& parameter : parameters)
            expected << parameter.toUtf8();
        QCOMPARE(runs[0].Args, expected);
        QCOMPARE(runs[0].Variable("1"), QByteArray("a b"));
        QCOMPARE(runs[0].Variable("2*"),
                 QByteArray("\"say \"\"hi\"\"\" \"\" \"  two  \" \"back\\slash\" \"$(touch pwned);*\" "));
        QVERIFY(!QFile::exists(FDir->filePath("pwned")));
    }

    void keysAndButtons_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("runs");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output");

        auto row = [](const char* name, const QStringList& options, const QStringList& steps, int runs, int status,
                      const QByteArray& output = QByteArray()) {
            QTest::newRow(name) << options << steps << runs << status << output;
        };
        // The template is "record <Is|&Word|hello> last"; OK starts "record" with hello and last.
        const QString box = QStringLiteral("box record hello last");
        const QStringList none;
        const QStringList print{"--print"};
        row("Enter runs and closes", none, {"key Return"}, 1, 0);
        row("Shift+Enter twice runs twice and stays", none,
            {"key shift+Return", "key shift+Return", "runs 2", "key Escape"}, 2, 0);
        row("Ctrl+Shift+Enter runs and stays", none, {"key ctrl+shift+Return", "runs 1", "key Escape"}, 1, 0);
        row("Ctrl+Enter does nothing", none, {"key ctrl+Return", "key Escape"}, 0, 0);
        row("Alt+Enter shows the command line", none, {"key alt+Return", box, "key Escape"}, 0, 0);
        row("Alt+O shows the command line", none, {"key alt+o", box, "key Escape"}, 0, 0);
        row("Escape", none, {"key Escape"}, 0, 0);
        row("Alt+C", none, {"key alt+c"}, 0, 0);
        row("Enter on the focused Cancel button", none, {"key shift+Tab Return"}, 0, 0);
        row("Space on the focused Cancel button", none, {"key shift+Tab space"}, 0, 0);
        row("the close box", none, {"click close"}, 0, 0);
        row("Alt+F4", none, {"key alt+F4"}, 0, 0);
        row("OK clicked", none, {"click ok"}, 1, 0);
        row("Shift+OK clicked runs and stays", none, {"click shift+ok", "runs 1", "key Escape"}, 1, 0);
        row("Alt+OK clicked shows the command line", none, {"click alt+ok", box, "key Escape"}, 0, 0);
        row("Cancel clicked", none, {"click cancel"}, 0, 0);
        row("print: Enter writes the command line", print, {"key Return"}, 0, 0, "record hello last\n");
        row("print: Alt+Enter only shows it", print, {"key alt+Return", box, "key Escape"}, 0, 1);
        row("print: Escape", print, {"key Escape"}, 0, 1);
        row("print: the close box", print, {"click close"}, 0, 1);
    }

    void keysAndButtons()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, steps);
        QFETCH(int, runs);
        QFETCH(int, status);
        QFETCH(QByteArray, output);

        STEP(Launch("record <Is|&Word|hello> last", {}, options));
        STEP(WaitForActive(FDialogTitle));
        for (const QString& step : steps)
            STEP(Do(step));
        STEP(Finish(status));

        QCOMPARE(FCmdform->Output(), output);
        const QList<TRun> done = Runs();
        QCOMPARE(done.size(), runs);
        for (const TRun& run : done)
            QCOMPARE(run.Args, QByteArrayList({"hello", "last"}));
    }

    void errorBeforeTheDialog_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");

        QTest::newRow("no template file")
            << QByteArray() << QStringList() << "Cannot open file \"\". No such file or directory";
        QTest::newRow("missing template file")
            << QByteArray() << QStringList{"missing.cmdform"}
            << "Cannot open file \"%DIR%/missing.cmdform\". No such file or directory";
        QTest::newRow("unknown kind")
            << QByteArray("record <Iq|What>") << QStringList{"form.cmdform"} << "IqUnknown Command";
        QTest::newRow("too few fields") << QByteArray("record <Is>") << QStringList{"form.cmdform"}
                                        << "Is: needs at least 1 field after the kind field";
    }

    // The box shows the error while cmdform waits; the dialog never appears; the status is 1.
    void errorBeforeTheDialog()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);

        if (!line.isNull())
            QVERIFY(!WriteTemplate(line, "form.cmdform").isEmpty());
        STEP(StartCmdform(arguments));
        TWindow box;
        STEP(WaitForActive("cmdform", &box));
        QVERIFY(box.Types.startsWith("_NET_WM_WINDOW_TYPE_DIALOG"));
        const QList<TWindow> windows = CmdformWindows();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0].Id, box.Id);
        STEP(Do("key Return"));
        STEP(Finish(1));

        const QString errors = QString::fromUtf8(FCmdform->Errors());
        message.replace("%DIR%", FDir->path());
        QVERIFY2(errors.contains("cmdform: " + message + '\n'), qPrintable(errors));
        QVERIFY(Runs().isEmpty());
    }

    // A program that cannot be started: the box names the failure, the dialog stays with its
    // values, and OK can be pressed again.
    void failedStartKeepsTheDialogAndItsValues()
    {
        STEP(Launch("cmdform-no-such-program <Is|&Word|hello>", {}));
        STEP(WaitForActive(FDialogTitle));
        STEP(Do("key alt+w"));
        STEP(Do("type kept"));
        STEP(Do("key Return"));
        STEP(WaitForActive("cmdform"));
        QCOMPARE(CmdformWindows().size(), 2);
        STEP(Do("key Return"));
        STEP(WaitForActive(FDialogTitle));
        STEP(Do("key alt+Return"));
        STEP(Do("box cmdform-no-such-program kept"));
        STEP(Do("key Return"));
        STEP(Do("box cmdform"));
        STEP(Do("key Escape"));
        STEP(Finish(0));
        QVERIFY(Runs().isEmpty());
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("reference");

        QTest::newRow("over a window in the middle") << QRect(300, 200, 500, 400);
        QTest::newRow("over a small window in the corner, beyond the screen's edge") << QRect(0, 0, 120, 60);
        QTest::newRow("over a window at the bottom right") << QRect(1000, 900, 200, 80);
        QTest::newRow("nothing in front: over the screen") << QRect();
    }

    // Left = (R.Left + R.Right - Width) / 2 and Top = (R.Top + R.Bottom - Height) / 2, frames included,
    // the right and bottom edges of R lying just outside it.
    void placement()
    {
        QFETCH(QRect, reference);

        std::optional<QRect> over = ScreenRect();
        QVERIFY(over);
        if (!reference.isNull()) {
            STEP(StartReferenceWindow(reference));
            TWindow window;
            STEP(WaitForActiveReference(&window));
            const std::optional<QRect> frame = FrameRect(window);
            QVERIFY(frame);
            over = frame;
        }
        STEP(Launch("record <Is|&Word|hello>", {}));
        TWindow dialog;
        STEP(WaitForActive(FDialogTitle, &dialog));
        const std::optional<QRect> frame = FrameRect(dialog);
        QVERIFY(frame);

        const int left = (over->left() + over->left() + over->width() - frame->width()) / 2;
        const int top = (over->top() + over->top() + over->height() - frame->height()) / 2;
        const QString where = QStringLiteral("frame at %1,%2, expected %3,%4 over %5,%6 %7x%8")
                                  .arg(frame->x()).arg(frame->y()).arg(left).arg(top)
                                  .arg(over->x()).arg(over->y()).arg(over->width()).arg(over->height());
        QVERIFY2(qAbs(frame->x() - left) <= 1 && qAbs(frame->y() - top) <= 1, qPrintable(where));
        STEP(Do("key Escape"));
        STEP(Finish(0));
    }

    // A tool window that stays on top: what it asks for, and what the window manager makes of it
    // once another window is put in front.
    void staysOnTopAsAToolWindow()
    {
        STEP(Launch("record <Is|&Word|hello>", {}));
        TWindow dialog;
        STEP(WaitForActive(FDialogTitle, &dialog));
        QCOMPARE(dialog.Types.value(0), QByteArray("_NET_WM_WINDOW_TYPE_UTILITY"));
        QVERIFY2(dialog.States.contains("_NET_WM_STATE_ABOVE"), dialog.States.join(' ').constData());

        STEP(StartReferenceWindow(QRect(100, 100, 900, 700)));
        TWindow reference;
        STEP(WaitForActiveReference(&reference));
        const std::optional<TDesktop> desktop = Desktop();
        QVERIFY(desktop);
        QVERIFY2(desktop->Clients.indexOf(dialog.Id) > desktop->Clients.indexOf(reference.Id),
                 "the dialog went below the window in front");
    }

    void pathCompletion_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("completed");

        // Only the last part is typed: every list shown while typing it holds the entry taken.
        QTest::newRow("absolute path") << "%TREE%/" << "pro" << "%TREE%/projects";
        QTest::newRow("path relative to the current folder") << "" << "pro" << "projects";
        QTest::newRow("relative path inside a folder") << "projects/" << "dr" << "projects/drafts";
    }

    // The completion list opens while typing, Down and Return take its entry, Enter runs.
    void pathCompletion()
    {
        QFETCH(QString, initial);
        QFETCH(QString, typed);
        QFETCH(QString, completed);

        const QString tree = FDir->filePath("tree");
        QVERIFY(QDir().mkpath(tree + "/projects/drafts") && QDir().mkpath(tree + "/photos"));
        initial.replace("%TREE%", tree);
        completed.replace("%TREE%", tree);
        STEP(Launch("record \"<@Ip|&Path|" + initial.toUtf8() + ">\"", {}, {}, "form.cmdform", tree));
        STEP(WaitForActive(FDialogTitle));
        STEP(Do("key End"));
        STEP(Do("type " + typed));
        STEP(WaitForPopup());
        STEP(Do("key Down Return"));
        STEP(Do("key alt+Return"));
        STEP(Do("box record \"" + completed + '"'));
        STEP(Do("key Return"));
        STEP(Finish(0));

        const QList<TRun> runs = Runs();
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].Args, QByteArrayList{completed.toUtf8()});
    }

    // Japanese in the template's name, its captions and values, and a parameter, under a UTF-8 locale.
    void japaneseReachesTheDialogAndTheCommand()
    {
        const QByteArray line = "<It|説明>record \"<@Is|&語句|%1%>\" \"<Is|&日本語|日本語の値>\"";
        STEP(Launch(line, {QStringLiteral("検索 語")}, {}, QStringLiteral("検索.cmdform")));
        STEP(WaitForActive("検索"));
        STEP(Do("key alt+Return"));
        STEP(Do(QStringLiteral("box record \"検索 語\" \"日本語の値\"")));
        STEP(Do("key Return"));
        STEP(Finish(0));

        const QList<TRun> runs = Runs();
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].Args, QByteArrayList({"検索 語", "日本語の値"}));
        QCOMPARE(runs[0].Variable("1"), QByteArray("検索 語"));
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
