#pragma once

#include <QLocale>

// The user-visible texts are written in Japanese; every other language gets the English
// translation that the programs carry. Installs that translation for the given locale (or
// removes it again for a Japanese one); true when English texts are now shown.
bool InstallTranslation(const QLocale &locale);

// The language the user asked for: the first of the system's user-interface languages.
QLocale UserLocale();
