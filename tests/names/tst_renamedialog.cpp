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
const QStringList kDesignCaptions{"RELE 1 (OFF)", "RELE 2 (OFF)", "RELE 3 (OFF)", "RELE 4  (OFF)",
                                  "RELE 5 (OFF)", "RELE 6 (OFF)", "RELE 7 (OFF)", "RELE 8  (OFF)"};

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

QStringList captions(const WindowFixture &f)
{
    QStringList texts;
    for (int n = 1; n <= 8; ++n)
        texts << f.relayButton(n)->text();
    return texts;
}

QStringList names(WindowFixture &f)
{
    QStringList texts;
    for (int n = 1; n <= 8; ++n)
        texts << f.window().relays().nomeRele(n);
    return texts;
}

} // namespace

class TestRenameDialog : public QObject
{
    Q_OBJECT

private slots:
    void readAtStartUp_data();
    void readAtStartUp();
    void oneDialogBesideTheWindow();
    void roundTripThenAllCleared();
    void failedSave();
};

void TestRenameDialog::readAtStartUp_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("copied in lower case: an empty line, a comma, fewer lines than relays")
            << "botoes.ini" << QByteArray("A\r\n\r\nC,D\r\n") << QStringList{"A", "", "C", "D"};
    QTest::newRow("eight entries of nine")
            << kFileName << QByteArray("A,B,C,D,E,F,G,H,I\r\n")
            << QStringList{"A", "B", "C", "D", "E", "F", "G", "H"};
}

void TestRenameDialog::readAtStartUp()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    WindowFixture f;
    QVERIFY(writeFile(f.dataFile(fileName), bytes));
    // A file in another case is only read when there is no "BOTOES.INI".
    if (fileName == kFileName)
        QVERIFY(writeFile(f.dataFile(QStringLiteral("Botoes.ini")), "DECOY\r\n"));
    f.start();
    // An entry that is not empty names its relay and shows as just applied.
    QStringList names = kDefaultNames, captions = kDesignCaptions;
    for (int i = 0; i < entries.size(); ++i) {
        if (!entries[i].isEmpty()) {
            names[i] = entries[i];
            captions[i] = entries[i] + " [OFF]";
        }
    }
    QCOMPARE(::names(f), names);
    QCOMPARE(::captions(f), captions);
    // A freshly loaded dialog shows the entries as read, and no default names.
    Form2 *dialog = openDialog(f);
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(dialog->nameBox(n)->text(), entries.value(n - 1));

    // The second caption pass: captions from the entries that are not empty; names and
    // states stay as they were.
    WindowFixture::click(f.relayButton(2));
    QVERIFY(writeFile(f.dataFile(kFileName), "Q\r\n\r\n"));
    f.window().applyNameCaptions();
    QCOMPARE(::captions(f).mid(0, 3), QStringList({"Q [OFF]", names[1] + " (ON)", captions[2]}));
    QCOMPARE(::names(f), names);
    QCOMPARE(f.port().written(), QByteArray("3"));
}

void TestRenameDialog::oneDialogBesideTheWindow()
{
    WindowFixture f;
    f.start();
    Form2 *dialog = openDialog(f);
    QVERIFY(dialog && dialog->isWindow() && dialog->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(dialog->windowTitle(), u"Renomear Botões");
    QCOMPARE(dialog->size(), QSize(281, 336));
    // A character the file cannot keep does not appear; a box holds 20 characters.
    type(dialog, 2, QStringLiteral("a\"bΩc😀d"));
    QCOMPARE(dialog->nameBox(2)->text(), u"abcd");
    type(dialog, 3, QStringLiteral("x").repeated(25));
    QCOMPARE(dialog->nameBox(3)->text().size(), 20);

    // Opening it again shows the same dialog as it is: the file is not read again.
    type(dialog, 1, QStringLiteral("bomba"));
    QVERIFY(writeFile(f.dataFile(kFileName), "OUTRO\r\n"));
    QCOMPARE(openDialog(f), dialog);
    QCOMPARE(f.window().findChildren<Form2 *>().size(), 1);
    QCOMPARE(dialog->nameBox(1)->text(), u"bomba");

    // A save hides it with its boxes as typed; the button shows the name in upper case. A
    // relay that is on stays on, whatever its caption says, until its next click.
    WindowFixture::click(f.relayButton(1));
    save(dialog);
    QVERIFY(dialog->isHidden());
    QCOMPARE(f.relayButton(1)->text(), u"BOMBA [OFF]");
    WindowFixture::click(f.relayButton(1));
    QCOMPARE(f.relayButton(1)->text(), u"BOMBA (OFF)");
    QCOMPARE(f.port().written(), QByteArray("12"));
    QCOMPARE(openDialog(f)->nameBox(1)->text(), u"bomba");

    // The close box unloads it: the next opening reads the file.
    dialog->close();
    QVERIFY(dialog->isHidden());
    QCOMPARE(openDialog(f)->nameBox(2)->text(), u"ABCD");
}

void TestRenameDialog::roundTripThenAllCleared()
{
    WindowFixture f;
    f.start();
    Form2 *dialog = openDialog(f);
    const QStringList typed{"bomba d'água", "  Luz, sala  ", "  portão  ", "ação, € 5",
                            "ßµ ÿ", ",", "Ventilador do teto 123", ""};
    for (int n = 1; n <= 8; ++n)
        type(dialog, n, typed[n - 1]);
    save(dialog);
    QCOMPARE(readFile(f.dataFile(kFileName)), QByteArray("BOMBA D'\xc1GUA\r\n"
                                                         "\"  LUZ, SALA  \"\r\n"
                                                         "  PORT\xc3O  \r\n"
                                                         "\"A\xc7\xc3O, \x80 5\"\r\n"
                                                         "\xdf\xb5 \x9f\r\n"
                                                         "\",\"\r\n"
                                                         "VENTILADOR DO TETO 1\r\n"
                                                         "\r\n"));
    const QStringList read{"BOMBA D'ÁGUA", "  LUZ, SALA  ", "PORTÃO", "AÇÃO, € 5",
                           "ßµ Ÿ", ",", "VENTILADOR DO TETO 1", "RELE 8"};
    QCOMPARE(names(f), read);
    QStringList shown;
    for (int n = 1; n <= 7; ++n)
        shown << read[n - 1] + " [OFF]";
    shown << kDesignCaptions[7];
    QCOMPARE(captions(f), shown);

    // All eight boxes empty: eight empty lines, the default names, the captions as they were.
    for (int n = 1; n <= 8; ++n) {
        dialog->nameBox(n)->selectAll();
        QTest::keyClick(dialog->nameBox(n), Qt::Key_Delete);
    }
    save(dialog);
    QCOMPARE(readFile(f.dataFile(kFileName)), QByteArray("\r\n").repeated(8));
    QCOMPARE(names(f), kDefaultNames);
    QCOMPARE(captions(f), shown);
    WindowFixture::click(f.relayButton(3));
    QCOMPARE(f.relayButton(3)->text(), u"RELE 3 (ON)");
}

void TestRenameDialog::failedSave()
{
    // The data directory gone after start-up, a file in its place: nothing can be written.
    WindowFixture f;
    f.start();
    QVERIFY(QDir(f.configDir()).removeRecursively());
    QVERIFY(writeFile(f.configDir(), "not a directory"));
    Form2 *dialog = openDialog(f);
    type(dialog, 1, QStringLiteral("Nova"));
    save(dialog);

    QCOMPARE(f.messages().shown().size(), 1);
    const ShownMessage &message = f.messages().shown().first();
    QCOMPARE(message.text, QStringLiteral("Os nomes dos botões não foram salvos: não foi "
                                          "possível gravar o arquivo %1/BOTOES.INI.")
                                   .arg(f.configDir()));
    QCOMPARE(message.title, u"TAVEX");
    QCOMPARE(message.icon, MessageIcon::Warning);
    QCOMPARE(readFile(f.configDir()), "not a directory");
    // There is no names file to apply: every relay keeps its name, shown as just applied.
    QCOMPARE(names(f), kDefaultNames);
    QCOMPARE(captions(f).last(), u"RELE 8 [OFF]");
    QCOMPARE(dialog->nameBox(1)->text(), u"Nova");
}

QTEST_MAIN(TestRenameDialog)
#include "tst_renamedialog.moc"
