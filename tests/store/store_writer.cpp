// A second copy of the game as far as the store is concerned: it stores one
// group of values over and over, so tests can race two of them and kill one
// half-way. Usage: store_writer <file> statistics|speed <count>
#include <QCoreApplication>
#include <QTextStream>

#include "store/store.h"

using namespace quintara;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    SettingsStore store(args[1]);
    const bool statistics = args[2] == QLatin1String("statistics");
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        GameStatistics record{i, i, i, i, i, 0, 0};
        GameSettings settings;
        settings.SpeedSlider = i % 10 + 1;
        const StoreReport report =
            statistics ? store.SaveStatistics(record) : store.StoreSpeed(settings);
        if (!report.Ok()) {
            QTextStream(stderr) << report.Text() << '\n';
            return 1;
        }
    }
    return 0;
}
