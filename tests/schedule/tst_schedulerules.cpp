#include "schedule/schedulerules.h"

#include <QTest>

using namespace tavex;

class TestScheduleRules : public QObject
{
    Q_OBJECT

private slots:
    void settingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number"); // -1: not a number
        QTest::newRow("leading zero") << "07" << 7;
        QTest::newRow("leading blank") << " 7" << 7;
        QTest::newRow("only the first two count") << "123" << 12;
        QTest::newRow("blank between") << "1 2" << 1;
        // An empty box never matches, not even at midnight.
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("blanks") << "  " << -1;
        QTest::newRow("letter after digit") << "7h" << -1;
        QTest::newRow("plus sign") << "+7 h" << 7;
        QTest::newRow("minus sign") << "-7 h" << -7;
    }

    void settingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QCOMPARE(tavex::settingNumber(text).value_or(-1), number);
    }
};

QTEST_GUILESS_MAIN(TestScheduleRules)
#include "tst_schedulerules.moc"
