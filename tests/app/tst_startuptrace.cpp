// The start-up timeline that CMDFORM_TRACE=1 writes to standard error, which bench/run reads.

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QProcessEnvironment Environment(const QString& trace)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("CMDFORM_TRACE");
    if (!trace.isNull())
        env.insert("CMDFORM_TRACE", trace);
    return env;
}

} // namespace

class TestStartupTrace : public QObject {
    Q_OBJECT

private slots:
    // The points come in start-up order, each with the milliseconds since main, the clock's
    // reading first; the first window's points end with its first paint.
    void marksTheStartUpInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.cmdform");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("echo <It|Caption> <@Is|&Text|a> <Ip|&Path|/tmp> <Im|&Menu|A|1|B|2> <Ix|&Check|-c|>\n");
        file.close();

        QProcess cmdform;
        QProcessEnvironment env = Environment("1");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        cmdform.setProcessEnvironment(env);
        cmdform.start(CMDFORM_BINARY, {path});
        QVERIFY(cmdform.waitForStarted());
        QByteArray trace;
        // Only a guard against a hang: the dialog stays open until it is killed.
        QTRY_VERIFY_WITH_TIMEOUT((trace += cmdform.readAllStandardError()).contains(" painted\n"), 60000);
        cmdform.kill();
        cmdform.waitForFinished();

        // Qt's own messages may come in between.
        QList<QByteArray> lines;
        for (const QByteArray& line : trace.split('\n')) {
            if (line.startsWith("cmdform trace:"))
                lines << line;
        }
        QVERIFY2(lines.size() == 6, trace.constData());
        QVERIFY2(QRegularExpression("^cmdform trace: monotonic \\d+\\.\\d{3} ms$").match(QString(lines[0])).hasMatch(),
                 lines[0].constData());
        const QStringList points{"main", "QApplication", "show", "expose", "painted"};
        const QRegularExpression mark("^cmdform trace: +(\\d+\\.\\d{3}) ms (\\w+)$");
        double previous = 0;
        for (int i = 0; i < points.size(); ++i) {
            const QRegularExpressionMatch match = mark.match(QString(lines[i + 1]));
            QVERIFY2(match.hasMatch(), lines[i + 1].constData());
            QCOMPARE(match.captured(2), points[i]);
            const double ms = match.captured(1).toDouble();
            QVERIFY2(ms >= previous, lines[i + 1].constData());
            previous = ms;
        }
    }

    // Only "1" turns the timeline on. Without a display cmdform ends right after main.
    void writesNothingUnlessAskedTo_data()
    {
        QTest::addColumn<QString>("trace");
        QTest::addColumn<bool>("traced");
        QTest::newRow("unset") << QString() << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("1") << "1" << true;
    }

    void writesNothingUnlessAskedTo()
    {
        QFETCH(QString, trace);
        QFETCH(bool, traced);
        QProcessEnvironment env = Environment(trace);
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        QProcess cmdform;
        cmdform.setProcessEnvironment(env);
        cmdform.start(CMDFORM_BINARY, {"t.cmdform"});
        QVERIFY(cmdform.waitForFinished(60000));
        QCOMPARE(cmdform.exitCode(), 1);
        const QByteArray err = cmdform.readAllStandardError();
        QCOMPARE(err.contains("cmdform trace: monotonic "), traced);
        QCOMPARE(err.contains(" ms main\n"), traced);
    }
};

QTEST_GUILESS_MAIN(TestStartupTrace)
#include "tst_startuptrace.moc"
