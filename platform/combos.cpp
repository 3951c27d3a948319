#include "platform/combos.h"

#include <QSignalBlocker>

namespace tavex {

QComboBox *makeEditableCombo(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->setEditText(text);
    return box;
}

void addItemsKeepingText(QComboBox *box, const QStringList &items)
{
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace tavex
