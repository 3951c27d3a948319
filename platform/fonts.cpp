#include "platform/fonts.h"

#include <QStringList>

namespace tavex {

namespace {

QFont font(const QStringList &families, qreal points, QFont::Weight weight,
           QFont::StyleHint hint)
{
    QFont f;
    f.setFamilies(families);
    f.setStyleHint(hint);
    f.setPointSizeF(points);
    f.setWeight(weight);
    return f;
}

const QStringList &sansFamilies()
{
    // Fonts with about the same widths come first, so the captions fit their controls.
    static const QStringList families{
            QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
            QStringLiteral("Nimbus Sans"),     QStringLiteral("DejaVu Sans"),
            QStringLiteral("Sans Serif")};
    return families;
}

} // namespace

QFont windowFont()
{
    return font(sansFamilies(), 8.25, QFont::Normal, QFont::SansSerif);
}

QFont titleFont()
{
    static const QStringList families{QStringLiteral("Bookman Old Style"),
                                      QStringLiteral("URW Bookman"),
                                      QStringLiteral("URW Bookman L"),
                                      QStringLiteral("TeX Gyre Bonum"), QStringLiteral("Serif")};
    return font(families, 18, QFont::Normal, QFont::Serif);
}

QFont relayButtonFont()
{
    return font(sansFamilies(), 8.25, QFont::Bold, QFont::SansSerif);
}

QFont mediumSansFont()
{
    return font(sansFamilies(), 9.75, QFont::Normal, QFont::SansSerif);
}

} // namespace tavex
