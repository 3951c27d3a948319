#include "platform/qttranslation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void qtTextsReadInPortuguese()
    {
        // An edit box's context menu, as the right mouse button opens it.
        QVERIFY(tavex::installQtTranslation(*qApp));
        QLineEdit edit(QStringLiteral("5"));
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList words;
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                words.append(action->text().section(u'\t', 0, 0));
        QCOMPARE(words, QStringList({"&Desfazer", "&Refazer", "Recor&tar", "&Copiar", "C&olar",
                                     "Excluir", "Selecionar tudo"}));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
