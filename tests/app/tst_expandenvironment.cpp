// %NAME% expansion against a fixed set of variables.

#include "app/ExpandEnvironment.h"

#include <QTest>

#include <map>

class TestExpandEnvironment : public QObject {
    Q_OBJECT

private slots:
    void expand_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expanded");

        QTest::newRow("text without percent stays") << "ls -l" << "ls -l";
        QTest::newRow("defined variable") << "grep %1% x" << "grep foo x";
        QTest::newRow("two references") << "%1%%2%" << "fooa b.txt";
        QTest::newRow("undefined reference stays") << "%nope%" << "%nope%";
        QTest::newRow("names are case-sensitive") << "%home% %HOME%" << "%home% /home/me";
        QTest::newRow("empty name stays") << "100%%" << "100%%";
        QTest::newRow("unclosed percent stays") << "50% off" << "50% off";
        QTest::newRow("closing percent may open the next reference") << "%undefined%1%" << "%undefinedfoo";
        QTest::newRow("value with percent is not expanded again") << "%pct%" << "%1%";
        QTest::newRow("starred name") << "ls %1*%" << "ls \"foo\" \"a b.txt\" ";
        QTest::newRow("empty value removes the reference") << "[%empty%]" << "[]";
    }

    void expand()
    {
        QFETCH(QString, text);
        QFETCH(QString, expanded);
        const std::map<std::string, std::string> variables = {
            {"1", "foo"}, {"2", "a b.txt"}, {"1*", "\"foo\" \"a b.txt\" "},
            {"HOME", "/home/me"}, {"pct", "%1%"}, {"empty", ""}};
        auto lookup = [&](const std::string& name) -> std::optional<std::string> {
            auto it = variables.find(name);
            return it == variables.end() ? std::nullopt : std::optional(it->second);
        };
        QCOMPARE(QString::fromStdString(ExpandEnvironment(text.toStdString(), lookup)), expanded);
    }

    void readsTheProcessEnvironment()
    {
        qputenv("CMDFORM_TEST_VAR", "value");
        QCOMPARE(ExpandEnvironment("<%CMDFORM_TEST_VAR%>"), std::string("<value>"));
    }
};

QTEST_APPLESS_MAIN(TestExpandEnvironment)
#include "tst_expandenvironment.moc"
