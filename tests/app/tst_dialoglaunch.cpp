// From the dialog to a started program, for real: the parameters published at start-up travel
// through the template and the launcher to tests/fixtures/record-launch exactly as they were
// given, and a start that fails is reported while the dialog stays open.

#include "MessageBoxes.h"

#include "app/MainUnit.h"
#include "app/Startup.h"
#include "platform/DesktopLauncher.h"
#include "platform/KeyState.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class THeldKeys : public TKeyState {
public:
    explicit THeldKeys(Qt::KeyboardModifiers held) : FHeld(held) {}
    Qt::KeyboardModifiers Modifiers() const override { return FHeld; }

private:
    Qt::KeyboardModifiers FHeld;
};

QByteArrayList NulSeparated(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArrayList items = file.readAll().split('\0');
    items.removeLast(); // every item ends in a NUL
    return items;
}

QByteArray Variable(const QByteArrayList& environment, const QByteArray& name)
{
    for (const QByteArray& entry : environment) {
        if (entry.startsWith(name + "="))
            return entry.mid(name.size() + 1);
    }
    return QByteArray();
}

} // namespace

class TestDialogLaunch : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;

    std::vector<std::string> Args(const QString& templatePath, const QByteArrayList& parameters)
    {
        std::vector<std::string> args{templatePath.toStdString()};
        for (const QByteArray& parameter : parameters)
            args.push_back(parameter.toStdString());
        return args;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(FDir.isValid());
        QVERIFY(QDir::setCurrent(FDir.path()));
        qputenv("CMDFORM_RECORDER", FIXTURES_DIR "/record-launch");
    }

    void okStartsTheCommandWithTheParametersAsGiven()
    {
        const QByteArrayList parameters{"5\" disk", "$(touch pwned); `touch pwned` | * ~ && touch pwned", "a  b", "",
                                        "%PATH%", "C:\\dir\\"};
        const QString record = FDir.filePath("record");
        qputenv("CMDFORM_RECORD", record.toLocal8Bit());
        const std::vector<std::string> args = Args(FIXTURES_DIR "/record-parameters.cmdform", parameters);
        PublishParameters(args);
        TMainForm form;
        BuildDialog(&form, args);
        form.FKeyState = std::make_unique<THeldKeys>(Qt::NoModifier);
        TMessageBoxes boxes;
        form.show();

        QTest::mouseClick(form.OKButton, Qt::LeftButton);

        QVERIFY(boxes.Shown.isEmpty());
        QVERIFY(!form.isVisible());
        QTRY_VERIFY(QFile::exists(record + ".stat"));
        QCOMPARE(NulSeparated(record + ".args"), parameters);
        const QByteArrayList environment = NulSeparated(record + ".env");
        QCOMPARE(Variable(environment, "1"), parameters[0]);
        QCOMPARE(Variable(environment, "6*"), QByteArray("\"C:\\dir\\\" "));
        QVERIFY(!QFile::exists("pwned"));
    }

    void failedStartIsReportedAndTheDialogStays_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("held");
        QTest::addColumn<QString>("message");

        const QString document = FDir.filePath("notes.txt");
        QTest::newRow("missing program") << QByteArray("cmdform-no-such-program %1%") << 0
                                         << "Cannot run \"cmdform-no-such-program\": No such file or directory";
        QTest::newRow("missing program with Shift") << QByteArray("cmdform-no-such-program %1%") << int(Qt::ShiftModifier)
                                                    << "Cannot run \"cmdform-no-such-program\": No such file or directory";
        QTest::newRow("document that nothing can open")
            << ("\"" + document.toLocal8Bit() + "\" %1%") << 0
            << "Cannot run \"" + document + "\": it is not a program, and no application to open it could be started";
        QTest::newRow("command line starting with a blank") << QByteArray(" %1%") << 0
                                                           << "Cannot run \"\": the command line names no program";
    }

    void failedStartIsReportedAndTheDialogStays()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, held);
        QFETCH(QString, message);
        QFile document(FDir.filePath("notes.txt"));
        QVERIFY(document.open(QIODevice::WriteOnly));
        QFile templateFile(FDir.filePath("failing.cmdform"));
        QVERIFY(templateFile.open(QIODevice::WriteOnly));
        templateFile.write(line);
        templateFile.close();

        const std::vector<std::string> args = Args(templateFile.fileName(), {"value"});
        PublishParameters(args);
        TMainForm form;
        BuildDialog(&form, args);
        form.FKeyState = std::make_unique<THeldKeys>(Qt::KeyboardModifiers(held));
        form.FLauncher = std::make_unique<TDesktopLauncher>([](const QUrl&) { return false; }); // no opener installed
        TMessageBoxes boxes;
        form.show();

        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        QTest::mouseClick(form.OKButton, Qt::LeftButton);

        QCOMPARE(boxes.Shown.size(), 2); // the dialog took the second OK as well
        QCOMPARE(boxes.Shown[0].Text, message);
        QCOMPARE(boxes.Shown[0].Icon, QMessageBox::Critical);
        QCOMPARE(boxes.Shown[0].Parent, &form);
        QVERIFY(form.isVisible());
        QVERIFY(form.OKButton->isEnabled());
    }
};

QTEST_MAIN(TestDialogLaunch)
#include "tst_dialoglaunch.moc"
