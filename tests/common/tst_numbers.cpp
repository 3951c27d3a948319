#include "common/numbers.h"

#include <QTest>

using namespace tavex;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumberValue_data();
    void leadingNumberValue();
    void localeNumberValue();
    void plainNumberText();
    void signBlankNumberText();
};

void TestNumbers::leadingNumberValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("digits") << "250" << 250.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("stops at colon") << "1:3" << 1.0;
    QTest::newRow("stops at letter") << "12a4" << 12.0;
    QTest::newRow("no leading digits") << "x12" << 0.0;
    QTest::newRow("blanks anywhere") << " 1 2\t3\n" << 123.0;
    QTest::newRow("blank after sign") << "- 4" << -4.0;
    QTest::newRow("comma is no decimal mark") << "2,5" << 2.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("point first") << ".5" << 0.0;
    QTest::newRow("two signs") << "+-5" << 0.0;
    QTest::newRow("hour item") << "7 h" << 7.0;
    QTest::newRow("carriage return is not skipped") << "\r5" << 0.0;
}

void TestNumbers::leadingNumberValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(tavex::leadingNumberValue(text), value);
}

void TestNumbers::localeNumberValue()
{
    const QLocale c = QLocale::c();
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);

    QCOMPARE(tavex::localeNumberValue(u"2.5", c), 2.5);
    QCOMPARE(tavex::localeNumberValue(u" -5 ", c), -5.0);
    QCOMPARE(tavex::localeNumberValue(u"2,5", br), 2.5);
    QCOMPARE(tavex::localeNumberValue(u"1.000", br), 1000.0);
    QCOMPARE(tavex::localeNumberValue(u"12", br), 12.0);

    // Not wholly a number: no value.
    QVERIFY(!tavex::localeNumberValue(u"1:3", c));
    QVERIFY(!tavex::localeNumberValue(u"1:3", br));
    QVERIFY(!tavex::localeNumberValue(u"12a", c));
    QVERIFY(!tavex::localeNumberValue(u"", c));
    QVERIFY(!tavex::localeNumberValue(u"2.5", br));
    QVERIFY(!tavex::localeNumberValue(u"2,5", c));
}

void TestNumbers::plainNumberText()
{
    const QLocale c = QLocale::c();
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);

    QCOMPARE(tavex::plainNumberText(59, c), u"59");
    QCOMPARE(tavex::plainNumberText(-4, c), u"-4");
    QCOMPARE(tavex::plainNumberText(0, c), u"0");
    QCOMPARE(tavex::plainNumberText(-0.0, c), u"0");
    QCOMPARE(tavex::plainNumberText(1000, br), u"1000"); // no grouping marks
    QCOMPARE(tavex::plainNumberText(86313600, c), u"86313600");
    QCOMPARE(tavex::plainNumberText(2.5, c), u"2.5");
    QCOMPARE(tavex::plainNumberText(2.5, br), u"2,5");
    QCOMPARE(tavex::plainNumberText(-0.5, br), u"-0,5");
    // At most 15 significant digits: the binary error of 1.1 x 60 does not show.
    QCOMPARE(tavex::plainNumberText(1.1 * 60, c), u"66");
    QCOMPARE(tavex::plainNumberText(1.0 / 3, c), u"0.333333333333333");
    // Large values are written out, not in exponent form.
    QCOMPARE(tavex::plainNumberText(1e20, c), u"100000000000000000000");
}

void TestNumbers::signBlankNumberText()
{
    QCOMPARE(tavex::signBlankNumberText(0), u" 0");
    QCOMPARE(tavex::signBlankNumberText(7199), u" 7199");
    QCOMPARE(tavex::signBlankNumberText(-4), u"-4");
    QCOMPARE(tavex::signBlankNumberText(3), u" 3");
    QCOMPARE(tavex::signBlankNumberText(12), u" 12");
    QCOMPARE(tavex::signBlankNumberText(-0.0), u" 0");
    // The decimal mark is always a point, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(tavex::signBlankNumberText(-0.5), u"-0.5");
    QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
