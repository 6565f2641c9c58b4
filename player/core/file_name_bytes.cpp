#include "core/file_name_bytes.h"

#include "core/instance_platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <iconv.h>
#include <memory>
#include <unistd.h>

namespace {

// The file name read as CP932 when the bytes are valid CP932, else as Latin-1.
QString ReadableName(const QByteArray &bytes)
{
    const iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter != iconv_t(-1)) {
        QByteArray in = bytes;
        QByteArray out(bytes.size() * 3 + 4, '\0');
        char *inPointer = in.data();
        size_t inLeft = size_t(in.size());
        char *outPointer = out.data();
        size_t outLeft = size_t(out.size());
        const size_t result = ::iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
        ::iconv_close(converter);
        if (result != size_t(-1) && inLeft == 0) {
            out.truncate(out.size() - qsizetype(outLeft));
            return QString::fromUtf8(out);
        }
    }
    return QString::fromLatin1(bytes);
}

// The folder that holds this process's links; made on first use, removed at exit.
QTemporaryDir *LinkFolder()
{
    static std::unique_ptr<QTemporaryDir> folder;
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>(InstanceSocketDirectory() +
                                                 QStringLiteral("/lumo-names-XXXXXX"));
        if (!folder->isValid())
            return nullptr;
        QFile::setPermissions(folder->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder->isValid() ? folder.get() : nullptr;
}

// Whether the bytes survive the way through a QString and back to the system.
bool SurvivesDecoding(const QByteArray &bytes)
{
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

} // namespace

QList<QByteArray> RawArguments(int argc, char **argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc && argv[i]; ++i)
        arguments.append(QByteArray(argv[i]));
    return arguments;
}

QByteArray CurrentDirectoryBytes()
{
    QByteArray buffer(4096, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), size_t(buffer.size())))
            return QByteArray(buffer.constData());
        if (errno != ERANGE || buffer.size() > (1 << 20))
            return QFile::encodeName(QDir::currentPath());
        buffer.resize(buffer.size() * 2);
    }
}

QString OpenableName(const QByteArray &path)
{
    if (SurvivesDecoding(path))
        return QFile::decodeName(path);
    QTemporaryDir *folder = LinkFolder();
    if (!folder)
        return {};
    // One sub-folder per link, so that equal names of different files never meet.
    static int links = 0;
    const QString holder = folder->filePath(QString::number(links++));
    if (!QDir().mkdir(holder))
        return {};
    const QByteArray fileName = path.mid(path.lastIndexOf('/') + 1);
    // A readable name that is too long for the system falls back to a plain one with the
    // file's extension, which decides how the player opens it.
    const qsizetype dot = fileName.lastIndexOf('.');
    const QString plain =
        QStringLiteral("file") + (dot < 0 ? QString() : ReadableName(fileName.mid(dot)));
    for (const QString &name : {ReadableName(fileName), plain}) {
        const QString link = holder + u'/' + name;
        if (::symlink(path.constData(), QFile::encodeName(link).constData()) == 0)
            return link;
    }
    return {};
}
