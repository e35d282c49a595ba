#include "dialogs/prefdlg.h"

namespace quintara {

TPrefDlg1::TPrefDlg1(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral(" Preferenze"));
    setFixedSize(466, 287);
}

} // namespace quintara
