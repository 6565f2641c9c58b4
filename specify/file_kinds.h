#pragma once

#include <QList>
#include <QString>

// The seven kinds of media files that the association tool offers, one per check box.
inline constexpr int NumFileKinds = 7;

// One extension to register, with everything the RegAcc functions receive for it.
struct ExtensionRegistration
{
    QString extension;
    QString description;
    QString iconFile;
    int iconIndex = 0;
};

// The caption of the check box of a kind (index 0 to 6).
QString FileKindCaption(int kindIndex);

// The extensions of a kind in registration order. systemDirectory ends with "/"; playerPath
// is the player's executable.
QList<ExtensionRegistration> ExtensionsOfKind(int kindIndex, const QString &systemDirectory,
                                              const QString &playerPath);
