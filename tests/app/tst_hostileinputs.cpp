// Hostile templates and parameters through the start-up's own steps (PublishParameters, then
// BuildDialog loading into a TMainForm): each gives a clear error or a dialog whose command is
// exactly what the template and the parameters say. Large inputs are made here at run time.

#include "app/MainUnit.h"
#include "app/Startup.h"
#include "platform/Exceptions.h"
#include "template/StringFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QLayout>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;

// What loading gave: the error's message, or the dialog's inputs, rows and command.
struct TLoaded {
    QByteArray Error;
    int Inputs = 0;
    int Rows = 0;
    QByteArray Command;
};

// Publishes the parameters and builds the dialog from args[0] as the program does, then forgets
// the parameters again so that the next case starts from a clean environment.
TLoaded Load(const QList<QByteArray>& args)
{
    std::vector<std::string> startupArgs;
    for (const QByteArray& arg : args)
        startupArgs.push_back(arg.toStdString());
    TLoaded loaded;
    TMainForm form;
    try {
        PublishParameters(startupArgs);
        BuildDialog(&form, startupArgs);
        loaded.Inputs = static_cast<int>(form.FFactory->Inputs().size());
        loaded.Rows = form.RowArea()->layout()->count();
        loaded.Command = QByteArray::fromStdString(form.FFactory->MakeString());
    } catch (const Exception& e) {
        loaded.Error = QByteArray::fromStdString(e.Message());
    }

    for (qsizetype i = 1; i < args.size(); ++i) {
        qunsetenv(QByteArray::number(i));
        qunsetenv(QByteArray::number(i) + '*');
    }
    return loaded;
}

// Where two long byte strings part, for a failure message that does not print megabytes.
QByteArray Difference(const QByteArray& actual, const QByteArray& expected)
{
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return "sizes " + QByteArray::number(actual.size()) + " and " + QByteArray::number(expected.size())
           + ", first difference at byte " + QByteArray::number(at) + ": \""
           + actual.mid(at, 40).toPercentEncoding(" <>|\"") + "\" instead of \""
           + expected.mid(at, 40).toPercentEncoding(" <>|\"") + "\"";
}

void CompareLoaded(const TLoaded& loaded, const QByteArray& error, int inputs, int rows, const QByteArray& command)
{
    QCOMPARE(loaded.Error, error);
    QCOMPARE(loaded.Inputs, inputs);
    QCOMPARE(loaded.Rows, rows);
    if (loaded.Command != command)
        QFAIL(Difference(loaded.Command, command).constData());
}

// Every byte but NUL, CR, LF and those given.
QByteArray BytesWithout(const QByteArray& excluded)
{
    QByteArray bytes;
    for (int c = 1; c < 256; ++c) {
        if (c != '\r' && c != '\n' && !excluded.contains(char(c)))
            bytes += char(c);
    }
    return bytes;
}

// Switches the effective user to nobody while it lives, so that file permissions hold for root too.
class TAsNobody {
public:
    TAsNobody() : FWasRoot(::geteuid() == 0) { FSwitched = FWasRoot && ::seteuid(65534) == 0; }
    ~TAsNobody()
    {
        if (FSwitched && ::seteuid(0) != 0)
            qFatal("cannot switch back to root: %s", std::strerror(errno));
    }
    bool Failed() const { return FWasRoot && !FSwitched; }

private:
    bool FWasRoot;
    bool FSwitched = false;
};

} // namespace

class TestHostileInputs : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;

    QByteArray WriteTemplate(const QByteArray& content, const QString& name = "t.cmdform")
    {
        QFile file(FDir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return QFile::encodeName(file.fileName());
    }

private slots:
    void initTestCase()
    {
        // A writer whose reader is gone gets EPIPE instead of ending the test.
        std::signal(SIGPIPE, SIG_IGN);
    }

    void init()
    {
        // Loading warns of nothing. A combo box's popup list, a window of its own, was once
        // chained into the dialog's tab order, and Qt refused it with a warning per combo box.
        QTest::failOnWarning(QRegularExpression(".*"));
    }

    void templates_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("error");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("command");

        const QByteArray run(50 * kMegabyte, 'a');
        QTest::newRow("50 MB line of text") << "echo " + run << QByteArray() << 0 << 0 << "echo " + run;
        QTest::newRow("50 MB line ending in a definition")
            << run + "<@Is|&Name|v>" << QByteArray() << 1 << 1 << run + "v";
        // Line edits used to cut their text at 32767 characters. (Qt lays out a line edit's whole
        // text, at about half a second a megabyte: 5 MB make the point.)
        const QByteArray value(5 * kMegabyte, 'v');
        QTest::newRow("5 MB value of a text field") << "<Is|Name|" + value + ">" << QByteArray() << 1 << 1 << value;
        QTest::newRow("50 MB definition left open") << "ls <Is|Name|" + run << QByteArray("not exists: >") << 0 << 0
                                                    << QByteArray();
        // The whole file used to be split into lines: 50 million empty ones, gigabytes of them.
        QTest::newRow("50 MB of line breaks after the line") << "ls" + QByteArray(50 * kMegabyte, '\n')
                                                             << QByteArray() << 0 << 0 << QByteArray("ls");
        QTest::newRow("50 MB of line breaks before the line") << QByteArray(50 * kMegabyte, '\n') + "ls"
                                                              << QByteArray() << 0 << 0 << QByteArray();

        // Fields used to be moved one by one, each move shifting all the fields after it.
        QTest::newRow("menu of 100 000 entries")
            << "<Im|Menu" + QByteArray("|entry|value").repeated(100000) + ">" << QByteArray() << 1 << 1
            << QByteArray("value");
        QTest::newRow("combo box of 100 000 entries")
            << "<Ic|Combo" + QByteArray("|entry").repeated(100000) + ">" << QByteArray() << 1 << 1
            << QByteArray("entry");
        QTest::newRow("radio group of 10 000 buttons")
            << "<Ir|Group" + QByteArray("|button|value").repeated(10000) + ">" << QByteArray() << 1 << 1
            << QByteArray("value");
        QTest::newRow("text field with 1 000 000 fields")
            << "<Is|Name|v" + QByteArray("|x").repeated(1000000) + ">" << QByteArray() << 1 << 1 << QByteArray("v");

        QByteArray definitions;
        QByteArray values;
        for (int i = 0; i < 10000; ++i) {
            definitions += "<Is|Name " + QByteArray::number(i) + "|" + QByteArray::number(i) + ">";
            values += QByteArray::number(i);
        }
        QTest::newRow("10 000 text fields") << definitions << QByteArray() << 10000 << 10000 << values;

        // The kinds in turn, each with the value it starts with. Every path field used to start a
        // thread of its own to read the file system, and menus and combo boxes took time growing
        // with the square of their number.
        const QList<std::pair<QByteArray, QByteArray>> kinds = {
            {"<Is|S|s>", "s"},  {"<Ip|P|p>", "p"},   {"<Ic|C|c|d>", "c"}, {"<Im|M|M|m>", "m"},
            {"<Ix|X|y|x>", "x"}, {"<Ir|R|r|r>", "r"}, {"<It|T>", ""}};
        definitions.clear();
        values.clear();
        for (int i = 0; i < 10000; ++i) {
            definitions += kinds[i % kinds.size()].first;
            values += kinds[i % kinds.size()].second;
        }
        QTest::newRow("10 000 inputs of every kind") << definitions << QByteArray() << 10000 << 10000 << values;
        QTest::newRow("10 000 back-references") << "<Is|A|a>" + QByteArray("<1>").repeated(10000) << QByteArray()
                                                << 10001 << 1 << QByteArray("a").repeated(10001);

        // An executable's ELF header holds a NUL within its first 16 bytes: the text ends there.
        QFile self(QCoreApplication::applicationFilePath());
        QVERIFY(self.open(QIODevice::ReadOnly));
        const QByteArray executable = self.readAll();
        const QByteArray header = executable.left(executable.indexOf('\0'));
        QVERIFY(header.startsWith("\x7f" "ELF") && header.size() < 16);
        QTest::newRow("executable file") << executable << QByteArray() << 0 << 0 << header;
        const QByteArray literal = BytesWithout("<>%");
        QTest::newRow("every byte as literal text") << literal << QByteArray() << 0 << 0 << literal;
        const QByteArray field = BytesWithout("<>|\"%");
        QTest::newRow("every byte in a caption and a value")
            << "<Is|" + field + "|" + field + ">" << QByteArray() << 1 << 1 << field;

        const QByteArray invalid = "\xC3\x28 \xFF\xFE \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xE3\x81";
        QTest::newRow("invalid UTF-8 in every kind's values")
            << "<It|" + invalid + "><Is|" + invalid + "|" + invalid + "><Ip|" + invalid + "|" + invalid + "><Ic|"
                   + invalid + "|" + invalid + "><Im|" + invalid + "|" + invalid + "|" + invalid + "><Ix|" + invalid
                   + "|x|" + invalid + "><Ir|" + invalid + "|" + invalid + "|" + invalid + ">"
            << QByteArray() << 7 << 7 << invalid.repeated(6);
        QTest::newRow("invalid UTF-8 in an unknown kind")
            << QByteArray("<I\xFF|x>") << QByteArray("I\xFFUnknown Command") << 0 << 0 << QByteArray();
    }

    void templates()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, error);
        QFETCH(int, inputs);
        QFETCH(int, rows);
        QFETCH(QByteArray, command);
        CompareLoaded(Load({WriteTemplate(content)}), error, inputs, rows, command);
    }

    void unloadableTemplates_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("error");

        const QByteArray directory = QFile::encodeName(FDir.path());
        QTest::newRow("directory") << directory
                                   << "Cannot open file \"" + directory + "\". Is a directory";
        const QByteArray loop = directory + "/loop.cmdform";
        QVERIFY(QFile::link(QString::fromLocal8Bit(loop), QString::fromLocal8Bit(loop)));
        QTest::newRow("symbolic link to itself")
            << loop << "Cannot open file \"" + loop + "\". Too many levels of symbolic links";
        const QByteArray under = WriteTemplate("ls", "plain.cmdform") + "/t.cmdform";
        QTest::newRow("file taken for a directory") << under << "Cannot open file \"" + under + "\". Not a directory";
        const QByteArray longName = directory + "/" + QByteArray(300, 'n');
        QTest::newRow("name too long") << longName << "Cannot open file \"" + longName + "\". File name too long";
        QTest::newRow("empty device") << QByteArray("/dev/null") << QByteArray("List index out of bounds (0)");
        // Used to be read to its endless end.
        QTest::newRow("endless device of NUL bytes") << QByteArray("/dev/zero")
                                                     << QByteArray("List index out of bounds (0)");
    }

    void unloadableTemplates()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, error);
        CompareLoaded(Load({path}), error, 0, 0, QByteArray());
    }

    void templateWithoutReadPermission()
    {
        const QByteArray path = WriteTemplate("ls <Is|Dir|.>", "locked.cmdform");
        QVERIFY(::chmod(path.constData(), 0) == 0);
        TLoaded loaded;
        {
            TAsNobody nobody;
            if (nobody.Failed())
                QSKIP("running as root and cannot act as user nobody, who would be refused the file");
            loaded = Load({path});
        }
        CompareLoaded(loaded, "Cannot open file \"" + path + "\". Permission denied", 0, 0, QByteArray());
    }

    void templateThroughAPipe_data()
    {
        QTest::addColumn<bool>("named");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("endless");
        QTest::addColumn<QByteArray>("command");

        // What cmdform <(printf 'ls <Is|Dir|.>') hands over: /dev/fd/N of an unnamed pipe.
        QTest::newRow("process substitution") << false << QByteArray("ls <Is|Dir|.>") << false << QByteArray("ls .");
        const QByteArray megabyte(kMegabyte, 'x');
        QTest::newRow("process substitution, more than a pipe holds")
            << false << "ls " + megabyte + "<Is|Dir|.>\nsecond" << false << "ls " + megabyte + ".";
        // The whole pipe used to be read before its first line was used: a writer that goes on
        // kept the dialog from opening.
        QTest::newRow("process substitution that goes on writing")
            << false << QByteArray("ls <Is|Dir|.>\n") << true << QByteArray("ls .");
        QTest::newRow("named pipe") << true << QByteArray("ls <Is|Dir|.>") << false << QByteArray("ls .");
        QTest::newRow("named pipe that goes on writing")
            << true << QByteArray("ls <Is|Dir|.>\r\n") << true << QByteArray("ls .");
    }

    void templateThroughAPipe()
    {
        QFETCH(bool, named);
        QFETCH(QByteArray, content);
        QFETCH(bool, endless);
        QFETCH(QByteArray, command);

        QByteArray path;
        int writeEnd = -1;
        if (named) {
            path = QFile::encodeName(FDir.filePath("fifo"));
            ::unlink(path.constData());
            QVERIFY(::mkfifo(path.constData(), 0600) == 0);
        } else {
            int ends[2];
            QVERIFY(::pipe(ends) == 0);
            path = "/dev/fd/" + QByteArray::number(ends[0]);
            writeEnd = ends[1];
        }
        // The writer feeds the pipe while the loader reads it, as the shell's printf would; an
        // endless one goes on with more lines until the pipe is closed on the other side.
        std::thread writer([&] {
            const int fd = named ? ::open(path.constData(), O_WRONLY) : writeEnd;
            const QByteArray more = "more <Iz|x>\n";
            for (qsizetype done = 0; fd >= 0;) {
                const QByteArray& bytes = done < content.size() ? content : more;
                const qsizetype from = done < content.size() ? done : 0;
                const ssize_t written = ::write(fd, bytes.constData() + from, size_t(bytes.size() - from));
                if (written <= 0 || (!endless && done + written >= content.size()))
                    break;
                done += written;
            }
            if (fd >= 0)
                ::close(fd);
        });
        const TLoaded loaded = Load({path});
        // Whatever the loader did, the writer must get done: it finds a reader, or a pipe closed.
        if (named) {
            const int unblock = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
            if (unblock >= 0)
                ::close(unblock);
        } else {
            ::close(path.mid(int(std::strlen("/dev/fd/"))).toInt());
        }
        writer.join();
        CompareLoaded(loaded, QByteArray(), 1, 1, command);
    }

    void hostileParameters_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("parameters");
        QTest::addColumn<QByteArray>("error");
        QTest::addColumn<QByteArray>("command");

        QList<QByteArray> many;
        for (int i = 1; i <= 1000; ++i)
            many << "p" + QByteArray::number(i);
        QTest::newRow("1 000 parameters")
            << QByteArray("echo %1000% %999*%<Is|First|%1%><Is|All|%1*%>") << many << QByteArray()
            << "echo p1000 \"p999\" \"p1000\" p1" + ("\"" + many.join("\" \"") + "\" ");
        // "1*" to "10000*" would have taken 0.5 GB and many seconds, 100 000 parameters all the
        // memory there is.
        QList<QByteArray> tooMany;
        for (int i = 1; i <= 10000; ++i)
            tooMany << "param" + QByteArray::number(i);
        QTest::newRow("10 000 parameters") << QByteArray("echo %1%") << tooMany
                                           << QByteArray("Too many parameters: their variables would take 571 MB, "
                                                         "more than 64 MB")
                                           << QByteArray();
        // Line edits used to cut their text at 32767 characters.
        const QByteArray megabyte(kMegabyte, 'm');
        QTest::newRow("1 MB parameter in text and in every kind's value")
            << QByteArray("echo \"%1%\" <Is|S|%1%><Ip|P|%1%><Ic|C|%1%><Im|M|M|%1%><Ix|X|x|%1%><Ir|R|r|%1%>")
            << QList<QByteArray>{megabyte} << QByteArray() << "echo \"" + megabyte + "\" " + megabyte.repeated(6);
        QTest::newRow("line feeds in a parameter are dropped, in text and in a value")
            << QByteArray("echo %1% <Is|Name|%1%>") << QList<QByteArray>{"a\nb\r\nc"} << QByteArray()
            << QByteArray("echo ab\rc ab\rc");
    }

    void hostileParameters()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, parameters);
        QFETCH(QByteArray, error);
        QFETCH(QByteArray, command);
        const int inputs = error.isEmpty() ? int(content.count("<I")) : 0;
        CompareLoaded(Load(QList<QByteArray>{WriteTemplate(content)} + parameters), error, inputs, inputs, command);
    }
};

QTEST_MAIN(TestHostileInputs)
#include "tst_hostileinputs.moc"
