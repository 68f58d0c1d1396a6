// The dialog's commands: OK with and without Shift and Alt, from the button and from the keyboard,
// the errors it shows, and where the dialog opens. Key state, window system and launcher are stand-ins
// where the test has to decide what they say.

#include "MessageBoxes.h"

#include "app/MainUnit.h"
#include "platform/DesktopWindows.h"
#include "platform/Exceptions.h"
#include "platform/KeyState.h"
#include "platform/Launcher.h"
#include "platform/X11DesktopWindows.h"
#include "template/StringFactory.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLayout>
#include <QPushButton>
#include <QTest>

namespace {

class TFakeKeyState : public TKeyState {
public:
    Qt::KeyboardModifiers Modifiers() const override { return Held; }
    Qt::KeyboardModifiers Held;
};

class TFakeDesktopWindows : public TDesktopWindows {
public:
    QRect ForegroundRect() override { return Foreground; }
    QMargins FrameExtents(QWidget*) override { return Frame; }
    QRect Foreground;
    QMargins Frame;
};

// Records each launch with the state of OK at that moment; fails when told to.
class TFakeLauncher : public TLauncher {
public:
    explicit TFakeLauncher(QPushButton* okButton) : FOKButton(okButton) {}
    std::optional<std::string> Open(const std::string& programPart, const std::string& parameterPart) override
    {
        Launches << QString::fromStdString(programPart + "|" + parameterPart);
        OKEnabledDuringLaunch << FOKButton->isEnabled();
        return Failure;
    }
    QStringList Launches;
    QList<bool> OKEnabledDuringLaunch;
    std::optional<std::string> Failure;

private:
    QPushButton* FOKButton;
};

// Builds a new command line on every call, as inputs whose values change would.
class TCountingFactory : public TStringFactory {
public:
    explicit TCountingFactory(TMainForm* form) : TStringFactory(form, form->RowArea()) {}
    std::string MakeString() override
    {
        if (Failure)
            throw EStringListError(*Failure);
        return "tool \"<b>" + std::to_string(++FCalls) + "</b>\"";
    }
    std::optional<std::string> Failure;

private:
    int FCalls = 0;
};

} // namespace

class TestMainUnit : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> FForm;
    TFakeKeyState* FKeys = nullptr;
    TFakeLauncher* FLauncher = nullptr;
    TFakeDesktopWindows* FDesktop = nullptr;
    TCountingFactory* FFactory = nullptr;
    std::unique_ptr<TMessageBoxes> FBoxes;

    void ShowForm()
    {
        FForm->show();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    }

    // Qt Test releases a modifier key with an event that still carries the modifier, so that Qt
    // goes on thinking it held. A keyboard's release carries it no more; anything that looks at
    // the keys later than the key press must see them up.
    static void ReleaseModifierKeys(QWidget* target, Qt::KeyboardModifiers held)
    {
        if (held & Qt::AltModifier)
            QTest::keyRelease(target, Qt::Key_Alt);
        if (held & Qt::ShiftModifier)
            QTest::keyRelease(target, Qt::Key_Shift);
        if (held & Qt::ControlModifier)
            QTest::keyRelease(target, Qt::Key_Control);
        QCOMPARE(QGuiApplication::keyboardModifiers(), Qt::NoModifier);
    }

    QStringList Launched(std::initializer_list<int> numbers)
    {
        QStringList commands;
        for (int n : numbers)
            commands << QString("tool|\"<b>%1</b>\"").arg(n);
        return commands;
    }

private slots:
    void init()
    {
        FForm = std::make_unique<TMainForm>();
        FForm->resize(339, 150);
        FForm->FKeyState = std::make_unique<TFakeKeyState>();
        FKeys = static_cast<TFakeKeyState*>(FForm->FKeyState.get());
        FForm->FLauncher = std::make_unique<TFakeLauncher>(FForm->OKButton);
        FLauncher = static_cast<TFakeLauncher*>(FForm->FLauncher.get());
        FForm->FDesktopWindows = std::make_unique<TFakeDesktopWindows>();
        FDesktop = static_cast<TFakeDesktopWindows*>(FForm->FDesktopWindows.get());
        FDesktop->Foreground = QRect(0, 0, 800, 600);
        FForm->FFactory = std::make_unique<TCountingFactory>(FForm.get());
        FFactory = static_cast<TCountingFactory*>(FForm->FFactory.get());
        FBoxes = std::make_unique<TMessageBoxes>();
    }

    void cleanup()
    {
        FForm.reset();
        FBoxes.reset();
    }

    void okButton_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QStringList>("launched");
        QTest::addColumn<int>("shown"); // message boxes with the command line
        QTest::addColumn<bool>("stays");

        QTest::newRow("OK runs and closes") << 0 << 1 << Launched({1}) << 0 << false;
        QTest::newRow("Shift+OK twice runs twice, each time built anew")
            << int(Qt::ShiftModifier) << 2 << Launched({1, 2}) << 0 << true;
        QTest::newRow("Alt+OK shows the command line only") << int(Qt::AltModifier) << 1 << Launched({}) << 1 << true;
        QTest::newRow("Alt+Shift+OK shows the command line only")
            << int(Qt::AltModifier | Qt::ShiftModifier) << 1 << Launched({}) << 1 << true;
        QTest::newRow("Ctrl+OK runs and closes") << int(Qt::ControlModifier) << 1 << Launched({1}) << 0 << false;
    }

    void okButton()
    {
        QFETCH(int, held);
        QFETCH(int, presses);
        QFETCH(QStringList, launched);
        QFETCH(int, shown);
        QFETCH(bool, stays);
        ShowForm();
        FKeys->Held = Qt::KeyboardModifiers(held);

        for (int press = 0; press < presses; ++press)
            QTest::mouseClick(FForm->OKButton, Qt::LeftButton);

        QCOMPARE(FLauncher->Launches, launched);
        QCOMPARE(FLauncher->OKEnabledDuringLaunch, QList<bool>(launched.size(), false));
        QVERIFY(FForm->OKButton->isEnabled());
        QCOMPARE(FBoxes->Shown.size(), shown);
        QCOMPARE(FForm->isVisible(), stays);
        if (stays) // disabling OK moved the focus away; it must be back for the next Enter
            QCOMPARE(FForm->focusWidget(), FForm->OKButton);
    }

    void commandLineBoxShowsTheTextAsItIs()
    {
        ShowForm();
        FKeys->Held = Qt::AltModifier;
        QTest::mouseClick(FForm->OKButton, Qt::LeftButton);
        QCOMPARE(FBoxes->Shown.size(), 1);
        const TBox& box = FBoxes->Shown[0];
        QCOMPARE(box.Text, QString("tool \"<b>1</b>\""));
        QCOMPARE(box.Title, box.Text);
        QCOMPARE(box.Icon, QMessageBox::NoIcon);
        QCOMPARE(box.Format, Qt::PlainText);
        QVERIFY(box.Selectable);
        QCOMPARE(box.Parent, FForm.get());
        QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("held");
        QTest::addColumn<QStringList>("launched");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("stays");

        const int shift = Qt::ShiftModifier, alt = Qt::AltModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("Enter on Cancel presses Cancel") << "Cancel" << int(Qt::Key_Return) << 0 << Launched({}) << 0 << false;
        QTest::newRow("Enter on OK runs and closes") << "OK" << int(Qt::Key_Return) << 0 << Launched({1}) << 0 << false;
        QTest::newRow("Shift+Enter runs once and stays, even on Cancel")
            << "Cancel" << int(Qt::Key_Return) << shift << Launched({1}) << 0 << true;
        QTest::newRow("Shift+Enter on OK runs once") << "OK" << int(Qt::Key_Return) << shift << Launched({1}) << 0 << true;
        QTest::newRow("Shift+keypad Enter runs once")
            << "Cancel" << int(Qt::Key_Enter) << int(shift | Qt::KeypadModifier) << Launched({1}) << 0 << true;
        QTest::newRow("Alt+Enter shows the command line") << "OK" << int(Qt::Key_Return) << alt << Launched({}) << 1 << true;
        QTest::newRow("Ctrl+Enter does nothing") << "OK" << int(Qt::Key_Return) << ctrl << Launched({}) << 0 << true;
        QTest::newRow("Ctrl+Enter on Cancel does nothing")
            << "Cancel" << int(Qt::Key_Return) << ctrl << Launched({}) << 0 << true;
        QTest::newRow("Ctrl+Shift+Enter acts as Shift+Enter")
            << "Cancel" << int(Qt::Key_Return) << (ctrl | shift) << Launched({1}) << 0 << true;
        QTest::newRow("Escape closes without running") << "OK" << int(Qt::Key_Escape) << 0 << Launched({}) << 0 << false;
        QTest::newRow("Alt+O shows the command line") << "Cancel" << int(Qt::Key_O) << alt << Launched({}) << 1 << true;
    }

    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, held);
        QFETCH(QStringList, launched);
        QFETCH(int, shown);
        QFETCH(bool, stays);
        // The real key state: what counts is the keys as the key events carried them.
        FForm->FKeyState = std::make_unique<TApplicationKeyState>();
        ShowForm();
        QPushButton* target = focus == "OK" ? FForm->OKButton : FForm->CancelButton;
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(held));
        ReleaseModifierKeys(target, Qt::KeyboardModifiers(held));

        QTRY_COMPARE(FBoxes->Shown.size(), shown);
        QCOMPARE(FLauncher->Launches, launched);
        QCOMPARE(FForm->isVisible(), stays);
    }

    void enterInAnOpenListBelongsToTheList()
    {
        FForm->FKeyState = std::make_unique<TApplicationKeyState>();
        auto* list = new QComboBox(FForm->RowArea());
        list->addItems({"first", "second"});
        FForm->RowArea()->layout()->addWidget(list);
        ShowForm();
        list->setFocus();
        list->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());

        QTest::keyClick(QApplication::activePopupWidget()->focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
        ReleaseModifierKeys(list, Qt::ShiftModifier);

        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(FLauncher->Launches.isEmpty());
        QVERIFY(FForm->isVisible());
    }

    void failedStartIsShownAndTheDialogStays_data()
    {
        QTest::addColumn<int>("held");
        QTest::newRow("without Shift") << 0;
        QTest::newRow("with Shift") << int(Qt::ShiftModifier);
    }

    void failedStartIsShownAndTheDialogStays()
    {
        QFETCH(int, held);
        ShowForm();
        FKeys->Held = Qt::KeyboardModifiers(held);
        FLauncher->Failure = "Cannot run \"tool\": No such file or directory";

        QTest::mouseClick(FForm->OKButton, Qt::LeftButton);

        QCOMPARE(FLauncher->Launches.size(), 1);
        QCOMPARE(FBoxes->Shown.size(), 1);
        QCOMPARE(FBoxes->Shown[0].Text, QString("Cannot run \"tool\": No such file or directory"));
        QCOMPARE(FBoxes->Shown[0].Icon, QMessageBox::Critical);
        QCOMPARE(FBoxes->Shown[0].Format, Qt::PlainText);
        QVERIFY(FForm->isVisible());
        QVERIFY(FForm->OKButton->isEnabled());
    }

    void commandLineErrorIsShownAndNothingRuns()
    {
        ShowForm();
        FFactory->Failure = "List index out of bounds (3)";
        QTest::mouseClick(FForm->OKButton, Qt::LeftButton);
        QTest::keyClick(FForm->OKButton, Qt::Key_Return, Qt::ShiftModifier);

        QVERIFY(FLauncher->Launches.isEmpty());
        QCOMPARE(FBoxes->Shown.size(), 2);
        QCOMPARE(FBoxes->Shown[0].Text, QString("List index out of bounds (3)"));
        QCOMPARE(FBoxes->Shown[0].Icon, QMessageBox::Critical);
        QVERIFY(FForm->isVisible());
    }

    void emptyCommandLine_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<QStringList>("launched");
        QTest::addColumn<int>("shown");

        QTest::newRow("with Alt an empty box") << int(Qt::AltModifier) << QStringList() << 1;
        QTest::newRow("without Alt it goes to the launcher") << 0 << QStringList{"|"} << 0;
    }

    void emptyCommandLine()
    {
        QFETCH(int, held);
        QFETCH(QStringList, launched);
        QFETCH(int, shown);
        FForm->FFactory = std::make_unique<TStringFactory>(FForm.get(), FForm->RowArea());
        ShowForm();
        FKeys->Held = Qt::KeyboardModifiers(held);
        QTest::mouseClick(FForm->OKButton, Qt::LeftButton);
        QCOMPARE(FLauncher->Launches, launched);
        QCOMPARE(FBoxes->Shown.size(), shown);
        if (shown) {
            QCOMPARE(FBoxes->Shown[0].Text, QString());
            QCOMPARE(FBoxes->Shown[0].Title, QString());
        }
    }

    void formShowCentresOverTheForegroundWindow_data()
    {
        QTest::addColumn<QRect>("foreground");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("position"); // of the client area

        // Windows-style edges: left, top, right, bottom, the right and bottom ones just outside.
        auto edges = [](int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); };
        QTest::newRow("over (0, 0, 800, 600)") << edges(0, 0, 800, 600) << QMargins() << QSize(339, 150) << QPoint(230, 225);
        QTest::newRow("frame counts in the size and shifts the client area")
            << edges(0, 0, 800, 600) << QMargins(4, 20, 4, 4) << QSize(331, 126) << QPoint(234, 245);
        QTest::newRow("negative position truncates toward zero")
            << edges(-1000, 0, -600, 400) << QMargins() << QSize(339, 150) << QPoint(-969, 125);
        QTest::newRow("small window at the edge: not kept on the screen")
            << edges(0, 0, 100, 50) << QMargins() << QSize(339, 150) << QPoint(-119, -50);
        QTest::newRow("odd negative sums truncate toward zero")
            << edges(-3, -3, 0, 0) << QMargins(1, 1, 1, 1) << QSize(2, 2) << QPoint(-2, -2);
    }

    void formShowCentresOverTheForegroundWindow()
    {
        QFETCH(QRect, foreground);
        QFETCH(QMargins, frame);
        QFETCH(QSize, size);
        QFETCH(QPoint, position);
        FDesktop->Foreground = foreground;
        FDesktop->Frame = frame;
        FForm->setMinimumSize(1, 1);
        FForm->layout()->setSizeConstraint(QLayout::SetNoConstraint);
        FForm->resize(size);
        FForm->show();
        QCOMPARE(FForm->geometry(), QRect(position, size));
    }

    void formShowWithoutX11CentresOnTheScreenUnderThePointer()
    {
        if (QGuiApplication::platformName() == "xcb")
            QSKIP("an X server answers here");
        FForm->FDesktopWindows = std::make_unique<TX11DesktopWindows>();
        QCursor::setPos(10, 10);
        const QRect screen = QApplication::screenAt(QPoint(10, 10))->geometry();
        FForm->show();
        QCOMPARE(FForm->geometry().topLeft(),
                 QPoint((2 * screen.x() + screen.width() - 339) / 2, (2 * screen.y() + screen.height() - 150) / 2));
    }
};

QTEST_MAIN(TestMainUnit)
#include "tst_mainunit.moc"
