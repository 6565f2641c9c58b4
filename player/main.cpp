#include "core/lumo.h"
#include "core/qt_media_engine_factory.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

QStringList ShowOpenDialog(QWidget *parent);

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumo"));

    Lumo::Environment env;
    env.stopMessage = [](const QString &text, const QString &title) {
        QMessageBox::critical(nullptr, title, text);
    };
    env.infoMessage = [](const QString &text, const QString &title) {
        QMessageBox::information(nullptr, title, text);
    };
    env.openDialog = ShowOpenDialog;
    env.engineFactory = MakeQtMediaEngineFactory();

    Lumo window(env);
    window.show();
    QStringList args = app.arguments().mid(1);
    for (QString &a : args)
        a = QDir::current().absoluteFilePath(a);
    window.SetHandoffText(args.join(QLatin1Char('\n')));
    return app.exec();
}
