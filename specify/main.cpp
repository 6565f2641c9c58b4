#include "base/translation.h"
#include "base/window_fonts.h"
#include "qt_specify_prompts.h"
#include "reg_acc_library.h"
#include "specify.h"
#include "system_directory.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    InstallTranslation(UserLocale());
    WindowFonts::InstallSubstitutions();

    const QString programDirectory = QCoreApplication::applicationDirPath();
    RegAccLibrary regAcc(RegAccLibrary::DefaultCandidates(programDirectory));
    QtSpecifyPrompts prompts;
    SpecifyEnvironment environment;
    environment.programDirectory = programDirectory;
    environment.defaultPlayerPath = programDirectory + QStringLiteral("/Lumo");
    environment.systemDirectory = SystemIconDirectory();
    environment.regAcc = &regAcc;
    environment.prompts = &prompts;

    Specify window(environment);
    prompts.SetParent(&window);
    window.show();
    return app.exec();
}
