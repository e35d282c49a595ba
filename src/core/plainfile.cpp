#include "core/plainfile.h"

#include <cerrno>
#include <functional>

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quintara {

int OpenPlainFile(const QString &path, int &error)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error = NotAPlainFile;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        error = errno;
    else
        return fd;
    ::close(fd);
    return -1;
}

int ReadPieces(int fd, const std::function<bool(QByteArrayView)> &take)
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0 || !take(QByteArrayView(chunk, got)))
            return 0;
    }
}

int ReadPlainFile(const QString &path, qint64 limit, QByteArray &bytes)
{
    bytes.clear();
    int error = 0;
    const int fd = OpenPlainFile(path, error);
    if (fd < 0)
        return error;
    bool tooLarge = false;
    error = ReadPieces(fd, [&](QByteArrayView piece) {
        tooLarge = bytes.size() + piece.size() > limit;
        if (!tooLarge)
            bytes.append(piece);
        return !tooLarge;
    });
    ::close(fd);
    if (tooLarge)
        error = EFBIG;
    if (error != 0)
        bytes.clear();
    return error;
}

} // namespace quintara
