#pragma once
// Our two large drag pointers: an arrow pointing up for a free place that
// takes the card, and one pointing down for a card it may go onto.

#include <QCursor>

namespace quintara {

// `scale`: the screen pixels to each of the table's.
QCursor LargeUpCursor(qreal scale);    // CRLARGEUP
QCursor LargeDownCursor(qreal scale);  // CRLARGEDOWN

} // namespace quintara
