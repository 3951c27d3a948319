#pragma once

#include <QComboBox>
#include <QStringList>

namespace tavex {

// An editable drop-down box: the user may pick an item or type any text. Nothing typed is
// added to the list and nothing is completed.
QComboBox *makeEditableCombo(const QString &objectName, const QString &text, QWidget *parent);

// Appends items without changing the text the box shows and without selecting an item.
void addItemsKeepingText(QComboBox *box, const QStringList &items);

} // namespace tavex
