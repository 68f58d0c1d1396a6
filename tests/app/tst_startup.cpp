// Start-up: publishing the parameters, and the paths that report an error instead of a dialog.

#include "app/Startup.h"
#include "platform/CommandArguments.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

QByteArray Env(const char* name) { return qgetenv(name); }

std::vector<std::string> Args(const QStringList& list)
{
    std::vector<std::string> args;
    for (const QString& arg : list)
        args.push_back(arg.toStdString());
    return args;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void publishesEachParameterAndTheRestQuoted()
    {
        PublishParameters(Args({"t.txt", "alpha", "b c", "d"}));
        QCOMPARE(Env("1"), "alpha");
        QCOMPARE(Env("1*"), "\"alpha\" \"b c\" \"d\" ");
        QCOMPARE(Env("2"), "b c");
        QCOMPARE(Env("2*"), "\"b c\" \"d\" ");
        QCOMPARE(Env("3"), "d");
        QCOMPARE(Env("3*"), "\"d\" ");
    }

    void publishesElevenParameters()
    {
        QStringList args{"t.txt"};
        for (int k = 1; k <= 11; ++k)
            args << QString("p%1").arg(k);
        PublishParameters(Args(args));
        QCOMPARE(Env("10"), "p10");
        QCOMPARE(Env("11"), "p11");
        QCOMPARE(Env("10*"), "\"p10\" \"p11\" ");
        QCOMPARE(Env("11*"), "\"p11\" ");
    }

    void starredValueQuotesEachParameter_data()
    {
        QTest::addColumn<QByteArray>("parameter");
        QTest::addColumn<QByteArray>("starred");

        QTest::newRow("plain parameter") << QByteArray("alpha") << QByteArray("\"alpha\" ");
        QTest::newRow("blank inside") << QByteArray("b c") << QByteArray("\"b c\" ");
        QTest::newRow("quote inside is doubled") << QByteArray("5\" disk") << QByteArray("\"5\"\" disk\" ");
        QTest::newRow("only a quote") << QByteArray("\"") << QByteArray("\"\"\"\" ");
        QTest::newRow("empty parameter") << QByteArray("") << QByteArray("\"\" ");
        QTest::newRow("backslash stays single") << QByteArray("a\\\"") << QByteArray("\"a\\\"\"\" ");
    }

    void starredValueQuotesEachParameter()
    {
        QFETCH(QByteArray, parameter);
        QFETCH(QByteArray, starred);
        PublishParameters({"t.txt", parameter.toStdString()});
        QCOMPARE(Env("1"), parameter);
        QCOMPARE(Env("1*"), starred);
    }

    void starredValueSplitsBackIntoTheParameters()
    {
        const std::vector<std::string> parameters{"5\" disk", "", "a b", "\"", "x\"\"y", "\\\"", "$(id) `id`"};
        std::vector<std::string> args{"t.txt"};
        args.insert(args.end(), parameters.begin(), parameters.end());
        PublishParameters(args);
        QCOMPARE(SplitArguments(Env("1*").toStdString()), parameters);
        QCOMPARE(SplitArguments(Env("3*").toStdString()), std::vector<std::string>(parameters.begin() + 2, parameters.end()));
    }

    void noParametersLeaveInheritedVariablesAlone()
    {
        qputenv("1", "inherited");
        qunsetenv("1*");
        PublishParameters(Args({"t.txt"}));
        QCOMPARE(Env("1"), "inherited");
        QVERIFY(!qEnvironmentVariableIsSet("1*"));
    }

    void errorsAreReportedAndNoDialogOpens_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("message");

        QTest::newRow("missing file") << QByteArray() << "Cannot open file \"%1\". No such file or directory";
        QTest::newRow("unknown kind") << QByteArray("ls <Iz|x>") << "IzUnknown Command";
        QTest::newRow("definition left open") << QByteArray("ls <Is|x") << "not exists: >";
        QTest::newRow("check box without its value") << QByteArray("ls <Ix|Verbose>")
                                                     << "List index out of bounds (0)";
        QTest::newRow("too few fields") << QByteArray("ls <Ir|Level>")
                                        << "Ir: needs at least 2 fields after the kind field";
        QTest::newRow("empty file") << QByteArray("\0", 1) << "List index out of bounds (0)";
    }

    void errorsAreReportedAndNoDialogOpens()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath("t.cmdform");
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }

        bool dialogShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                dialogShown = true;
                modal->close();
            }
        });
        watch.start(10);

        QStringList reports;
        const int status = RunStartup(Args({path}), [&](const std::string& text) {
            reports << QString::fromStdString(text);
        });
        QCOMPARE(status, 1);
        QVERIFY(!dialogShown);
        QCOMPARE(reports, QStringList{message.arg(path)});
    }

    void closedDialogExitsWithZero()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("plain.cmdform"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("ls -l\n");
        file.close();

        QString caption;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            caption = modal->windowTitle();
            modal->close();
        });
        QStringList reports;
        QCOMPARE(RunStartup(Args({file.fileName()}), [&](const std::string& m) { reports << m.c_str(); }), 0);
        QCOMPARE(caption, QString("plain"));
        QVERIFY(reports.isEmpty());
    }

    void errorBoxAlsoWritesStandardError()
    {
        QTemporaryDir dir;
        const QString logPath = dir.filePath("stderr.txt");
        std::fflush(stderr);
        const int saved = ::dup(2);
        QVERIFY(std::freopen(logPath.toLocal8Bit().constData(), "w", stderr));

        QString boxText;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            boxText = box->findChild<QObject*>("qt_msgbox_label")->property("text").toString();
            box->close();
        });
        ReportStartupError("a <b>bold</b> failure");

        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        QFile log(logPath);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), QByteArray("cmdform: a <b>bold</b> failure\n"));
        QCOMPARE(boxText, QString("a <b>bold</b> failure"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
