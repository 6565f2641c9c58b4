#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How this tool's [Default Applications] group came into mimeapps.list, when the list had
// none: appended after a line end (or to an empty file), after a last line without a line
// end, or in a file it created. Taking the last association back then undoes exactly that.
enum class AppendedGroup { None, AfterLineEnd, AfterUnendedLine, NewFile };

// The desktop entry through which the player opens the registered kinds of files: one entry,
// shared by all registered extensions, which it lists in its own X-Lumo-Extensions key.
struct AssociationEntry
{
    QString name;
    QString exec;
    QString icon;
    QStringList extensions;
    AppendedGroup appendedGroup = AppendedGroup::None;
};

// The desktop file ID of the entry, as it appears in mimeapps.list.
inline constexpr char AssociationDesktopId[] = "lumo-sorvane.desktop";

// The Exec value that runs programPath with the command suffix, whose "%L" or "%1" (quoted or
// not) becomes the file-list field code %F, so that files chosen together reach one start in
// their order; the path is quoted only when it needs quoting.
QString DesktopExecLine(const QString &programPath, const QString &commandSuffix);

// A verb caption without its keyboard mnemonic: "再生(&P)" gives "再生", "A&B" gives "AB".
QString CaptionWithoutMnemonic(const QString &caption);

// The entry's file text; MimeType is derived from the extensions.
QByteArray FormatAssociationEntry(const AssociationEntry &entry);

// Reads back what FormatAssociationEntry wrote; unknown lines are ignored, missing keys empty.
AssociationEntry ParseAssociationEntry(const QByteArray &text);
