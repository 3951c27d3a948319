#include "names/form2.h"
#include "support/files.h"
#include "support/windowfixture.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace tavex;
using namespace tavex::test;

namespace {

const QString kFileName = QStringLiteral("BOTOES.INI");
const QStringList kDefaultNames{"RELE 1", "RELE 2", "RELE 3", "RELE 4",
                                "RELE 5", "RELE 6", "RELE 7", "RELE 8"};

// Opens the rename dialog with a click on "Renomear Botoes".
Form2 *openDialog(WindowFixture &f)
{
    WindowFixture::click(f.button(QStringLiteral("btn_editarBotoes")));
    return f.window().findChild<Form2 *>(QStringLiteral("Form2"));
}

// Replaces the relay's box text by typing, one key per character, as a keyboard with every
// character on it would.
void type(Form2 *dialog, int relay, const QString &text)
{
    QLineEdit *edit = dialog->nameBox(relay);
    edit->setFocus();
    edit->selectAll();
    for (const char32_t c : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUcs4(&c, 1), {});
}

void save(Form2 *dialog)
{
    WindowFixture::click(dialog->findChild<QPushButton *>(QStringLiteral("btn_salvar")));
}

// The relays' button texts, or with `names` their names.
QStringList captions(WindowFixture &f, bool names = false)
{
    QStringList texts;
    for (int n = 1; n <= 8; ++n)
        texts << (names ? f.window().board().relays().nomeRele(n) : f.relayButton(n)->text());
    return texts;
}

} // namespace

class TestRenameDialog : public QObject
{
    Q_OBJECT

private slots:
    void readAtStartUp()
    {
        // A copy in lower case is read when there is no "BOTOES.INI"; a settings file makes the
        // start-up apply the names' captions a second time.
        WindowFixture f;
        QVERIFY(writeFile(f.dataFile(QStringLiteral("botoes.ini")), "A\r\n\r\nC,D\r\nE\"F\r\n"));
        QVERIFY(writeFile(f.dataFile(QStringLiteral("tavex.ini")), ""));
        f.start();
        // A name read shows as just applied; an empty or missing entry keeps the default name.
        QCOMPARE(captions(f, true), QStringList({"A", "RELE 2", "C", "D", "E\"F"}) + kDefaultNames.mid(5));
        QCOMPARE(captions(f), QStringList({"A [OFF]", "RELE 2 (OFF)", "C [OFF]", "D [OFF]", "E\"F [OFF]",
                                           "RELE 6 (OFF)", "RELE 7 (OFF)", "RELE 8  (OFF)"}));
        // A freshly loaded dialog shows the entries as read, and no default names; saved
        // unedited, every entry is written back as it was read.
        Form2 *dialog = openDialog(f);
        QCOMPARE(dialog->boxTexts(), QStringList({"A", "", "C", "D", "E\"F", "", "", ""}));
        save(dialog);
        QCOMPARE(readFile(f.dataFile(kFileName)), QByteArray("A\r\n\r\nC\r\nD\r\nE\"F\r\n\r\n\r\n\r\n"));
    }

    void oneDialogBesideTheWindow()
    {
        WindowFixture f;
        f.start();
        Form2 *dialog = openDialog(f);
        QVERIFY(dialog && dialog->isWindow() && dialog->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        // A character the file cannot keep does not appear, nor a quote that would not read
        // back (at the start, or beside a comma).
        type(dialog, 2, QStringLiteral("\"a\"bΩc😀d"));
        QCOMPARE(dialog->nameBox(2)->text(), u"a\"bcd");

        // Opening it again shows the same dialog as it is: the file is not read again.
        type(dialog, 1, QStringLiteral("bomba"));
        QVERIFY(writeFile(f.dataFile(kFileName), "OUTRO\r\n"));
        QCOMPARE(openDialog(f), dialog);
        QCOMPARE(f.window().findChildren<Form2 *>().size(), 1);
        QCOMPARE(dialog->nameBox(1)->text(), u"bomba");

        // A save hides it with its boxes as typed; the button shows the name in upper case, and
        // a relay that is on as on.
        WindowFixture::click(f.relayButton(1));
        save(dialog);
        QVERIFY(dialog->isHidden());
        QCOMPARE(f.relayButton(1)->text(), u"BOMBA [ON]");
        QCOMPARE(openDialog(f)->nameBox(1)->text(), u"bomba");

        // Escape closes it as the close box does, unloading it: the next opening reads the file.
        QTest::keyClick(dialog->nameBox(3), Qt::Key_Escape);
        QVERIFY(dialog->isHidden());
        QCOMPARE(openDialog(f)->nameBox(2)->text(), u"A\"BCD");
    }

    void roundTripAllClearedThenAFailedSave()
    {
        // Once there is a "BOTOES.INI", a copy in another case is no longer read.
        WindowFixture f;
        QVERIFY(writeFile(f.dataFile(QStringLiteral("Botoes.ini")), "DECOY\r\n"));
        f.start();
        Form2 *dialog = openDialog(f);
        // A box holds 20 characters.
        const QStringList typed{"bomba d'água", "  Luz, sala  ", "  portão  ", "ação, € 5",
                                "ßµ ÿ", ",", "Ventilador do teto 123", ""};
        for (int n = 1; n <= 8; ++n)
            type(dialog, n, typed[n - 1]);
        // Return saves, as the default button.
        QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("btn_salvar"))->isDefault());
        QTest::keyClick(dialog->nameBox(8), Qt::Key_Return);
        // A name of 20 characters in upper case is seen whole in its box.
        QLineEdit *box = dialog->nameBox(7);
        QVERIFY(box->fontMetrics().horizontalAdvance(box->text().toUpper()) <= box->width() - 8);
        QCOMPARE(readFile(f.dataFile(kFileName)), QByteArray("BOMBA D'\xc1GUA\r\n"
                                                             "\"  LUZ, SALA  \"\r\n"
                                                             "  PORT\xc3O  \r\n"
                                                             "\"A\xc7\xc3O, \x80 5\"\r\n"
                                                             "\xdf\xb5 \x9f\r\n"
                                                             "\",\"\r\n"
                                                             "VENTILADOR DO TETO 1\r\n"
                                                             "\r\n"));
        const QStringList shown{"BOMBA D'ÁGUA [OFF]", "  LUZ, SALA   [OFF]", "PORTÃO [OFF]",
                                "AÇÃO, € 5 [OFF]", "ßµ Ÿ [OFF]", ", [OFF]",
                                "VENTILADOR DO TETO 1 [OFF]", "RELE 8  (OFF)"};
        QCOMPARE(captions(f), shown);

        // All eight boxes empty: eight empty lines, the default names, the captions as they were.
        for (int n = 1; n <= 8; ++n) {
            dialog->nameBox(n)->selectAll();
            QTest::keyClick(dialog->nameBox(n), Qt::Key_Delete);
        }
        save(dialog);
        QCOMPARE(readFile(f.dataFile(kFileName)), QByteArray("\r\n").repeated(8));
        QCOMPARE(captions(f, true), kDefaultNames);
        QCOMPARE(captions(f), shown);
        WindowFixture::click(f.relayButton(3));
        QCOMPARE(f.relayButton(3)->text(), u"RELE 3 (ON)");

        // The data directory gone, a file in its place: nothing can be written.
        QVERIFY(QDir(f.configDir()).removeRecursively());
        QVERIFY(writeFile(f.configDir(), "not a directory"));
        dialog = openDialog(f);
        type(dialog, 1, QStringLiteral("Nova"));
        save(dialog);
        QCOMPARE(f.messages().shown().size(), 1);
        const ShownMessage &message = f.messages().shown().first();
        QCOMPARE(message.text, QStringLiteral("Os nomes dos botões não foram salvos: não foi "
                                              "possível gravar o arquivo %1.")
                                       .arg(QDir::toNativeSeparators(f.dataFile(kFileName))));
        QVERIFY(message.title == u"TAVEX" && message.icon == MessageIcon::Warning);
        // There is no names file to apply: every relay keeps its name, shown as just applied.
        QCOMPARE(captions(f, true), kDefaultNames);
        QCOMPARE(captions(f)[2] + u'|' + captions(f)[7], u"RELE 3 [ON]|RELE 8 [OFF]");
    }
};

QTEST_MAIN(TestRenameDialog)
#include "tst_renamedialog.moc"
