// The options as a user meets them: the real binary's output and exit status, and the dialog in
// print mode.

#include "app/MainUnit.h"
#include "app/Startup.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

struct TRun {
    int Status;
    QByteArray Out;
    QByteArray Err;
};

TRun RunBinary(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.start(CMDFORM_BINARY, arguments);
    if (!process.waitForFinished(30000))
        process.kill();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// Standard output written while body runs; the test log's own notes are kept out of it.
template <typename TBody>
QByteArray CaptureStandardOutput(TBody body)
{
    const QtMessageHandler logger = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("stdout").toLocal8Bit();
    std::fflush(stdout);
    const int saved = ::dup(1);
    if (!std::freopen(path.constData(), "w", stdout))
        qFatal("cannot redirect standard output");
    body();
    std::fflush(stdout);
    ::dup2(saved, 1);
    ::close(saved);
    qInstallMessageHandler(logger);
    QFile file(QString::fromLocal8Bit(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;

    QString Template(const QByteArray& line, const QString& name = "t.cmdform")
    {
        QFile file(FDir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(line);
        return file.fileName();
    }

private slots:
    void binaryAnswers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");

        const QString good = Template("echo <Is|Name|a b> <Ix|Verbose|-v> >stray", "good.cmdform");
        const QString bad = Template("echo <Iz|Name>", "bad.cmdform");
        const QString dashed = Template("ls", "-odd-name.cmdform");

        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("cmdform " CMDFORM_VERSION "\n")
                                 << QByteArray();
        QTest::newRow("unknown option is a usage error")
            << QStringList{"--frobnicate", good} << 2 << QByteArray()
            << QByteArray("cmdform: unknown option '--frobnicate'\nUsage: cmdform [OPTION]... TEMPLATE-FILE "
                          "[ARGUMENT]...\nTry 'cmdform --help' for more information.\n");
        QTest::newRow("check of a good template says nothing") << QStringList{"--check", good} << 0 << QByteArray()
                                                               << QByteArray();
        QTest::newRow("check reports the first error") << QStringList{"--check", bad} << 1 << QByteArray()
                                                       << QByteArray("cmdform: IzUnknown Command\n");
        QTest::newRow("check of a missing file")
            << QStringList{"--check", FDir.filePath("none")} << 1 << QByteArray()
            << QString("cmdform: Cannot open file \"%1\". No such file or directory\n").arg(FDir.filePath("none")).toLocal8Bit();
        QTest::newRow("double dash lets a template start with a dash")
            << QStringList{"--check", "--", dashed} << 0 << QByteArray() << QByteArray();
        QTest::newRow("options after the template are parameters")
            << QStringList{"--check", good, "--frobnicate", "-h"} << 0 << QByteArray() << QByteArray();
        QTest::newRow("no display is an error, not a crash")
            << QStringList{good} << 1 << QByteArray()
            << QByteArray("cmdform: cannot open the dialog: no display (DISPLAY is not set)\n");
    }

    void binaryAnswers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const TRun run = RunBinary(arguments);
        QCOMPARE(run.Err, err);
        QCOMPARE(run.Out, out);
        QCOMPARE(run.Status, status);
    }

    void helpListsOptionsLanguageAndExitStatuses()
    {
        const TRun run = RunBinary({"-h", "ignored.cmdform"});
        QCOMPARE(run.Status, 0);
        QVERIFY(run.Err.isEmpty());
        for (const char* part : {"Usage: cmdform", "--print", "--check", "--version", "<Im|", "%1*%", "Exit status",
                                 "  2  "})
            QVERIFY2(run.Out.contains(part), part);
    }

    void printModeWritesTheCommandOnOK_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("OK prints the command line") << true << 0 << QByteArray("grep 'a b' -v\n");
        QTest::newRow("Cancel prints nothing") << false << 1 << QByteArray();
    }

    void printModeWritesTheCommandOnOK()
    {
        QFETCH(bool, ok);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        TCommandLine line;
        line.Print = true;
        // The stray ">" would otherwise reach standard output ahead of the command.
        line.Args = {Template("grep '<Is|Pattern|a b>' >-v").toStdString()};
        QTimer::singleShot(0, [ok] {
            auto* form = qobject_cast<TMainForm*>(QApplication::activeModalWidget());
            QVERIFY(form);
            (ok ? form->OKButton : form->CancelButton)->click();
        });
        int result = -1;
        const QByteArray printed = CaptureStandardOutput([&] {
            result = RunStartup(line, [](const std::string& message) { QFAIL(message.c_str()); });
        });
        QCOMPARE(printed, out);
        QCOMPARE(result, status);
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
