#include "base/translation.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

namespace {

QTranslator *installed = nullptr;

} // namespace

bool InstallTranslation(const QLocale &locale)
{
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (locale.language() == QLocale::Japanese)
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/lumo_en.qm")) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    installed = translator.release();
    return true;
}

QLocale UserLocale()
{
    const QStringList languages = QLocale::system().uiLanguages();
    return languages.isEmpty() ? QLocale::system() : QLocale(languages.first());
}
