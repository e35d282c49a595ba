#include "solver/solvecommand.h"

#include <sys/resource.h>

#include <csignal>
#include <functional>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/deal.h"

namespace quintara {

namespace {

std::optional<std::uint64_t> ParseNumber(const QString &text, std::uint64_t max)
{
    if (text.isEmpty() || text.size() > 20
        || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value > max)
        return std::nullopt;
    return value;
}

QString VerdictWord(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Solved:
        return QStringLiteral("risolta");
    case Verdict::Impossible:
        return QStringLiteral("impossibile");
    case Verdict::Undecided:
        return QStringLiteral("indecisa");
    case Verdict::InvalidPosition:
        break;
    }
    return QStringLiteral("non valida");
}

QString Seconds(double seconds) { return QString::number(seconds, 'f', 3) + QStringLiteral(" s"); }

QString Share(int part, int whole)
{
    return QStringLiteral("%1 (%2%)").arg(part).arg(whole ? 100.0 * part / whole : 0.0, 0, 'f', 2);
}

long PeakMemoryKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Solves the deal and plays the solution through the game's own moves again.
struct Checked {
    SolveResult result;
    bool replayed = true;
};

// Set by Ctrl+C during a range: the deal under way is given up, the deals
// judged so far are summed up.
volatile std::sig_atomic_t interrupted = 0;

void Interrupt(int)
{
    interrupted = 1;
}

Checked SolveChecked(std::uint32_t seed, std::int64_t budget, std::function<bool()> stop = nullptr)
{
    Table table;
    Checked checked{SolveDeal(seed, SolveOptions{budget, std::move(stop)}, &table)};
    if (checked.result.verdict == Verdict::Solved) {
        checked.replayed = ReplaySolution(table, DefaultPileSuit, true, checked.result.moves).won;
    }
    return checked;
}

int RunOne(const SolveCommand &command, QTextStream &out)
{
    const Checked checked = SolveChecked(command.first, command.budget);
    const SolveResult &r = checked.result;
    out << QStringLiteral("Partita %1: %2").arg(command.first).arg(VerdictWord(r.verdict));
    if (r.verdict == Verdict::Solved)
        out << QStringLiteral(" in %1 mosse").arg(r.moves.size());
    else if (r.verdict == Verdict::Impossible)
        out << QStringLiteral(": nessuna delle posizioni raggiungibili è vinta");
    else if (r.verdict == Verdict::Undecided)
        out << QStringLiteral(": limite di %1 posizioni raggiunto").arg(command.budget);
    out << QStringLiteral("\nPosizioni esaminate: %1, tempo di calcolo: %2\n").arg(r.positions).arg(Seconds(r.seconds));
    for (std::size_t i = 0; i < r.moves.size(); ++i) {
        const Move &move = r.moves[i];
        out << QStringLiteral("%1. ").arg(i + 1, 4) << MoveText(move).leftJustified(36)
            << CardText(move.card) << '\n';
    }
    if (!checked.replayed) {
        out << QStringLiteral("ERRORE: la soluzione non porta alla vittoria nel gioco\n");
        return 1;
    }
    return 0;
}

int RunRange(const SolveCommand &command, QTextStream &out)
{
    std::array<int, 4> verdicts{};
    std::vector<double> times;
    std::int64_t positions = 0;
    double total = 0;
    std::uint32_t slowest = command.first;
    double slowestTime = -1;
    bool allReplayed = true;
    interrupted = 0;
    struct sigaction action {};
    struct sigaction before {};
    action.sa_handler = Interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &before);
    std::uint64_t last = command.first;
    for (std::uint64_t seed = command.first; seed <= command.last && !interrupted; ++seed) {
        const Checked checked = SolveChecked(static_cast<std::uint32_t>(seed), command.budget,
                                             [] { return interrupted != 0; });
        if (interrupted)
            break;
        last = seed;
        const SolveResult &r = checked.result;
        ++verdicts[static_cast<int>(r.verdict)];
        times.push_back(r.seconds);
        positions += r.positions;
        total += r.seconds;
        if (r.seconds > slowestTime) {
            slowestTime = r.seconds;
            slowest = static_cast<std::uint32_t>(seed);
        }
        out << QStringLiteral("%1  %2").arg(seed, 10).arg(VerdictWord(r.verdict), -12)
            << QStringLiteral("%1 mosse  %2 posizioni  %3")
                   .arg(r.moves.size(), 4)
                   .arg(r.positions, 9)
                   .arg(Seconds(r.seconds));
        if (!checked.replayed) {
            out << QStringLiteral("  ERRORE: la soluzione non porta alla vittoria");
            allReplayed = false;
        }
        out << Qt::endl;
    }

    sigaction(SIGINT, &before, nullptr);

    const int count = static_cast<int>(times.size());
    if (interrupted)
        out << QStringLiteral("\nInterrotto: somma delle partite giudicate fin qui.\n");
    if (count == 0)
        return interrupted ? 130 : 0;
    std::sort(times.begin(), times.end());
    const double median = count % 2 ? times[count / 2] : (times[count / 2 - 1] + times[count / 2]) / 2;
    const double p99 = times[std::max(0, static_cast<int>(std::ceil(0.99 * count)) - 1)];
    out << QStringLiteral("\nPartite: %1 (numeri da %2 a %3), limite %4 posizioni per partita\n")
               .arg(count).arg(command.first).arg(last).arg(command.budget)
        << QStringLiteral("Risolte: %1   impossibili: %2   indecise: %3\n")
               .arg(Share(verdicts[0], count), Share(verdicts[1], count), Share(verdicts[2], count))
        << QStringLiteral("Tempo di calcolo per partita: mediana %1, 99° percentile %2, totale %3\n")
               .arg(Seconds(median), Seconds(p99), Seconds(total))
        << QStringLiteral("La più lenta: partita %1 (%2)\n").arg(slowest).arg(Seconds(slowestTime))
        << QStringLiteral("Posizioni: %1, %2 al secondo\n")
               .arg(positions)
               .arg(total > 0 ? static_cast<qint64>(positions / total) : 0)
        << QStringLiteral("Memoria massima: %1 MiB\n").arg(PeakMemoryKiB() / 1024.0, 0, 'f', 1);
    if (interrupted)
        return 130;
    return allReplayed ? 0 : 1;
}

} // namespace

QString SolveUsage()
{
    return QStringLiteral("Uso: quintara-solve NUMERO [--budget N]\n"
                          "     quintara-solve --range A B [--budget N]\n"
                          "     quintara-solve --version\n"
                          "NUMERO, A e B: numeri di partita da 0 a %1; N posizioni per partita, da 1 a %2 (%3 se non dato).\n")
        .arg(LastDealNumber)
        .arg(MaxBudget)
        .arg(DefaultBudget);
}

std::optional<SolveCommand> ParseSolveArguments(const QStringList &arguments, QString &error)
{
    SolveCommand command;
    bool haveSeed = false;
    bool haveBudget = false;
    // A seed is the deal's number as the game shows it, read as the game reads it.
    const auto seedAt = [&](int i, std::uint32_t &seed) {
        QString why;
        const auto value = ParseDealNumber(arguments.value(i), why);
        if (!value)
            error = QStringLiteral("numero di partita non valido: \"%1\". %2").arg(arguments.value(i), why);
        else
            seed = *value;
        return value.has_value();
    };

    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            command.help = true;
            return command;
        }
        if (arg == QLatin1String("--budget")) {
            const auto value = ParseNumber(arguments.value(i + 1), MaxBudget);
            if (haveBudget || !value || *value == 0) {
                error = haveBudget ? QStringLiteral("--budget dato due volte")
                                   : QStringLiteral("--budget vuole un numero da 1 a %1, non \"%2\"")
                                         .arg(MaxBudget).arg(arguments.value(i + 1));
                return std::nullopt;
            }
            command.budget = static_cast<std::int64_t>(*value);
            haveBudget = true;
            ++i;
        } else if (arg == QLatin1String("--range")) {
            if (haveSeed || command.range) {
                error = QStringLiteral("un solo numero o un solo intervallo");
                return std::nullopt;
            }
            if (i + 2 >= arguments.size()) {
                error = QStringLiteral("--range vuole due numeri, A e B");
                return std::nullopt;
            }
            if (!seedAt(i + 1, command.first) || !seedAt(i + 2, command.last))
                return std::nullopt;
            if (command.first > command.last) {
                error = QStringLiteral("intervallo vuoto: %1 è maggiore di %2").arg(command.first).arg(command.last);
                return std::nullopt;
            }
            command.range = true;
            i += 2;
        } else if (arg.startsWith(u'-')) {
            error = QStringLiteral("opzione sconosciuta: \"%1\"").arg(arg);
            return std::nullopt;
        } else {
            if (haveSeed || command.range) {
                error = QStringLiteral("un solo numero o un solo intervallo");
                return std::nullopt;
            }
            if (!seedAt(i, command.first))
                return std::nullopt;
            haveSeed = true;
        }
    }
    if (!haveSeed && !command.range) {
        error = QStringLiteral("manca il numero della partita");
        return std::nullopt;
    }
    return command;
}

int RunSolveCommand(const SolveCommand &command, QTextStream &out)
{
    if (command.help) {
        out << SolveUsage();
        return 0;
    }
    return command.range ? RunRange(command, out) : RunOne(command, out);
}

} // namespace quintara
