#include "core/play_list_parsers.h"

#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace {

// Adds one location unless the list is already full.
void Take(ParsedPlayList &list, const QByteArray &location, const QByteArray &folder, bool uriOnly)
{
    if (list.paths.size() >= kMaxListEntries) {
        list.cut = true;
        return;
    }
    const QByteArray path = ResolveListLocation(location, folder, uriOnly);
    if (path.isEmpty())
        ++list.unreadable;
    else
        list.paths << path;
}

bool HasScheme(const QByteArray &location)
{
    // A scheme is letters, digits, "+", "-", "." after a first letter, then ":"; one letter
    // before the colon is a drive, not a scheme.
    const qsizetype colon = location.indexOf(':');
    if (colon < 2 || !std::isalpha(static_cast<unsigned char>(location[0])))
        return false;
    for (qsizetype i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(location[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

QByteArray Trimmed(QByteArray text)
{
    if (text.endsWith('\r'))
        text.chop(1);
    return text.trimmed();
}

} // namespace

PlayListFormat PlayListFormatOf(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"m3u" || ext == u"m3u8")
        return PlayListFormat::M3u;
    if (ext == u"pls")
        return PlayListFormat::Pls;
    if (ext == u"xspf")
        return PlayListFormat::Xspf;
    return PlayListFormat::None;
}

QByteArray CleanAbsolutePath(const QByteArray &path)
{
    QList<QByteArray> parts;
    for (const QByteArray &part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << part;
    }
    return '/' + parts.join('/');
}

QByteArray ResolveListLocation(const QByteArray &location, const QByteArray &listFolder,
                               bool uriOnly)
{
    QByteArray entry = Trimmed(location);
    if (entry.isEmpty() || entry.size() > kMaxEntryBytes || entry.contains('\0'))
        return {};
    if (HasScheme(entry)) {
        if (!entry.toLower().startsWith("file:"))
            return {};
        entry = entry.mid(5);
        // file:///path or file://localhost/path; file:/path also occurs.
        if (entry.startsWith("//")) {
            const qsizetype slash = entry.indexOf('/', 2);
            if (slash < 0)
                return {};
            const QByteArray host = entry.mid(2, slash - 2).toLower();
            if (!host.isEmpty() && host != "localhost")
                return {};
            entry = entry.mid(slash);
        }
        entry = QByteArray::fromPercentEncoding(entry);
    } else {
        if (uriOnly)
            entry = QByteArray::fromPercentEncoding(entry);
        // Lists written on Windows separate folders with backslashes.
        if (entry.contains('\\') && !entry.contains('/'))
            entry.replace('\\', '/');
    }
    if (entry.isEmpty() || entry.contains('\0'))
        return {};
    if (!entry.startsWith('/'))
        entry = listFolder + '/' + entry;
    return CleanAbsolutePath(entry);
}

ParsedPlayList ParseM3u(const QByteArray &bytes, const QByteArray &listFolder)
{
    ParsedPlayList list;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() && !list.cut) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        // Long lines are judged by their length alone, without a copy.
        if (end - start > kMaxEntryBytes + 2) {
            ++list.unreadable;
        } else {
            const QByteArray line = Trimmed(bytes.mid(start, end - start));
            if (!line.isEmpty() && !line.startsWith('#'))
                Take(list, line, listFolder, false);
        }
        start = end + 1;
    }
    return list;
}

ParsedPlayList ParsePls(const QByteArray &bytes, const QByteArray &listFolder)
{
    std::vector<std::pair<qint64, QByteArray>> files;
    int unreadable = 0;
    bool cut = false;
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    bool inPlayList = false;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const qsizetype length = end - start;
        const qsizetype from = start;
        start = end + 1;
        if (length > kMaxEntryBytes + 32) {
            if (inPlayList)
                ++unreadable;
            continue;
        }
        const QByteArray line = Trimmed(bytes.mid(from, length));
        if (line.startsWith('[')) {
            inPlayList = line.toLower() == "[playlist]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inPlayList || equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed().toLower();
        if (!key.startsWith("file"))
            continue;
        bool ok = false;
        const qint64 number = key.mid(4).toLongLong(&ok);
        if (!ok)
            continue;
        if (files.size() >= static_cast<size_t>(kMaxListEntries)) {
            cut = true;
            break;
        }
        files.emplace_back(number, line.mid(equals + 1));
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    ParsedPlayList list;
    for (const auto &file : files)
        Take(list, file.second, listFolder, false);
    list.unreadable += unreadable;
    list.cut = list.cut || cut;
    return list;
}

ParsedPlayList ParseXspf(const QByteArray &bytes, const QByteArray &listFolder)
{
    ParsedPlayList list;
    QXmlStreamReader xml(bytes);
    int trackDepth = 0;
    bool located = false;
    while (!xml.atEnd() && !list.cut) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"track") {
                ++trackDepth;
                located = false;
            } else if (xml.name() == u"location" && trackDepth > 0 && !located) {
                // A track may carry several locations; the first is the one to play.
                located = true;
                const QString text =
                    xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                if (text.size() > kMaxEntryBytes)
                    ++list.unreadable;
                else
                    Take(list, text.toUtf8(), listFolder, true);
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"track") {
            trackDepth = std::max(0, trackDepth - 1);
        }
    }
    return list;
}

ParsedPlayList ParsePlayList(PlayListFormat format, const QByteArray &bytes,
                             const QByteArray &listFolder)
{
    switch (format) {
    case PlayListFormat::M3u:
        return ParseM3u(bytes, listFolder);
    case PlayListFormat::Pls:
        return ParsePls(bytes, listFolder);
    case PlayListFormat::Xspf:
        return ParseXspf(bytes, listFolder);
    case PlayListFormat::None:
        break;
    }
    return {};
}

QByteArray FormatM3u8(const QList<QString> &paths, const QString &listFolder)
{
    QString folder = listFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QByteArray text = "#EXTM3U\n";
    for (const QString &path : paths) {
        // A line feed cannot stand in a list line.
        if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
            continue;
        QString line = path.startsWith(folder) ? path.mid(folder.size()) : path;
        // A relative name beginning with "#" would read as a comment.
        if (line.startsWith(QLatin1Char('#')))
            line.prepend(QStringLiteral("./"));
        text += line.toUtf8() + '\n';
    }
    return text;
}
