#include "store/keptgame.h"

#include <utility>

#include "store/registryfile.h"

namespace quintara {

namespace {

// More copies of the game at once than anyone plays.
constexpr int Places = 8;

QString PlacePath(const QString &folder, int n)
{
    return folder + (n == 1 ? QStringLiteral("/partita.rec") : QStringLiteral("/partita-%1.rec").arg(n));
}

} // namespace

KeptGame::KeptGame(const QString &folder)
{
    std::unique_ptr<RegistryFile> spare;
    for (int n = 1; n <= Places && !file; ++n) {
        // A place whose lock is held belongs to a running copy: never wait for it.
        auto place = std::make_unique<RegistryFile>(PlacePath(folder, n), 0);
        if (!place->Locked()) {
            unclaimed = place->LockProblem();
            continue;
        }
        QByteArray bytes;
        QString why;
        const RegistryFile::Content content = place->Read(bytes, why);
        if (content == RegistryFile::Content::Missing) {
            if (!spare) {
                spare = std::move(place);
                path = PlacePath(folder, n);
            }
            continue;
        }
        // Anything else under the name was a game once: offered, or set aside as damaged.
        found = bytes;
        file = std::move(place);
        path = PlacePath(folder, n);
    }
    if (!file)
        file = std::move(spare);
    if (file)
        writer = std::thread([this] { Write(); });
}

KeptGame::~KeptGame()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    if (writer.joinable())
        writer.join();
}

void KeptGame::Save(const QByteArray &record)
{
    {
        const std::lock_guard lock(mutex);
        if (!writer.joinable()) {
            // No place could be had: each save says why, so the window can tell it.
            failure = unclaimed;
            return;
        }
        pending.emplace(record);
    }
    wake.notify_all();
}

void KeptGame::Drop()
{
    {
        const std::lock_guard lock(mutex);
        pending.emplace(std::nullopt);
    }
    wake.notify_all();
}

void KeptGame::Flush()
{
    std::unique_lock lock(mutex);
    wake.wait(lock, [this] { return !writer.joinable() || (!pending && !writing); });
}

QString KeptGame::TakeFailure()
{
    const std::lock_guard lock(mutex);
    return std::exchange(failure, QString());
}

QString KeptGame::SetAside(QString &why)
{
    Flush();
    found.reset();
    if (!file) {
        why = QStringLiteral("la cartella non si può usare");
        return {};
    }
    return file->KeepAside(why);
}

void KeptGame::Write()
{
    std::unique_lock lock(mutex);
    for (;;) {
        wake.wait(lock, [this] { return pending || stopping; });
        if (!pending)
            return;   // stopping, with everything written
        const std::optional<QByteArray> next = std::exchange(pending, std::nullopt).value();
        writing = true;
        lock.unlock();
        QString why;
        const bool ok = next ? file->Save(*next, why) : file->Remove(why);
        lock.lock();
        writing = false;
        if (!ok)
            failure = why;
        wake.notify_all();
    }
}

} // namespace quintara
