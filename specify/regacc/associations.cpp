#include "regacc/associations.h"

#include "regacc/desktop_entry.h"
#include "regacc/extension_types.h"
#include "regacc/mime_apps_list.h"
#include "regacc/xdg_files.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

constexpr qint64 MaxEntryBytes = 1 << 20;
constexpr qint64 MaxMimeAppsBytes = 8 << 20;

QString EntryPath()
{
    return XdgDataHome() + QStringLiteral("/applications/") +
           QString::fromLatin1(AssociationDesktopId);
}

QString MimeAppsPath()
{
    return XdgConfigHome() + QStringLiteral("/mimeapps.list");
}

// Our own entry as it stands; a missing or unreadable one counts as empty, since it is ours
// to rewrite.
AssociationEntry LoadEntry()
{
    QByteArray text;
    if (ReadSmallFile(EntryPath(), MaxEntryBytes, text) != ReadOutcome::Read) {
        return {};
    }
    return ParseAssociationEntry(text);
}

// Applies edit to each type's line of mimeapps.list and writes the file when it changed. With
// takeBack, a group that this tool appended is taken back once it is empty, and a list that
// this tool created goes once nothing is left in it.
template <typename Edit>
RegAccResult EditMimeApps(const QStringList &types, Edit edit,
                          AppendedGroup takeBack = AppendedGroup::None)
{
    QByteArray text;
    if (ReadSmallFile(MimeAppsPath(), MaxMimeAppsBytes, text) == ReadOutcome::Failed) {
        return RegAccResult::ReadFailed;
    }
    QByteArray edited = text;
    for (const QString &type : types) {
        edited = edit(edited, type.toUtf8(), QByteArray(AssociationDesktopId));
    }
    if (takeBack != AppendedGroup::None) {
        edited = DropAppendedDefaultGroup(edited, takeBack == AppendedGroup::AfterUnendedLine);
        if (takeBack == AppendedGroup::NewFile && edited.isEmpty() &&
            QFileInfo::exists(MimeAppsPath())) {
            return QFile::remove(MimeAppsPath()) ? RegAccResult::Ok : RegAccResult::WriteFailed;
        }
    }
    if (edited == text) {
        return RegAccResult::Ok;
    }
    return WriteFileAtomically(MimeAppsPath(), edited) ? RegAccResult::Ok
                                                       : RegAccResult::WriteFailed;
}

// How a [Default Applications] group would come into the list as it stands: None when it has
// one already.
std::optional<AppendedGroup> GroupToAppend()
{
    QByteArray text;
    switch (ReadSmallFile(MimeAppsPath(), MaxMimeAppsBytes, text)) {
    case ReadOutcome::Failed:
        return std::nullopt;
    case ReadOutcome::Missing:
        return AppendedGroup::NewFile;
    case ReadOutcome::Read:
        break;
    }
    if (HasDefaultGroup(text)) {
        return AppendedGroup::None;
    }
    return text.isEmpty() || text.endsWith('\n') ? AppendedGroup::AfterLineEnd
                                                 : AppendedGroup::AfterUnendedLine;
}

} // namespace

QString IconForSource(const QString &iconFile, const QString &extension)
{
    static const QStringList imageSuffixes{QStringLiteral("png"), QStringLiteral("svg"),
                                           QStringLiteral("svgz"), QStringLiteral("xpm")};
    const QFileInfo info(iconFile);
    if (info.isFile() && imageSuffixes.contains(info.suffix().toLower())) {
        return info.absoluteFilePath();
    }
    return GenericIconOf(extension);
}

RegAccResult SpecifyAssociation(const SpecifyRequest &request)
{
    const QString extension = request.extension.trimmed().toLower();
    const QStringList types = MimeTypesOf(extension);
    if (types.isEmpty()) {
        return RegAccResult::UnknownExtension;
    }
    if (request.programPath.trimmed().isEmpty()) {
        return RegAccResult::MissingProgram;
    }
    const std::optional<AppendedGroup> appended = GroupToAppend();
    if (!appended) {
        return RegAccResult::ReadFailed;
    }
    AssociationEntry entry = LoadEntry();
    if (*appended != AppendedGroup::None) {
        entry.appendedGroup = *appended;
    }
    entry.name = CaptionWithoutMnemonic(request.verbCaption);
    entry.exec = DesktopExecLine(request.programPath, request.commandSuffix);
    if (!request.iconFile.isEmpty()) {
        entry.icon = IconForSource(request.iconFile, extension);
    }
    if (!entry.extensions.contains(extension)) {
        entry.extensions.append(extension);
    }
    if (!WriteFileAtomically(EntryPath(), FormatAssociationEntry(entry))) {
        return RegAccResult::WriteFailed;
    }
    return EditMimeApps(types, AddDefaultApplication);
}

RegAccResult UnSpecifyAssociation(const QString &rawExtension)
{
    const QString extension = rawExtension.trimmed().toLower();
    const QStringList types = MimeTypesOf(extension);
    if (types.isEmpty()) {
        return RegAccResult::UnknownExtension;
    }
    AssociationEntry entry = LoadEntry();
    entry.extensions.removeAll(extension);
    QStringList stillNeeded;
    for (const QString &other : entry.extensions) {
        stillNeeded += MimeTypesOf(other);
    }
    QStringList released;
    for (const QString &type : types) {
        if (!stillNeeded.contains(type)) {
            released.append(type);
        }
    }
    const RegAccResult edited =
        EditMimeApps(released, RemoveDefaultApplication, entry.appendedGroup);
    if (edited != RegAccResult::Ok) {
        return edited;
    }
    if (entry.extensions.isEmpty()) {
        const QString path = EntryPath();
        const bool gone = !QFileInfo::exists(path) || QFile::remove(path);
        return gone ? RegAccResult::Ok : RegAccResult::WriteFailed;
    }
    return WriteFileAtomically(EntryPath(), FormatAssociationEntry(entry))
               ? RegAccResult::Ok
               : RegAccResult::WriteFailed;
}
