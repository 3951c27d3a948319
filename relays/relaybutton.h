#pragma once

#include <QPushButton>
#include <QStringList>

class QFontMetrics;

namespace tavex {

class RelayBank;

// The button of relay 1 to 8, named "btn_rele<n>", with its design caption, font and place.
// It shows what the relay bank holds for its relay: the caption, always whole, and whether
// the relay is on. A relay that is on is drawn pressed with a lit frame in the palette's
// highlight colour; the button is checkable for that, but a click never changes the checked
// state by itself: only the relay's state does.
class RelayButton final : public QPushButton
{
    Q_OBJECT

public:
    RelayButton(int relay, const RelayBank &relays, QWidget *parent);

    // The caption as it is drawn: one line, or two.
    QStringList shownLines() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override { }

private:
    void showRelay();
    QRect textArea() const;

    int m_relay;
    const RelayBank &m_relays;
};

// The lines in which a caption is drawn `width` pixels wide: the caption on one line where it
// fits; else the name on the first line and the state on the second; else the name broken
// between words (or, with no blank to break at, between characters) with its end and the
// state on the second line. A name too long for two lines is elided at the end of the second
// line, before the state, which is never cut.
QStringList captionLines(const QString &caption, const QFontMetrics &metrics, int width);

// A relay button is read with its relay, the name it shows and whether the relay is on.
QString relayButtonAccessibleName(int relay, const QString &caption, bool on);

} // namespace tavex
