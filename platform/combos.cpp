#include "platform/combos.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace tavex {

EditableCombo::EditableCombo(const QString &objectName, const QString &text, QWidget *parent)
    : QComboBox(parent)
{
    setObjectName(objectName);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setEditText(text);
    // A choice from the list writes the text from the program, which clears the line's
    // "modified" mark; confirming typed text leaves it set.
    connect(this, &QComboBox::activated, this, [this] {
        if (!lineEdit()->isModified())
            emit listChoice();
    });
}

void EditableCombo::showPopup()
{
    // Picking from the list the very text that was typed is a choice all the same.
    lineEdit()->setModified(false);
    QComboBox::showPopup();
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
