// The rule that turns a program or parameter part into arguments, each argument shown in brackets.

#include "platform/CommandArguments.h"

#include <QTest>

namespace {

QByteArray Bracketed(const std::vector<std::string>& arguments)
{
    QByteArray out;
    for (const std::string& argument : arguments)
        out += "[" + QByteArray::fromStdString(argument) + "]";
    return out;
}

} // namespace

class TestCommandArguments : public QObject {
    Q_OBJECT

private slots:
    void splits_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("arguments");

        QTest::newRow("empty text has no argument") << QByteArray("") << QByteArray("");
        QTest::newRow("only blanks have no argument") << QByteArray(" \t ") << QByteArray("");
        QTest::newRow("blank separates") << QByteArray("a b") << QByteArray("[a][b]");
        QTest::newRow("tab separates") << QByteArray("a\tb") << QByteArray("[a][b]");
        QTest::newRow("run of blanks and tabs is one separator") << QByteArray("  a \t  b  ") << QByteArray("[a][b]");
        QTest::newRow("quoted blanks stay") << QByteArray("\"my editor\" x") << QByteArray("[my editor][x]");
        QTest::newRow("quoted tab stays") << QByteArray("\"a\tb\"") << QByteArray("[a\tb]");
        QTest::newRow("quotes join with what touches them") << QByteArray("x\"a b\"y z") << QByteArray("[xa by][z]");
        QTest::newRow("two quotes inside quotes are one quote")
            << QByteArray("\"5\"\" disk\"") << QByteArray("[5\" disk]");
        QTest::newRow("four quotes are one quote") << QByteArray("\"\"\"\"") << QByteArray("[\"]");
        QTest::newRow("quoted empty argument is kept") << QByteArray("a \"\" b") << QByteArray("[a][][b]");
        QTest::newRow("quoted empty argument alone") << QByteArray("\"\"") << QByteArray("[]");
        QTest::newRow("unclosed quote runs to the end") << QByteArray("a \"b c") << QByteArray("[a][b c]");
        QTest::newRow("lone quote is an empty argument") << QByteArray("a \"") << QByteArray("[a][]");
        QTest::newRow("backslash is literal") << QByteArray("C:\\dir\\ a\\\\b") << QByteArray("[C:\\dir\\][a\\\\b]");
        QTest::newRow("backslash does not escape a quote")
            << QByteArray("\"a\\\" b\"") << QByteArray("[a\\][b]");
        QTest::newRow("quote outside quotes after a closed stretch reopens")
            << QByteArray("\"a\"\"b c\"") << QByteArray("[a\"b c]");
        QTest::newRow("shell characters are literal")
            << QByteArray("$(id) `id` ; | * ~ & > <") << QByteArray("[$(id)][`id`][;][|][*][~][&][>][<]");
        QTest::newRow("blank and quote after high bytes keep their meaning")
            << QByteArray("\x82\xa0 \x93\"a b\"") << QByteArray("[\x82\xa0][\x93""a b]");
        QTest::newRow("line feed is an ordinary byte") << QByteArray("a\nb") << QByteArray("[a\nb]");
    }

    void splits()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, arguments);
        QCOMPARE(Bracketed(SplitArguments(text.toStdString())), arguments);
    }
};

QTEST_APPLESS_MAIN(TestCommandArguments)
#include "tst_commandarguments.moc"
