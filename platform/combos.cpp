#include "platform/combos.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace tavex {

namespace {

// The text part of an editable box. Typed text is confirmed while the text part handles a
// key or loses the focus, and the box's `activated` comes from within that handling; a
// choice from the list never passes through here.
class TextPart : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    bool isConfirmingTypedText() const { return m_confirming; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const QScopedValueRollback confirming(m_confirming, true);
        QLineEdit::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        const QScopedValueRollback confirming(m_confirming, true);
        QLineEdit::focusOutEvent(event);
    }

private:
    bool m_confirming = false;
};

} // namespace

EditableCombo::EditableCombo(const QString &objectName, const QString &text, QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(objectName);
    auto *textPart = new TextPart(this);
    setLineEdit(textPart);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setEditText(text);
    connect(this, &QComboBox::activated, this, [this, textPart] {
        if (!textPart->isConfirmingTypedText())
            emit listChoice();
    });
}

void EditableCombo::addItemsKeepingText(const QStringList &items)
{
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(text);
}

} // namespace tavex
