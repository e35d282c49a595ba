#pragma once

#include <QMainWindow>

namespace quintara {

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
};

} // namespace quintara
