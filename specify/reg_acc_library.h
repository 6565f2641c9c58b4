#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

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
    QStringList candidates;
    QLibrary library;
    QFunctionPointer specifyFunction = nullptr;
    QFunctionPointer unSpecifyFunction = nullptr;
};
