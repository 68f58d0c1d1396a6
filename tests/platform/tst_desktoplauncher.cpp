// The Linux launcher for real: what a started program receives, recorded by tests/fixtures/record-launch,
// which programs are started, which names are opened instead, and what is reported when neither works.

#include "platform/DesktopLauncher.h"

#include "app/Startup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the recording helper wrote about itself.
struct TRecord {
    QByteArrayList Args;
    QMap<QByteArray, QByteArray> Environment;
    QMap<int, QByteArray> Descriptors; // number -> what it refers to
    QByteArray Directory;
    QByteArrayList Stat;               // the fields after the command name: state, parent, group, session
};

QByteArrayList NulSeparated(const QByteArray& data)
{
    QByteArrayList items = data.split('\0');
    items.removeLast(); // every item ends in a NUL
    return items;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TRecord ReadRecord(const QString& base)
{
    TRecord record;
    record.Args = NulSeparated(ReadAll(base + ".args"));
    for (const QByteArray& entry : NulSeparated(ReadAll(base + ".env")))
        record.Environment.insert(entry.left(entry.indexOf('=')), entry.mid(entry.indexOf('=') + 1));
    for (const QByteArray& line : ReadAll(base + ".fds").split('\n')) {
        const int arrow = line.indexOf(" -> ");
        if (arrow > 0)
            record.Descriptors.insert(line.left(arrow).split(' ').last().toInt(), line.mid(arrow + 4));
    }
    record.Directory = ReadAll(base + ".cwd").trimmed();
    const QByteArray stat = ReadAll(base + ".stat");
    record.Stat = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return record;
}

bool RecordArrives(const QString& base)
{
    return QTest::qWaitFor([&] { return QFile::exists(base + ".stat"); });
}

QByteArray OwnDescriptor(int fd)
{
    char target[4096];
    const ssize_t length = ::readlink(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), target,
                                      sizeof target);
    return length > 0 ? QByteArray(target, length) : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& content, QFile::Permissions extra = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    file.setPermissions(file.permissions() | extra);
}

const QFile::Permissions kExecutable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

class TestDesktopLauncher : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    QString FWork;   // the current directory of every test
    QString FHelper; // the recording helper, in a folder whose name holds a blank
    int FRecords = 0;

    // A fresh record name, handed to the helper through the environment.
    QString NextRecord()
    {
        const QString base = FDir.filePath(QString("record%1").arg(++FRecords));
        qputenv("CMDFORM_RECORD", base.toLocal8Bit());
        return base;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        const QByteArray helper = ReadAll(FIXTURES_DIR "/record-launch");
        QVERIFY(helper.startsWith("#!"));
        QVERIFY(QDir(FDir.path()).mkpath("tools dir") && QDir(FDir.path()).mkpath("bin")
                && QDir(FDir.path()).mkpath("work/folder"));
        FHelper = FDir.filePath("tools dir/record-launch");
        WriteFile(FHelper, helper, kExecutable);
        WriteFile(FDir.filePath("bin/record-launch"), helper, kExecutable);
        FWork = FDir.filePath("work");
        WriteFile(FWork + "/tool", helper, kExecutable);
        WriteFile(FWork + "/notes.txt", "notes\n");
        WriteFile(FWork + "/script.sh", helper);
        WriteFile(FWork + "/garbage", "neither a script nor a binary\n", kExecutable);
        QVERIFY(QDir::setCurrent(FWork));
        FWork = QDir::currentPath();
        qputenv("PATH", FDir.filePath("bin").toLocal8Bit() + ":" + qgetenv("PATH"));
    }

    void programGetsExactArguments_data()
    {
        QTest::addColumn<QByteArray>("parameters");
        QTest::addColumn<QByteArrayList>("arguments");

        QTest::newRow("no parameters") << QByteArray("") << QByteArrayList{};
        QTest::newRow("words") << QByteArray("a  b\tc ") << QByteArrayList{"a", "b", "c"};
        QTest::newRow("quoted blanks and an empty argument")
            << QByteArray("\"a b\" \"\" c") << QByteArrayList{"a b", "", "c"};
        QTest::newRow("doubled quote inside quotes") << QByteArray("\"5\"\" disk\"") << QByteArrayList{"5\" disk"};
        QTest::newRow("shell characters arrive literally")
            << QByteArray("$(touch pwned) `touch pwned` ; touch pwned | * ~ && > pwned '$HOME' \\")
            << QByteArrayList{"$(touch", "pwned)", "`touch", "pwned`", ";", "touch", "pwned", "|", "*", "~",
                              "&&", ">", "pwned", "'$HOME'", "\\"};
        QTest::newRow("high bytes and a line feed")
            << QByteArray("\xff\x80 \"\x82 \xa0\" a\nb") << QByteArrayList{"\xff\x80", "\x82 \xa0", "a\nb"};
    }

    void programGetsExactArguments()
    {
        QFETCH(QByteArray, parameters);
        QFETCH(QByteArrayList, arguments);
        const QString record = NextRecord();
        TDesktopLauncher launcher([](const QUrl& url) {
            qWarning() << "opened" << url;
            return false;
        });

        const auto failure = launcher.Open("\"" + FHelper.toStdString() + "\"", parameters.toStdString());
        QVERIFY2(!failure, failure ? failure->c_str() : "");
        QVERIFY(RecordArrives(record));
        QCOMPARE(ReadRecord(record).Args, arguments);
        QVERIFY(!QFile::exists(FWork + "/pwned"));
    }

    void programRunsDetachedWithTheProcessState()
    {
        PublishParameters({"t.cmdform", "5\" disk", "$(id)"});
        // A descriptor that is not closed on exec must still not reach the program.
        const int leaked = ::dup2(::open("/dev/null", O_RDONLY), 77);
        QCOMPARE(leaked, 77);
        const QString record = NextRecord();

        const auto failure = TDesktopLauncher().Open("\"" + FHelper.toStdString() + "\"", "x");
        ::close(leaked);
        QVERIFY2(!failure, failure ? failure->c_str() : "");
        QVERIFY(RecordArrives(record));
        const TRecord child = ReadRecord(record);

        QCOMPARE(child.Environment.value("1"), QByteArray("5\" disk"));
        QCOMPARE(child.Environment.value("2*"), QByteArray("\"$(id)\" "));
        QCOMPARE(child.Directory, FWork.toLocal8Bit());
        for (int fd = 0; fd <= 2; ++fd)
            QCOMPARE(child.Descriptors.value(fd), OwnDescriptor(fd));
        QVERIFY(!child.Descriptors.contains(77));
        QVERIFY(child.Stat.size() > 3);
        QVERIFY(child.Stat[1].toInt() != ::getpid());    // not our child: it outlives us
        QVERIFY(child.Stat[3].toInt() != ::getsid(0));   // a session of its own
        QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);   // and no child of ours is left to reap
        QCOMPARE(errno, ECHILD);
    }

    void startsOpensOrReports_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<bool>("openerWorks");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QByteArray>("error");

        const QString work = QDir::currentPath();
        auto file = [&](const char* name) { return QUrl::fromLocalFile(work + "/" + name).toString(); };

        QTest::newRow("program in PATH is started") << QByteArray("record-launch") << true << true << "" << QByteArray();
        QTest::newRow("relative path is started") << QByteArray("./tool") << true << true << "" << QByteArray();
        QTest::newRow("quoted absolute path is started")
            << ("\"" + FHelper.toLocal8Bit() + "\"") << true << true << "" << QByteArray();
        QTest::newRow("executable outside PATH without a slash is opened, not run")
            << QByteArray("tool") << true << false << file("tool") << QByteArray();
        QTest::newRow("document is opened") << QByteArray("notes.txt") << true << false << file("notes.txt") << QByteArray();
        QTest::newRow("folder is opened") << QByteArray("folder") << true << false << file("folder") << QByteArray();
        QTest::newRow("file that is not executable is opened")
            << QByteArray("./script.sh") << true << false << file("script.sh") << QByteArray();
        QTest::newRow("URL with a scheme is opened")
            << QByteArray("https://example.org/a?b=1") << true << false << "https://example.org/a?b=1" << QByteArray();
        QTest::newRow("mail URL is opened")
            << QByteArray("mailto:someone@example.org") << true << false << "mailto:someone@example.org" << QByteArray();

        QTest::newRow("missing program") << QByteArray("cmdform-no-such-program") << true << false << ""
                                         << QByteArray("Cannot run \"cmdform-no-such-program\": No such file or directory");
        QTest::newRow("missing path") << QByteArray("./no-such-tool") << true << false << ""
                                      << QByteArray("Cannot run \"./no-such-tool\": No such file or directory");
        QTest::newRow("executable that the system cannot execute")
            << QByteArray("./garbage") << true << false << "" << QByteArray("Cannot run \"./garbage\": Exec format error");
        QTest::newRow("document without an application to open it")
            << QByteArray("./script.sh") << false << false << file("script.sh")
            << QByteArray("Cannot run \"./script.sh\": it is not a program, and no application to open it could be started");
        QTest::newRow("empty program part") << QByteArray("") << true << false << ""
                                            << QByteArray("Cannot run \"\": the command line names no program");
        QTest::newRow("quoted empty program") << QByteArray("\"\"") << true << false << ""
                                              << QByteArray("Cannot run \"\": the command line names no program");
        QTest::newRow("quotes that leave two names")
            << QByteArray("\"a\"\"\"b c\"") << true << false << ""
            << QByteArray("Cannot run \"\"a\"\"\"b c\"\": its quotes leave more than one program name");
        QTest::newRow("NUL byte would cut the program name short")
            << QByteArray("./tool\0x", 8) << true << false << ""
            << QByteArray("Cannot run \"./tool\0x\": the command line holds a NUL byte", 56);
    }

    void startsOpensOrReports()
    {
        QFETCH(QByteArray, program);
        QFETCH(bool, openerWorks);
        QFETCH(bool, started);
        QFETCH(QString, opened);
        QFETCH(QByteArray, error);
        const QString record = NextRecord();
        QStringList openedUrls;
        TDesktopLauncher launcher([&](const QUrl& url) {
            openedUrls << url.toString();
            return openerWorks;
        });

        const std::optional<std::string> failure = launcher.Open(program.toStdString(), "p");
        QCOMPARE(QByteArray::fromStdString(failure.value_or("")), error);
        QCOMPARE(openedUrls, opened.isEmpty() ? QStringList() : QStringList{opened});
        if (started) {
            QVERIFY(RecordArrives(record));
            QCOMPARE(ReadRecord(record).Args, QByteArrayList{"p"});
        } else {
            QVERIFY(!QFile::exists(record + ".stat") && !QFile::exists(record + ".args"));
        }
    }
};

QTEST_MAIN(TestDesktopLauncher)
#include "tst_desktoplauncher.moc"
