#include "schedule/scheduleframe.h"

#include "platform/combos.h"
#include "platform/twips.h"
#include "schedule/timelists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTimer>

#include <array>

namespace tavex {

namespace {

constexpr std::array<const char *, 4> kFrameNames{"Frame2", "Frame4", "Frame6", "Frame7"};

// The blanks leave room for the hour and minute boxes under "Ligar às:" and "Desligar às:".
const QString &armCaption()
{
    static const QString caption = QStringLiteral("Ligar às:") + QString(22, u' ')
            + QStringLiteral("e  Desligar às:");
    return caption;
}

QString comboName(const char *what, int relay)
{
    return QStringLiteral("Cmb1_%1%2").arg(QLatin1String(what)).arg(relay);
}

} // namespace

ScheduleFrame::ScheduleFrame(int relay, QWidget *parent)
    : QGroupBox(QStringLiteral("Acionamento Agendado (automático)"), parent),
      m_relay(relay),
      m_armBox(new QCheckBox(armCaption(), this)),
      m_onHour(new EditableCombo(comboName("hora_ligar", relay), QStringLiteral("0 h"), this)),
      m_onMinute(new EditableCombo(comboName("min_ligar", relay), QStringLiteral("00"), this)),
      m_offHour(new EditableCombo(comboName("hora_desligar", relay), QStringLiteral("0 h"), this)),
      m_offMinute(new EditableCombo(comboName("min_desligar", relay), QStringLiteral("00"), this)),
      m_timer(new QTimer(this))
{
    setObjectName(QString::fromLatin1(kFrameNames[relay - 1]));
    m_armBox->setObjectName(relay == 1 ? QStringLiteral("Chk_agendar")
                                       : QStringLiteral("Chk_agendar%1").arg(relay));
    placeCaptioned(m_armBox, twipsRect(120, 240, 3015, 255));
    m_onHour->setGeometry(twipsRect(240, 480, 855, 315));
    m_onMinute->setGeometry(twipsRect(1140, 480, 615, 315));
    m_offHour->setGeometry(twipsRect(2040, 480, 855, 315));
    m_offMinute->setGeometry(twipsRect(2940, 480, 615, 315));

    m_timer->setObjectName(QStringLiteral("Timer_agenda%1").arg(relay));
    m_timer->setInterval(kTickMs);
    // A few hundred milliseconds do not matter at ten-second ticks.
    m_timer->setTimerType(Qt::CoarseTimer);
}

bool ScheduleFrame::isArmed() const
{
    return m_timer->isActive();
}

void ScheduleFrame::arm()
{
    m_timer->start();
}

void ScheduleFrame::disarm()
{
    m_timer->stop();
}

ScheduleTimes ScheduleFrame::times() const
{
    return {m_onHour->currentText(), m_onMinute->currentText(), m_offHour->currentText(),
            m_offMinute->currentText()};
}

void ScheduleFrame::fillTimeLists()
{
    m_onHour->addItemsKeepingText(hourItems());
    m_offHour->addItemsKeepingText(hourItems());
    m_onMinute->addItemsKeepingText(minuteItems());
    m_offMinute->addItemsKeepingText(minuteItems());
}

} // namespace tavex
