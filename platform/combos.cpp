#include "platform/combos.h"

#include <QAccessibleWidget>
#include <QCompleter>
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

// How assistive technology reads an editable box: by the accessible name that says what the
// box sets, with its text as the value. Qt's own reading of a combo box on Linux gives the
// text as the name, so a screen reader would announce "0 h" and not what the hour is for.
class ComboAccessible final : public QAccessibleWidget
{
public:
    explicit ComboAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction())
            box()->showPopup();
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *comboAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(EditableCombo::staticMetaObject.className())) {
        if (auto *box = qobject_cast<EditableCombo *>(object))
            return new ComboAccessible(box);
    }
    return nullptr;
}

} // namespace

EditableCombo::EditableCombo(const QString &objectName, const QString &text, QWidget *parent)
    : QComboBox(parent)
{
    [[maybe_unused]] static const bool readable = (QAccessible::installFactory(comboAccessible), true);
    setObjectName(objectName);
    auto *textPart = new TextPart(this);
    // Given a text part without a completer, the box makes one over its list, only for
    // setCompleter(nullptr) below to drop it; a bare one costs far less to make.
    textPart->setCompleter(new QCompleter(textPart));
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
