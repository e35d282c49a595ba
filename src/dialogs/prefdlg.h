#pragma once
// The preferences dialog: display options, the side picture, the suit order
// of the piles with the column spacing, and the speed of the card flight.

#include <QDialog>

namespace quintara {

class TPrefDlg1 : public QDialog {
    Q_OBJECT
public:
    explicit TPrefDlg1(QWidget *parent = nullptr);
};

} // namespace quintara
