#include "core/lumo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Lumo window;
    window.show();
    return app.exec();
}
