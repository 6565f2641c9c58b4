#include "fonts.h"

#include <QFont>

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS P Gothic"), QStringLiteral("Noto Sans CJK JP"));
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("Noto Sans CJK JP"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
}
