#include "support/windowfixture.h"

#include <QGroupBox>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

class TestInventory : public QObject
{
    Q_OBJECT

private slots:
    void windowAndCaptions();
    void durationGroups();
    void scheduleGroups();
    void listsAfterStart();
    void timersAndBoxesAtCreation();
};

void TestInventory::windowAndCaptions()
{
    WindowFixture f;
    MainWindow &w = f.window();
    QCOMPARE(w.objectName(), u"Form1");
    QCOMPARE(w.windowTitle(), u"TAVEX");
    QCOMPARE(w.size(), QSize(765, 481));
    QCOMPARE(w.minimumSize(), w.maximumSize());

    QCOMPARE(f.label(QStringLiteral("Label1"))->text(), u" Controle de Acionamentos");
    QCOMPARE(f.label(QStringLiteral("Label1"))->font().pointSizeF(), 18.0);
    QCOMPARE(f.button(QStringLiteral("btn_editarBotoes"))->text(), u"Renomear Botoes");
    QCOMPARE(f.button(QStringLiteral("btn_editarBotoes"))->toolTip(),
             u"Permite alterar o nome do dispositivo que este botão controla");
    QCOMPARE(f.button(QStringLiteral("btn_salvar"))->text(), u"Salvar Horários");
    QCOMPARE(f.button(QStringLiteral("btn_salvar"))->toolTip(),
             u"Salvar as temporizações e agendamentos");
    // A caption is never cut or crammed: the control keeps its left and top and grows where
    // the caption needs more room than the layout gives.
    QCOMPARE(f.button(QStringLiteral("btn_editarBotoes"))->pos(), QPoint(552, 16));
    QCOMPARE(f.button(QStringLiteral("btn_salvar"))->pos(), QPoint(648, 16));
    QList<QAbstractButton *> captioned{f.button(QStringLiteral("btn_editarBotoes")),
                                       f.button(QStringLiteral("btn_salvar"))};
    for (QCheckBox *box : w.findChildren<QCheckBox *>())
        captioned.append(box);
    for (QAbstractButton *control : captioned)
        QVERIFY2(control->width() >= control->sizeHint().width(),
                 qPrintable(control->objectName()));

    const QStringList captions{"RELE 1 (OFF)", "RELE 2 (OFF)", "RELE 3 (OFF)", "RELE 4  (OFF)",
                               "RELE 5 (OFF)", "RELE 6 (OFF)", "RELE 7 (OFF)", "RELE 8  (OFF)"};
    for (int n = 1; n <= 8; ++n) {
        QPushButton *button = f.relayButton(n);
        QCOMPARE(button->text(), captions[n - 1]);
        QVERIFY(button->font().bold());
        QCOMPARE(button->font().pointSizeF(), 8.25);
        QVERIFY(button->isVisibleTo(&w));
        QVERIFY(button->isEnabled());
        QCOMPARE(button->parentWidget(), &w);
        QCOMPARE(button->size(), n <= 4 ? QSize(137, 49) : QSize(137, 41));
    }
    // Relays 5 to 8 stand side by side below the others.
    QCOMPARE(f.relayButton(5)->y(), f.relayButton(8)->y());
    QVERIFY(f.relayButton(5)->y() > f.relayButton(4)->geometry().bottom());

    QCOMPARE(f.checkBox(QStringLiteral("chk_extender"))->text(), u"Exibir Versão Estendida");
    QCOMPARE(f.checkBox(QStringLiteral("chk_extender"))->toolTip(),
             u"Marque para exibir os botões de controle dos relés adicionais");
    QCOMPARE(f.checkBox(QStringLiteral("sem_conversor"))->text(),
             u"Utilizar Porta Serial sem o cabo USB/Serial");
    QCOMPARE(f.checkBox(QStringLiteral("sem_conversor"))->toolTip(),
             u"Marque para utilizar a Porta Serial do computador invés do Conversor USB/Serial");
    QCOMPARE(f.label(QStringLiteral("Label2"))->text(), u"Porta detectada:");
    QCOMPARE(f.portLabel(), u"?");
    QVERIFY(f.label(QStringLiteral("Label3"))->text().startsWith(u"Suporte e personalização: "));
    QVERIFY(f.label(QStringLiteral("Label3"))->text().contains(u'@'));

    QLabel *image = f.label(QStringLiteral("Image1"));
    QVERIFY(image->pixmap().isNull());
    QVERIFY(image->text().isEmpty());
    QCOMPARE(image->geometry(), QRect(296, 240, 81, 33));
}

void TestInventory::durationGroups()
{
    WindowFixture f;
    const QStringList frames{"Frame1", "Frame3", "Frame5", "Frame8"};
    const QStringList minus{"timer1_menos", "timer2_menos", "Command3", "Command4"};
    for (int n = 1; n <= 4; ++n) {
        const QString N = QString::number(n);
        auto *frame = f.child<QGroupBox>(frames[n - 1]);
        QCOMPARE(frame->title(), u"Ao Clicar no Botão");
        QCOMPARE(frame->size(), QSize(161, 57));
        QCOMPARE(f.checkBox("chk_timer" + N)->text(), u"Ligar Durante:");
        QCOMPARE(f.checkBox("chk_timer" + N)->parentWidget(), frame);
        QLineEdit *edit = f.edit("txt_tmp" + N);
        QCOMPARE(edit->text(), u"1");
        QCOMPARE(edit->maxLength(), 3);
        QCOMPARE(edit->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(f.combo("Cmb_tmp" + N)->currentText(), u"SEG");
        QVERIFY(f.combo("Cmb_tmp" + N)->isEditable());
        QCOMPARE(f.button("timer" + N + "_mais")->text(), u"+");
        QCOMPARE(f.button(minus[n - 1])->text(), u"-");
        QCOMPARE(f.button(minus[n - 1])->parentWidget(), frame);
        QCOMPARE(f.label("lb_tmpr" + N)->text(), u"0");
        QCOMPARE(f.label("lb_tmpr" + N)->font().pointSizeF(), 9.75);
    }
    // Typing is limited to three characters at creation.
    QLineEdit *edit = f.edit(QStringLiteral("txt_tmp2"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12345"));
    QCOMPARE(edit->text(), u"123");
}

void TestInventory::scheduleGroups()
{
    WindowFixture f;
    const QStringList frames{"Frame2", "Frame4", "Frame6", "Frame7"};
    const QStringList boxes{"Chk_agendar", "Chk_agendar2", "Chk_agendar3", "Chk_agendar4"};
    const QString caption = QStringLiteral("Ligar às:                      e  Desligar às:");
    QCOMPARE(caption.indexOf(u'e') - caption.indexOf(u':') - 1, 22);
    for (int n = 1; n <= 4; ++n) {
        const QString N = QString::number(n);
        auto *frame = f.child<QGroupBox>(frames[n - 1]);
        QCOMPARE(frame->title(), u"Acionamento Agendado (automático)");
        QCOMPARE(frame->size(), QSize(265, 57));
        QCheckBox *box = f.checkBox(boxes[n - 1]);
        QCOMPARE(box->text(), caption);
        QCOMPARE(box->parentWidget(), frame);
        for (const QString &name : {"Cmb1_hora_ligar" + N, "Cmb1_hora_desligar" + N})
            QCOMPARE(f.combo(name)->currentText(), u"0 h");
        for (const QString &name : {"Cmb1_min_ligar" + N, "Cmb1_min_desligar" + N})
            QCOMPARE(f.combo(name)->currentText(), u"00");
        if (n > 1)
            QCOMPARE(f.combo("Cmb1_hora_desligar" + N)->parentWidget(), frame);
    }
    // Relay 1's switch-off hour lies on the window, at the place its counterparts have.
    QComboBox *offHour = f.combo(QStringLiteral("Cmb1_hora_desligar1"));
    QCOMPARE(offHour->parentWidget(), &f.window());
    QCOMPARE(offHour->pos(), QPoint(568, 104));
    QCOMPARE(f.combo(QStringLiteral("Cmb1_hora_desligar2"))->mapTo(&f.window(), QPoint(0, 0)).x(),
             offHour->x());
    QVERIFY(offHour->isVisibleTo(&f.window()));
}

void TestInventory::listsAfterStart()
{
    WindowFixture f;
    f.start();
    const QStringList units{"SEG", "MIN", "HOR", "DIA"};
    const QStringList minutes{"00", "15", "30", "45"};
    auto items = [](QComboBox *box) {
        QStringList result;
        for (int i = 0; i < box->count(); ++i)
            result << box->itemText(i);
        return result;
    };
    for (int n = 1; n <= 4; ++n) {
        const QString N = QString::number(n);
        QComboBox *unit = f.combo("Cmb_tmp" + N);
        QCOMPARE(items(unit), units);
        // Filling the lists does not change what the boxes show.
        QCOMPARE(unit->currentText(), u"SEG");
        QCOMPARE(unit->currentIndex(), -1);
        for (const QString &name : {"Cmb1_hora_ligar" + N, "Cmb1_hora_desligar" + N}) {
            QComboBox *hours = f.combo(name);
            QCOMPARE(hours->count(), 24);
            QCOMPARE(hours->itemText(0), u"0 h");
            QCOMPARE(hours->itemText(7), u"7 h");
            QCOMPARE(hours->itemText(23), u"23 h");
            QCOMPARE(hours->currentText(), u"0 h");
        }
        for (const QString &name : {"Cmb1_min_ligar" + N, "Cmb1_min_desligar" + N}) {
            QCOMPARE(items(f.combo(name)), minutes);
            QCOMPARE(f.combo(name)->currentText(), u"00");
        }
    }
}

void TestInventory::timersAndBoxesAtCreation()
{
    WindowFixture f;
    for (int n = 1; n <= 4; ++n) {
        QTimer *countdown = f.timer(QStringLiteral("Timer%1").arg(n));
        QVERIFY(!countdown->isActive());
        QCOMPARE(countdown->interval(), 1000);
        QTimer *schedule = f.timer(QStringLiteral("Timer_agenda%1").arg(n));
        QVERIFY(!schedule->isActive());
        QCOMPARE(schedule->interval(), 10000);
    }
    for (QCheckBox *box : f.window().findChildren<QCheckBox *>())
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
}

QTEST_MAIN(TestInventory)
#include "tst_inventory.moc"
