// Interpreting definitions: kind letters, the focus marker, back-references and malformed kind fields.

#include "TemplateFixture.h"
#include "inputs/StringizableInput.h"
#include "platform/Exceptions.h"

#include <QTest>

namespace {

// "inputs:N rows:R focus:K command:C", K the 1-based input whose control is focused, or
// "error:MESSAGE" when loading failed.
QString Outcome(const QByteArray& line)
{
    try {
        TTemplateFixture fixture(line);
        TStringFactory& factory = fixture.Factory();
        QString focus = "none";
        const auto& inputs = factory.Inputs();
        for (size_t k = 0; k < inputs.size(); ++k) {
            if (factory.FocusControl() && inputs[k]->GetFocusControl() == factory.FocusControl())
                focus = QString::number(k + 1);
        }
        return QString("inputs:%1 rows:%2 focus:%3 command:%4")
            .arg(inputs.size())
            .arg(fixture.Form->RowArea()->layout()->count())
            .arg(focus, QString::fromLocal8Bit(fixture.Command()));
    } catch (const Exception& e) {
        return "error:" + QString::fromLocal8Bit(e.Message());
    }
}

} // namespace

class TestCreateInput : public QObject {
    Q_OBJECT

private slots:
    void definitions_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("outcome");

        QTest::newRow("Is creates a text field") << QByteArray("<Is|A|a>") << "inputs:1 rows:1 focus:none command:a";
        QTest::newRow("@Is marks it for the focus") << QByteArray("<@Is|A|a>") << "inputs:1 rows:1 focus:1 command:a";
        QTest::newRow("characters after the kind letter are ignored")
            << QByteArray("<Isabc|A|a>") << "inputs:1 rows:1 focus:none command:a";
        QTest::newRow("It and Ip") << QByteArray("<It|Head><Ip|P|/tmp>") << "inputs:2 rows:2 focus:none command:/tmp";
        QTest::newRow("last marked definition decides")
            << QByteArray("<@Is|A|a><Is|B|b><@Is|C|c>") << "inputs:3 rows:3 focus:3 command:abc";
        QTest::newRow("marked separator leaves no focus")
            << QByteArray("<@Is|A|a><@It|->") << "inputs:2 rows:2 focus:none command:a";

        QTest::newRow("upper-case letter is no kind") << QByteArray("<IS|A>") << "error:ISUnknown Command";
        QTest::newRow("unknown letter") << QByteArray("<Iq|A>") << "error:IqUnknown Command";
        QTest::newRow("marker after I") << QByteArray("<I@s|A>") << "error:I@sUnknown Command";
        QTest::newRow("double marker") << QByteArray("<@@Is|A>") << "error:@@IsUnknown Command";
        QTest::newRow("leading blank") << QByteArray("< Is|A>") << "error: IsUnknown Command";
        QTest::newRow("leading blank before a number") << QByteArray("<Is|A>< 1>") << "error: 1Unknown Command";
        QTest::newRow("marked back-reference") << QByteArray("<Is|A><@1>") << "error:@1Unknown Command";

        QTest::newRow("empty definition") << QByteArray("<>") << "error:Range check error";
        QTest::newRow("empty kind field") << QByteArray("<|Name>") << "error:Range check error";
        QTest::newRow("marker alone") << QByteArray("<@|A>") << "error:Range check error";
        QTest::newRow("I alone") << QByteArray("<I|A>") << "error:Range check error";
        QTest::newRow("@I alone") << QByteArray("<@I|A>") << "error:Range check error";

        QTest::newRow("back-references count every definition")
            << QByteArray("<Is|A|a><1><Is|B|b><3><2>") << "inputs:5 rows:2 focus:none command:aabba";
        QTest::newRow("fields after a back-reference are ignored")
            << QByteArray("<Is|A|a>-<1|anything>") << "inputs:2 rows:1 focus:none command:a-a";
        QTest::newRow("hexadecimal back-reference")
            << QByteArray("<Is|A|a><Is|B|b><0x2>") << "inputs:3 rows:2 focus:none command:abb";
        QTest::newRow("separator through a back-reference adds nothing")
            << QByteArray("<It|Head>[<1>]") << "inputs:2 rows:1 focus:none command:[]";
        QTest::newRow("letter after the number") << QByteArray("<Is|A><1x>") << "error:'1x' is not a valid integer value";
        QTest::newRow("trailing blank") << QByteArray("<Is|A><1 >") << "error:'1 ' is not a valid integer value";
        QTest::newRow("beyond 32 bits") << QByteArray("<Is|A><2147483648>")
                                        << "error:'2147483648' is not a valid integer value";
        QTest::newRow("reference before any definition") << QByteArray("<1>") << "error:no input 1";
        QTest::newRow("reference to itself") << QByteArray("<Is|A><2>") << "error:no input 2";
        QTest::newRow("reference zero") << QByteArray("<Is|A><0>") << "error:no input 0";
        QTest::newRow("negative hexadecimal reference") << QByteArray("<Is|A><0xFFFFFFFF>")
                                                        << "error:no input 0xFFFFFFFF";

        QTest::newRow("too few fields for a text field")
            << QByteArray("<Is>") << "error:Is: needs at least 1 field after the kind field";
        QTest::newRow("too few fields for a marked caption")
            << QByteArray("<@It>") << "error:@It: needs at least 1 field after the kind field";
    }

    void definitions()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, outcome);
        QCOMPARE(Outcome(line), outcome);
    }
};

QTEST_MAIN(TestCreateInput)
#include "tst_createinput.moc"
