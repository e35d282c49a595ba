#pragma once
// Opening a file the player may have replaced by anything: a FIFO with no
// writer, a device or a socket would block a plain open() or read() for
// ever. Only a regular file is opened, and the opening itself never waits.

#include <functional>

#include <QByteArray>
#include <QString>

namespace quintara {

// The error number given for a name that holds something other than a
// regular file or a folder (EISDIR stays for a folder).
inline constexpr int NotAPlainFile = -1;

// Opens `path` (following links) for reading: the descriptor, blocking as
// usual from then on, or -1 with `error` set to the system's error number or
// to NotAPlainFile.
int OpenPlainFile(const QString &path, int &error);

// Reads `fd` to its end, a piece at a time, while `take` says to go on.
// Returns 0, or the error number of the read that failed.
int ReadPieces(int fd, const std::function<bool(QByteArrayView)> &take);

// Reads the whole of `path` into `bytes` when it is a regular file of at most
// `limit` bytes. Returns 0, or the error number (NotAPlainFile, EFBIG past
// the limit, ENOENT for a missing file...).
int ReadPlainFile(const QString &path, qint64 limit, QByteArray &bytes);

} // namespace quintara
