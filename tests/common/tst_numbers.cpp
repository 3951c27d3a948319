#include "common/numbers.h"

#include <QTest>

#include <cfloat>

using namespace tavex;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        // The leading-number value, and the value in the C locale (NAN: none).
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("leading");
        QTest::addColumn<double>("whole");
        QTest::newRow("empty") << "" << 0.0 << qQNaN();
        QTest::newRow("fraction, signs and blanks") << " -2.5 " << -2.5 << -2.5;
        QTest::newRow("point first") << ".5" << 0.0 << 0.5;
        QTest::newRow("stops at a colon") << "1:3" << 1.0 << qQNaN();
        QTest::newRow("blanks anywhere") << " 1 2\t3\n" << 123.0 << qQNaN();
        QTest::newRow("blank after the sign") << "- 4" << -4.0 << qQNaN();
        QTest::newRow("comma is no decimal mark") << "2,5" << 2.0 << qQNaN();
        QTest::newRow("second point stops") << "1.2.3" << 1.2 << qQNaN();
        QTest::newRow("two signs") << "+-5" << 0.0 << qQNaN();
        QTest::newRow("carriage return is not skipped") << "\r5" << 0.0 << 5.0;
        QTest::newRow("beyond the largest negative") << u'-' + QString(400, u'9') << -DBL_MAX << -DBL_MAX;
    }

    void reading()
    {
        QFETCH(QString, text);
        QFETCH(double, leading);
        QFETCH(double, whole);
        QCOMPARE(leadingNumberValue(text), leading);
        QCOMPARE(localeNumberValue(text, QLocale::c()).value_or(qQNaN()), whole);
    }

    void writing()
    {
        // 15 significant digits, so the binary error of 1.1 x 60 is not written; in Brazil with a
        // comma; as a sign-blank text, a blank before a value that is not negative.
        QCOMPARE(plainNumberText(1.1 * 60, QLocale::c()), u"66");
        QCOMPARE(plainNumberText(-2.5, QLocale(QLocale::Portuguese, QLocale::Brazil)), u"-2,5");
        QCOMPARE(signBlankNumberText(2.5) + u'|' + signBlankNumberText(-2.5), u" 2.5|-2.5");
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
