#pragma once
// What every dialog is built from: captions placed by position, the few
// plain colours the dialogs paint with, and where each dialog opens.

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QString>

class QLabel;
class QWidget;

namespace quintara {

inline const QColor White(255, 255, 255);
inline const QColor Lime(0, 255, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Blue(0, 0, 255);
inline const QColor Red(255, 0, 0);

// Where each dialog opens, on the screen's top left.
inline constexpr QPoint StatisticsPlace(152, 56);
inline constexpr QPoint PreferencesPlace(130, 200);
inline constexpr QPoint AboutPlace(119, 56);
inline constexpr QPoint CalendarPlace(130, 200);

// A plain-text label at `left`, `top` of `parent`, as wide as its text.
QLabel *PlaceLabel(QWidget *parent, const char *name, const QString &text, int left, int top);

// Paints the part of `widget` that `role` names (Window for a label's
// background, Base for a field's, Text or WindowText for the writing) in
// `colour`.
void SetColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

} // namespace quintara
