#pragma once
// The command line of quintara-solve: one deal with its moves, or a range of
// deals with a line each and a summary.

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "solver/solver.h"

namespace quintara {

struct SolveCommand {
    bool help = false;
    bool range = false;          // otherwise the one deal `first`
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::int64_t budget = DefaultBudget;
};

// The arguments after the program's name; nullopt with `error` saying why
// when they make no command.
std::optional<SolveCommand> ParseSolveArguments(const QStringList &arguments, QString &error);

QString SolveUsage();

// Exit status: 0, or 1 when a solution found does not replay to a win; 130
// for a range stopped by Ctrl+C, after the summary of the deals judged.
int RunSolveCommand(const SolveCommand &command, QTextStream &out);

} // namespace quintara
