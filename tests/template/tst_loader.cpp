// Loading template files into a form: which line is used, what the command string becomes, and
// the files and lines that cannot be loaded.

#include "app/MainUnit.h"
#include "platform/Exceptions.h"
#include "template/StringFactory.h"

#include <QTemporaryDir>
#include <QTest>

class TestLoader : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;

    QString WriteTemplate(const QByteArray& content, const QString& name = "t.cmdform")
    {
        QFile file(FDir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        file.write(content);
        return file.fileName();
    }

private slots:
    void commandFromLiteralText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("command");

        QTest::newRow("literal line") << QByteArray("ls -l /tmp") << QByteArray("ls -l /tmp");
        QTest::newRow("only the first line counts") << QByteArray("ls\nrm -rf /\n") << QByteArray("ls");
        QTest::newRow("CR alone ends the line") << QByteArray("ls\rrm -rf /") << QByteArray("ls");
        QTest::newRow("CR LF ends the line") << QByteArray("ls\r\nrm") << QByteArray("ls");
        QTest::newRow("NUL ends the text") << QByteArray("ls\0rm", 5) << QByteArray("ls");
        QTest::newRow("file starting with a line break") << QByteArray("\nls") << QByteArray("");
        QTest::newRow("literal brackets") << QByteArray("echo <<> <>>") << QByteArray("echo < >");
        QTest::newRow("stray > is dropped") << QByteArray("a > b") << QByteArray("a  b");
        QTest::newRow("definition without bar at the end is dropped")
            << QByteArray("echo hi <Is") << QByteArray("echo hi ");
    }

    void commandFromLiteralText()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, command);
        TMainForm form;
        TStringFactory factory(&form, form.RowArea());
        factory.LoadTemplate(WriteTemplate(content).toStdString());
        QCOMPARE(QByteArray::fromStdString(factory.MakeString()), command);
        QCOMPARE(QByteArray::fromStdString(factory.MakeString()), command);
    }

    void expandsVariablesBeforeScanning()
    {
        // A line feed that arrives through a value is a token of its own and leaves the command.
        qputenv("CMDFORM_LOADER_VALUE", "a\nb <<>");
        TMainForm form;
        TStringFactory factory(&form, form.RowArea());
        factory.LoadTemplate(WriteTemplate("echo %CMDFORM_LOADER_VALUE%").toStdString());
        QCOMPARE(factory.MakeString(), std::string("echo ab <"));
    }

    void longLineComesBackWhole()
    {
        const QByteArray line(200000, 'x');
        TMainForm form;
        TStringFactory factory(&form, form.RowArea());
        factory.LoadTemplate(WriteTemplate(line + "\nnext").toStdString());
        QCOMPARE(QByteArray::fromStdString(factory.MakeString()), line);
    }

    void formIsCaptionedAndFittedWithoutInputs()
    {
        TMainForm form;
        const int width = form.width();
        TStringFactory factory(&form, form.RowArea());
        factory.LoadTemplate(WriteTemplate("ls", "grep.tar.cmdform").toStdString());
        QCOMPARE(form.windowTitle(), QString("grep.tar"));
        QCOMPARE(form.width(), width);
        QCOMPARE(form.height(), form.ButtonPanel->height());
    }

    void unloadableFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");

        QTest::newRow("missing file") << FDir.filePath("none.cmdform")
                                      << QString("Cannot open file \"%1\". No such file or directory")
                                             .arg(FDir.filePath("none.cmdform"));
        QTest::newRow("empty name") << "" << "Cannot open file \"\". No such file or directory";
        QTest::newRow("directory") << FDir.path()
                                   << QString("Cannot open file \"%1\". Is a directory").arg(FDir.path());
        QTest::newRow("empty file") << WriteTemplate("", "empty.cmdform") << "List index out of bounds (0)";
        QTest::newRow("file starting with NUL") << WriteTemplate(QByteArray("\0ls", 3), "nul.cmdform")
                                                << "List index out of bounds (0)";
        QTest::newRow("definition left open after a bar") << WriteTemplate("ls <Is|Name", "open.cmdform")
                                                          << "not exists: >";
    }

    void unloadableFiles()
    {
        QFETCH(QString, path);
        QFETCH(QString, message);
        TMainForm form;
        const QString title = form.windowTitle();
        TStringFactory factory(&form, form.RowArea());
        try {
            factory.LoadTemplate(path.toStdString());
            QFAIL("loaded");
        } catch (const Exception& e) {
            QCOMPARE(QString::fromStdString(e.Message()), message);
        }
        QCOMPARE(form.windowTitle(), title);
    }
};

QTEST_MAIN(TestLoader)
#include "tst_loader.moc"
