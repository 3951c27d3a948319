// tavex-bench-floor: the bare Qt programs the benchmark sets TAVEX beside, each the least Qt
// needs for one thing TAVEX does. All are a window of TAVEX's size titled "floor"; the kind
// comes from TAVEX_BENCH_FLOOR:
//
//   window  nothing in it, and nothing written anywhere
//   label   one label
//   labels  four labels, each set once a second by a timer of its own, started a quarter
//           second apart: each ticks on a second of its own, as countdowns switched on one
//           after another do, and is repainted and sent to the X server by itself
//   labels-together  the same four labels with their timers started at once: they tick
//           together and Qt repaints and sends them in one pass
//   button  a button where relay 1's is, which writes "1" to the serial device named by
//           TAVEX_BENCH_PORT at every click, the way TAVEX writes a command
//
// TAVEX_BENCH_AT, "x,y", places the window's top left corner on the screen. With
// TAVEX_STARTUP_MARKS set it prints when the phases of its start-up end, as TAVEX does.

#include "platform/startupmarks.h"
#include "relaybuttons.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>

#include <cstdio>

namespace {

// TAVEX's client area, and where its four countdown labels lie in it.
constexpr QSize kWindowSize {765, 481};
constexpr QRect countdownLabelPlace(int relay)
{
    return QRect(356, 88 + 64 * (relay - 1), 45, 17);
}

void addTickingLabels(QWidget *window, int apartMs)
{
    for (int relay = 1; relay <= 4; ++relay) {
        auto *label = new QLabel(QStringLiteral("0"), window);
        label->setGeometry(countdownLabelPlace(relay));
        label->setAlignment(Qt::AlignCenter);
        auto *timer = new QTimer(label);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, label, [label, left = 999]() mutable {
            label->setText(QString::number(--left));
        });
        QTimer::singleShot(apartMs * (relay - 1), timer, [timer] { timer->start(1000); });
    }
}

bool addWritingButton(QWidget *window, const QString &device)
{
    auto *port = new QSerialPort(device, window);
    port->setBaudRate(QSerialPort::Baud9600);
    if (!port->open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "tavex-bench-floor: %s: %s\n", qPrintable(device),
                     qPrintable(port->errorString()));
        return false;
    }
    auto *button = new QPushButton(QStringLiteral("RELE 1"), window);
    button->setGeometry(tavex::test::relayButtonRect(1));
    QObject::connect(button, &QPushButton::clicked, port, [port] {
        port->write("1");
        port->waitForBytesWritten(1000);
    });
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    tavex::markStartup("main");
    QApplication app(argc, argv);
    tavex::markStartup("qapplication");
    const QByteArray kind = qgetenv("TAVEX_BENCH_FLOOR");

    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.setFixedSize(kWindowSize);
    if (kind == "label") {
        auto *label = new QLabel(QStringLiteral("Controle de Acionamentos"), &window);
        label->move(120, 24);
    } else if (kind == "labels") {
        addTickingLabels(&window, 250);
    } else if (kind == "labels-together") {
        addTickingLabels(&window, 0);
    } else if (kind == "button") {
        if (!addWritingButton(&window, qEnvironmentVariable("TAVEX_BENCH_PORT")))
            return 1;
    } else if (kind != "window") {
        std::fprintf(stderr,
                     "tavex-bench-floor: TAVEX_BENCH_FLOOR is window, label, labels, labels-together or button\n");
        return 2;
    }
    const QStringList at = qEnvironmentVariable("TAVEX_BENCH_AT").split(u',');
    if (at.size() == 2)
        window.move(at.at(0).toInt(), at.at(1).toInt());
    window.show();
    return app.exec();
}
