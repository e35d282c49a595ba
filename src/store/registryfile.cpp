#include "store/registryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quintara {

namespace {

// A write takes milliseconds. A lock left by a copy that was killed is taken
// over at once (its process is gone); one older than this is taken over even
// if its owner still runs, since that owner can only be hanging.
constexpr int StaleLockMs = 10000;
constexpr int LockWaitMs = 5000;
// The game's key is a few hundred bytes; a file this large is not its export.
constexpr qint64 MaxFileSize = 1 << 20;
// Names tried for a damaged file before giving up.
constexpr int KeepAsideNames = 1000;

} // namespace

RegistryFile::RegistryFile(const QString &path) : Path(path), Lock(path + QStringLiteral(".lock"))
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        LockFailure = QStringLiteral("la cartella %1 non si può creare").arg(folder);
        return;
    }
    Lock.setStaleLockTime(StaleLockMs);
    if (Lock.tryLock(LockWaitMs))
        return;
    switch (Lock.error()) {
    case QLockFile::LockFailedError:
        LockFailure = QStringLiteral("il file è in uso da un'altra copia del gioco");
        break;
    case QLockFile::PermissionError:
        LockFailure = QStringLiteral("nella cartella %1 non si può creare il file di blocco").arg(folder);
        break;
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        LockFailure = QStringLiteral("il file di blocco %1.lock non si può usare").arg(path);
        break;
    }
}

RegistryFile::Content RegistryFile::Read(RegistryDocument &document, QString &why) const
{
    const QFileInfo info(Path);
    if (!info.exists())
        return Content::Missing;
    if (!info.isFile()) {
        why = QStringLiteral("non è un file");
        return Content::Unreadable;
    }
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
        return Content::Unreadable;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        why = file.errorString();
        return Content::Unreadable;
    }
    if (bytes.size() > MaxFileSize)
        return Content::Damaged;
    std::optional<RegistryDocument> parsed = RegistryDocument::Parse(bytes);
    if (!parsed)
        return Content::Damaged;
    document = std::move(*parsed);
    return Content::Read;
}

QString RegistryFile::KeepAside(QString &why) const
{
    Q_ASSERT(Locked());
    // An older damaged copy stays where it is: it may be the one still holding
    // the statistics.
    for (int n = 1; n <= KeepAsideNames; ++n) {
        const QString name = n == 1 ? Path + QStringLiteral(".bad")
                                    : QStringLiteral("%1.%2.bad").arg(Path, QString::number(n));
        if (QFileInfo::exists(name))
            continue;
        QFile file(Path);
        if (file.rename(name))
            return name;
        why = file.errorString();
        return {};
    }
    why = QStringLiteral("non c'è un nome libero");
    return {};
}

bool RegistryFile::Save(const RegistryDocument &document, QString &why) const
{
    Q_ASSERT(Locked());
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly)) {
        why = QStringLiteral("il file non si può creare (%1)").arg(file.errorString());
        return false;
    }
    file.write(document.Serialise());
    if (!file.commit()) {
        why = QStringLiteral("il file non si può scrivere (%1)").arg(file.errorString());
        return false;
    }
    return true;
}

} // namespace quintara
