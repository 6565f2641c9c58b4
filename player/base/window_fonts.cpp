#include "base/window_fonts.h"

#include <QStringList>

#include <cmath>

namespace {

QFont Make(const QString &family, double points, bool bold, bool italic)
{
    WindowFonts::InstallSubstitutions();
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

void WindowFonts::InstallSubstitutions()
{
    static const bool installed = [] {
        const QStringList gothic{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                                 QStringLiteral("IPAPGothic")};
        QFont::insertSubstitutions(QStringLiteral("MS P Gothic"), gothic);
        QFont::insertSubstitutions(
            QStringLiteral("MS Gothic"),
            {QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                                   {QStringLiteral("Liberation Serif")});
        return true;
    }();
    (void)installed;
}

QFont WindowFonts::PGothic(double points, bool bold)
{
    return Make(QStringLiteral("MS P Gothic"), points, bold, false);
}

QFont WindowFonts::Gothic(double points, bool bold)
{
    return Make(QStringLiteral("MS Gothic"), points, bold, false);
}

QFont WindowFonts::Serif(double points, bool bold, bool italic)
{
    return Make(QStringLiteral("Times New Roman"), points, bold, italic);
}
