#pragma once
// The file that holds the game's key. One RegistryFile is one opening of the
// key: it holds the lock beside the file from construction to destruction,
// so two running copies of the game change the file one after the other and
// neither loses the other's values. Reasons for failures come back in
// Italian, ready to be shown to the player.

#include <QLockFile>
#include <QString>

#include "store/registrydocument.h"

namespace quintara {

class RegistryFile {
public:
    enum class Content { Missing, Read, Unreadable, Damaged };

    // Creates the folder when needed and waits a few seconds for the lock.
    explicit RegistryFile(const QString &path);
    RegistryFile(const RegistryFile &) = delete;
    RegistryFile &operator=(const RegistryFile &) = delete;

    bool Locked() const { return LockProblem().isEmpty(); }
    // Why the lock is not held; empty when it is.
    const QString &LockProblem() const { return LockFailure; }

    // Reading needs no lock: the file is only ever replaced whole. `why` is
    // set for Unreadable. Damaged: not an export at all, or far too large.
    Content Read(RegistryDocument &document, QString &why) const;

    // With the lock held. Renames the file to the first free name ending in
    // ".bad" and returns that name; empty, with `why`, when it cannot.
    QString KeepAside(QString &why) const;

    // With the lock held. Replaces the file in one step: anyone reading sees
    // the old text or the new one, never a part of it, even if the program is
    // killed half-way; a failed write leaves the old file as it was.
    bool Save(const RegistryDocument &document, QString &why) const;

private:
    QString Path;
    QLockFile Lock;
    QString LockFailure;
};

} // namespace quintara
