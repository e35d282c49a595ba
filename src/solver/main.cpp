// quintara-solve: can this deal be won? See SolveUsage for the arguments.

#include <cstdio>

#include <QTextStream>

#include "solver/solvecommand.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    if (arguments.contains(QLatin1String("--version"))) {
        QTextStream(stdout) << "quintara-solve " QUINTARA_VERSION "\n";
        return 0;
    }
    QString error;
    const std::optional<quintara::SolveCommand> command = quintara::ParseSolveArguments(arguments, error);
    if (!command) {
        QTextStream(stderr) << "quintara-solve: " << error << " (quintara-solve --help per l'uso)\n";
        return 2;
    }
    QTextStream out(stdout);
    return quintara::RunSolveCommand(*command, out);
}
