#pragma once

#include <QString>

// The two functions of the RegAcc module as the association tool calls them. Results are
// ignored, so the calls return nothing.
class RegAccApi
{
public:
    virtual ~RegAccApi() = default;
    virtual void Specify(const QString &extension, const QString &description,
                         const QString &verbCaption, const QString &commandSuffix,
                         const QString &programPath, const QString &iconFile, int iconIndex,
                         int mode) = 0;
    virtual void UnSpecify(const QString &extension, const QString &verbCaption,
                           const QString &programPath, const QString &unused, int iconIndex) = 0;
};
