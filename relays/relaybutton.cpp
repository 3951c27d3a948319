#include "relays/relaybutton.h"

#include "common/relay.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "relays/captions.h"
#include "relays/relaybank.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tavex {

namespace {

// The lit frame of a relay that is on, inside the button's bevel.
constexpr int kMarkWidth = 2;
constexpr int kMarkInset = 1;

// Relays 1 to 4 stand in a column beside their groups; 5 to 8 side by side in one row.
QRect relayButtonPlace(int relay)
{
    constexpr int rowPitch = 960;
    if (isTimedRelay(relay))
        return twipsRect(1440, 1140 + rowPitch * (relay - 1), 2055, 735);
    constexpr int lefts[] = {1440, 3720, 6120, 8400};
    return twipsRect(lefts[relay - kFirstExtendedRelay], 5400, 2055, 615);
}

// Where the name breaks: the longest start of it that fits `width`, ending before a blank
// where there is one to end at, else between characters; at least one character.
qsizetype nameBreak(const QString &name, const QFontMetrics &metrics, int width)
{
    qsizetype fitting = 1;
    while (fitting < name.size() && metrics.horizontalAdvance(name.left(fitting + 1)) <= width)
        ++fitting;
    for (qsizetype at = fitting; at > 0; --at) {
        if (name[at] == u' ' && !QStringView(name).left(at).trimmed().isEmpty())
            return at;
    }
    return fitting;
}

} // namespace

QStringList captionLines(const QString &caption, const QFontMetrics &metrics, int width)
{
    const auto fits = [&](const QString &line) { return metrics.horizontalAdvance(line) <= width; };
    if (fits(caption))
        return {caption};
    const CaptionParts parts = splitCaption(caption);
    if (!parts.state.isEmpty() && fits(parts.name))
        return {parts.name, parts.state};
    const qsizetype at = nameBreak(parts.name, metrics, width);
    const QString first = QStringView(parts.name).left(at).trimmed().toString();
    const QString rest = QStringView(parts.name).sliced(at).trimmed().toString();
    const QString state = parts.state.isEmpty() ? QString() : u' ' + parts.state;
    const QString second = rest.isEmpty()
            ? parts.state
            : metrics.elidedText(rest, Qt::ElideRight, width - metrics.horizontalAdvance(state)) + state;
    return {first, second};
}

QString relayButtonAccessibleName(int relay, const QString &caption, bool on)
{
    return QStringLiteral("Relé %1, %2, %3")
            .arg(relay)
            .arg(splitCaption(caption).name, on ? QStringLiteral("ligado") : QStringLiteral("desligado"));
}

RelayButton::RelayButton(int relay, const RelayBank &relays, QWidget *parent)
    : QPushButton(parent), m_relay(relay), m_relays(relays)
{
    setObjectName(QStringLiteral("btn_rele%1").arg(relay));
    setFont(relayButtonFont());
    setGeometry(relayButtonPlace(relay));
    setCheckable(true);
    showRelay();
    connect(&relays, &RelayBank::captionChanged, this, [this](int changed) {
        if (changed == m_relay)
            showRelay();
    });
    connect(&relays, &RelayBank::stateChanged, this, [this](int changed) {
        if (changed == m_relay)
            showRelay();
    });
}

void RelayButton::showRelay()
{
    const QString &caption = m_relays.caption(m_relay);
    const bool on = !m_relays.releDesligado(m_relay);
    setText(caption);
    // An ampersand in a name is shown as it is, never a shortcut that would switch the relay.
    setShortcut(QKeySequence());
    setChecked(on);
    setAccessibleName(relayButtonAccessibleName(m_relay, caption, on));
}

QRect RelayButton::textArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    // Clear of the lit frame, so the text never changes place with the state.
    const int margin = kMarkInset + kMarkWidth + 1;
    return contents.adjusted(margin, 0, -margin, 0);
}

QStringList RelayButton::shownLines() const
{
    return captionLines(text(), fontMetrics(), textArea().width());
}

void RelayButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    // The bevel, drawn pressed while the relay is on (the option is "on" while checked).
    painter.drawControl(QStyle::CE_PushButton, option);
    if (isChecked()) {
        const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
        const int half = kMarkWidth / 2;
        painter.setPen(QPen(palette().color(QPalette::Highlight), kMarkWidth, Qt::SolidLine,
                            Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(contents.adjusted(kMarkInset + half, kMarkInset + half,
                                           -kMarkInset - half, -kMarkInset - half));
    }
    painter.drawItemText(textArea(), Qt::AlignCenter, palette(), isEnabled(),
                         shownLines().join(u'\n'), QPalette::ButtonText);
}

} // namespace tavex
