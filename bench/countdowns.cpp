#include "measures.h"

#include "relaybuttons.h"
#include "subject.h"
#include "windowplaces.h"

#include <algorithm>

namespace tavex::bench {

QList<double> measureCountdowns(const QString &display, XWatcher &watcher,
                                const QList<int> &seconds)
{
    Subject subject(display, watcher);
    subject.start();
    for (int relay = 1; relay <= seconds.size(); ++relay) {
        subject.click(durationBox(relay));
        subject.click(durationText(relay));
        subject.typeOver(QString::number(seconds.at(relay - 1)));
    }
    for (int relay = 1; relay <= seconds.size(); ++relay) {
        subject.click(test::relayButtonRect(relay).center());
        subject.waitForCommands(relay, test::kByteTimeoutMs);
    }
    const int longest = *std::max_element(seconds.cbegin(), seconds.cend());
    const QList<test::BoardRecord> commands
            = subject.waitForCommands(int(seconds.size()) * 2, (longest + 15) * 1000);

    QList<double> errors;
    for (int relay = 1; relay <= seconds.size(); ++relay) {
        const auto find = [&](const QString &state) {
            const auto found = std::find_if(commands.cbegin(), commands.cend(), [&](const auto &c) {
                return c.relay == relay && c.state == state;
            });
            if (found == commands.cend())
                subject.fail(QStringLiteral("no %1 command for relay %2").arg(state).arg(relay));
            return found->epochUs;
        };
        const qint64 onUs = find(QStringLiteral("ON"));
        const qint64 offUs = find(QStringLiteral("OFF"));
        errors.append(double(offUs - onUs) / 1000.0 - seconds.at(relay - 1) * 1000.0);
    }
    return errors;
}

} // namespace tavex::bench
