// Measures a real countdown against the wall clock: a relay's countdown timer runs a
// duration to its end, as it does in the program, and the time it took is compared with the
// duration. Usage: tavex_bench_countdown [seconds=10] [runs=1]

#include "timed/countdown.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int seconds = args.size() > 1 ? args.at(1).toInt() : 10;
    const int runs = args.size() > 2 ? args.at(2).toInt() : 1;
    if (seconds <= 0 || runs <= 0) {
        std::fprintf(stderr, "usage: tavex_bench_countdown [seconds] [runs]\n");
        return 2;
    }
    const QString duration = QString::number(seconds);

    for (int run = 1; run <= runs; ++run) {
        tavex::Countdown countdown(1);
        QElapsedTimer clock;
        qint64 worstTickError = 0;
        QObject::connect(&countdown, &tavex::Countdown::tick, &app, [&] {
            const tavex::CountdownStep step =
                    countdown.advance(duration, u"SEG", QLocale::c());
            const qint64 expected = countdown.tempoDecorrido() * tavex::Countdown::kTickMs;
            worstTickError = std::max(worstTickError, std::abs(clock.elapsed() - expected));
            if (step.finished) {
                countdown.stop();
                app.exit(0);
            }
        });
        clock.start();
        countdown.start();
        app.exec();
        const qint64 elapsed = clock.elapsed();
        std::printf("run %d: %d s countdown ended after %lld ms: error %+lld ms "
                    "(worst single tick %lld ms off its second)\n",
                    run, seconds, static_cast<long long>(elapsed),
                    static_cast<long long>(elapsed - seconds * 1000LL),
                    static_cast<long long>(worstTickError));
    }
    return 0;
}
