// A second copy of the game as far as the store is concerned: it finishes
// games or stores a setting over and over, so tests can race two of them,
// kill one half-way, or run one where the disk refuses to take more.
// Usage: store_writer [--fsize=BYTES | --full-at-flush] <file> wins|losses|speed <count>
// With --fsize, no file it writes may grow past BYTES (the write fails with
// EFBIG instead of killing the process). With --full-at-flush, every write
// goes through but the flush to the disk fails with ENOSPC, as on a network
// or nearly full disk that only finds out then. What the store reports goes
// to stderr, and the exit code is 1.
#include <cerrno>
#include <csignal>

#include <QCoreApplication>
#include <QTextStream>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "store/store.h"

using namespace quintara;

namespace {
bool FullAtFlush = false;
}

// Takes the place of the C library's, for the store linked into this program.
extern "C" int fsync(int fd)
{
    if (!FullAtFlush)
        return static_cast<int>(::syscall(SYS_fsync, fd));
    errno = ENOSPC;
    return -1;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (!args.isEmpty() && args.front().startsWith(QLatin1String("--fsize="))) {
        const rlim_t limit = args.takeFirst().mid(8).toULongLong();
        const rlimit fsize{limit, limit};
        if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &fsize) != 0)
            return 3;
    } else if (!args.isEmpty() && args.front() == QLatin1String("--full-at-flush")) {
        args.removeFirst();
        FullAtFlush = true;
    }
    if (args.size() != 3)
        return 2;
    SettingsStore store(args[0]);
    GameSettings settings;
    GameStatistics statistics;
    StoreReport report = store.LoadSettings(settings, statistics);
    const int count = args[2].toInt();
    for (int i = 0; i < count && report.Ok(); ++i) {
        if (args[1] == QLatin1String("speed")) {
            settings.SpeedSlider = i % 10 + 1;
            report = store.StoreSpeed(settings);
        } else {
            CountGame(statistics, args[1] == QLatin1String("wins"));
            report = store.SaveStatistics(statistics);
        }
    }
    if (report.Ok())
        return 0;
    QTextStream(stderr) << report.Text() << '\n';
    return 1;
}
