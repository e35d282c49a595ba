#pragma once
// The layout of the card module zozaro2.dll. The module is a data file, never
// code: a header, a table of entries, then the pictures as PNG files, all
// numbers little-endian:
//
//   header   8 bytes magic, u32 version, u32 entry count
//   entry    u16 picture number, u8 size, u8 scale, u32 offset, u32 length
//
// Each picture comes in the detail of scales 1 to 3 of the screen; the faces
// also come drawn at the large card size. Nothing read from the file is
// trusted before it is checked: the table must list exactly the pictures the
// game asks for, each inside the file, and every picture's size is known
// before one byte of it is decoded.

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QSize>

class QIODevice;

namespace cardmodule {

inline constexpr int FirstNumber = 1;
inline constexpr int LastFace = 52;
inline constexpr int LastNumber = 56;   // 53..56 mark an empty foundation
inline constexpr int MaxScale = 3;

// A face at scale 1, at the normal and the large card size; the game lays its
// cards out at these sizes.
inline constexpr int NormalWidth = 72;
inline constexpr int NormalHeight = 96;
inline constexpr int LargeWidth = 142;
inline constexpr int LargeHeight = 192;

// The faces go suit by suit, ace to king; the marks of the empty piles
// follow, one per suit.
inline constexpr int RankCount = 13;
inline constexpr int FaceNumber(int suit, int rank) { return suit * RankCount + rank + 1; }
inline constexpr int EmptyPileMark(int suit) { return LastFace + 1 + suit; }

enum class CardSize : quint8 { Normal = 0, Large = 1 };

struct Key {
    int number = FirstNumber;
    CardSize size = CardSize::Normal;
    int scale = 1;
};

// The one size a picture may have: a mark keeps its own size at every card size.
QSize PictureSize(const Key &key);
// Whether the module holds this picture at all.
bool Listed(const Key &key);
inline constexpr int ListedCount = LastNumber * MaxScale + LastFace * MaxScale;
// Dense position of a listed key, 0 .. SlotCount - 1.
inline constexpr int SlotCount = 2 * LastNumber * MaxScale;
int Slot(const Key &key);

struct Span {
    qint64 offset = 0;
    qint64 length = 0;   // 0: not listed
};
using Table = std::array<Span, SlotCount>;

// Reads and checks the header and the table; nullopt when anything is amiss.
std::optional<Table> ReadTable(QIODevice &file);

// A whole module from its pictures, each an encoded PNG.
QByteArray Write(const std::vector<std::pair<Key, QByteArray>> &pictures);

} // namespace cardmodule
