#include "core/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>

namespace {

constexpr int LineCount = 12;
// Far more than twelve short lines; a larger file is read only this far.
constexpr qint64 MaxReadBytes = 64 * 1024;

// Lines end at CR LF, CR or LF; the empty rest after the last ending is no line.
QList<QByteArray> SplitLines(const QByteArray &content, int maxLines)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size() && lines.size() < maxLines) {
        qsizetype end = start;
        while (end < content.size() && content.at(end) != '\r' && content.at(end) != '\n')
            ++end;
        lines.append(content.mid(start, end - start));
        if (end + 1 < content.size() && content.at(end) == '\r' && content.at(end + 1) == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// The number a text begins with (blanks first allowed), or 0 when it begins with none.
double LeadingNumber(const QByteArray &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(^[ \t]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?))"));
    const auto match = number.match(QString::fromLatin1(text));
    if (!match.hasMatch())
        return 0;
    const double value = match.captured(1).toDouble();
    return std::isfinite(value) ? value : 0;
}

int LastDigit(const QByteArray &line)
{
    if (line.isEmpty())
        return 0;
    const char last = line.back();
    return last >= '0' && last <= '9' ? last - '0' : 0;
}

double ValueAfterEquals(const QByteArray &line)
{
    const qsizetype at = line.indexOf("= ");
    return LeadingNumber(at < 0 ? line : line.mid(at + 2));
}

// Nearest whole number, halves to even.
int RoundToInt(double value)
{
    return int(std::nearbyint(qBound(-1e9, value, 1e9)));
}

QByteArray PositionText(float value)
{
    return QByteArray::number(double(value), 'g', 7);
}

} // namespace

LumoSettings ParseSettingsText(const QByteArray &content, QSizeF screen)
{
    const QList<QByteArray> lines = SplitLines(content, LineCount);
    if (lines.size() < LineCount)
        return {};

    LumoSettings read;
    read.PlayMode = LastDigit(lines[0]);
    const int list = LastDigit(lines[1]);
    const bool failed = list != 0 && list != 1;
    read.ListShown = list == 1;
    read.VSA = LastDigit(lines[2]);
    read.CH = LastDigit(lines[3]);
    if (read.CH > 2)
        read.CH = 0;
    read.FastFlag = LastDigit(lines[4]) != 0;
    read.VsaLargeFlag = LastDigit(lines[5]) != 0;
    read.TimeRange = RoundToInt(ValueAfterEquals(lines[6]));
    if (read.TimeRange < 1 || read.TimeRange > 100)
        read.TimeRange = 10;
    read.WFT = LastDigit(lines[7]);
    read.NumFftNormal = LastDigit(lines[8]);
    read.NumFftFast = LastDigit(lines[9]);
    if (read.NumFftNormal > 4)
        read.NumFftNormal = 1;
    if (read.NumFftFast > 4)
        read.NumFftFast = 2;
    if (read.NumFftFast < read.NumFftNormal)
        read.NumFftNormal = read.NumFftFast;
    read.Left = float(LeadingNumber(lines[10]));
    read.Top = float(LeadingNumber(lines[11]));
    if (read.Left > screen.width() || read.Top > screen.height() || read.Left < 0 || read.Top < 0) {
        read.Left = 0;
        read.Top = 0;
    }
    read.Centred = false;

    if (failed) {
        LumoSettings defaults;
        defaults.VsaLargeFlag = read.VsaLargeFlag;
        return defaults;
    }
    return read;
}

LumoSettings ReadSettingsFile(const QString &path, QSizeF screen)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseSettingsText(file.read(MaxReadBytes), screen);
}

QByteArray FormatSettingsText(const LumoSettings &settings)
{
    const QByteArray lines[LineCount] = {
        "Mode = " + QByteArray::number(settings.PlayMode),
        QByteArray("List = ") + (settings.ListShown ? "1" : "0"),
        "VSA = " + QByteArray::number(settings.VSA),
        "Channel = " + QByteArray::number(settings.CH),
        QByteArray("Fast = ") + (settings.FastFlag ? "1" : "0"),
        QByteArray("Large = ") + (settings.VsaLargeFlag ? "1" : "0"),
        "TimeRange = " + QByteArray::number(settings.TimeRange),
        "WindowFunction = " + QByteArray::number(settings.WFT),
        "FFTNormal = " + QByteArray::number(settings.NumFftNormal),
        "FFTFast = " + QByteArray::number(settings.NumFftFast),
        PositionText(settings.Left),
        PositionText(settings.Top),
    };
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return text;
}

bool WriteSettingsFile(const QString &path, const LumoSettings &settings)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk, a file size limit) shows in write's count;
    // a buffered flush may take it for success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray text = FormatSettingsText(settings);
    // An uncommitted save file is thrown away, leaving the old file as it was.
    return file.write(text) == text.size() && file.commit();
}

QPointF CentredPosition(QSizeF screen, QSizeF window)
{
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

QString ChooseSettingsFilePath(const QString &programDir, bool programDirWritable,
                               const QString &userDir)
{
    const QString dir = programDirWritable ? programDir : userDir;
    return QDir(dir).filePath(QStringLiteral("lumo.ini"));
}

QString UserSettingsDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/lumo");
}

QString SettingsFilePath(const QString &programDir)
{
    const QFileInfo dir(programDir);
    return ChooseSettingsFilePath(programDir, dir.isDir() && dir.isWritable(),
                                  UserSettingsDirectory());
}
