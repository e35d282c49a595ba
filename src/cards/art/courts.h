#pragma once
// The picture panel of the jack, the queen and the king.

class QPainter;
class QRectF;

namespace zozaro {

inline constexpr int Jack = 10;   // Fante
inline constexpr int Queen = 11;  // Donna
inline constexpr int King = 12;   // Re

// Draws the framed double-ended figure of `rank` (Jack..King) into `panel`.
void DrawCourtPanel(QPainter &painter, const QRectF &panel, int suit, int rank);

} // namespace zozaro
