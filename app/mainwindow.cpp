#include "app/mainwindow.h"

#include "app/accessibility.h"
#include "app/backdrop.h"
#include "link/link.h"
#include "platform/combos.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "relays/relaybank.h"
#include "relays/relaybutton.h"
#include "schedule/scheduleframe.h"
#include "timed/countdown.h"
#include "timed/durationentry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace tavex {

namespace {

// The client area is 11475 x 7215 twips.
constexpr QSize kClientSize{fromTwips(11475), fromTwips(7215)};
// The backdrop reaches past the client area's right and bottom edges.
constexpr QSize kBackdropSize{818, 487};

// The rows of relays 1 to 4 lie 960 twips apart.
constexpr int relayRowTop(int relay)
{
    return 1080 + 960 * (relay - 1);
}

QLabel *createLabel(const QString &name, const QString &text, const QRect &place, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

QPushButton *createButton(const QString &name, const QString &text, const QString &tip,
                          const QRect &place, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    placeCaptioned(button, place);
    return button;
}

QCheckBox *createCheckBox(const QString &name, const QString &text, const QString &tip,
                          const QRect &place, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setToolTip(tip);
    placeCaptioned(box, place);
    return box;
}

QString cableLossText()
{
    return QStringLiteral("O cabo Conversor USB/Serial foi removido deste computador. "
                          "Por Favor reconecte o cabo ANTES de clicar no botão OK");
}

QString cableLossTitle()
{
    return QStringLiteral("Cabo Desconectado");
}

QString closeQuestionTitle()
{
    return QStringLiteral("Fechar o TAVEX");
}

QString closeQuestionText()
{
    return QStringLiteral("Há contagens de tempo ou horários agendados em andamento. Eles só "
                          "funcionam com o TAVEX aberto: se ele for fechado, nenhum relé será "
                          "ligado ou desligado por eles, e os relés ficam como estão agora.\n\n"
                          "Deseja fechar o TAVEX mesmo assim?");
}

} // namespace

MainWindow::MainWindow(const WindowServices &services, QWidget *parent)
    : QWidget(parent),
      m_configDir(services.configDir),
      m_clock(services.clock),
      m_messages(services.messages),
      m_switchLog(services.stateDir),
      m_board(new RelayBoard(services.port, services.clock,
                             [this](const QString &line) { m_switchLog.append(line); }, this)),
      m_commandDesk(new CommandDesk(*m_board, [this](int relay) { return relayExtras(relay); }, this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("TAVEX"));
    setFixedSize(kClientSize);
    setFont(windowFont());
    buildControls();
    connectControls();
    makeMainWindowAccessible(this);
    // A loss met while another message was open is told once that one is closed.
    m_messages.setWhenAllClosed([this] {
        if (std::exchange(m_cableLossWaiting, false))
            m_board->announceLoss();
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    // Image1 has no picture. It lies over the groups of relays 3 and 4, beneath their
    // controls, and takes no clicks.
    auto *image = createLabel(QStringLiteral("Image1"), QString(), twipsRect(4440, 3600, 1215, 495), this);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *title = createLabel(QStringLiteral("Label1"), QStringLiteral(" Controle de Acionamentos"),
                              twipsRect(1800, 360, 5295, 495), this);
    title->setFont(titleFont());
    title->setAlignment(Qt::AlignCenter);

    createButton(QStringLiteral("btn_editarBotoes"), QStringLiteral("Renomear Botoes"),
                 QStringLiteral("Permite alterar o nome do dispositivo que este botão controla"),
                 twipsRect(8280, 240, 1335, 615), this);
    createButton(QStringLiteral("btn_salvar"), QStringLiteral("Salvar Horários"),
                 QStringLiteral("Salvar as temporizações e agendamentos"),
                 twipsRect(9720, 240, 1335, 615), this);

    for (int n = 1; n <= kTimedRelayCount; ++n) {
        m_relayButtons[n - 1] = new RelayButton(n, m_board->relays(), this);
        auto *entry = new DurationEntry(n, this);
        entry->setGeometry(twipsRect(3720, relayRowTop(n), 2415, 855));
        m_durationEntries[n - 1] = entry;
        auto *schedule = new ScheduleFrame(n, this);
        schedule->setGeometry(twipsRect(6480, relayRowTop(n), 3975, 855));
        m_scheduleFrames[n - 1] = schedule;
    }

    // Relay 1's switch-off hour lies on the window itself, where its counterparts lie in
    // their groups.
    QComboBox *offHour = m_scheduleFrames[0]->offHourBox();
    offHour->setParent(this);
    offHour->setGeometry(twipsRect(8520, 1560, 855, 315));
    offHour->show();

    m_extendBox = createCheckBox(
            QStringLiteral("chk_extender"), QStringLiteral("Exibir Versão Estendida"),
            QStringLiteral("Marque para exibir os botões de controle dos relés adicionais"),
            twipsRect(1440, 5040, 2055, 255), this);
    m_ownPortBox = createCheckBox(QStringLiteral("sem_conversor"),
                   QStringLiteral("Utilizar Porta Serial sem o cabo USB/Serial"),
                   QStringLiteral("Marque para utilizar a Porta Serial do computador invés do "
                                  "Conversor USB/Serial"),
                   twipsRect(7080, 5040, 3375, 255), this);

    for (int n = kFirstExtendedRelay; n <= kRelayCount; ++n)
        m_relayButtons[n - 1] = new RelayButton(n, m_board->relays(), this);

    createLabel(QStringLiteral("Label2"), QStringLiteral("Porta detectada:"),
                twipsRect(1440, 6120, 1335, 255), this);
    m_portLabel = createLabel(QStringLiteral("lb_com_detectada"), m_board->link().caption(),
                              twipsRect(2820, 6120, 735, 255), this);
    auto *support = createLabel(QStringLiteral("Label3"),
                                QStringLiteral("Suporte e personalização: suporte@tavex.com.br"),
                                twipsRect(7080, 6120, 3375, 495), this);
    support->setWordWrap(true);
}

void MainWindow::connectControls()
{
    for (int n = 1; n <= kRelayCount; ++n)
        connect(relayButton(n), &QPushButton::clicked, this, [this, n] { toggleRelay(n); });
    connect(&m_board->link(), &Link::captionChanged, m_portLabel, &QLabel::setText);
    connect(m_board, &RelayBoard::boardFound, this, &MainWindow::boardFound);
    connect(m_board, &RelayBoard::lossToTell, this, &MainWindow::tellBoardLoss);
    connect(m_commandDesk, &CommandDesk::switchFailed, this, &MainWindow::commandSwitchFailed, Qt::QueuedConnection);
    for (int n = 1; n <= kTimedRelayCount; ++n) {
        connect(&m_board->relays().countdown(n), &Countdown::tick, this, [this, n] { countdownTick(n); });
        connect(durationEntry(n), &DurationEntry::durationBoxToggled, this, [this, n](bool ticked) {
            m_board->setDurationTicked(n, ticked);
            clearSchedule(n);
        });
        connect(scheduleFrame(n)->armBox(), &QCheckBox::toggled, this,
                [this, n] { scheduleBoxChanged(n); });
        connect(scheduleFrame(n)->timer(), &QTimer::timeout, this, [this, n] { scheduleTimerTick(n); });
    }
    connect(m_extendBox, &QCheckBox::toggled, this, &MainWindow::chk_extender_Click);
    connect(m_ownPortBox, &QCheckBox::toggled, this, &MainWindow::sem_conversor_Click);
    connect(findChild<QPushButton *>(QStringLiteral("btn_salvar")), &QPushButton::clicked, this,
            &MainWindow::btn_salvar_Click);
    connect(findChild<QPushButton *>(QStringLiteral("btn_editarBotoes")), &QPushButton::clicked,
            this, &MainWindow::btn_editarBotoes_Click);
}

void MainWindow::toggleRelay(int relay)
{
    // A click that a message box's own event loop lets through switches nothing; a click that
    // fails is the user's to repeat.
    if (m_messages.isShowing())
        return;
    if (m_board->switchByHand(relay) == SwitchOutcome::Failed)
        reconectaConversor();
}

void MainWindow::tellBoardLoss()
{
    // Never two boxes at once: the loss is told when the open message is closed.
    if (m_messages.isShowing())
        m_cableLossWaiting = true;
    else
        reconectaConversor();
}

void MainWindow::boardFound()
{
    enableRelayButtons();
    m_messages.closeBoardMessage();
}

void MainWindow::countdownTick(int relay)
{
    Countdown &countdown = m_board->relays().countdown(relay);
    DurationEntry *entry = durationEntry(relay);
    const CountdownStep step = countdown.advance(entry->durationText(), entry->unitText(), QLocale());
    if (step.label)
        entry->showRemaining(*step.label);
    if (!step.finished)
        return;
    countdown.stop();
    m_board->timedSwitch(relay, toggleDirection(m_board->relays().releDesligado(relay)),
                         SwitchCause::Countdown);
    countdown.setTempoDecorrido(0);
}

void MainWindow::chk_extender_Click()
{
    const bool shown = m_extendBox->isChecked();
    for (int n = kFirstExtendedRelay; n <= kRelayCount; ++n)
        relayButton(n)->setVisible(shown);
}

void MainWindow::reconectaConversor()
{
    m_cableLossWaiting = false;
    m_board->reconnect([this](const QString &details) {
        m_messages.show(cableLossText(), cableLossTitle(), MessageIcon::None, details, MessageAbout::Board);
    });
}

bool MainWindow::somethingRunning() const
{
    for (int n = 1; n <= kTimedRelayCount; ++n) {
        if (m_board->relays().countdown(n).isRunning() || scheduleFrame(n)->isArmed())
            return true;
    }
    return !m_board->keptSwitches().isEmpty();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The session's end may come while the question is open: then it is not waited for.
    if (m_endWithoutAsking || !somethingRunning()
        || m_messages.ask(closeQuestionText(), closeQuestionTitle()) || m_endWithoutAsking)
        event->accept();
    else
        event->ignore();
}

void MainWindow::enableRelayButtons()
{
    for (int n = 1; n <= kRelayCount; ++n)
        relayButton(n)->setEnabled(!scheduleHoldsButton(n));
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintMainBackdrop(painter, kBackdropSize);
}

} // namespace tavex
