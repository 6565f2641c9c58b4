#include "specify_ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Seven short lines fit many times over; a longer file is read only this far.
constexpr qint64 MaxReadBytes = 64 * 1024;

} // namespace

std::optional<QStringList> ParseStoredStates(const QByteArray &head, bool wholeFile)
{
    QStringList lines;
    qsizetype start = 0;
    while (lines.size() < NumFileKinds && start < head.size()) {
        qsizetype end = start;
        while (end < head.size() && head.at(end) != '\r' && head.at(end) != '\n') {
            ++end;
        }
        if (end == head.size() && !wholeFile) {
            return std::nullopt;
        }
        lines.append(QString::fromLatin1(head.mid(start, end - start)));
        if (end < head.size() && head.at(end) == '\r') {
            ++end;
        }
        if (end < head.size() && head.at(end) == '\n') {
            ++end;
        }
        start = end;
    }
    if (lines.size() < NumFileKinds) {
        return std::nullopt;
    }
    return lines;
}

std::optional<QStringList> ReadStoredStates(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray head = file.read(MaxReadBytes);
    return ParseStoredStates(head, file.atEnd());
}

int StateValue(const QString &line)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*([-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?)"));
    const QRegularExpressionMatch match = number.match(line);
    if (!match.hasMatch()) {
        return 0;
    }
    return match.captured(1).toDouble() != 0.0 ? 1 : 0;
}

QStringList StoredStatesOf(const KindValues &values)
{
    QStringList lines;
    for (const int value : values) {
        lines.append(QStringLiteral(" %1 ").arg(value != 0 ? 1 : 0));
    }
    return lines;
}

QByteArray FormatStoredStates(const KindValues &values)
{
    QByteArray bytes;
    for (const QString &line : StoredStatesOf(values)) {
        bytes += line.toLatin1() + "\r\n";
    }
    return bytes;
}

QString StoredStatesPath(const QString &programDirectory)
{
    const QFileInfo program(programDirectory);
    const QString directory =
        program.isDir() && program.isWritable()
            ? programDirectory
            : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/lumo");
    return QDir(directory).filePath(QStringLiteral("specify.ini"));
}

bool WriteStoredStates(const QString &path, const KindValues &values)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = FormatStoredStates(values);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
