// Rows of caption lines, separators, text and path fields: where they sit, what they yield, and
// the path field's completion.

#include "TemplateFixture.h"
#include "inputs/EditForPath.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The focus widget when the dialog opens, then after each press of Tab.
QList<QWidget*> TabStops(QWidget* form, int presses)
{
    QApplication::setActiveWindow(form);
    QList<QWidget*> stops;
    for (int i = 0; i <= presses; ++i) {
        if (i > 0)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << QApplication::focusWidget();
    }
    return stops;
}

void ShowAndWait(QWidget* form)
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

} // namespace

class TestTextInputs : public QObject {
    Q_OBJECT

private slots:
    void rowsStackInDefinitionOrder()
    {
        TTemplateFixture t("<It|Caption><It|-><Is|&Name|x><Ip|Path>");
        ShowAndWait(t.Form.get());
        int top = 0;
        for (int k = 0; k < 4; ++k) {
            QWidget* row = t.Row(k);
            QCOMPARE(row->y(), top);
            QCOMPARE(row->width(), t.Form->width());
            int lowest = 0;
            for (QWidget* child : row->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                lowest = std::max(lowest, child->geometry().bottom() + 1);
            QCOMPARE(row->height(), lowest);
            top += row->height();
        }
        QCOMPARE(t.Row(1)->height(), 7);
        QCOMPARE(t.Form->height(), top + t.Form->ButtonPanel->height());
    }

    void captionAndFieldGeometryFollowsTheWidth()
    {
        TTemplateFixture t("<Is|&Name|world>");
        ShowAndWait(t.Form.get());
        auto* label = t.Row(0)->findChild<QLabel*>();
        auto* edit = t.Row(0)->findChild<QLineEdit*>();
        QCOMPARE(label->pos(), QPoint(5, 5));
        QCOMPARE(label->text(), QString("&Name"));
        QCOMPARE(label->buddy(), edit);
        QCOMPARE(edit->y(), 5);
        QCOMPARE(edit->x(), label->geometry().right() + 1 + 5);
        QCOMPARE(edit->geometry().right() + 1, t.Form->width() - 5);

        t.Form->resize(t.Form->width() + 150, t.Form->height());
        QTRY_COMPARE(edit->geometry().right() + 1, t.Form->width() - 5);
        QCOMPARE(t.Row(0)->width(), t.Form->width());
    }

    void separatorIsAnEtchedLine()
    {
        TTemplateFixture t("<It|->");
        ShowAndWait(t.Form.get());
        auto* line = t.Row(0)->findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(line && line->isVisible());
        QCOMPARE(line->frameShape(), QFrame::HLine);
        QCOMPARE(line->geometry(), QRect(5, 5, t.Form->width() - 10, 2));
    }

    void captionsAreShownAsTheyStand_data()
    {
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<QString>("shown");

        QTest::newRow("two hyphens are a caption") << QByteArray("--") << "--";
        QTest::newRow("hyphen with a blank is a caption") << QByteArray(" -") << " -";
        QTest::newRow("markup stays plain text") << QByteArray("\"<b>bold</b>\"") << "\"<b>bold</b>\"";
        QTest::newRow("ampersand marks a letter") << QByteArray("&Options && more") << "Options & more";
    }

    void captionsAreShownAsTheyStand()
    {
        QFETCH(QByteArray, caption);
        QFETCH(QString, shown);
        TTemplateFixture t("<It|" + caption + ">");
        ShowAndWait(t.Form.get());
        auto* label = t.Row(0)->findChild<QLabel*>();
        QVERIFY(label && label->isVisible());
        QCOMPARE(label->text(), shown);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(t.Command(), QByteArray());
    }

    void tabVisitsRowsThenButtons()
    {
        TTemplateFixture t("<Is|A><It|B><Ip|C><Is|D>");
        ShowAndWait(t.Form.get());
        const QList<QWidget*> stops = TabStops(t.Form.get(), 5);
        QCOMPARE(stops[0]->parentWidget(), t.Row(0));
        QCOMPARE(stops[1]->parentWidget(), t.Row(2));
        QCOMPARE(stops[2]->parentWidget(), t.Row(3));
        QCOMPARE(stops[3], t.Form->OKButton);
        QCOMPARE(stops[4], t.Form->CancelButton);
        QCOMPARE(stops[5], stops[0]);
    }

    void withoutFieldsOKHasTheFocus()
    {
        TTemplateFixture t("ls <It|Only a caption>");
        ShowAndWait(t.Form.get());
        QCOMPARE(TabStops(t.Form.get(), 1), (QList<QWidget*>{t.Form->OKButton, t.Form->CancelButton}));
    }

    void values_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("typed"); // into the first field, after clearing it; null: untouched
        QTest::addColumn<QByteArray>("command");

        QTest::newRow("initial text") << QByteArray("[<Is|Name|world>]") << QString() << QByteArray("[world]");
        QTest::newRow("no initial text") << QByteArray("[<Is|Name>]") << QString() << QByteArray("[]");
        QTest::newRow("typed text keeps its blanks") << QByteArray("[<Is|Name>]") << "  a b  " << QByteArray("[  a b  ]");
        QTest::newRow("path field initial text") << QByteArray("[<Ip|File|readme.txt>]") << QString()
                                                 << QByteArray("[readme.txt]");
        QTest::newRow("path field typed") << QByteArray("[<Ip|File>]") << "x y" << QByteArray("[x y]");
        QTest::newRow("surplus fields are ignored") << QByteArray("[<Is|Name|a|b|c>]") << QString() << QByteArray("[a]");
        QTest::newRow("back-reference shows the current value twice")
            << QByteArray("<Is|Name|a>-<1>") << "new" << QByteArray("new-new");
        QTest::newRow("bytes that are not UTF-8 come back unchanged")
            << QByteArray("[<Is|Name|\xff\xfe>]") << QString() << QByteArray("[\xff\xfe]");
        QTest::newRow("UTF-8 text comes back unchanged")
            << QByteArray("[<Is|\xe5\x90\x8d\xe5\x89\x8d|\xe6\x97\xa5\xe6\x9c\xac>]") << QString()
            << QByteArray("[\xe6\x97\xa5\xe6\x9c\xac]");
    }

    void values()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, typed);
        QFETCH(QByteArray, command);
        TTemplateFixture t(line);
        if (!typed.isNull()) {
            ShowAndWait(t.Form.get());
            auto* edit = t.Row(0)->findChild<QLineEdit*>();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, typed);
        }
        QCOMPARE(t.Command(), command);
    }

    void markedFieldHasTheFocusWhenShown()
    {
        TTemplateFixture t("<Is|A><@Ip|B><Is|C>");
        ShowAndWait(t.Form.get());
        QApplication::setActiveWindow(t.Form.get());
        QTRY_COMPARE(QApplication::focusWidget(), t.Row(1)->findChild<QLineEdit*>());
    }

    void pathCompletionIsSwitchedOnOnceAtTheFirstChange()
    {
        TTemplateFixture t("<Ip|Empty><Ip|Given|/tmp>");
        auto* empty = t.Row(0)->findChild<TEditForPath*>();
        auto* given = t.Row(1)->findChild<TEditForPath*>();
        QVERIFY(empty->CompletionPending());
        QVERIFY(!given->CompletionPending());
        // The file-system model is built once the field has the focus, not while the dialog opens.
        QVERIFY(!given->completer());

        ShowAndWait(t.Form.get());
        QApplication::setActiveWindow(t.Form.get());
        given->setFocus();
        QTRY_VERIFY(given->completer());
        empty->setFocus();
        QTRY_VERIFY(empty->hasFocus());
        QVERIFY(!empty->completer());

        QTest::keyClick(empty, Qt::Key_Slash);
        QCompleter* first = empty->completer();
        QVERIFY(first && !empty->CompletionPending());
        QTest::keyClick(empty, Qt::Key_U);
        given->setFocus();
        empty->setFocus();
        QTRY_VERIFY(empty->hasFocus());
        QCOMPARE(empty->completer(), first);
    }

    void completionOffersEntriesOfTheFileSystem_data()
    {
        QTest::addColumn<bool>("relative");
        QTest::newRow("absolute path") << false;
        QTest::newRow("path relative to the current directory") << true;
    }

    void completionOffersEntriesOfTheFileSystem()
    {
        QFETCH(bool, relative);
        QTemporaryDir tree;
        QVERIFY(QDir(tree.path()).mkpath("alpha/inner"));
        QVERIFY(QDir(tree.path()).mkpath("beta"));
        const QString saved = QDir::currentPath();
        QDir::setCurrent(tree.path());
        const QString prefix = relative ? QString() : tree.path() + "/";

        TTemplateFixture t("<@Ip|Path>");
        ShowAndWait(t.Form.get());
        QApplication::setActiveWindow(t.Form.get());
        auto* edit = t.Row(0)->findChild<TEditForPath*>();
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, prefix + "a");
        QCompleter* completer = edit->completer();
        QVERIFY(completer);
        QTRY_VERIFY(completer->popup()->isVisible());
        QTRY_COMPARE(completer->currentCompletion(), prefix + "alpha");
        QDir::setCurrent(saved);
    }
};

QTEST_MAIN(TestTextInputs)
#include "tst_textinputs.moc"
