#pragma once
// The game's own pictures for its dialogs, drawn in code: the banner of the
// statistics dialog and the about box, the picture of the about box, and the
// OK button that every dialog of the game closes with.

#include <QColor>
#include <QPixmap>

class QDialog;
class QPushButton;

namespace quintara {

inline constexpr int BannerWidth = 133;
inline constexpr int BannerHeight = 25;

QPixmap QuintaraBanner();

// The grey of the desktop's scroll bars, which the statistics frame and the
// about box's text share.
QColor ScrollBarColour();

// The about box's picture: a fan of five cards on the green cloth.
QPixmap QuintaraPicture(int width, int height);

// "OK" with a green tick; the default button, accepts its dialog.
QPushButton *MakeOkButton(QDialog *dialog);

} // namespace quintara
