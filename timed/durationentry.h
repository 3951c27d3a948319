#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavex {

class EditableCombo;

// The "Ao Clicar no Botão" group of relays 1 to 4: whether a switch-on starts a countdown,
// the duration and its unit, the plus and minus steps and the label with the seconds left.
// The group keeps the duration usable; the countdown itself belongs to the relay.
class DurationEntry : public QGroupBox
{
    Q_OBJECT

public:
    DurationEntry(int relay, QWidget *parent = nullptr);

    int relay() const { return m_relay; }

    QCheckBox *durationBox() const { return m_durationBox; }
    QLineEdit *durationEdit() const { return m_durationEdit; }
    EditableCombo *unitBox() const { return m_unitBox; }
    QPushButton *plusButton() const { return m_plusButton; }
    QPushButton *minusButton() const { return m_minusButton; }
    QLabel *remainingLabel() const { return m_remainingLabel; }

    bool isTicked() const;
    QString durationText() const;
    QString unitText() const;
    // The one way for the program to set the unit text. Like typing, it runs the unit
    // reaction of relays 2 to 4; relay 1's unit reacts only to a choice from its list.
    void setUnitText(const QString &text);
    // Shows the seconds left, whole: a long count is written smaller where it must.
    void showRemaining(const QString &text);

    void fillUnitList();

    // The reactions, run by the controls' notifications.
    void durationChanged(); // txt_tmpN_Change: every change of the duration text
    void unitChanged();     // Cmb_tmp1_Click, Cmb_tmp2_Change to Cmb_tmp4_Change
    void stepUp();          // timerN_mais_Click
    void stepDown();        // timer1_menos_Click, timer2_menos_Click, Command3_Click, Command4_Click

signals:
    // chk_timerN_Click: every change of the duration box, by the user or the program.
    void durationBoxToggled(bool ticked);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitRemainingLabel();

    int m_relay;
    QCheckBox *m_durationBox;
    QLabel *m_remainingLabel;
    int m_widestCountCharacter = 0; // measured at the first fit
    QLineEdit *m_durationEdit;
    QPushButton *m_plusButton;
    QPushButton *m_minusButton;
    EditableCombo *m_unitBox;
};

} // namespace tavex
