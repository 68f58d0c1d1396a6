// Splitting a command line into the program part and the parameter part that the launcher gets.

#include "app/CommandLauncher.h"

#include <QTest>

class TestCommandLauncher : public QObject {
    Q_OBJECT

private slots:
    void splits_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("parameters");

        QTest::newRow("program and document") << QByteArray("notepad readme.txt") << QByteArray("notepad")
                                              << QByteArray("readme.txt");
        QTest::newRow("program alone") << QByteArray("notepad") << QByteArray("notepad") << QByteArray("");
        QTest::newRow("quoted program keeps its quotes")
            << QByteArray("\"my editor.exe\" notes.txt") << QByteArray("\"my editor.exe\"") << QByteArray("notes.txt");
        QTest::newRow("quoted program alone") << QByteArray("\"my editor.exe\"") << QByteArray("\"my editor.exe\"")
                                              << QByteArray("");
        QTest::newRow("tab separates") << QByteArray("cmd\t/c dir") << QByteArray("cmd") << QByteArray("/c dir");
        QTest::newRow("second blank stays in the parameters") << QByteArray("a  b") << QByteArray("a") << QByteArray(" b");
        QTest::newRow("leading blank leaves the program empty") << QByteArray(" a") << QByteArray("") << QByteArray("a");
        QTest::newRow("trailing blank leaves the parameters empty") << QByteArray("a ") << QByteArray("a") << QByteArray("");
        QTest::newRow("empty command") << QByteArray("") << QByteArray("") << QByteArray("");
        QTest::newRow("unclosed quote runs to the end")
            << QByteArray("\"my editor.exe") << QByteArray("\"my editor.exe") << QByteArray("");
        QTest::newRow("quoted stretch inside a word") << QByteArray("x\"a b\"y z") << QByteArray("x\"a b\"y")
                                                      << QByteArray("z");
        QTest::newRow("quote right after a closing quote opens nothing")
            << QByteArray("\"a\"\"b c\"") << QByteArray("\"a\"\"b") << QByteArray("c\"");

        QTest::newRow("high byte before a blank") << QByteArray("\x81 \x82") << QByteArray("\x81") << QByteArray("\x82");
        QTest::newRow("high byte before a quote") << QByteArray("\x93\"a b\" c") << QByteArray("\x93\"a b\"")
                                                  << QByteArray("c");
        QTest::newRow("high bytes inside quotes") << QByteArray("\"\xff \x80\"\xfe z") << QByteArray("\"\xff \x80\"\xfe")
                                                  << QByteArray("z");
        QTest::newRow("high byte after a closing quote") << QByteArray("\"a\"\xe3 b") << QByteArray("\"a\"\xe3")
                                                         << QByteArray("b");
    }

    void splits()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, parameters);
        const TCommandParts parts = SplitCommandLine(command.toStdString());
        QCOMPARE(QByteArray::fromStdString(parts.Program), program);
        QCOMPARE(QByteArray::fromStdString(parts.Parameters), parameters);
    }
};

QTEST_APPLESS_MAIN(TestCommandLauncher)
#include "tst_commandlauncher.moc"
