#include "table/sidepicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <sys/stat.h>

#include "core/plainfile.h"

namespace quintara {

namespace {

// A picture file larger than this is no picture for a side window.
constexpr qint64 MaxFileBytes = 256 << 20;
// What a decoder may be asked to make, whatever the file's few bytes
// declare (a 1 KB run-length file can declare 5700 x 5700).
constexpr qint64 MaxPixels = 4096 * 4096;

template <typename T> T At(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

// Walks a run-length picture to its end mark; false when the data stops first.
bool RunLengthWhole(const QByteArray &bytes, qint64 at, bool fourBits)
{
    const qint64 size = bytes.size();
    while (at + 2 <= size) {
        const quint8 count = quint8(bytes[at]);
        const quint8 code = quint8(bytes[at + 1]);
        at += 2;
        if (count > 0 || code == 0)
            continue;                 // a run, or the end of a line
        if (code == 1)
            return true;              // the end of the picture
        if (code == 2) {
            at += 2;                  // a jump
            continue;
        }
        const qint64 literal = fourBits ? (code + 1) / 2 : code;
        at += literal + (literal & 1);
    }
    return false;
}

} // namespace

bool BitmapWhole(const QByteArray &bytes)
{
    if (!bytes.startsWith("BM"))
        return true;
    if (bytes.size() < 26)
        return false;
    const qint64 offset = At<quint32>(bytes, 10);
    const quint32 header = At<quint32>(bytes, 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    quint32 compression = 0;
    if (header == 12) {
        width = At<quint16>(bytes, 18);
        height = At<quint16>(bytes, 20);
        bits = At<quint16>(bytes, 24);
    } else if (header >= 40 && bytes.size() >= 34) {
        width = At<qint32>(bytes, 18);
        height = At<qint32>(bytes, 22);
        bits = At<quint16>(bytes, 28);
        compression = At<quint32>(bytes, 30);
    } else {
        return false;
    }
    switch (compression) {
    case 0:    // plain rows
    case 3:    // rows with bit fields
    case 6: {
        const qint64 row = (width * bits + 31) / 32 * 4;
        return width >= 0 && row >= 0 && offset + row * std::abs(height) <= bytes.size();
    }
    case 1:
        return RunLengthWhole(bytes, offset, false);
    case 2:
        return RunLengthWhole(bytes, offset, true);
    default:
        return true;
    }
}

QImage SidePictureFile::Load(const QString &path, QSize most)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QImage();
    const Stamp stamp{info.st_dev, info.st_ino, info.st_size,
                      qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec,
                      qint64(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec};
    if (!loaded.isNull() && path == loadedPath && stamp == loadedStamp && most == loadedMost)
        return loaded;

    loaded = QImage();
    loadedPath = path;
    loadedStamp = stamp;
    loadedMost = most;
    QByteArray bytes;
    if (ReadPlainFile(path, MaxFileBytes, bytes) != 0 || !BitmapWhole(bytes))
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize declared = reader.size();
    if (!declared.isValid() || qint64(declared.width()) * declared.height() > MaxPixels)
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    image = image.convertToFormat(QImage::Format_RGB32);
    // Stretched over the side area anyway: what the screen cannot show is
    // not kept.
    const QSize kept = image.size().boundedTo(most);
    if (kept != image.size())
        image = image.scaled(kept, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    loaded = image;
    return loaded;
}

} // namespace quintara
