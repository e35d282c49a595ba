// quintara-solve: can this deal be won? See SolveUsage for the arguments.

#include <cstdio>

#include <QTextStream>

#include "solver/solvecommand.h"

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QString error;
    const std::optional<quintara::SolveCommand> command = quintara::ParseSolveArguments(arguments, error);
    if (!command) {
        QTextStream err(stderr);
        err << "quintara-solve: " << error << '\n' << quintara::SolveUsage();
        return 2;
    }
    QTextStream out(stdout);
    return quintara::RunSolveCommand(*command, out);
}
