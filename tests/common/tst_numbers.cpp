#include "common/numbers.h"

#include <QTest>

#include <cfloat>

using namespace tavex;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumberValue_data();
    void leadingNumberValue();
    void localeNumberValue();
    void plainNumberText_data();
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
    QTest::newRow("beyond the largest value") << QString(400, u'9') << DBL_MAX;
    QTest::newRow("beyond the largest negative value") << u'-' + QString(400, u'9') << -DBL_MAX;
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

void TestNumbers::plainNumberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("brazil");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 59.0 << false << "59";
    QTest::newRow("negative") << -4.0 << false << "-4";
    QTest::newRow("zero") << 0.0 << false << "0";
    QTest::newRow("negative zero") << -0.0 << false << "0";
    QTest::newRow("no grouping marks") << 1000.0 << true << "1000";
    QTest::newRow("long count") << 86313600.0 << false << "86313600";
    QTest::newRow("fraction") << 2.5 << false << "2.5";
    QTest::newRow("locale's decimal mark") << 2.5 << true << "2,5";
    QTest::newRow("negative fraction") << -0.5 << true << "-0,5";
    // At most 15 significant digits, never an exponent, never "-0".
    QTest::newRow("binary error of 1.1 x 60") << 1.1 * 60 << false << "66";
    QTest::newRow("a third") << 1.0 / 3 << false << "0.333333333333333";
    QTest::newRow("large") << 1e20 << false << "100000000000000000000";
    QTest::newRow("past the 15th digit") << 1e16 + 2 << false << "10000000000000000";
    QTest::newRow("very large") << 1e300 << false << u'1' + QString(300, u'0');
    QTest::newRow("small") << 1.5e-5 << false << "0.000015";
    QTest::newRow("small with 15 digits") << 1.23456789012345e-10 << false
                                          << "0.000000000123456789012345";
    QTest::newRow("tiny negative") << -1e-20 << true << "-0,00000000000000000001";
}

void TestNumbers::plainNumberText()
{
    QFETCH(double, value);
    QFETCH(bool, brazil);
    QFETCH(QString, text);
    const QLocale locale = brazil ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale::c();
    QCOMPARE(tavex::plainNumberText(value, locale), text);
}

void TestNumbers::signBlankNumberText()
{
    QCOMPARE(tavex::signBlankNumberText(0), u" 0");
    QCOMPARE(tavex::signBlankNumberText(7199), u" 7199");
    QCOMPARE(tavex::signBlankNumberText(-4), u"-4");
    QCOMPARE(tavex::signBlankNumberText(3), u" 3");
    QCOMPARE(tavex::signBlankNumberText(12), u" 12");
    QCOMPARE(tavex::signBlankNumberText(-0.0), u" 0");
    QCOMPARE(tavex::signBlankNumberText(1e16 + 2), u" 10000000000000000");
    QCOMPARE(tavex::signBlankNumberText(-1e-20), u"-0.00000000000000000001");
    // The decimal mark is always a point, whatever the locale.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(tavex::signBlankNumberText(-0.5), u"-0.5");
    QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
