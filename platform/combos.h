#pragma once

#include <QComboBox>
#include <QStringList>

namespace tavex {

// An editable drop-down box: the user may pick an item or type any text. Nothing typed is
// added to the list and nothing is completed.
//
// QComboBox also reports `activated` when typed text that matches an item is confirmed with
// Return or by leaving the box; listChoice() is only a choice made from the list (with the
// mouse or the keyboard), never typing.
class EditableCombo : public QComboBox
{
    Q_OBJECT

public:
    EditableCombo(const QString &objectName, const QString &text, QWidget *parent);

    // Appends items without changing the text the box shows and without selecting an item.
    void addItemsKeepingText(const QStringList &items);

signals:
    void listChoice();
};

} // namespace tavex
