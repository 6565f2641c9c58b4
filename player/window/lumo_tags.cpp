// What the opened medium's tags say: its title (the player's own MP3 and MIDI readers first,
// the tag library where they find none), artist, album and cover, and the cover shown in the
// picture area while a sound plays without an analyzer.
#include "window/lumo.h"

#include "core/cover_cache.h"
#include "display/cover_art.h"
#include "display/tag_readers.h"
#include "window/picture_box.h"

#include <QPainter>
#include <QUrl>

void Lumo::ReadMediumTitle(const QString &path)
{
    // Movies keep their file-name title; their containers are not read for tags.
    MovieTags = AudioOnlyFlag ? ReadMediaTags(path) : MediaTags{};
    MovieTitle.clear();
    if (AudioOnlyFlag) {
        if (MovieExt == QLatin1String("mp3") || MovieExt == QLatin1String("MP3"))
            MovieTitle = ReadMp3Title(path);
        else if (MovieExt == QLatin1String("mid") || MovieExt == QLatin1String("MID"))
            MovieTitle = ReadMidiTitle(path);
    }
    // The MP3 reader answers the file name when it finds no title of its own.
    const bool noOwnTitle = MovieTitle.isEmpty() || MovieTitle == FileNameOf(path);
    if (noOwnTitle && !MovieTags.title.isEmpty())
        MovieTitle = MovieTags.title;
    if (MovieTitle.isEmpty())
        MovieTitle = TitleOf(path);

    coverImage_ = AudioOnlyFlag ? LoadCoverImage(MovieTags.cover, path) : QImage();
    coverPath_ = path;
    coverUrl_ = CoverUrlOf(path);
    if (AudioOnlyFlag && VSA == 0)
        PaintAudioPicture();
}

void Lumo::ForgetMediumTags()
{
    MovieTags = {};
    coverImage_ = QImage();
    coverPath_.clear();
    coverUrl_.clear();
}

// The embedded cover written once into the cover cache, else the picture file beside the
// sound, as a URL.
QString Lumo::CoverUrlOf(const QString &path) const
{
    if (!AudioOnlyFlag)
        return {};
    QString file =
        CachedCoverFile(env_.coverCacheDirectory, MovieTags.cover.bytes, MovieTags.cover.mimeType);
    if (file.isEmpty())
        file = FindFolderCover(path);
    return file.isEmpty() ? QString() : QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
}

bool Lumo::PaintCover()
{
    // While the next file opens, the previous file's cover is not shown.
    if (VSA != 0 || coverImage_.isNull() || coverPath_ != PlayList.At(PlayIndex))
        return false;
    Pic->ClearCanvas();
    {
        QPainter painter(&Pic->Canvas());
        DrawCoverFitted(painter, coverImage_, Pic->rect());
    }
    Pic->update();
    return true;
}
