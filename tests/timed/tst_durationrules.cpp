#include "timed/durationrules.h"

#include <QTest>

using namespace tavex;

class TestDurationRules : public QObject
{
    Q_OBJECT

private slots:
    void filter_data();
    void filter();
    void steps();
    void unitReactions();
};

void TestDurationRules::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("letter typed at the end") << "12a" << "12";
    QTest::newRow("letter typed in the middle") << "1a2" << "1";
    QTest::newRow("letter typed in front") << "x12" << "1";
    QTest::newRow("zero") << "0" << "1";
    QTest::newRow("only digit deleted") << "" << "1";
    QTest::newRow("fraction passes") << "2.5" << "2.5";
    QTest::newRow("negative passes") << "-5" << "-5";
    QTest::newRow("colon passes") << "1:3" << "1:3";
    QTest::newRow("semicolon passes, code 59") << "1;" << "1;";
    QTest::newRow("less-than is refused, code 60") << "1<2" << "1";
    QTest::newRow("blank passes") << "1 2" << "1 2";
    QTest::newRow("blank alone") << " " << "1";
    QTest::newRow("sign alone") << "-" << "1";
    QTest::newRow("accented letter, code above 59") << "5é" << "5";
    QTest::newRow("character outside Windows-1252") << "5\u20ac" << "5";
    QTest::newRow("character outside the basic plane") << QString::fromUtf8("7\xF0\x9F\x98\x80") << "7";
    QTest::newRow("leading emoji") << QString::fromUtf8("\xF0\x9F\x98\x80" "5") << "1";
    QTest::newRow("zero with fraction") << "0.0" << "1";
}

void TestDurationRules::filter()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    const QString filtered = filteredDuration(text);
    QCOMPARE(filtered, result);
    // The result needs no further change.
    QCOMPARE(filteredDuration(filtered), filtered);
}

void TestDurationRules::steps()
{
    const QLocale c = QLocale::c();
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);

    QCOMPARE(durationAfterPlus(u"5", c), u"6");
    QCOMPARE(durationAfterPlus(u"999", c), u"1000"); // the field cuts it to "100"
    QCOMPARE(durationAfterPlus(u"99", c), u"100");
    QCOMPARE(durationAfterPlus(u"1:3", c), u"2");
    QCOMPARE(durationAfterPlus(u"2.5", c), u"3.5");
    QCOMPARE(durationAfterPlus(u"2.5", br), u"3,5");

    QCOMPARE(durationAfterMinus(u"2", c), u"1");
    QCOMPARE(durationAfterMinus(u"100", c), u"99");
    QVERIFY(!durationAfterMinus(u"1", c));
    QVERIFY(!durationAfterMinus(u"-5", c));
    QCOMPARE(durationAfterMinus(u"2.5", c), u"1.5");
    QCOMPARE(durationAfterMinus(u"1.5", c), u"0.5");
    // Without a value in the locale's format the leading-number value decides.
    QCOMPARE(durationAfterMinus(u"3:9", c), u"2");
    QVERIFY(!durationAfterMinus(u"1:9", c));
    QCOMPARE(durationAfterMinus(u"2.5", br), u"1,5");
    QCOMPARE(durationAfterMinus(u"12", br), u"11");

    QCOMPARE(durationValue(u"1:3", c), 1.0);
    QCOMPARE(durationValue(u"2,5", br), 2.5);
}

void TestDurationRules::unitReactions()
{
    const UnitReaction days = unitReaction(u"DIA");
    QVERIFY(days.resetDuration);
    QCOMPARE(days.maxLength, 2);
    for (const char *unit : {"SEG", "MIN", "HOR", "D", "DI", "dia", "DIA ", ""}) {
        const UnitReaction other = unitReaction(QString::fromLatin1(unit));
        QVERIFY2(!other.resetDuration, unit);
        QCOMPARE(other.maxLength, 3);
    }
}

QTEST_GUILESS_MAIN(TestDurationRules)
#include "tst_durationrules.moc"
