#pragma once
// The picture beside the table as read from the player's file: whole or not
// at all, never larger than the screen can show, and decoded once for as
// long as the file stays the same.

#include <sys/types.h>

#include <QImage>
#include <QString>

namespace quintara {

class SidePictureFile {
public:
    // The picture in `path` in RGB32, shrunk to fit within `most` device
    // pixels; null when the file cannot be read, is no picture, declares a
    // picture far too large or is cut short.
    QImage Load(const QString &path, QSize most);

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        qint64 modified = 0;
        qint64 changed = 0;
        bool operator==(const Stamp &) const = default;
    };

    QString loadedPath;
    Stamp loadedStamp;
    QSize loadedMost;
    QImage loaded;
};

// Whether `bytes`, if they are a BMP file, hold all the pixels their header
// declares. Other formats are left to their decoders.
bool BitmapWhole(const QByteArray &bytes);

} // namespace quintara
