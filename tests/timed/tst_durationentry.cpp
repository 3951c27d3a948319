#include "support/windowfixture.h"

#include <QAbstractItemView>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestDurationEntry : public QObject
{
    Q_OBJECT

private slots:
    void typingIsFiltered();
    void plusAndMinus();
    void unitOfRelayOneReactsToTheList();
    void unitsOfRelaysTwoToFourReactToTyping();
};

void TestDurationEntry::typingIsFiltered()
{
    WindowFixture f;
    f.start();
    QLineEdit *edit = f.edit(QStringLiteral("txt_tmp1"));

    WindowFixture::typeInto(edit, QStringLiteral("12a"));
    QCOMPARE(edit->text(), u"12");

    // An "a" between "1" and "2" cuts itself and the "2" off.
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_A);
    QCOMPARE(edit->text(), u"1");

    WindowFixture::typeInto(edit, QStringLiteral("12"));
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_X);
    QCOMPARE(edit->text(), u"1");

    // Deleting the only digit, or typing 0, gives "1" at once.
    WindowFixture::typeInto(edit, QStringLiteral("7"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), u"1");
    WindowFixture::typeInto(edit, QStringLiteral("0"));
    QCOMPARE(edit->text(), u"1");

    for (const char *kept : {"2.5", "1:3"}) {
        WindowFixture::typeInto(edit, QString::fromLatin1(kept));
        QCOMPARE(edit->text(), QString::fromLatin1(kept));
    }
    // A lone "-" is no number, so "-5" is reached by typing the sign in front of the 5.
    WindowFixture::typeInto(edit, QStringLiteral("-"));
    QCOMPARE(edit->text(), u"1");
    WindowFixture::typeInto(edit, QStringLiteral("5"));
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, QStringLiteral("-"));
    QCOMPARE(edit->text(), u"-5");
    // Text the program writes is filtered the same way.
    edit->setText(QStringLiteral("9é9"));
    QCOMPARE(edit->text(), u"9");
}

void TestDurationEntry::plusAndMinus()
{
    WindowFixture f;
    f.start();
    QLineEdit *edit = f.edit(QStringLiteral("txt_tmp2"));
    QPushButton *plus = f.button(QStringLiteral("timer2_mais"));
    QPushButton *minus = f.button(QStringLiteral("timer2_menos"));

    WindowFixture::typeInto(edit, QStringLiteral("5"));
    WindowFixture::click(plus);
    QCOMPARE(edit->text(), u"6");
    WindowFixture::typeInto(edit, QStringLiteral("999"));
    WindowFixture::click(plus);
    QCOMPARE(edit->text(), u"100"); // "1000" cut to three characters
    WindowFixture::click(minus);
    QCOMPARE(edit->text(), u"99");
    WindowFixture::typeInto(edit, QStringLiteral("2"));
    WindowFixture::click(minus);
    QCOMPARE(edit->text(), u"1");
    WindowFixture::click(minus);
    QCOMPARE(edit->text(), u"1");
    WindowFixture::typeInto(edit, QStringLiteral("1:3"));
    WindowFixture::click(minus); // no locale value; its leading value 1 does not step down
    QCOMPARE(edit->text(), u"1:3");

    // The differently named minus buttons of relays 3 and 4.
    WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp3")), QStringLiteral("8"));
    WindowFixture::click(f.button(QStringLiteral("Command3")));
    QCOMPARE(f.edit(QStringLiteral("txt_tmp3"))->text(), u"7");
    WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp4")), QStringLiteral("8"));
    WindowFixture::click(f.button(QStringLiteral("Command4")));
    QCOMPARE(f.edit(QStringLiteral("txt_tmp4"))->text(), u"7");

    // Relay 1 in days: "99" plus gives "10".
    WindowFixture::chooseFromList(f.combo(QStringLiteral("Cmb_tmp1")), QStringLiteral("DIA"));
    WindowFixture::typeInto(f.edit(QStringLiteral("txt_tmp1")), QStringLiteral("99"));
    WindowFixture::click(f.button(QStringLiteral("timer1_mais")));
    QCOMPARE(f.edit(QStringLiteral("txt_tmp1"))->text(), u"10");
}

void TestDurationEntry::unitOfRelayOneReactsToTheList()
{
    WindowFixture f;
    f.start();
    QLineEdit *edit = f.edit(QStringLiteral("txt_tmp1"));
    QComboBox *unit = f.combo(QStringLiteral("Cmb_tmp1"));
    // An active window, so that leaving a box is a real change of focus.
    f.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    WindowFixture::typeInto(edit, QStringLiteral("250"));

    WindowFixture::chooseFromList(unit, QStringLiteral("DIA"));
    QCOMPARE(unit->currentText(), u"DIA");
    QCOMPARE(edit->text(), u"1");
    QCOMPARE(edit->maxLength(), 2);
    WindowFixture::typeInto(edit, QStringLiteral("123"));
    QCOMPARE(edit->text(), u"12");

    WindowFixture::chooseFromList(unit, QStringLiteral("SEG"));
    QCOMPARE(edit->maxLength(), 3);
    QCOMPARE(edit->text(), u"12");

    // Typing into relay 1's unit box runs nothing: not when the box is left...
    WindowFixture::typeInto(unit, QStringLiteral("DIA"));
    edit->setFocus();
    QCOMPARE(unit->currentText(), u"DIA");
    QCOMPARE(edit->text(), u"12");
    QCOMPARE(edit->maxLength(), 3);
    // ...nor when Return confirms it, also after the list was opened and closed with Esc.
    WindowFixture::chooseFromList(unit, QStringLiteral("SEG"));
    WindowFixture::typeInto(unit, QStringLiteral("DIA"));
    unit->showPopup();
    QTest::keyClick(unit->view(), Qt::Key_Escape);
    QVERIFY(!unit->view()->isVisible());
    QTest::keyClick(unit->lineEdit(), Qt::Key_Return);
    QCOMPARE(edit->text(), u"12");
    QCOMPARE(edit->maxLength(), 3);
    // Choosing from the list the unit just typed is a choice.
    WindowFixture::chooseFromList(unit, QStringLiteral("DIA"));
    QCOMPARE(edit->text(), u"1");
    QCOMPARE(edit->maxLength(), 2);
}

void TestDurationEntry::unitsOfRelaysTwoToFourReactToTyping()
{
    WindowFixture f;
    f.start();
    // A choice from the list of relay 2 changes nothing.
    QLineEdit *edit2 = f.edit(QStringLiteral("txt_tmp2"));
    WindowFixture::typeInto(edit2, QStringLiteral("250"));
    WindowFixture::chooseFromList(f.combo(QStringLiteral("Cmb_tmp2")), QStringLiteral("DIA"));
    QCOMPARE(f.combo(QStringLiteral("Cmb_tmp2"))->currentText(), u"DIA");
    QCOMPARE(edit2->text(), u"250");
    QCOMPARE(edit2->maxLength(), 3);

    // Typing "DIA" into relay 3's unit box reacts at the last keystroke.
    QLineEdit *edit3 = f.edit(QStringLiteral("txt_tmp3"));
    QComboBox *unit3 = f.combo(QStringLiteral("Cmb_tmp3"));
    WindowFixture::typeInto(edit3, QStringLiteral("250"));
    WindowFixture::typeInto(unit3, QStringLiteral("DI"));
    QCOMPARE(edit3->text(), u"250");
    QCOMPARE(edit3->maxLength(), 3);
    QTest::keyClicks(unit3->lineEdit(), QStringLiteral("A"));
    QCOMPARE(unit3->currentText(), u"DIA");
    QCOMPARE(edit3->text(), u"1");
    QCOMPARE(edit3->maxLength(), 2);
    WindowFixture::chooseFromList(unit3, QStringLiteral("SEG"));
    QCOMPARE(edit3->maxLength(), 2);
    WindowFixture::typeInto(unit3, QStringLiteral("SEG"));
    QCOMPARE(edit3->maxLength(), 3);

    // Relay 4 the same way.
    WindowFixture::typeInto(f.combo(QStringLiteral("Cmb_tmp4")), QStringLiteral("DIA"));
    QCOMPARE(f.edit(QStringLiteral("txt_tmp4"))->maxLength(), 2);

    // The program setting the text is a change like typing; relay 1 reacts to neither.
    f.window().durationEntry(2)->setUnitText(QStringLiteral("DIA"));
    QCOMPARE(f.combo(QStringLiteral("Cmb_tmp2"))->currentText(), u"DIA");
    QCOMPARE(edit2->text(), u"1");
    QCOMPARE(edit2->maxLength(), 2);
    QLineEdit *edit1 = f.edit(QStringLiteral("txt_tmp1"));
    WindowFixture::typeInto(edit1, QStringLiteral("250"));
    f.window().durationEntry(1)->setUnitText(QStringLiteral("DIA"));
    QCOMPARE(f.combo(QStringLiteral("Cmb_tmp1"))->currentText(), u"DIA");
    QCOMPARE(edit1->text(), u"250");
    QCOMPARE(edit1->maxLength(), 3);
}

QTEST_MAIN(TestDurationEntry)
#include "tst_durationentry.moc"
