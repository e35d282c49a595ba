#pragma once
// The path of a card flying home: a few large steps, so the flight is quick
// to draw and easy to follow.

#include <vector>

namespace quintara {

struct FlightPoint {
    int x = 0;
    int y = 0;
    bool operator==(const FlightPoint &) const = default;
};

// The places the card is drawn at between its start and its destination.
// The flight stops as soon as one coordinate has arrived; the card is then
// drawn at the destination by the caller.
std::vector<FlightPoint> FlightPath(int fromX, int fromY, int toX, int toY);

} // namespace quintara
