#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// An embedded picture of a sound file: its bytes and their image type ("image/jpeg").
struct CoverPicture
{
    QByteArray bytes;
    QString mimeType;

    bool IsEmpty() const { return bytes.isEmpty(); }
    bool operator==(const CoverPicture &) const = default;
};

// What the tags and the stream of a media file say about it, as far as the tag library
// reads them. Empty texts and zero numbers where the file does not say.
struct MediaTags
{
    QString title, artist, album, date;
    int track = 0;
    CoverPicture cover;
    int sampleRate = 0; // samples per second
    int bitDepth = 0;   // bits per sample; 0 for lossy codecs
    int channels = 0;

    bool HasTextTags() const;
    bool operator==(const MediaTags &) const = default;
};

// Covers larger than this are not taken (a damaged or hostile tag may claim any size).
inline constexpr qsizetype kMaxCoverBytes = 16 * 1024 * 1024;
// Tag texts are cut to this many characters.
inline constexpr qsizetype kMaxTagTextLength = 1024;

// Reads the tags, the best embedded picture (the front cover when there are several) and the
// stream's sample rate, bit depth and channels. The file's extension chooses the format (FLAC,
// Ogg Vorbis, Opus, Speex, MP4/M4A, WMA/ASF, APE, WavPack, Musepack, TrueAudio, MPEG audio,
// WAVE, AIFF, tracker modules); other extensions give nothing. A damaged or unreadable file
// gives what could be read, at worst nothing; an ASF header that declares more tag records
// than it holds is not read at all.
MediaTags ReadMediaTags(const QString &path);
// The same over bytes in memory; fileName's extension chooses the format.
MediaTags ReadMediaTags(const QByteArray &bytes, const QString &fileName);

// The image type of picture bytes from their first bytes (JPEG, PNG, GIF, BMP, WebP); empty
// when they are none of these.
QString SniffImageType(const QByteArray &bytes);
