#pragma once

// The small media files kept with the tests (tests/fixtures).
#include <QString>

// The path of the fixture file of the given name.
inline QString Fixture(const QString &name)
{
    return QStringLiteral(LUMO_FIXTURE_DIR "/") + name;
}
