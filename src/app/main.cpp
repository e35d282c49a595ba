#include <QApplication>

#include "table/mainwindow.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quintara"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quintara - Edizione Speciale - V2.1"));
    quintara::TForm1 form;
    form.show();
    return app.exec();
}
