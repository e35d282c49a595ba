#include "app/commandline.h"

#include <QString>
#include <QTextStream>

namespace quintara {

std::optional<int> AnswerCommandLine(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            QTextStream(stdout) << "Uso: quintara [--help | --version]\n"
                                   "Apre il tavolo del solitario; le partite si scelgono dal menù Gioco.\n"
                                   "  -h, --help     scrive questo aiuto ed esce\n"
                                   "      --version  scrive la versione ed esce\n";
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            QTextStream(stdout) << "quintara " QUINTARA_VERSION "\n";
            return 0;
        }
    }
    // Qt's own options are not taken either: the environment (QT_QPA_PLATFORM,
    // QT_SCALE_FACTOR ...) sets the same without a display being opened first.
    if (argc > 1) {
        const QString arg = QString::fromLocal8Bit(argv[1]);
        QTextStream(stderr) << QStringLiteral("quintara: %1: \"%2\" (quintara --help per l'uso)\n")
                                   .arg(arg.startsWith(u'-') ? QStringLiteral("opzione sconosciuta")
                                                             : QStringLiteral("argomento inatteso"),
                                        arg);
        return 2;
    }
    return std::nullopt;
}

} // namespace quintara
