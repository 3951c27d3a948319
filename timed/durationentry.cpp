#include "timed/durationentry.h"

#include "platform/combos.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "timed/durationrules.h"
#include "timed/units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace tavex {

namespace {

struct EntryNames
{
    const char *frame;
    const char *minus;
};

// The groups and minus buttons were named one by one when the window was drawn.
constexpr std::array<EntryNames, 4> kNames{{
    {"Frame1", "timer1_menos"},
    {"Frame3", "timer2_menos"},
    {"Frame5", "Command3"},
    {"Frame8", "Command4"},
}};

// Relay 1's unit reacts to a choice from its list; the others react to every change of their
// text (typing, or the program setting it) and not to a choice from the list.
constexpr bool unitReactsToListChoice(int relay)
{
    return relay == 1;
}

QString numbered(const char *prefix, int relay)
{
    return QString::fromLatin1(prefix) + QString::number(relay);
}

// Every character a count of seconds left is written with.
constexpr QStringView kCountCharacters = u"0123456789 -,.";

// The advance of the widest of them in `font`.
int widestCountCharacter(const QFont &font)
{
    const QFontMetrics metrics(font);
    int widest = 1;
    for (const QChar c : kCountCharacters)
        widest = std::max(widest, metrics.horizontalAdvance(c));
    return widest;
}

} // namespace

DurationEntry::DurationEntry(int relay, QWidget *parent)
    : QGroupBox(QStringLiteral("Ao Clicar no Botão"), parent),
      m_relay(relay),
      m_durationBox(new QCheckBox(QStringLiteral("Ligar Durante:"), this)),
      m_remainingLabel(new QLabel(QStringLiteral("0"), this)),
      m_durationEdit(new QLineEdit(QStringLiteral("1"), this)),
      m_plusButton(new QPushButton(QStringLiteral("+"), this)),
      m_minusButton(new QPushButton(QStringLiteral("-"), this)),
      m_unitBox(new EditableCombo(numbered("Cmb_tmp", relay), QStringLiteral("SEG"), this))
{
    const EntryNames &names = kNames[relay - 1];
    setObjectName(QString::fromLatin1(names.frame));
    m_durationBox->setObjectName(numbered("chk_timer", relay));
    m_remainingLabel->setObjectName(numbered("lb_tmpr", relay));
    m_durationEdit->setObjectName(numbered("txt_tmp", relay));
    m_plusButton->setObjectName(QStringLiteral("timer%1_mais").arg(relay));
    m_minusButton->setObjectName(QString::fromLatin1(names.minus));

    placeCaptioned(m_durationBox, twipsRect(120, 240, 1455, 255));
    m_remainingLabel->setGeometry(twipsRect(1620, 240, 675, 255));
    m_remainingLabel->setAlignment(Qt::AlignCenter);
    m_remainingLabel->setFont(mediumSansFont());
    // Opaque, white as the window is behind the group there: a tick of the countdown repaints
    // the label alone, not the group and the window beneath it.
    QPalette white = m_remainingLabel->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_remainingLabel->setPalette(white);
    m_remainingLabel->setAutoFillBackground(true);
    m_durationEdit->setGeometry(twipsRect(120, 510, 615, 285));
    m_durationEdit->setMaxLength(kDurationMaxLength);
    m_durationEdit->setAlignment(Qt::AlignCenter);
    m_plusButton->setGeometry(twipsRect(780, 510, 255, 135));
    m_minusButton->setGeometry(twipsRect(780, 645, 255, relay == 1 ? 180 : 165));
    m_minusButton->setFont(mediumSansFont());
    m_unitBox->setGeometry(twipsRect(1560, 495, 735, 315));

    connect(m_durationBox, &QCheckBox::toggled, this, &DurationEntry::durationBoxToggled);
    connect(m_durationEdit, &QLineEdit::textChanged, this, &DurationEntry::durationChanged);
    connect(m_plusButton, &QPushButton::clicked, this, &DurationEntry::stepUp);
    connect(m_minusButton, &QPushButton::clicked, this, &DurationEntry::stepDown);
    if (unitReactsToListChoice(relay))
        connect(m_unitBox, &EditableCombo::listChoice, this, &DurationEntry::unitChanged);
    else
        connect(m_unitBox->lineEdit(), &QLineEdit::textEdited, this, &DurationEntry::unitChanged);
}

bool DurationEntry::isTicked() const
{
    return m_durationBox->isChecked();
}

QString DurationEntry::durationText() const
{
    return m_durationEdit->text();
}

QString DurationEntry::unitText() const
{
    return m_unitBox->currentText();
}

void DurationEntry::setUnitText(const QString &text)
{
    m_unitBox->setEditText(text);
    if (!unitReactsToListChoice(m_relay))
        unitChanged();
}

void DurationEntry::showRemaining(const QString &text)
{
    m_remainingLabel->setText(text);
    fitRemainingLabel();
}

void DurationEntry::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    // The label with the seconds left reaches to the group's inner edge, for the long counts
    // (999 days start at " 86313599").
    QRect place = m_remainingLabel->geometry();
    place.setRight(contentsRect().right());
    m_remainingLabel->setGeometry(place);
    fitRemainingLabel();
}

void DurationEntry::fitRemainingLabel()
{
    // The label's own font, made smaller only as far as the count needs to fit.
    constexpr qreal kSmallestPoints = 6;
    constexpr qreal kStep = 0.25;
    QFont font = mediumSansFont();
    const int room = m_remainingLabel->contentsRect().width();
    const QString text = m_remainingLabel->text();
    if (m_widestCountCharacter == 0)
        m_widestCountCharacter = widestCountCharacter(font);
    // A count of no more characters than the widest of them fits in the room fits at the
    // full size without measuring it, as nearly every tick's does.
    const bool fitsForSure = text.size() <= room / m_widestCountCharacter
            && std::all_of(text.begin(), text.end(),
                           [](QChar c) { return kCountCharacters.contains(c); });
    while (!fitsForSure && font.pointSizeF() > kSmallestPoints
           && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - kStep);
    if (font != m_remainingLabel->font())
        m_remainingLabel->setFont(font);
}

void DurationEntry::fillUnitList()
{
    m_unitBox->addItemsKeepingText(unitTexts());
}

void DurationEntry::durationChanged()
{
    // Setting the text raises this reaction again, nested, on the corrected text; the
    // correction leaves a text that needs none, so that run changes nothing.
    const QString text = m_durationEdit->text();
    const QString corrected = filteredDuration(text);
    if (corrected != text)
        m_durationEdit->setText(corrected);
}

void DurationEntry::unitChanged()
{
    const UnitReaction reaction = unitReaction(unitText());
    if (reaction.resetDuration)
        m_durationEdit->setText(QStringLiteral("1"));
    m_durationEdit->setMaxLength(reaction.maxLength);
}

void DurationEntry::stepUp()
{
    m_durationEdit->setText(durationAfterPlus(durationText(), QLocale()));
}

void DurationEntry::stepDown()
{
    if (const auto text = durationAfterMinus(durationText(), QLocale()))
        m_durationEdit->setText(*text);
}

} // namespace tavex
