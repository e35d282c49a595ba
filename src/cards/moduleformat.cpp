#include "moduleformat.h"

#include <QIODevice>
#include <QtEndian>

namespace cardmodule {

namespace {

constexpr char Magic[8] = {'Z', 'O', 'Z', 'A', 'R', 'O', '2', '\n'};
constexpr quint32 Version = 1;
constexpr qint64 HeaderBytes = 16;
constexpr qint64 EntryBytes = 12;
// Far above what our own pictures need, far below what would hurt.
constexpr qint64 MaxPictureBytes = 1 << 20;

template <typename T> T Read(const char *at) { return qFromLittleEndian<T>(at); }

template <typename T> void Append(QByteArray &bytes, T value)
{
    char raw[sizeof(T)];
    qToLittleEndian(value, raw);
    bytes.append(raw, sizeof(T));
}

} // namespace

bool Listed(const Key &key)
{
    if (key.number < FirstNumber || key.number > LastNumber || key.scale < 1
        || key.scale > MaxScale)
        return false;
    return key.size == CardSize::Normal || (key.size == CardSize::Large && key.number <= LastFace);
}

QSize PictureSize(const Key &key)
{
    const bool large = key.size == CardSize::Large && key.number <= LastFace;
    return QSize(large ? LargeWidth : NormalWidth, large ? LargeHeight : NormalHeight)
           * key.scale;
}

int Slot(const Key &key)
{
    return ((key.size == CardSize::Large ? LastNumber : 0) + key.number - FirstNumber) * MaxScale
           + key.scale - 1;
}

std::optional<Table> ReadTable(QIODevice &file)
{
    const qint64 fileSize = file.size();
    const QByteArray header = file.read(HeaderBytes);
    if (header.size() != HeaderBytes || !header.startsWith(QByteArray(Magic, sizeof Magic))
        || Read<quint32>(header.constData() + 8) != Version
        || Read<quint32>(header.constData() + 12) != quint32(ListedCount))
        return std::nullopt;
    const qint64 tableEnd = HeaderBytes + ListedCount * EntryBytes;
    const QByteArray entries = file.read(ListedCount * EntryBytes);
    if (entries.size() != ListedCount * EntryBytes)
        return std::nullopt;

    Table table{};
    for (int i = 0; i < ListedCount; ++i) {
        const char *entry = entries.constData() + i * EntryBytes;
        const Key key{Read<quint16>(entry), CardSize(Read<quint8>(entry + 2)),
                      Read<quint8>(entry + 3)};
        const qint64 offset = Read<quint32>(entry + 4);
        const qint64 length = Read<quint32>(entry + 8);
        // Each listed picture exactly once (the count makes them all), and
        // wholly inside the file past the table.
        if (!Listed(key) || table[Slot(key)].length != 0
            || length <= 0 || length > MaxPictureBytes || offset < tableEnd
            || offset + length > fileSize)
            return std::nullopt;
        table[Slot(key)] = {offset, length};
    }
    return table;
}

QByteArray Write(const std::vector<std::pair<Key, QByteArray>> &pictures)
{
    QByteArray module(Magic, sizeof Magic);
    Append<quint32>(module, Version);
    Append<quint32>(module, quint32(pictures.size()));
    qint64 offset = HeaderBytes + qint64(pictures.size()) * EntryBytes;
    for (const auto &[key, png] : pictures) {
        Append<quint16>(module, quint16(key.number));
        Append<quint8>(module, quint8(key.size));
        Append<quint8>(module, quint8(key.scale));
        Append<quint32>(module, quint32(offset));
        Append<quint32>(module, quint32(png.size()));
        offset += png.size();
    }
    for (const auto &picture : pictures)
        module += picture.second;
    return module;
}

} // namespace cardmodule
