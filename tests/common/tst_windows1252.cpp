#include "common/windows1252.h"

#include <QTest>

using namespace tavex;

class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteReadsBackAsWritten();
    void refusesWhatTheCodePageCannotHold();
    void upperCase_data();
    void upperCase();
};

void TestWindows1252::everyByteReadsBackAsWritten()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = fromWindows1252(all);
    QCOMPARE(text.mid(0x80, 1), QStringLiteral("€"));
    QCOMPARE(text.mid(0xE7, 1), QStringLiteral("ç"));
    QCOMPARE(toWindows1252(text), all);
}

void TestWindows1252::refusesWhatTheCodePageCannotHold()
{
    QCOMPARE(toWindows1252(u"ação €"), QByteArray("a\xe7\xe3o \x80"));
    QCOMPARE(toWindows1252(u"Ω"), std::nullopt);
    QCOMPARE(toWindows1252(QStringView(u"a😀")), std::nullopt);
}

void TestWindows1252::upperCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::newRow("accents") << "ação çé" << "AÇÃO ÇÉ";
    QTest::newRow("y diaeresis") << "ÿ" << "Ÿ";
    QTest::newRow("capital outside the page") << "ßµ" << "ßµ";
    QTest::newRow("digits and marks") << "rele 1, (a)" << "RELE 1, (A)";
}

void TestWindows1252::upperCase()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QCOMPARE(upperWindows1252(text), upper);
}

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
