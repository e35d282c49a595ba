#pragma once
// The game in progress, kept beside the statistics so that it outlives the
// program however the program ends. Each running copy of the game holds a
// place of its own for its games, for its whole run, by a lock the system
// lets go of however the copy ends; a place no running copy holds can be
// taken over together with the game it kept. So a kept game is offered to
// one copy only, and two copies never write over each other's game.
//
// The writes go to the disk on a thread of their own, with the store's
// safety (a temporary file, checked writes, a flush to the disk, a rename):
// the window hands the record over and goes on at once.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <QByteArray>
#include <QString>

namespace quintara {

class RegistryFile;

class KeptGame {
public:
    // Takes a place in `folder`, the one of a game left behind if there is one.
    explicit KeptGame(const QString &folder);
    // Waits for the last write.
    ~KeptGame();
    KeptGame(const KeptGame &) = delete;
    KeptGame &operator=(const KeptGame &) = delete;

    // What the place held when it was taken: a game left by a copy that has
    // ended (perhaps damaged), or nothing.
    const std::optional<QByteArray> &Found() const { return found; }
    const QString &Path() const { return path; }

    // The record of the game now, to be written; a newer one handed over
    // before the write began replaces it.
    void Save(const QByteArray &record);
    // No game is kept any more.
    void Drop();
    // Moves what was found aside under a name that says it is damaged: the
    // new name, or empty with `why`.
    QString SetAside(QString &why);
    // Waits until everything handed over is on the disk.
    void Flush();
    // Why the last write failed, once; empty when nothing failed since.
    QString TakeFailure();

private:
    void Write();

    std::unique_ptr<RegistryFile> file;
    QString path;
    std::optional<QByteArray> found;
    // Why no place could be taken, when none was.
    QString unclaimed;

    std::mutex mutex;
    std::condition_variable wake;
    // The next thing to do: a record to write, or nothing to remove the file.
    std::optional<std::optional<QByteArray>> pending;
    bool writing = false;
    bool stopping = false;
    QString failure;
    std::thread writer;
};

} // namespace quintara
