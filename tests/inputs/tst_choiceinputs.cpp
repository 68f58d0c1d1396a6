// Combo boxes, menus, check boxes and radio groups: their values, their failures, the radio
// group's layout, and a dialog of every kind driven through the keyboard.

#include "MessageBoxes.h"
#include "TemplateFixture.h"
#include "inputs/InputKinds.h"
#include "inputs/StringizableInput.h"
#include "platform/Exceptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

void ShowAndActivate(QWidget* form)
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QApplication::setActiveWindow(form);
}

// Picks entry k of whatever choice control the row holds; for a check box, toggles it.
void Pick(QWidget* row, int k)
{
    if (auto* combo = row->findChild<QComboBox*>())
        combo->setCurrentIndex(k);
    else if (auto* check = row->findChild<QCheckBox*>())
        check->toggle();
    else
        row->findChildren<QRadioButton*>().at(k)->click();
}

QByteArray ValueOrError(TTemplateFixture& t)
{
    try {
        return t.Command();
    } catch (const Exception& e) {
        return "error:" + QByteArray::fromStdString(e.Message());
    }
}

} // namespace

class TestChoiceInputs : public QObject {
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<QByteArray>("definition");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QByteArray>("initial");
        QTest::addColumn<QByteArray>("picked");

        QTest::newRow("combo shows its first entry") << QByteArray("<Ic|Browser|lynx|links>") << 1
                                                     << QByteArray("lynx") << QByteArray("links");
        QTest::newRow("combo with only a caption is empty") << QByteArray("<Ic|Browser>") << -1 << QByteArray()
                                                            << QByteArray();
        QTest::newRow("menu yields values, not shown texts") << QByteArray("<Im|Mode|Fast|-f|Slow|-s>") << 1
                                                             << QByteArray("-f") << QByteArray("-s");
        QTest::newRow("menu entries with the same text are told apart by position")
            << QByteArray("<Im|Mode|Same|1|Same|2>") << 1 << QByteArray("1") << QByteArray("2");
        QTest::newRow("unchecked value defaults to empty") << QByteArray("<Ix|Verbose|-v>") << 0 << QByteArray()
                                                           << QByteArray("-v");
        QTest::newRow("unchecked value from field 3") << QByteArray("<Ix|Verbose|-v|-q>") << 0 << QByteArray("-q")
                                                      << QByteArray("-v");
        QTest::newRow("radio yields the selected button's value")
            << QByteArray("<Ir|Level|Low|1|Mid|2|High|3>") << 2 << QByteArray("1") << QByteArray("3");
        QTest::newRow("radio with one button") << QByteArray("<Ir|Only|One|v>") << 0 << QByteArray("v")
                                               << QByteArray("v");
        QTest::newRow("menu entry without a value cannot be confirmed")
            << QByteArray("<Im|Mode|Fast|-f|Slow>") << 1 << QByteArray("-f")
            << QByteArray("error:List index out of bounds (1)");
        QTest::newRow("menu without entries cannot be confirmed")
            << QByteArray("<Im|Mode>") << -1 << QByteArray("error:List index out of bounds (-1)")
            << QByteArray("error:List index out of bounds (-1)");
        QTest::newRow("radio button without a value cannot be confirmed")
            << QByteArray("<Ir|Level|Low|1|High>") << 1 << QByteArray("1")
            << QByteArray("error:List index out of bounds (1)");
        QTest::newRow("radio with one text and no value") << QByteArray("<Ir|Level|Low>") << 0
                                                          << QByteArray("error:List index out of bounds (0)")
                                                          << QByteArray("error:List index out of bounds (0)");
        QTest::newRow("bytes that are not UTF-8 come back unchanged")
            << QByteArray("<Ic|Name|\xff|b>") << 1 << QByteArray("\xff") << QByteArray("b");
    }

    void values()
    {
        QFETCH(QByteArray, definition);
        QFETCH(int, pick);
        QFETCH(QByteArray, initial);
        QFETCH(QByteArray, picked);
        TTemplateFixture t(definition);
        QCOMPARE(ValueOrError(t), initial);
        Pick(t.Row(0), pick);
        QCOMPARE(ValueOrError(t), picked);
    }

    void entryWithoutValueIsReportedOnOK_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("error");
        QTest::newRow("menu entry without a value") << QByteArray("ls <Im|Mode|Fast|-f|Slow>") << 1
                                                    << "List index out of bounds (1)";
        QTest::newRow("menu without entries") << QByteArray("ls <Im|Mode>") << -1 << "List index out of bounds (-1)";
        QTest::newRow("radio button without a value") << QByteArray("ls <Ir|Level|Low|1|High>") << 1
                                                      << "List index out of bounds (1)";
    }

    void entryWithoutValueIsReportedOnOK()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, pick);
        QFETCH(QString, error);
        TTemplateFixture t(line);
        ShowAndActivate(t.Form.get());
        Pick(t.Row(0), pick);
        TMessageBoxes boxes;
        t.Form->OKButton->click();
        QTRY_COMPARE(boxes.Shown.size(), 1);
        QCOMPARE(boxes.Shown[0].Text, error);
        QVERIFY(t.Launcher->Launches.isEmpty());
        QVERIFY(t.Form->isVisible());
        QVERIFY(t.Form->OKButton->isEnabled());
    }

    void checkBoxWithoutItsValueStopsLoading()
    {
        try {
            TTemplateFixture t("<Ix|Verbose>");
            QFAIL("loaded");
        } catch (const EStringListError& e) {
            QCOMPARE(QString::fromStdString(e.Message()), QString("List index out of bounds (0)"));
        }
    }

    void comboTextIsWhatTheUserTypedAndEnterIsOK()
    {
        TTemplateFixture t("open <@Ic|Browser|lynx|links>");
        ShowAndActivate(t.Form.get());
        auto* combo = t.Row(0)->findChild<QComboBox*>();
        QVERIFY(combo->isEditable());
        QTRY_VERIFY(combo->hasFocus());
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "Li");
        QCOMPARE(t.Command(), QByteArray("open Li"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(t.Launcher->Launches, QStringList{"open|Li"});
        QCOMPARE(combo->count(), 2);
    }

    void menuIsPickOnly()
    {
        TTemplateFixture t("<Im|Mode|Fast|-f|Slow|-s>");
        auto* combo = t.Row(0)->findChild<QComboBox*>();
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->itemText(0), QString("Fast"));
        QCOMPARE(combo->itemText(1), QString("Slow"));
    }

    void radioGroupFillsTwoColumnsAndShowsEveryButton_data()
    {
        QTest::addColumn<QByteArray>("definition");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("designedHeight");

        QTest::newRow("one button, value given (m = 2)") << QByteArray("<Ir|L|a|1>") << 1 << 34;
        QTest::newRow("one button, no value (m = 1)") << QByteArray("<Ir|L|a>") << 1 << 34;
        QTest::newRow("three buttons (m = 6)") << QByteArray("<Ir|L|a|1|b|2|c|3>") << 2 << 62;
        QTest::newRow("four buttons (m = 8)") << QByteArray("<Ir|L|a|1|b|2|c|3|d|4>") << 2 << 76;
        QTest::newRow("five buttons") << QByteArray("<Ir|L|a|1|b|2|c|3|d|4|e|5>") << 3 << 90;
        QTest::newRow("twelve buttons") << QByteArray("<Ir|L|a|1|b|2|c|3|d|4|e|5|f|6|g|7|h|8|i|9|j|10|k|11|l|12>")
                                        << 6 << 188;
    }

    void radioGroupFillsTwoColumnsAndShowsEveryButton()
    {
        QFETCH(QByteArray, definition);
        QFETCH(int, firstColumn);
        QFETCH(int, designedHeight);
        TTemplateFixture t(definition);
        ShowAndActivate(t.Form.get());
        auto* group = t.Row(0)->findChild<QGroupBox*>();
        const QList<QRadioButton*> buttons = group->findChildren<QRadioButton*>();
        QVERIFY(buttons.first()->isChecked());
        QVERIFY(group->height() >= designedHeight);
        QCOMPARE(t.Row(0)->height(), 5 + group->height());
        for (int i = 0; i < buttons.size(); ++i) {
            QVERIFY2(group->rect().contains(buttons[i]->geometry()), "a button is cut off");
            const bool inFirst = i < firstColumn;
            QCOMPARE(buttons[i]->x(), inFirst ? buttons[0]->x() : buttons[firstColumn]->x());
            if (i > 0 && i != firstColumn)
                QVERIFY(buttons[i]->y() > buttons[i - 1]->y());
        }
        if (buttons.size() > 1)
            QVERIFY(buttons[firstColumn]->x() > buttons[0]->x());
    }

    void focusControlBeforeAttach_data()
    {
        QTest::addColumn<char>("letter");
        QTest::addColumn<QString>("control");
        QTest::newRow("combo") << 'c' << "QComboBox";
        QTest::newRow("menu") << 'm' << "QComboBox";
        QTest::newRow("check box") << 'x' << "QCheckBox";
        QTest::newRow("radio group") << 'r' << "QGroupBox";
    }

    void focusControlBeforeAttach()
    {
        QFETCH(char, letter);
        QFETCH(QString, control);
        QWidget owner;
        auto input = CreateInputOfKind(letter, &owner, {"I", "Caption", "a", "1"});
        QWidget* focus = input->GetFocusControl();
        QVERIFY(focus);
        QCOMPARE(focus->metaObject()->className(), control);
    }

    void markedChoiceHasTheFocusWhenShown_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("focused");
        QTest::newRow("check box") << QByteArray("<Is|A><@Ix|Verbose|-v>") << "QCheckBox";
        QTest::newRow("radio group gives it to the selected button")
            << QByteArray("<Is|A><@Ir|Level|Low|1|High|2>") << "QRadioButton";
    }

    void markedChoiceHasTheFocusWhenShown()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, focused);
        TTemplateFixture t(line);
        ShowAndActivate(t.Form.get());
        QTRY_VERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->metaObject()->className(), focused);
        QVERIFY(t.Row(1)->isAncestorOf(QApplication::focusWidget()));
        if (auto* radio = qobject_cast<QRadioButton*>(QApplication::focusWidget()))
            QVERIFY(radio->isChecked());
    }

    void everyKindThroughTheKeyboard()
    {
        TTemplateFixture t("run <It|&Options><It|-> -s \"<@Is|&Text|a>\" -p <Ip|&Path|/nonexistent-x> "
                           "-c <Ic|&Combo|one|two> <Im|&Menu|Fast|-f|Slow|-s> <Ix|&Verbose|-v|-q> "
                           "<Ir|&Level|Low|1|Mid|2|High|3> <<>again<>> <3>");
        ShowAndActivate(t.Form.get());
        QCOMPARE(t.Command(), QByteArray("run  -s \"a\" -p /nonexistent-x -c one -f -q 1 <again> a"));

        auto key = [](auto k) { QTest::keyClick(QApplication::focusWidget(), k); };
        QTRY_VERIFY(QApplication::focusWidget());
        key(Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), "b c");
        key(Qt::Key_Tab);
        key(Qt::Key_End);
        key(Qt::Key_Backspace);
        key(Qt::Key_Tab);
        key(Qt::Key_Down);
        key(Qt::Key_Tab);
        key(Qt::Key_Down);
        key(Qt::Key_Tab);
        key(Qt::Key_Space);
        key(Qt::Key_Tab);
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        QCOMPARE(t.Command(), QByteArray("run  -s \"ab c\" -p /nonexistent- -c two -s -v 3 <again> ab c"));
        key(Qt::Key_Down);
        QCOMPARE(t.Command(), QByteArray("run  -s \"ab c\" -p /nonexistent- -c two -s -v 1 <again> ab c"));
        key(Qt::Key_Up);
        QCOMPARE(t.Command(), QByteArray("run  -s \"ab c\" -p /nonexistent- -c two -s -v 3 <again> ab c"));
    }
};

QTEST_MAIN(TestChoiceInputs)
#include "tst_choiceinputs.moc"
