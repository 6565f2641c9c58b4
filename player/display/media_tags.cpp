#include "display/media_tags.h"

#include "display/asf_header.h"

#include <QFileInfo>

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/itfile.h>
#include <taglib/modfile.h>
#include <taglib/mp4file.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/s3mfile.h>
#include <taglib/speexfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/trueaudiofile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xiphcomment.h>
#include <taglib/xmfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using FilePtr = std::unique_ptr<TagLib::File>;

// Whether an ASF stream's header object is whole and declares no more than it holds.
bool AsfHeaderPlausible(TagLib::IOStream *stream)
{
    stream->seek(0);
    const TagLib::ByteVector start = stream->readBlock(kAsfHeaderStart);
    const quint64 size =
        AsfHeaderSize(QByteArrayView(start.data(), static_cast<qsizetype>(start.size())));
    if (size == 0 || size > static_cast<quint64>(stream->length()) ||
        size > static_cast<quint64>(kMaxCoverBytes) * 4)
        return false;
    stream->seek(0);
    const TagLib::ByteVector header = stream->readBlock(static_cast<unsigned long>(size));
    stream->seek(0);
    return header.size() == size &&
           AsfHeaderFits(QByteArrayView(header.data(), static_cast<qsizetype>(header.size())));
}

// Opens the stream as the format its extension names; for Ogg the codec inside decides.
// Null when the extension is unknown or the stream is not of that format.
FilePtr OpenByExtension(TagLib::IOStream *stream, const QString &ext)
{
    auto *frames = TagLib::ID3v2::FrameFactory::instance();
    const auto valid = [](FilePtr file) {
        return file && file->isValid() ? std::move(file) : nullptr;
    };
    if (ext == u"mp3" || ext == u"mp2" || ext == u"mp1" || ext == u"mpa")
        return valid(std::make_unique<TagLib::MPEG::File>(stream, frames));
    if (ext == u"flac")
        return valid(std::make_unique<TagLib::FLAC::File>(stream, frames));
    if (ext == u"ogg" || ext == u"oga" || ext == u"opus" || ext == u"spx") {
        if (FilePtr f = valid(std::make_unique<TagLib::Ogg::Opus::File>(stream)))
            return f;
        if (FilePtr f = valid(std::make_unique<TagLib::Ogg::Vorbis::File>(stream)))
            return f;
        if (FilePtr f = valid(std::make_unique<TagLib::Ogg::FLAC::File>(stream)))
            return f;
        return valid(std::make_unique<TagLib::Ogg::Speex::File>(stream));
    }
    if (ext == u"m4a" || ext == u"m4b" || ext == u"mp4" || ext == u"m4v" || ext == u"alac" ||
        ext == u"3gp" || ext == u"mov" || ext == u"aac")
        return valid(std::make_unique<TagLib::MP4::File>(stream));
    if (ext == u"wma" || ext == u"wmv" || ext == u"asf")
        return AsfHeaderPlausible(stream) ? valid(std::make_unique<TagLib::ASF::File>(stream))
                                          : nullptr;
    if (ext == u"ape")
        return valid(std::make_unique<TagLib::APE::File>(stream));
    if (ext == u"wv")
        return valid(std::make_unique<TagLib::WavPack::File>(stream));
    if (ext == u"mpc")
        return valid(std::make_unique<TagLib::MPC::File>(stream));
    if (ext == u"tta")
        return valid(std::make_unique<TagLib::TrueAudio::File>(stream));
    if (ext == u"wav")
        return valid(std::make_unique<TagLib::RIFF::WAV::File>(stream));
    if (ext == u"aif" || ext == u"aiff" || ext == u"aifc")
        return valid(std::make_unique<TagLib::RIFF::AIFF::File>(stream));
    if (ext == u"mod")
        return valid(std::make_unique<TagLib::Mod::File>(stream));
    if (ext == u"s3m")
        return valid(std::make_unique<TagLib::S3M::File>(stream));
    if (ext == u"it")
        return valid(std::make_unique<TagLib::IT::File>(stream));
    if (ext == u"xm")
        return valid(std::make_unique<TagLib::XM::File>(stream));
    return nullptr;
}

QString Text(const TagLib::String &text)
{
    return QString::fromStdWString(text.toWString()).left(kMaxTagTextLength).trimmed();
}

CoverPicture Picture(const TagLib::ByteVector &data, const TagLib::String &mimeType)
{
    if (data.isEmpty() || data.size() > static_cast<unsigned>(kMaxCoverBytes))
        return {};
    QByteArray bytes(data.data(), static_cast<qsizetype>(data.size()));
    QString type = SniffImageType(bytes);
    if (type.isEmpty())
        type = Text(mimeType).toLower();
    if (type.isEmpty())
        return {};
    return {std::move(bytes), type};
}

// The front cover among ID3v2 "APIC" frames, else the first picture.
CoverPicture Id3v2Cover(TagLib::ID3v2::Tag *tag)
{
    if (!tag)
        return {};
    CoverPicture first;
    for (TagLib::ID3v2::Frame *frame : tag->frameList("APIC")) {
        auto *apic = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame *>(frame);
        if (!apic)
            continue;
        CoverPicture picture = Picture(apic->picture(), apic->mimeType());
        if (picture.IsEmpty())
            continue;
        if (apic->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover)
            return picture;
        if (first.IsEmpty())
            first = std::move(picture);
    }
    return first;
}

CoverPicture FlacPictures(const TagLib::List<TagLib::FLAC::Picture *> &pictures)
{
    CoverPicture first;
    for (const TagLib::FLAC::Picture *p : pictures) {
        CoverPicture picture = Picture(p->data(), p->mimeType());
        if (picture.IsEmpty())
            continue;
        if (p->type() == TagLib::FLAC::Picture::FrontCover)
            return picture;
        if (first.IsEmpty())
            first = std::move(picture);
    }
    return first;
}

CoverPicture XiphCover(TagLib::Ogg::XiphComment *comment)
{
    return comment ? FlacPictures(comment->pictureList()) : CoverPicture{};
}

CoverPicture Mp4Cover(TagLib::MP4::Tag *tag)
{
    if (!tag || !tag->contains("covr"))
        return {};
    for (const TagLib::MP4::CoverArt &art : tag->item("covr").toCoverArtList()) {
        CoverPicture picture = Picture(art.data(), TagLib::String());
        if (!picture.IsEmpty())
            return picture;
    }
    return {};
}

CoverPicture AsfCover(TagLib::ASF::Tag *tag)
{
    if (!tag || !tag->contains("WM/Picture"))
        return {};
    CoverPicture first;
    for (const TagLib::ASF::Attribute &attribute : tag->attribute("WM/Picture")) {
        const TagLib::ASF::Picture p = attribute.toPicture();
        if (!p.isValid())
            continue;
        CoverPicture picture = Picture(p.picture(), p.mimeType());
        if (picture.IsEmpty())
            continue;
        if (p.type() == TagLib::ASF::Picture::FrontCover)
            return picture;
        if (first.IsEmpty())
            first = std::move(picture);
    }
    return first;
}

// APE tags keep a picture as "file name", NUL, bytes.
CoverPicture ApeCover(TagLib::APE::Tag *tag)
{
    if (!tag)
        return {};
    const TagLib::APE::ItemListMap &items = tag->itemListMap();
    for (const char *key : {"COVER ART (FRONT)", "COVER ART (OTHER)"}) {
        const auto it = items.find(key);
        if (it == items.end())
            continue;
        const TagLib::ByteVector data = it->second.binaryData();
        const int nul = data.find('\0');
        if (nul < 0)
            continue;
        CoverPicture picture = Picture(data.mid(static_cast<unsigned>(nul) + 1), TagLib::String());
        if (!picture.IsEmpty())
            return picture;
    }
    return {};
}

CoverPicture CoverOf(TagLib::File *file)
{
    if (auto *f = dynamic_cast<TagLib::MPEG::File *>(file)) {
        CoverPicture picture = Id3v2Cover(f->ID3v2Tag());
        return picture.IsEmpty() ? ApeCover(f->APETag()) : picture;
    }
    if (auto *f = dynamic_cast<TagLib::FLAC::File *>(file)) {
        CoverPicture picture = FlacPictures(f->pictureList());
        if (picture.IsEmpty())
            picture = XiphCover(f->xiphComment());
        return picture.IsEmpty() ? Id3v2Cover(f->ID3v2Tag()) : picture;
    }
    if (auto *f = dynamic_cast<TagLib::Ogg::File *>(file))
        return XiphCover(dynamic_cast<TagLib::Ogg::XiphComment *>(f->tag()));
    if (auto *f = dynamic_cast<TagLib::MP4::File *>(file))
        return Mp4Cover(f->tag());
    if (auto *f = dynamic_cast<TagLib::ASF::File *>(file))
        return AsfCover(f->tag());
    if (auto *f = dynamic_cast<TagLib::APE::File *>(file))
        return ApeCover(f->APETag());
    if (auto *f = dynamic_cast<TagLib::WavPack::File *>(file))
        return ApeCover(f->APETag());
    if (auto *f = dynamic_cast<TagLib::MPC::File *>(file))
        return ApeCover(f->APETag());
    if (auto *f = dynamic_cast<TagLib::TrueAudio::File *>(file))
        return Id3v2Cover(f->ID3v2Tag());
    if (auto *f = dynamic_cast<TagLib::RIFF::WAV::File *>(file))
        return Id3v2Cover(f->ID3v2Tag());
    if (auto *f = dynamic_cast<TagLib::RIFF::AIFF::File *>(file))
        return Id3v2Cover(f->tag());
    return {};
}

int BitDepthOf(TagLib::File *file)
{
    if (auto *f = dynamic_cast<TagLib::FLAC::File *>(file))
        return f->audioProperties() ? f->audioProperties()->bitsPerSample() : 0;
    if (auto *f = dynamic_cast<TagLib::RIFF::WAV::File *>(file))
        return f->audioProperties() ? f->audioProperties()->bitsPerSample() : 0;
    if (auto *f = dynamic_cast<TagLib::RIFF::AIFF::File *>(file))
        return f->audioProperties() ? f->audioProperties()->bitsPerSample() : 0;
    if (auto *f = dynamic_cast<TagLib::APE::File *>(file))
        return f->audioProperties() ? f->audioProperties()->bitsPerSample() : 0;
    if (auto *f = dynamic_cast<TagLib::WavPack::File *>(file))
        return f->audioProperties() ? f->audioProperties()->bitsPerSample() : 0;
    if (auto *f = dynamic_cast<TagLib::TrueAudio::File *>(file))
        return f->audioProperties() ? f->audioProperties()->bitsPerSample() : 0;
    if (auto *f = dynamic_cast<TagLib::MP4::File *>(file)) {
        // Lossy MP4 codecs report 16, which says nothing about the source.
        const auto *p = f->audioProperties();
        return p && p->codec() == TagLib::MP4::Properties::ALAC ? p->bitsPerSample() : 0;
    }
    if (auto *f = dynamic_cast<TagLib::ASF::File *>(file)) {
        const auto *p = f->audioProperties();
        return p && p->codec() == TagLib::ASF::Properties::WMA9Lossless ? p->bitsPerSample() : 0;
    }
    return 0;
}

MediaTags TagsOf(TagLib::File *file)
{
    MediaTags tags;
    if (!file)
        return tags;
    if (const TagLib::Tag *tag = file->tag()) {
        tags.title = Text(tag->title());
        tags.artist = Text(tag->artist());
        tags.album = Text(tag->album());
        tags.track = static_cast<int>(std::min(tag->track(), 99999u));
        if (tag->year() > 0)
            tags.date = QString::number(tag->year());
    }
    // The property map joins every tag of the file (a WAVE file's main tag is its ID3v2 tag
    // alone, its INFO chunk comes only through here) and keeps full dates.
    const TagLib::PropertyMap properties = file->properties();
    const auto first = [&properties](const char *key) {
        const auto it = properties.find(key);
        return it == properties.end() || it->second.isEmpty() ? QString()
                                                              : Text(it->second.front());
    };
    if (tags.title.isEmpty())
        tags.title = first("TITLE");
    if (tags.artist.isEmpty())
        tags.artist = first("ARTIST");
    if (tags.album.isEmpty())
        tags.album = first("ALBUM");
    if (tags.track == 0)
        tags.track =
            std::clamp(first("TRACKNUMBER").section(QLatin1Char('/'), 0, 0).toInt(), 0, 99999);
    if (const QString date = first("DATE"); !date.isEmpty())
        tags.date = date;
    tags.cover = CoverOf(file);
    if (const TagLib::AudioProperties *audio = file->audioProperties()) {
        tags.sampleRate = std::max(audio->sampleRate(), 0);
        tags.channels = std::max(audio->channels(), 0);
    }
    tags.bitDepth = std::max(BitDepthOf(file), 0);
    return tags;
}

QString LowerExtension(const QString &fileName)
{
    return QFileInfo(fileName).suffix().toLower();
}

// Runs read over the file opened as its extension says; nothing for other extensions.
template <typename Result, typename Read>
Result WithFile(TagLib::IOStream *stream, const QString &fileName, Read read)
{
    FilePtr file = OpenByExtension(stream, LowerExtension(fileName));
    return file ? read(file.get()) : Result{};
}

} // namespace

bool MediaTags::HasTextTags() const
{
    return !title.isEmpty() || !artist.isEmpty() || !album.isEmpty() || !date.isEmpty() ||
           track > 0;
}

QString SniffImageType(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("image/jpeg");
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return QStringLiteral("image/png");
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return QStringLiteral("image/gif");
    if (bytes.startsWith("BM") && bytes.size() > 14)
        return QStringLiteral("image/bmp");
    if (bytes.size() > 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return QStringLiteral("image/webp");
    return {};
}

MediaTags ReadMediaTags(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    TagLib::FileStream stream(name.constData(), true);
    if (!stream.isOpen())
        return {};
    return WithFile<MediaTags>(&stream, path, TagsOf);
}

MediaTags ReadMediaTags(const QByteArray &bytes, const QString &fileName)
{
    const TagLib::ByteVector data(bytes.constData(), static_cast<unsigned>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    return WithFile<MediaTags>(&stream, fileName, TagsOf);
}
