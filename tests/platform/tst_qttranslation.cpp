#include "platform/qttranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <memory>

class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void qtTextsReadInPortuguese();
};

void TestQtTranslation::qtTextsReadInPortuguese()
{
    QVERIFY(tavex::installQtTranslation(*qApp));

    // An edit box's context menu, as the right mouse button opens it.
    QLineEdit edit(QStringLiteral("5"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList words;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            words.append(action->text().section(u'\t', 0, 0));
    QCOMPARE(words, QStringList({"&Desfazer", "&Refazer", "Recor&tar", "&Copiar", "C&olar",
                                 "Excluir", "Selecionar tudo"}));

    // The button that opens a message box's details.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Erro"), QStringLiteral("texto"),
                    QMessageBox::Ok);
    box.setDetailedText(QStringLiteral("detalhes"));
    QStringList buttons;
    for (const QAbstractButton *button : box.buttons())
        buttons.append(button->text());
    QCOMPARE(buttons, QStringList({"OK", "Mostrar detalhes..."}));
}

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
