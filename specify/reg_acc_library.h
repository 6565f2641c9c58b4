#pragma once

#include "reg_acc_api.h"

#include <QLibrary>
#include <QStringList>

// RegAccApi over the libRegAcc.so module, bound by name on first use from the first of its
// candidate names that loads. While the module cannot be loaded, calls do nothing.
class RegAccLibrary : public RegAccApi
{
public:
    explicit RegAccLibrary(const QStringList &candidates);

    // Beside the program first, then wherever the dynamic loader looks.
    static QStringList DefaultCandidates(const QString &programDirectory);

    void Specify(const QString &extension, const QString &description, const QString &verbCaption,
                 const QString &commandSuffix, const QString &programPath, const QString &iconFile,
                 int iconIndex, int mode) override;
    void UnSpecify(const QString &extension, const QString &verbCaption, const QString &programPath,
                   const QString &unused, int iconIndex) override;

    // Whether the module is loaded and both functions were found.
    bool Load();

private:
    using SpecifyFunction = qint32 (*)(const char *, const char *, const char *, const char *,
                                       const char *, const char *, qint32, qint32);
    using UnSpecifyFunction = qint32 (*)(const char *, const char *, const char *, const char *,
                                         qint32);

    QStringList candidates;
    QLibrary library;
    SpecifyFunction specifyFunction = nullptr;
    UnSpecifyFunction unSpecifyFunction = nullptr;
};
