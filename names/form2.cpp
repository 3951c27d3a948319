#include "names/form2.h"

#include "names/namesfile.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QValidator>

namespace tavex {

namespace {

// The client area is 4215 x 5040 twips.
constexpr QSize kClientSize{fromTwips(4215), fromTwips(5040)};
constexpr int kNameMaxLength = 20;

// A name box reaches from its place to near the dialog's right edge, a little wider than
// drawn, and its font is made small enough for a name of 20 wide letters.
constexpr int kNameBoxLeft = fromTwips(1080);
constexpr int kNameBoxWidth = fromTwips(4215 - 1080 - 120);

// The rows of the eight names lie 360 twips apart.
constexpr int nameRowTop(int relay)
{
    return 1200 + 360 * (relay - 1);
}

// Refuses every edit that would put a character into a box that the names file cannot keep,
// so the character never appears.
class NameValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        return isNameText(input) ? Acceptable : Invalid;
    }
};

// The dialog's decorative background, 430 x 467 pixels: white, with light-blue bands fading
// in along the top and the bottom, over the white of the dialog. Painted afresh, clipped to
// what is exposed.
void paintRenameBackdrop(QPainter &painter)
{
    constexpr QSize size{430, 467};
    const QColor lightBlue{185, 215, 240};
    const QColor clear{255, 255, 255, 0};
    QLinearGradient top(0, 0, 0, 60);
    top.setColorAt(0, lightBlue);
    top.setColorAt(1, clear);
    painter.fillRect(0, 0, size.width(), 60, top);
    QLinearGradient bottom(0, size.height() - 60, 0, size.height());
    bottom.setColorAt(0, clear);
    bottom.setColorAt(1, lightBlue);
    painter.fillRect(0, size.height() - 60, size.width(), 60, bottom);
}

QLabel *createLabel(const QString &name, const QString &text, const QRect &place, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

// The names' font: the dialog's medium font, made smaller until a name of 20 wide letters
// fits its box.
QFont nameBoxFont()
{
    const QString widestName(kNameMaxLength, u'N');
    QFont font = mediumSansFont();
    // The line edit's frame and its text margins take a few pixels on each side.
    constexpr int room = kNameBoxWidth - 10;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(widestName) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

} // namespace

Form2::Form2(QString dataDir, QWidget *parent)
    : QWidget(parent, Qt::Dialog), m_dataDir(std::move(dataDir))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Renomear Botões"));
    setFixedSize(kClientSize);
    setFont(windowFont());
    buildControls();
    if (parent)
        move(parent->geometry().center() - rect().center());
}

void Form2::buildControls()
{
    // Created in tab order. The two title lines reach beyond the left edge, as drawn.
    const auto addTitle = [this](const QString &name, const QString &text, int left, int top) {
        QLabel *title = createLabel(name, text, twipsRect(left, top, 5295, 495), this);
        title->setFont(titleFont());
        title->setAlignment(Qt::AlignCenter);
    };
    addTitle(QStringLiteral("Label1"), QStringLiteral("Defina o nome dos"), -840, 120);
    addTitle(QStringLiteral("Label2"), QStringLiteral("botões de controle"), -480, 480);
    for (int n = 1; n <= kRelayCount; ++n) {
        const QString number = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        createLabel(QStringLiteral("Label%1").arg(n + 2), QStringLiteral("Botão %1:").arg(number),
                    twipsRect(360, nameRowTop(n), 735, 255), this);
    }
    auto *validator = new NameValidator(this);
    const QFont boxFont = nameBoxFont();
    for (int n = 1; n <= kRelayCount; ++n) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txt_nome_btn%1").arg(n));
        box->setGeometry(kNameBoxLeft, fromTwips(nameRowTop(n)), kNameBoxWidth, fromTwips(285));
        box->setMaxLength(kNameMaxLength);
        box->setAlignment(Qt::AlignCenter);
        box->setFont(boxFont);
        box->setValidator(validator);
        box->setAccessibleName(QStringLiteral("Nome do botão do relé %1").arg(n));
        m_boxes[n - 1] = box;
    }
    auto *save = new QPushButton(QStringLiteral("SALVAR"), this);
    save->setObjectName(QStringLiteral("btn_salvar"));
    save->setGeometry(twipsRect(1440, 4320, 1575, 375));
    save->setAccessibleName(QStringLiteral("Salvar os nomes dos botões"));
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &Form2::btn_salvar_Click);
}

void Form2::showLoaded()
{
    if (!m_loaded)
        Form_Load();
    show();
    raise();
    activateWindow();
}

void Form2::Form_Load()
{
    const QList<QString> entries = readNamesFile(m_dataDir);
    for (int n = 1; n <= kRelayCount; ++n) {
        // Only what could be typed is shown, so the box stays editable; a longer entry is
        // cut to the box's length.
        m_boxes[n - 1]->setText(n <= entries.size() ? nameText(entries[n - 1]) : QString());
    }
    m_loaded = true;
}

void Form2::btn_salvar_Click()
{
    emit saveRequested(boxTexts());
    hide();
}

QStringList Form2::boxTexts() const
{
    QStringList texts;
    for (const QLineEdit *box : m_boxes)
        texts.append(box->text());
    return texts;
}

void Form2::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintRenameBackdrop(painter);
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btn_salvar_Click();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Form2::closeEvent(QCloseEvent *event)
{
    // The close box unloads the dialog; nothing is saved.
    m_loaded = false;
    event->accept();
}

} // namespace tavex
