#include "store/registryfile.h"

#include "core/plainfile.h"

#include <cerrno>
#include <climits>
#include <chrono>
#include <cstdio>
#include <thread>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

namespace quintara {

namespace {

constexpr auto LockRetry = std::chrono::milliseconds(5);
// The game's key is a few hundred bytes; a file this large is not its export.
constexpr qint64 MaxFileSize = 1 << 20;
// Names tried for a kept copy before giving up.
constexpr int KeptNames = 1000;

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

// Every byte or the error number of the write that failed.
int WriteAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= written;
    }
    return 0;
}

// Writes, flushes to the disk and closes: the error number of the first step
// that failed, 0 when all went through. The file is closed in every case.
int WriteAndClose(int fd, const QByteArray &bytes)
{
    int error = WriteAll(fd, bytes);
    // A disk that fills up may only say so when the data really goes to it.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

mode_t CurrentUmask()
{
    // Read by setting it: there is no other way, and nothing runs beside us.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// mkdir -p, keeping the error number of the step that failed.
int MakeFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return 0;
    if (info.exists())
        return ENOTDIR;
    const QString parent = info.absolutePath();
    if (parent != folder) {
        if (const int error = MakeFolder(parent))
            return error;
    }
    if (::mkdir(Native(folder).constData(), 0777) != 0 && errno != EEXIST)
        return errno;
    return 0;
}

} // namespace

QString RegistryFile::Cause(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("il disco è pieno");
    case EDQUOT: return QStringLiteral("lo spazio concesso sul disco è finito");
    case EFBIG: return QStringLiteral("il file supera la grandezza permessa");
    case EROFS: return QStringLiteral("il disco si può solo leggere");
    case EACCES:
    case EPERM: return QStringLiteral("mancano i permessi");
    case EIO: return QStringLiteral("il disco ha dato un errore");
    case ENOTDIR: return QStringLiteral("nel percorso c'è un file dove ci vuole una cartella");
    case EISDIR: return QStringLiteral("al posto del file c'è una cartella");
    case ENOENT: return QStringLiteral("la cartella non esiste");
    case ENAMETOOLONG: return QStringLiteral("il percorso è troppo lungo");
    case ELOOP: return QStringLiteral("il percorso gira in tondo tra collegamenti");
    case EMFILE:
    case ENFILE: return QStringLiteral("ci sono troppi file aperti");
    case ENOMEM: return QStringLiteral("manca la memoria");
    case EEXIST: return QStringLiteral("non c'è un nome libero");
    case NotAPlainFile: return QStringLiteral("al posto del file c'è qualcosa che non è un file");
    default: return QStringLiteral("errore di sistema numero %1").arg(error);
    }
}

RegistryFile::RegistryFile(const QString &path, int waitMs) : Path(path), LockPath(path + QStringLiteral(".lock"))
{
    const QString folder = QFileInfo(path).absolutePath();
    if (const int error = MakeFolder(folder)) {
        LockFailure = QStringLiteral("la cartella %1 non si può creare (%2)").arg(folder, Cause(error));
        return;
    }
    // The kernel lets go of a lock when its process ends, however it ends, so
    // a lock file left by a copy that was killed holds nobody up, whatever it
    // holds. Only a copy that is alive and hanging makes the others wait.
    const QByteArray lockPath = Native(LockPath);
    bool retried = false;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        // Never blocking: something other than a file under the lock's name
        // (a FIFO would wait for a writer for ever) is no lock of a live copy.
        int fd = ::open(lockPath.constData(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
        int error = fd < 0 ? errno : 0;
        struct stat held {};
        if (fd >= 0 && (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode))) {
            error = S_ISDIR(held.st_mode) ? EISDIR : NotAPlainFile;
            ::close(fd);
            fd = -1;
        }
        if (fd < 0) {
            // One left behind that we may not open is no lock of a live copy we could share.
            if ((error == EACCES || error == EPERM || error == NotAPlainFile) && !retried
                && ::unlink(lockPath.constData()) == 0) {
                retried = true;
                continue;
            }
            LockFailure = QStringLiteral("il file di blocco %1 non si può aprire (%2)").arg(LockPath, Cause(error));
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The copy before us may have removed the file between our open and
            // our lock: then the lock is on a file nobody else will look at.
            struct stat named {};
            if (::stat(lockPath.constData(), &named) == 0 && held.st_ino == named.st_ino
                && held.st_dev == named.st_dev) {
                LockFd = fd;
                return;
            }
            ::close(fd);
            continue;
        }
        error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR) {
            LockFailure = QStringLiteral("il file di blocco %1 non si può usare (%2)").arg(LockPath, Cause(error));
            return;
        }
        if (waited.elapsed() >= waitMs) {
            LockFailure = QStringLiteral("il file è in uso da un'altra copia del gioco");
            return;
        }
        std::this_thread::sleep_for(LockRetry);
    }
}

RegistryFile::~RegistryFile()
{
    if (LockFd < 0)
        return;
    // Removed while still held, so a copy that opens it afterwards finds a new file.
    ::unlink(Native(LockPath).constData());
    ::close(LockFd);
}

RegistryFile::Content RegistryFile::Read(QByteArray &bytes, QString &why,
                                         const std::function<void(QByteArrayView)> &large) const
{
    bytes.clear();
    int error = 0;
    const int fd = OpenPlainFile(Path, error);
    if (fd < 0) {
        if (error == ENOENT || error == ENOTDIR)
            return Content::Missing;
        if (error == NotAPlainFile)
            return Content::NotAFile;
        why = Cause(error);
        return Content::Unreadable;
    }
    bool tooLarge = false;
    error = ReadPieces(fd, [&](QByteArrayView piece) {
        if (tooLarge) {
            large(piece);
            return true;
        }
        bytes.append(piece);
        if (bytes.size() <= MaxFileSize)
            return true;
        // Without a reader for the rest, reading stops just past the limit;
        // with one, the file is only read through from here on.
        if (!large)
            return false;
        tooLarge = true;
        large(bytes);
        bytes.clear();
        return true;
    });
    ::close(fd);
    if (error != 0) {
        bytes.clear();
        why = Cause(error);
        return Content::Unreadable;
    }
    return tooLarge || bytes.size() > MaxFileSize ? Content::TooLarge : Content::Read;
}

QString RegistryFile::KeptName(int n) const
{
    // registry.reg -> registry-danneggiato.reg, registry-danneggiato-2.reg, ...
    const QFileInfo info(Path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QString number = n == 1 ? QString() : QStringLiteral("-%1").arg(n);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral("-danneggiato") + number
           + suffix;
}

QString RegistryFile::KeepCopy(const QByteArray &bytes, QString &why) const
{
    Q_ASSERT(Locked());
    for (int n = 1; n <= KeptNames; ++n) {
        const QString name = KeptName(n);
        const QByteArray native = Native(name);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            why = Cause(errno);
            return {};
        }
        if (const int error = WriteAndClose(fd, bytes)) {
            ::unlink(native.constData());
            why = Cause(error);
            return {};
        }
        return name;
    }
    why = Cause(EEXIST);
    return {};
}

QString RegistryFile::KeepAside(QString &why) const
{
    Q_ASSERT(Locked());
    const QByteArray from = Native(Path);
    for (int n = 1; n <= KeptNames; ++n) {
        const QString name = KeptName(n);
        const QByteArray to = Native(name);
        int result = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (result != 0 && errno == EINVAL) {
            // A file system that cannot refuse to replace: a second name, then drop the first.
            result = ::link(from.constData(), to.constData());
            if (result == 0)
                ::unlink(from.constData());
        }
        if (result == 0)
            return name;
        if (errno == EEXIST)
            continue;
        why = Cause(errno);
        return {};
    }
    why = Cause(EEXIST);
    return {};
}

QString RegistryFile::Target() const
{
    // A link (a dotfile manager keeps the real file elsewhere) is written
    // through: the new file replaces the one the link points at, and the
    // link stays. Followed by hand, so that a link to a file not yet made
    // still names where it is to go.
    QString path = Path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(Native(path).constData(), target, sizeof target - 1);
        if (length <= 0)
            return path;
        target[length] = 0;
        path = QDir(info.absolutePath()).absoluteFilePath(QFile::decodeName(target));
    }
    return Path;
}

int RegistryFile::CreateTemporary(const QString &target, QByteArray &name)
{
    // Only the holder of the lock writes, so one name serves; a copy killed
    // half-way may have left it behind. Something there that cannot be
    // removed (a folder of that name) leaves the choice to the system.
    name = Native(target + QStringLiteral(".nuovo"));
    ::unlink(name.constData());
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST)
        return fd;
    name = Native(target + QStringLiteral(".nuovo-XXXXXX"));
    return ::mkostemp(name.data(), O_CLOEXEC);
}

bool RegistryFile::Save(const QByteArray &bytes, QString &why) const
{
    Q_ASSERT(Locked());
    const QString targetPath = Target();
    const QByteArray target = Native(targetPath);
    QByteArray temporary;
    const int fd = CreateTemporary(targetPath, temporary);
    if (fd < 0) {
        why = Cause(errno);
        return false;
    }
    struct stat old {};
    // mkostemp makes the file private; the file it replaces sets the rights.
    if (::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    else
        ::fchmod(fd, 0666 & ~CurrentUmask());
    int error = WriteAndClose(fd, bytes);
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        why = Cause(error);
        return false;
    }
    // The new name is in place for every reader now; making the folder's
    // entry durable is the disk's business, and a failure there could not
    // bring the old file back.
    const int folder = ::open(Native(QFileInfo(targetPath).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool RegistryFile::Remove(QString &why) const
{
    Q_ASSERT(Locked());
    if (::unlink(Native(Path).constData()) != 0 && errno != ENOENT) {
        why = Cause(errno);
        return false;
    }
    return true;
}

} // namespace quintara
