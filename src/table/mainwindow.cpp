#include "table/mainwindow.h"

namespace quintara {

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral(" Quintara - Edizione Speciale - V2.1"));
}

} // namespace quintara
