#include "table.h"

#include <algorithm>
#include <cmath>

namespace tavex::bench {

Summary summarise(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.first(), values.last()};
}

double percentile(QList<double> values, double percent)
{
    std::sort(values.begin(), values.end());
    const auto rank = qsizetype(std::ceil(percent / 100.0 * double(values.size())));
    return values[std::clamp<qsizetype>(rank, 1, values.size()) - 1];
}

QString number(double value, int decimals, bool sign)
{
    const QString text = QString::number(value, 'f', decimals);
    return sign && value >= 0 ? u'+' + text : text;
}

QString figures(const Summary &summary, int decimals)
{
    return QStringLiteral("%1 (%2-%3)")
            .arg(number(summary.median, decimals), number(summary.min, decimals),
                 number(summary.max, decimals));
}

QString ratio(double value, double floor, std::optional<double> target)
{
    if (floor <= 0)
        return QStringLiteral("floor too small to measure");
    const double times = value / floor;
    QString text = QString::number(times, 'f', 2) + QStringLiteral(" x");
    if (target)
        text += QStringLiteral(", target <= %1: %2")
                        .arg(QString::number(*target, 'f', 2),
                             times <= *target ? QStringLiteral("met") : QStringLiteral("not met"));
    return text;
}

QString Table::text() const
{
    QList<qsizetype> widths;
    for (const QStringList &row : m_rows) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            if (widths.size() <= column)
                widths.append(0);
            widths[column] = std::max(widths[column], row[column].size());
        }
    }
    QString text;
    for (const QStringList &row : m_rows) {
        QString line;
        for (qsizetype column = 0; column < row.size(); ++column)
            line += row[column].leftJustified(widths[column] + 2);
        text += line.trimmed() + u'\n';
    }
    return text;
}

} // namespace tavex::bench
