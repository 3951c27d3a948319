#include "support/windowfixture.h"

#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestDurationEntry : public QObject
{
    Q_OBJECT

private slots:
    void duration_data()
    {
        // What the field shows after the text was written by the program, or typed, and a
        // step done.
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "12a" << "type" << "12";
        QTest::newRow("negative") << "-5" << "" << "-5";
        QTest::newRow("semicolon, code 59") << "1;" << "type" << "1;";
        QTest::newRow("leading emoji") << QString::fromUtf8("\xF0\x9F\x98\x80" "5") << "" << "1";
        // The steps take the leading number; minus only from a value above 1.
        QTest::newRow("999 plus, cut to three") << "999" << "plus" << "100";
        QTest::newRow("2 minus") << "2" << "minus" << "1";
        QTest::newRow("1 minus") << "1" << "minus" << "1";
        QTest::newRow("1:3 minus") << "1:3" << "minus" << "1:3";
        QTest::newRow("3:9 minus") << "3:9" << "minus" << "2";
        // In Brazil "2.5" is no number: its leading number steps; "2,5" is above 1.
        QTest::newRow("2.5 minus in Brazil") << "2.5" << "minus in Brazil" << "1,5";
        QTest::newRow("2,5 minus in Brazil") << "2,5" << "minus in Brazil" << "1";
    }

    void duration()
    {
        QFETCH(QString, text);
        QFETCH(QString, action);
        QFETCH(QString, shown);
        if (action.endsWith(u"in Brazil"))
            QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        WindowFixture f;
        DurationEntry *entry = f.window().durationEntry(2);
        QLineEdit *edit = entry->durationEdit();
        action == u"type" ? WindowFixture::typeInto(edit, text) : edit->setText(text);
        if (action.startsWith(u"plus") || action.startsWith(u"minus"))
            WindowFixture::click(action.startsWith(u"plus") ? entry->plusButton() : entry->minusButton());
        QLocale::setDefault(QLocale::c());
        QCOMPARE(edit->text(), shown);
    }

    void unitReaction_data()
    {
        // Days reset the duration to "1" and allow two characters, other units three. Relay
        // 1 reacts only to a choice from its list, relays 2 to 4 to every change of their text.
        QTest::addColumn<int>("relay");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("reacts");
        QTest::newRow("relay 1, chosen") << 1 << "choose" << true;
        QTest::newRow("relay 1, typed and left") << 1 << "type" << false;
        QTest::newRow("relay 1, set by the program") << 1 << "set" << false;
        QTest::newRow("relay 2, chosen") << 2 << "choose" << false;
        QTest::newRow("relay 3, typed") << 3 << "type" << true;
        QTest::newRow("relay 4, set by the program") << 4 << "set" << true;
    }

    void unitReaction()
    {
        QFETCH(int, relay);
        QFETCH(QString, action);
        QFETCH(bool, reacts);
        WindowFixture f;
        f.start();
        // An active window, so that leaving a box is a real change of focus.
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
        DurationEntry *entry = f.window().durationEntry(relay);
        WindowFixture::typeInto(entry->durationEdit(), QStringLiteral("250"));
        for (const QString unit : {"DIA", "SEG"}) {
            if (action == u"type")
                WindowFixture::typeInto(entry->unitBox(), unit);
            if (action == u"choose")
                WindowFixture::chooseFromList(entry->unitBox(), unit);
            else if (action == u"set")
                entry->setUnitText(unit);
            entry->durationEdit()->setFocus();
            // The unit, the duration and its length limit.
            QCOMPARE(u"%1 %2 %3"_qs.arg(entry->unitText(), entry->durationText()).arg(entry->durationEdit()->maxLength()),
                     u"%1 %2 %3"_qs.arg(unit, reacts ? u"1" : u"250").arg(reacts && unit == u"DIA" ? 2 : 3));
        }
    }
};

QTEST_MAIN(TestDurationEntry)
#include "tst_durationentry.moc"
