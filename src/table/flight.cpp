#include "table/flight.h"

namespace quintara {

namespace {

// The step along one axis for the distance d; long distances take a sixth,
// shorter ones halve the divisor, which carries over from one axis to the next.
int AxisStep(int d, int &divisor)
{
    if (d > 0) {
        if (d < 140)
            divisor /= 2;
        return divisor <= d ? d / divisor : d;
    }
    if (d < 0) {
        if (d > -140)
            divisor /= 2;
        return d <= -divisor ? d / divisor : d;
    }
    return 0;
}

// Moves one coordinate a step toward its target; false when the flight ends.
bool Advance(int d, int step, int &pos, int target, int otherPos, int otherTarget)
{
    if (d > 0) {
        if (pos <= target || otherPos == otherTarget)
            return false;
        pos = pos >= target + step ? pos - step : target;
    } else if (d < 0) {
        if (pos >= target || otherPos == otherTarget)
            return false;
        pos = pos <= target + step ? pos - step : target;
    } else {
        pos = target;
    }
    return true;
}

} // namespace

std::vector<FlightPoint> FlightPath(int fromX, int fromY, int toX, int toY)
{
    const int dx = fromX - toX;
    const int dy = fromY - toY;
    int divisor = 6;
    const int stepX = AxisStep(dx, divisor);
    const int stepY = AxisStep(dy, divisor);

    std::vector<FlightPoint> path;
    int x = fromX;
    int y = fromY;
    while (x != toX || y != toY) {
        if (!Advance(dx, stepX, x, toX, y, toY))
            break;
        if (!Advance(dy, stepY, y, toY, x, toX))
            break;
        path.push_back({x, y});
    }
    return path;
}

} // namespace quintara
