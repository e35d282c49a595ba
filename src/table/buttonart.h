#pragma once
// The small pictures on the window's buttons, drawn by the program itself.

#include <QIcon>

namespace quintara {

QIcon ClearTableIcon();  // BitBtn1: sweeps the table clean
QIcon UndoIcon();        // UndoBtn1: an arrow turning back
QIcon ShowIcon();        // ShowBtn1: an eye

} // namespace quintara
