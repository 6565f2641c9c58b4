#include "reg_acc_library.h"

#include "regacc/reg_acc.h"

RegAccLibrary::RegAccLibrary(const QStringList &candidates) : candidates(candidates) {}

QStringList RegAccLibrary::DefaultCandidates(const QString &programDirectory)
{
    return {programDirectory + QStringLiteral("/RegAcc"), QStringLiteral("RegAcc")};
}

bool RegAccLibrary::Load()
{
    if (specifyFunction && unSpecifyFunction) {
        return true;
    }
    for (const QString &name : candidates) {
        library.setFileName(name);
        if (!library.load()) {
            continue;
        }
        specifyFunction = library.resolve("Specify");
        unSpecifyFunction = library.resolve("UnSpecify");
        if (specifyFunction && unSpecifyFunction) {
            return true;
        }
        specifyFunction = nullptr;
        unSpecifyFunction = nullptr;
        library.unload();
    }
    return false;
}

void RegAccLibrary::Specify(const QString &extension, const QString &description,
                            const QString &verbCaption, const QString &commandSuffix,
                            const QString &programPath, const QString &iconFile, int iconIndex,
                            int mode)
{
    if (!Load()) {
        return;
    }
    reinterpret_cast<decltype(&::Specify)>(specifyFunction)(
        extension.toUtf8().constData(), description.toUtf8().constData(),
        verbCaption.toUtf8().constData(), commandSuffix.toUtf8().constData(),
        programPath.toUtf8().constData(), iconFile.toUtf8().constData(), iconIndex, mode);
}

void RegAccLibrary::UnSpecify(const QString &extension, const QString &verbCaption,
                              const QString &programPath, const QString &unused, int iconIndex)
{
    if (!Load()) {
        return;
    }
    reinterpret_cast<decltype(&::UnSpecify)>(unSpecifyFunction)(
        extension.toUtf8().constData(), verbCaption.toUtf8().constData(),
        programPath.toUtf8().constData(), unused.toUtf8().constData(), iconIndex);
}
