#pragma once
// Our two large drag pointers: an arrow pointing up for a free place that
// takes the card, and one pointing down for a card it may go onto.

#include <QCursor>

namespace quintara {

QCursor LargeUpCursor();    // CRLARGEUP
QCursor LargeDownCursor();  // CRLARGEDOWN

} // namespace quintara
