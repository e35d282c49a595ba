#pragma once
// The four suit symbols as vector outlines, and the inks they are printed in.

#include <QColor>
#include <QPainterPath>
#include <QPointF>

#include "moduleformat.h"

class QPainter;

namespace zozaro {

enum Suit { Hearts = 0, Diamonds = 1, Spades = 2, Clubs = 3 };
inline constexpr int SuitCount = 4;
inline constexpr int RankCount = cardmodule::RankCount;

inline constexpr int FaceWidth = cardmodule::NormalWidth;
inline constexpr int FaceHeight = cardmodule::NormalHeight;

bool IsRed(int suit);
QColor SuitInk(int suit);

// The outline of a suit symbol in a box one unit high, centred on the
// origin, y growing downwards (the point of a heart is at the bottom).
QPainterPath SuitPath(int suit);

// Fills the symbol `height` pixels high around `centre`; upside down for
// the pips of the lower half of a card.
void DrawSuit(QPainter &painter, int suit, QPointF centre, qreal height, const QColor &ink,
              bool upsideDown = false);

} // namespace zozaro
