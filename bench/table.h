#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavex::bench {

// The figures of a series of runs.
struct Summary
{
    double median = 0;
    double min = 0;
    double max = 0;
};

Summary summarise(QList<double> values);
// The nearest-rank percentile (`percent` of the values are at most it).
double percentile(QList<double> values, double percent);

// "12.3", "+12.3" with `sign`, "12.3 (11.0-14.2)" for a summary of several runs.
QString number(double value, int decimals = 1, bool sign = false);
QString figures(const Summary &summary, int decimals = 1);
// value / floor as "1.39 x", and the target when there is one: "1.39 x, target <= 1.15: not met".
QString ratio(double value, double floor, std::optional<double> target = std::nullopt);

// Rows of text in aligned columns, the first row the heading.
class Table
{
public:
    void add(const QStringList &row) { m_rows.append(row); }
    QString text() const;

private:
    QList<QStringList> m_rows;
};

} // namespace tavex::bench
