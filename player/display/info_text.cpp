#include "display/info_text.h"

#include "base/rounding.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

namespace {

QString TwoDigits(std::int64_t value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString InfoText::MediaKind(const QString &ext)
{
    struct Kind
    {
        const char *ext;
        const char *kind;
    };
    static constexpr Kind Kinds[] = {
        {"avi", "AVI"},  {"mpg", "MPEG"}, {"MPG", "MPEG"},  {"mpeg", "MPEG"}, {"wmv", "WMV"},
        {"mid", "MIDI"}, {"MID", "MIDI"}, {"midi", "MIDI"}, {"wav", "WAVE"},  {"WAV", "WAVE"},
        {"mpa", "MPA"},  {"mp1", "MP1"},  {"mp2", "MP2"},   {"mp3", "MP3"},   {"wma", "wma"},
        {"jpg", "JPEG"}, {"JPG", "JPEG"}, {"jpeg", "JPEG"}, {"bmp", "BMP"},   {"gif", "GIF"},
    };
    for (const Kind &k : Kinds)
        if (ext == QLatin1String(k.ext))
            return QLatin1String(k.kind);
    return ext;
}

QString InfoText::LengthText(double seconds)
{
    const double whole = std::floor(seconds);
    auto minutes = static_cast<std::int64_t>(std::floor(seconds / 60));
    auto secs = static_cast<std::int64_t>(whole) % 60;
    std::int64_t hundredths = RoundHalfEven((seconds - whole) * 100);
    // A fraction that rounds up to a whole second carries into the seconds and minutes.
    if (hundredths >= 100) {
        hundredths -= 100;
        if (++secs == 60) {
            secs = 0;
            ++minutes;
        }
    }
    return TwoDigits(minutes) + QLatin1Char(':') + TwoDigits(secs) + QLatin1Char('\'') +
           TwoDigits(hundredths);
}

QString InfoText::FileSizeText(std::int32_t bytes)
{
    return QString::number(bytes / 1024.0 / 1024.0, 'f', 2) + QStringLiteral("MB");
}

QString InfoText::PictureSizeText(std::int32_t width, std::int32_t height)
{
    if (width == 0)
        return QCoreApplication::translate("Info", "映像なし");
    return QStringLiteral("%1×%2pixel").arg(width).arg(height);
}

QString InfoText::BitRateText(double bitsPerSecond)
{
    const auto kilo = static_cast<std::int64_t>(std::floor(bitsPerSecond / 1024));
    return QString::number(kilo) + QStringLiteral("kbps");
}

QString InfoText::FrameRateText(double framesPerSecond)
{
    if (framesPerSecond == 0)
        return QStringLiteral("-");
    return QString::number(framesPerSecond, 'f', 2) + QStringLiteral("fps");
}

QString InfoText::VersionText(int major, int minor)
{
    return QStringLiteral("Version %1.%2").arg(major).arg(minor);
}

QString InfoText::KindLengthSize(const MediumFacts &facts)
{
    return QStringList{
        QCoreApplication::translate("Info", "メディアの種類 : ") + MediaKind(facts.ext),
        QCoreApplication::translate("Info", "　　　再生時間 : ") + LengthText(facts.length),
        QCoreApplication::translate("Info", "ファイルサイズ : ") + FileSizeText(facts.fileSize)}
        .join(LineBreak);
}

QString InfoText::PictureRates(const MediumFacts &facts)
{
    return QStringList{
        QCoreApplication::translate("Info", "　　映像サイズ : ") +
            PictureSizeText(facts.width, facts.height),
        QCoreApplication::translate("Info", "　ビットレート : ") + BitRateText(facts.bitrate),
        QCoreApplication::translate("Info", "フレームレート : ") + FrameRateText(facts.frameRate)}
        .join(LineBreak);
}

bool MediumFacts::HasTagFacts() const
{
    return !artist.isEmpty() || !album.isEmpty() || !date.isEmpty() || track > 0 ||
           sampleRate > 0 || channels > 0 || replayGainDb.has_value();
}

namespace {

QString OrDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QString NumberOrDash(int value, const QString &unit = QString())
{
    return value > 0 ? QString::number(value) + unit : QStringLiteral("-");
}

} // namespace

QString InfoText::ArtistAlbumTrackDate(const MediumFacts &facts)
{
    return QStringList{
        QCoreApplication::translate("Info", "アーティスト : ") + OrDash(facts.artist),
        QCoreApplication::translate("Info", "　　アルバム : ") + OrDash(facts.album),
        QCoreApplication::translate("Info", "　　トラック : ") + NumberOrDash(facts.track),
        QCoreApplication::translate("Info", "　　　　日付 : ") + OrDash(facts.date)}
        .join(LineBreak);
}

QString InfoText::SoundFormat(const MediumFacts &facts)
{
    return QStringList{QCoreApplication::translate("Info", "サンプルレート : ") +
                           NumberOrDash(facts.sampleRate, QStringLiteral("Hz")),
                       QCoreApplication::translate("Info", "　　ビット深度 : ") +
                           NumberOrDash(facts.bitDepth, QStringLiteral("bit")),
                       QCoreApplication::translate("Info", "　　チャンネル : ") +
                           NumberOrDash(facts.channels),
                       QCoreApplication::translate("Info", "リプレイゲイン : ") +
                           (facts.replayGainDb ? QString::asprintf("%+.1fdB", *facts.replayGainDb)
                                               : QStringLiteral("-"))}
        .join(LineBreak);
}
