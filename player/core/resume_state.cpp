#include "core/resume_state.h"

#include "core/play_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <cmath>

namespace {

const QString EntriesKey = QStringLiteral("Session/Entries");
const QString IndexKey = QStringLiteral("Session/Index");
const QString PositionKey = QStringLiteral("Session/Position");

} // namespace

ResumeState ReadResumeState(const QString &path)
{
    ResumeState state;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return state;
    const QSettings file(path, QSettings::IniFormat);
    state.entries = file.value(EntriesKey).toStringList();
    state.entries.removeAll(QString());
    if (state.entries.size() > PlayList::Capacity)
        state.entries.resize(PlayList::Capacity);
    bool ok = false;
    const int index = file.value(IndexKey).toInt(&ok);
    state.index = ok && index >= 0 && index < state.entries.size() ? index : 0;
    const double position = file.value(PositionKey).toDouble(&ok);
    state.position = ok && std::isfinite(position) && position > 0 ? position : 0;
    return state;
}

bool WriteResumeState(const QString &path, const ResumeState &state)
{
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(EntriesKey, state.entries);
    file.setValue(IndexKey, state.index);
    file.setValue(PositionKey, state.position);
    file.sync();
    return file.status() == QSettings::NoError;
}
