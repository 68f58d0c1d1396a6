// The scanner's token streams, with the bytes it passes to standard output, written on one line.

#include "template/EnvStr.h"

#include <QTest>

namespace {

// "[text:a][field:Is][last:z]" plus "{>}" where a byte went to standard output.
QByteArray Scan(const QByteArray& input, TLeadByteRule rule)
{
    QByteArray out;
    TScanner scanner(rule, [&out](char byte) { out += "{" + QByteArray(1, byte) + "}"; });
    scanner.SetScanInput(input.toStdString());
    for (int token = scanner.NextToken(); token != TOKEN_END; token = scanner.NextToken()) {
        const QByteArray value = QByteArray::fromStdString(scanner.TokenValue());
        switch (token) {
        case TOKEN_TEXT: out += "[text:" + value + "]"; break;
        case TOKEN_FIELD: out += "[field:" + value + "]"; break;
        case TOKEN_LAST_FIELD: out += "[last:" + value + "]"; break;
        case TOKEN_NEWLINE: out += "[newline]"; break;
        default: out += "[?" + QByteArray::number(token) + "]";
        }
    }
    return out;
}

} // namespace

class TestScanner : public QObject {
    Q_OBJECT

private slots:
    void tokens_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("tokens");

        QTest::newRow("empty input ends at once") << QByteArray("") << QByteArray("");
        QTest::newRow("plain text is one run") << QByteArray("abc") << QByteArray("[text:abc]");
        QTest::newRow("road example") << QByteArray("findstr <Ix|Ignore case|/i> \"<@Is|Pattern|foo>\" \"a b.txt\"")
                                      << QByteArray("[text:findstr ][field:Ix][field:Ignore case][last:/i][text: \"]"
                                         "[field:@Is][field:Pattern][last:foo][text:\" \"a b.txt\"]");
        QTest::newRow("bar inside quotes does not separate")
            << QByteArray("a<Is|\"x|y\"|z>b") << QByteArray("[text:a][field:Is][field:\"x|y\"][last:z][text:b]");
        QTest::newRow("closing bracket inside quotes does not close")
            << QByteArray("<Is|\"a>b\">") << QByteArray("[field:Is][last:\"a>b\"]");
        QTest::newRow("<<> is a literal <") << QByteArray("<<>") << QByteArray("[text:<]");
        QTest::newRow("<>> is a literal >") << QByteArray("x<>>y") << QByteArray("[text:x][text:>][text:y]");
        QTest::newRow("<<>> leaves a stray >") << QByteArray("<<>>") << QByteArray("[text:<]{>}");
        QTest::newRow("only the first < opens") << QByteArray("<<x|y>") << QByteArray("[field:<x][last:y]");
        QTest::newRow("<< inside a definition") << QByteArray("<<<>") << QByteArray("[last:<<]");
        QTest::newRow("empty definition") << QByteArray("<>x") << QByteArray("[last:][text:x]");
        QTest::newRow("stray > goes to standard output") << QByteArray("a>b") << QByteArray("[text:a]{>}[text:b]");
        QTest::newRow("newline inside a definition is echoed")
            << QByteArray("<a\nb>") << QByteArray("{\n}[last:ab]");
        QTest::newRow("newline outside a definition is a token")
            << QByteArray("a\nb") << QByteArray("[text:a][newline][text:b]");
        QTest::newRow("newline inside quotes is echoed") << QByteArray("<\"a\nb\">") << QByteArray("{\n}[last:\"ab\"]");
        QTest::newRow("unfinished definition after a bar") << QByteArray("<a|b") << QByteArray("[field:a]");
        QTest::newRow("unfinished definition without bar") << QByteArray("x<abc") << QByteArray("[text:x]");
        QTest::newRow("unfinished quote") << QByteArray("<a|\"b>c") << QByteArray("[field:a]");
        QTest::newRow("high byte before < ends the run") << QByteArray("\x81<a>") << QByteArray("[text:\x81][last:a]");
    }

    void tokens()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, tokens);
        QCOMPARE(Scan(input, TLeadByteRule::SingleBytes), tokens);
    }

    void leadBytes_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("doubleByte");
        QTest::addColumn<QByteArray>("tokens");

        // In UTF-8 every byte stands alone: あ is E3 81 82 and the bar after it separates.
        const QByteArray utf8 = "<Is|\xE3\x81\x82|x>";
        QTest::newRow("UTF-8 caption keeps its bars") << utf8 << false
                                                      << QByteArray("[field:Is][field:\xE3\x81\x82][last:x]");
        QTest::newRow("same bytes in a double-byte charset pair up")
            << utf8 << true << QByteArray("[field:Is][last:\xE3\x81\x82|x]");
        QTest::newRow("Shift_JIS trail byte | does not separate")
            << QByteArray("<\x81|x>") << true << QByteArray("[last:\x81|x]");
        QTest::newRow("Shift_JIS trail byte > does not close")
            << QByteArray("<\x81>x>") << true << QByteArray("[last:\x81>x]");
        QTest::newRow("Shift_JIS trail byte quote opens nothing")
            << QByteArray("<\x81\"|x>") << true << QByteArray("[field:\x81\"][last:x]");
        QTest::newRow("lead byte before newline stands alone")
            << QByteArray("<\x81\nx>") << true << QByteArray("{\n}[last:\x81x]");
        QTest::newRow("lead byte at the end stands alone") << QByteArray("<a|\x81") << true << QByteArray("[field:a]");
        QTest::newRow("pair inside quotes") << QByteArray("<\"\x81\"\">") << true << QByteArray("[last:\"\x81\"\"]");
        QTest::newRow("high bytes outside definitions are text")
            << QByteArray("\x81|>") << true << QByteArray("[text:\x81|]{>}");
    }

    void leadBytes()
    {
        QFETCH(QByteArray, input);
        QFETCH(bool, doubleByte);
        QFETCH(QByteArray, tokens);
        const auto rule = doubleByte ? TLeadByteRule::DoubleByteCharset : TLeadByteRule::SingleBytes;
        QCOMPARE(Scan(input, rule), tokens);
    }

    void longTextRunComesBackWhole()
    {
        const std::string run(100000, 'a');
        TScanner scanner;
        scanner.SetScanInput(run + "<x>");
        QCOMPARE(scanner.NextToken(), int(TOKEN_TEXT));
        QVERIFY(scanner.TokenValue() == run);
        QCOMPARE(scanner.NextToken(), int(TOKEN_LAST_FIELD));
        QCOMPARE(scanner.NextToken(), int(TOKEN_END));
    }

    void endIsFinalAndKeepsTheLastValue()
    {
        TScanner scanner;
        scanner.SetScanInput("a");
        QCOMPARE(scanner.NextToken(), int(TOKEN_TEXT));
        QCOMPARE(scanner.NextToken(), int(TOKEN_END));
        QCOMPARE(scanner.NextToken(), int(TOKEN_END));
        QVERIFY(scanner.TokenValue() == "a");
    }
};

QTEST_APPLESS_MAIN(TestScanner)
#include "tst_scanner.moc"
