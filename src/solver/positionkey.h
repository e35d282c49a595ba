#pragma once
// A position packed into 40 bytes for the solver's memory of what it has
// seen. For every card it keeps what lies on top of it (another card, or
// nothing at the top of a column) or that it rests in a free cell or at home.
// Which column or cell holds what does not show in it: two tables that differ
// only by the order of their columns or free cells give one and the same key,
// as they are one and the same game from there on.

#include <array>
#include <cstdint>

#include "core/table.h"

namespace quintara {

struct PositionKey {
    std::array<std::uint64_t, 5> word{};
    bool operator==(const PositionKey &) const = default;
};

PositionKey EncodePosition(const Table &table, bool autoMoveHold);

// A table for the key: columns in the order of their bottom cards, then the
// empty ones; free cells filled from the left; piles, the cards at home and the
// foundation level as the automatic moves would have left them. Coordinates
// and drawing modes are those of a cleared table.
void DecodePosition(const PositionKey &key, const PileSuitOrder &pileSuit, Table &table,
                    bool &autoMoveHold);

std::uint64_t HashKey(const PositionKey &key);

} // namespace quintara
