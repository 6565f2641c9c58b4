#include "analyzer/panel_choices.h"

#include <algorithm>

#include <QCoreApplication>
#include <array>

namespace {

constexpr std::array<int, 6> TimeRanges{1, 5, 10, 20, 50, 100};
constexpr int DefaultTimeIndex = 2;

} // namespace

namespace PanelChoices {

QString ModeName(int mode)
{
    static const QStringList names{
        QStringLiteral("None"),
        QStringLiteral("Oscilloscope"),
        QStringLiteral("Spectrum Analyzer A"),
        QStringLiteral("Spectrum Analyzer B"),
        QStringLiteral("Digital Level Meter A"),
        QStringLiteral("Digital Level Meter B"),
        QStringLiteral("Analog Level Meter"),
        QStringLiteral("Spectrogram"),
        QStringLiteral("Loudness Meter"),
        QStringLiteral("Stereo Field"),
    };
    return mode >= 0 && mode < names.size() ? names.at(mode) : QString();
}

const QList<int> &PeakFalls()
{
    static const QList<int> falls{0, 5, 10, 20, 40};
    return falls;
}

int PeakFallIndexOf(int fall)
{
    return std::max(0, static_cast<int>(PeakFalls().indexOf(fall)));
}

QStringList TimeEntries()
{
    QStringList entries;
    for (int range : TimeRanges)
        entries << QStringLiteral("%1ms").arg(range * 10);
    return entries;
}

QStringList WindowEntries()
{
    return {
        QCoreApplication::translate("Panel", "方形窓"),
        QCoreApplication::translate("Panel", "ハニング窓"),
        QCoreApplication::translate("Panel", "ハミング窓"),
        QCoreApplication::translate("Panel", "ブラックマン窓"),
        QCoreApplication::translate("Panel", "ブラックマンハリス窓"),
        QCoreApplication::translate("Panel", "イグザクトブラックマン窓"),
        QCoreApplication::translate("Panel", "オプティマルブラックマン窓"),
        QCoreApplication::translate("Panel", "ローゼンフィールド窓"),
        QCoreApplication::translate("Panel", "ガウシアンン窓"),
        QCoreApplication::translate("Panel", "フラットトップ窓"),
    };
}

QStringList FftSizeEntries()
{
    return {QStringLiteral("1024"), QStringLiteral("2048"), QStringLiteral("4096"),
            QStringLiteral("8192"), QStringLiteral("16384")};
}

int TimeIndexOf(int timeRange)
{
    for (std::size_t i = 0; i < TimeRanges.size(); ++i)
        if (TimeRanges[i] == timeRange)
            return static_cast<int>(i);
    return DefaultTimeIndex;
}

int TimeRangeAt(int index)
{
    if (index < 0 || index >= static_cast<int>(TimeRanges.size()))
        return TimeRanges[DefaultTimeIndex];
    return TimeRanges[static_cast<std::size_t>(index)];
}

} // namespace PanelChoices
