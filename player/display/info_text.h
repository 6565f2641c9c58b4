#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What the information dialog shows of the current medium: the main window's members it reads.
struct MediumFacts
{
    QString title;
    QString ext;
    double length = 0;                  // seconds
    std::int32_t fileSize = 0;          // bytes
    std::int32_t width = 0, height = 0; // pixels; 0 when there is no picture
    double bitrate = 0;                 // bits per second
    double frameRate = 0;               // frames per second; 0 when unknown
    // What the tags and the sound's stream say; empty or 0 when unknown.
    QString artist, album, date;
    int track = 0;
    int sampleRate = 0, bitDepth = 0, channels = 0;
    // The loudness-tag gain the sound engine applies; empty when none is applied.
    std::optional<double> replayGainDb;

    // Whether there is anything for the tag lines.
    bool HasTagFacts() const;
};

// The texts of the information dialog, built from plain values.
namespace InfoText {

// The dialog's lines are separated by CR LF.
inline const QString LineBreak = QStringLiteral("\r\n");

// Media kind for an extension, compared case-exactly; unknown extensions as they are.
QString MediaKind(const QString &ext);
// Minutes, seconds and hundredths, e.g. 125.7 s -> "02:05'70". Minutes are not limited.
QString LengthText(double seconds);
// Mebibytes with two decimals, e.g. 1048576 -> "1.00MB".
QString FileSizeText(std::int32_t bytes);
// "320×240pixel", or "映像なし" when the width is 0.
QString PictureSizeText(std::int32_t width, std::int32_t height);
// Whole kibibits per second, e.g. "128kbps".
QString BitRateText(double bitsPerSecond);
// "29.97fps", or "-" when the rate is 0.
QString FrameRateText(double framesPerSecond);
// "Version 1.3": the minor number without padding.
QString VersionText(int major, int minor);

// The three lines of kind, play time and file size.
QString KindLengthSize(const MediumFacts &facts);
// The three lines of picture size, bit rate and frame rate.
QString PictureRates(const MediumFacts &facts);
// The four lines of artist, album, track and date ("-" for what is unknown).
QString ArtistAlbumTrackDate(const MediumFacts &facts);
// The three lines of sample rate ("44100Hz"), bit depth ("24bit") and channels.
QString SoundFormat(const MediumFacts &facts);

} // namespace InfoText
