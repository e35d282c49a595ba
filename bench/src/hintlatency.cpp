// How long a player waits for "Suggerimento": hints asked from positions met
// along many games, each searched exactly as the table searches it (same
// limits, same cap), timed on the wall clock. Positions come from the
// solver's winning line of each deal, and from a few random legal moves off
// that line, where a game may already be lost.
//
//   quintara-hint-latency [GAMES [FIRST_SEED]]

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include <QCoreApplication>
#include <QStringList>

#include "core/automove.h"
#include "core/deal.h"
#include "core/gamestate.h"
#include "solver/hintsearch.h"

using namespace quintara;

namespace {

struct Sample {
    double ms;
    Verdict verdict;
};

double Percentile(const std::vector<double> &sorted, double share)
{
    const std::size_t i = std::min(sorted.size() - 1, static_cast<std::size_t>(share * sorted.size()));
    return sorted[i];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int games = args.size() > 1 ? args[1].toInt() : 1000;
    const std::uint32_t first = args.size() > 2 ? args[2].toUInt() : 0;
    const HintLimits limits = LimitsFor(HintQuestion::NextMove);
    const std::atomic<bool> never{false};
    std::mt19937 rng(20261209);

    std::vector<Sample> samples;
    int unsolvedDeals = 0;
    std::vector<Move> legal;
    for (int g = 0; g < games; ++g) {
        GameState deal;
        ResetTable(deal);
        ShuffleAndDeal(deal, first + static_cast<std::uint32_t>(g));
        HintPosition position{deal.table, deal.deal.GamePileSuit, true};

        // The deal itself is the first position a player may ask about.
        const HintAnswer start = SearchFrom(position, limits, never);
        samples.push_back({start.seconds * 1000, start.verdict});
        const SolveResult line = Solve(position.table, position.pileSuit, true);
        if (line.verdict != Verdict::Solved) {
            ++unsolvedDeals;
            continue;
        }
        // Four more points along the line, and a stray from each.
        const std::size_t length = line.moves.size();
        std::size_t played = 0;
        for (int k = 1; k <= 4; ++k) {
            const std::size_t upTo = length * k / 5;
            for (; played < upTo; ++played)
                PlayMove(position.table, position.pileSuit, position.autoMoveHold, line.moves[played]);
            const HintAnswer onLine = SearchFrom(position, limits, never);
            samples.push_back({onLine.seconds * 1000, onLine.verdict});

            HintPosition stray = position;
            for (int step = 0; step < 3; ++step) {
                ListMoves(stray.table, stray.pileSuit, MoveSet::Every, legal);
                if (legal.empty() || stray.table.FoundationLevel >= 13)
                    break;
                PlayMove(stray.table, stray.pileSuit, stray.autoMoveHold, legal[rng() % legal.size()]);
            }
            if (stray.table.FoundationLevel >= 13)
                continue;
            const HintAnswer offLine = SearchFrom(stray, limits, never);
            samples.push_back({offLine.seconds * 1000, offLine.verdict});
        }
    }

    std::vector<double> ms;
    std::array<int, 4> verdicts{};
    for (const Sample &s : samples) {
        ms.push_back(s.ms);
        ++verdicts[static_cast<int>(s.verdict)];
    }
    std::sort(ms.begin(), ms.end());
    std::printf("Hints: %zu positions from %d games (seeds %u..%u), limit %lld ms, %lld positions\n",
                ms.size(), games, first, first + games - 1, static_cast<long long>(limits.time.count()),
                static_cast<long long>(limits.budget));
    std::printf("Answers: winning move %d, lost %d, not found in time %d; deals without a line: %d\n",
                verdicts[0], verdicts[1], verdicts[2], unsolvedDeals);
    std::printf("Wall time per hint: median %.1f ms, p90 %.1f ms, p99 %.1f ms, max %.1f ms\n",
                Percentile(ms, 0.5), Percentile(ms, 0.9), Percentile(ms, 0.99), ms.back());
    const bool met = Percentile(ms, 0.99) < 100 && ms.back() < 1000;
    std::printf("Goal p99 < 100 ms, max < 1000 ms: %s\n", met ? "met" : "NOT met");
    return 0;
}
