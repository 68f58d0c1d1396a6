// Options before the template file, and everything after it passed on untouched.

#include "app/CommandLine.h"

#include <QTest>

Q_DECLARE_METATYPE(TCommandLine::TAction)

namespace {

std::vector<std::string> Split(const QString& line)
{
    std::vector<std::string> words;
    for (const QString& word : line.split(' ', Qt::SkipEmptyParts))
        words.push_back(word.toStdString());
    return words;
}

QString Join(const std::vector<std::string>& words)
{
    QStringList list;
    for (const std::string& word : words)
        list << QString::fromStdString(word);
    return list.join(' ');
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<TCommandLine::TAction>("action");
        QTest::addColumn<bool>("print");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QString>("args");

        QTest::newRow("template and parameters") << "t.cmdform a b" << TCommandLine::ShowDialog << false << false
                                                 << "t.cmdform a b";
        QTest::newRow("options after the template are parameters")
            << "t.cmdform -p --help -- -x" << TCommandLine::ShowDialog << false << false << "t.cmdform -p --help -- -x";
        QTest::newRow("print") << "-p t a" << TCommandLine::ShowDialog << true << false << "t a";
        QTest::newRow("long print and check") << "--print --check t" << TCommandLine::ShowDialog << true << true << "t";
        QTest::newRow("double dash ends the options")
            << "-- -odd-name.tpl -p" << TCommandLine::ShowDialog << false << false << "-odd-name.tpl -p";
        QTest::newRow("a lone dash is a file name") << "- x" << TCommandLine::ShowDialog << false << false << "- x";
        QTest::newRow("help") << "-h" << TCommandLine::ShowHelp << false << false << "";
        QTest::newRow("help wins over a template") << "--help t" << TCommandLine::ShowHelp << false << false << "t";
        QTest::newRow("version") << "-V" << TCommandLine::ShowVersion << false << false << "";
        QTest::newRow("long version") << "--version" << TCommandLine::ShowVersion << false << false << "";
        QTest::newRow("unknown option") << "-x t" << TCommandLine::UsageError << false << false << "";
        // Without a template the dialog reports the file it cannot open, as without options.
        QTest::newRow("no template") << "" << TCommandLine::ShowDialog << false << false << "";
        QTest::newRow("options without a template") << "-p --" << TCommandLine::ShowDialog << true << false << "";
    }

    void parse()
    {
        QFETCH(QString, arguments);
        QFETCH(TCommandLine::TAction, action);
        QFETCH(bool, print);
        QFETCH(bool, check);
        QFETCH(QString, args);
        const TCommandLine line = ParseCommandLine(Split(arguments));
        QCOMPARE(line.Action, action);
        QCOMPARE(line.Print, print);
        QCOMPARE(line.Check, check);
        QCOMPARE(Join(line.Args), args);
        QCOMPARE(line.Error.empty(), action != TCommandLine::UsageError);
    }

    void unknownOptionIsNamed()
    {
        QCOMPARE(ParseCommandLine({"--frobnicate", "t"}).Error, std::string("unknown option '--frobnicate'"));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
