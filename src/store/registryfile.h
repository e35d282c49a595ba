#pragma once
// The file that holds the game's key. One RegistryFile is one opening of the
// key: it holds the lock beside the file from construction to destruction,
// so two running copies of the game change the file one after the other and
// neither loses the other's values. Reasons for failures come back in
// Italian, ready to be shown to the player.

#include <functional>

#include <QByteArray>
#include <QString>

namespace quintara {

class RegistryFile {
public:
    // TooLarge: far larger than any export of the game's key. NotAFile:
    // something else under the file's name (a FIFO, a device, a socket).
    enum class Content { Missing, Read, Unreadable, TooLarge, NotAFile };

    // A write takes milliseconds; a copy that holds the lock longer is hanging.
    static constexpr int LockWaitMs = 5000;

    // Creates the folder when needed and waits up to `waitMs` for the lock.
    explicit RegistryFile(const QString &path, int waitMs = LockWaitMs);
    ~RegistryFile();
    RegistryFile(const RegistryFile &) = delete;
    RegistryFile &operator=(const RegistryFile &) = delete;

    bool Locked() const { return LockFd >= 0; }
    // Why the lock is not held; empty when it is.
    const QString &LockProblem() const { return LockFailure; }

    // The whole file; `why` is set for Unreadable. A file larger than is
    // kept in memory comes back as TooLarge, with nothing in `bytes`: given
    // `large`, the whole of it was handed to it piece by piece, in order.
    Content Read(QByteArray &bytes, QString &why,
                 const std::function<void(QByteArrayView)> &large = {}) const;

    // With the lock held. A copy of `bytes` beside the file, under the first
    // free name that says it is a damaged file; earlier copies are never
    // overwritten. Returns its name; empty, with `why`, when it cannot.
    QString KeepCopy(const QByteArray &bytes, QString &why) const;
    // The same, moving the file itself there.
    QString KeepAside(QString &why) const;

    // With the lock held. Replaces the file (through a link, the file it
    // points at) in one step: anyone reading sees
    // the old text or the new one, never a part of it, even if the program is
    // killed half-way; a write that fails anywhere, the last flush to the disk
    // included, leaves the old file as it was and returns false.
    bool Save(const QByteArray &bytes, QString &why) const;
    // With the lock held. Removes the file; one already gone is no failure.
    bool Remove(QString &why) const;

    // The system's error number said in the player's words.
    static QString Cause(int error);

private:
    QString KeptName(int n) const;
    QString Target() const;
    static int CreateTemporary(const QString &target, QByteArray &name);

    QString Path;
    QString LockPath;
    int LockFd = -1;
    QString LockFailure;
};

} // namespace quintara
