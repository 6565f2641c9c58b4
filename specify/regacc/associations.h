#pragma once

#include <QString>

// What the RegAcc functions report; the association tool ignores it.
enum class RegAccResult : int {
    Ok = 0,
    UnknownExtension = 1,
    MissingProgram = 2,
    ReadFailed = 3,
    WriteFailed = 4,
};

// The arguments of Specify, decoded.
struct SpecifyRequest
{
    QString extension;
    QString description;
    QString verbCaption;
    QString commandSuffix;
    QString programPath;
    QString iconFile;
    int iconIndex = 0;
};

// Makes the program the default opener of the extension's MIME types: the shared desktop
// entry in $XDG_DATA_HOME/applications gains the extension, then the types' defaults in
// $XDG_CONFIG_HOME/mimeapps.list name the entry first.
RegAccResult SpecifyAssociation(const SpecifyRequest &request);

// Undoes SpecifyAssociation for the extension: the entry's ID leaves the defaults of the types
// that no other registered extension still needs, and the entry loses the extension (the file
// goes with the last one).
RegAccResult UnSpecifyAssociation(const QString &extension);

// The entry's icon for an icon file: an image file is used as it is; anything else (a program
// or library, which carry no icons here) gives the extension's generic media icon.
QString IconForSource(const QString &iconFile, const QString &extension);
