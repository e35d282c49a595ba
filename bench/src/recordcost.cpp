// What keeping the game costs: the time one save takes on the window's own
// thread (writing the record as text and handing it to the writer), the time
// until that save is on the disk, and the time to put a long game back on
// the table from its record at the next start.
//
//   quintara-record-cost [SAVES [LONG_ENTRIES]]
//
// The records are built by playing as the game does: the player's move, then
// the cards it sends home one by one, with undos now and then, and each record
// is checked by the replay before it is timed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include "core/automove.h"
#include "core/deal.h"
#include "core/record.h"
#include "core/rules.h"
#include "moves/legalmoves.h"
#include "solver/solver.h"
#include "store/keptgame.h"

using namespace quintara;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const std::size_t i = std::min(values.size() - 1, static_cast<std::size_t>(share * values.size()));
    return values[i];
}

// A game as the window plays it, kept entry by entry the way the record
// keeps it, with the tables a player's undo goes back to.
class Player {
public:
    Player(std::uint32_t deal) : table(DealtTable(deal)) { record.deal = deal; }

    // The move as the record will give it to the replay: places, count and
    // answer from the move, the rest judged on the table. False when the
    // table does not allow it so.
    bool Play(const Move &chosen)
    {
        Settle();
        const RecordEntry entry = Recorded(RecordStep::Player, chosen);
        Move move = entry.move;
        const MoveSource source = SourceOf(table, move.fromKind, move.from);
        if (source.From == FromNothing)
            return false;
        move.card = source.Card;
        const Ruling ruling = Judge(table, record.pileSuit, source, move.toKind, move.to);
        move.onto = ruling.move.onto;
        move.question = ruling.move.question;
        if (!IsLegal(table, record.pileSuit, move))
            return false;
        before.push_back({table, hold});
        ApplyAndRelease(table, hold, move);
        record.entries.push_back(entry);
        // The passes that follow: one card home each, the level brought up
        // to date before each.
        for (;;) {
            Settle();
            if (IsWon(table) || hold)
                break;
            const std::optional<Move> home = FindAutoMove(table, record.pileSuit);
            if (!home)
                break;
            ApplyMove(table, *home);
            record.entries.push_back(Recorded(RecordStep::Auto, *home));
        }
        return true;
    }

    bool Undo()
    {
        if (before.empty())
            return false;
        table = before.back().table;
        before.pop_back();
        hold = true;
        record.entries.push_back(Recorded(RecordStep::Undo));
        return true;
    }

    void Settle()
    {
        if (!hold)
            UpdateFoundationLevel(table);
    }

    // Whether `move` would win the game once its cards have all gone home.
    bool Wins(const Move &move) const
    {
        Table after = table;
        bool afterHold = hold;
        PlayMove(after, record.pileSuit, afterHold, move);
        if (!afterHold)
            UpdateFoundationLevel(after);
        return IsWon(after);
    }

    Table table;
    bool hold = true;
    GameRecord record;

private:
    struct Before {
        Table table;
        bool hold;
    };
    std::vector<Before> before;
};

void Require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "record-cost: %s\n", what);
        std::exit(1);
    }
}

// The replay must take the record and end on the table the play reached.
void CheckReplay(const Player &player)
{
    std::size_t failedAt = 0;
    const std::optional<ReplayedGame> game = ReplayRecord(player.record, &failedAt);
    if (!game)
        std::fprintf(stderr, "record-cost: the replay refused entry %zu of %zu\n", failedAt,
                     player.record.entries.size());
    Require(game.has_value(), "a record built by play was not replayed");
    Table settled = player.table;
    if (!player.hold)
        UpdateFoundationLevel(settled);
    Require(game->table == settled, "the replay ended on another table than the play");
}

// A won game of the solver's, played as a player would: the first deal from
// `deal` whose game takes at least `least` entries.
GameRecord RealGame(std::uint32_t &deal, std::size_t least)
{
    for (;; ++deal) {
        const SolveResult solved = SolveDeal(deal);
        if (solved.verdict != Verdict::Solved)
            continue;
        Player player(deal);
        for (const Move &move : solved.moves)
            Require(player.Play(move), "a move of the solver's was refused");
        Require(IsWon(player.table), "the solver's line did not win");
        CheckReplay(player);
        if (player.record.entries.size() < least)
            continue;
        player.record.elapsedMs = 412345;
        return player.record;
    }
}

// Random play within one deal, undos among the moves so that it neither
// runs out of moves nor wins, until the record holds `entries` entries.
GameRecord LongGame(std::uint32_t deal, std::size_t entries, std::mt19937 &rng)
{
    Player player(deal);
    std::vector<Move> moves;
    std::uniform_real_distribution<double> chance(0, 1);
    while (player.record.entries.size() < entries) {
        player.Settle();
        ListMoves(player.table, player.record.pileSuit, MoveSet::Every, moves);
        std::erase_if(moves, [&](const Move &m) { return player.Wins(m); });
        if ((moves.empty() || chance(rng) < 0.35) && player.Undo())
            continue;
        Require(!moves.empty(), "random play ran into a table with no move and nothing to undo");
        const Move move = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
        Require(player.Play(move), "a listed move was refused");
    }
    CheckReplay(player);
    player.record.elapsedMs = 3600000;
    return player.record;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int saves = args.size() > 1 ? args[1].toInt() : 1000;
    const std::size_t longEntries = args.size() > 2 ? args[2].toULongLong() : 5000;
    std::mt19937 rng(20261210);

    std::uint32_t deal = 1;
    const GameRecord real = RealGame(deal, 100);
    std::printf("real game: deal %u, %zu entries, %lld bytes of record\n", deal, real.entries.size(),
                static_cast<long long>(WriteRecord(real).size()));

    QTemporaryDir folder;
    Require(folder.isValid(), "no temporary folder");

    // (a) On the window's thread: the text of the record and the hand-over.
    // The writer is left to run behind, as in play, where a newer record
    // replaces one not yet begun.
    std::vector<double> handOver;
    {
        KeptGame kept(folder.path());
        GameRecord record = real;
        for (int i = 0; i < saves; ++i) {
            record.elapsedMs = 412345 + i;   // a new text each time, as the clock gives in play
            const Clock::time_point start = Clock::now();
            kept.Save(WriteRecord(record));
            handOver.push_back(MsSince(start));
        }
        kept.Flush();
    }

    // (b) Until the save is on the disk: written, flushed, renamed.
    std::vector<double> onDisk;
    {
        KeptGame kept(folder.path());
        GameRecord record = real;
        const int rounds = std::max(1, saves / 10);
        for (int i = 0; i < rounds; ++i) {
            record.elapsedMs = 512345 + i;
            const Clock::time_point start = Clock::now();
            kept.Save(WriteRecord(record));
            kept.Flush();
            onDisk.push_back(MsSince(start));
        }
        Require(kept.TakeFailure().isEmpty(), "a save failed");
    }

    // (c) The long game put back on the table.
    const GameRecord longGame = LongGame(deal + 1, longEntries, rng);
    int undos = 0;
    for (const RecordEntry &entry : longGame.entries)
        undos += entry.step == RecordStep::Undo;
    std::vector<double> replay;
    for (int i = 0; i < 21; ++i) {
        const Clock::time_point start = Clock::now();
        const std::optional<ReplayedGame> game = ReplayRecord(longGame);
        replay.push_back(MsSince(start));
        Require(game.has_value(), "the long record was refused");
    }
    // Reading the text back is part of a start too.
    std::vector<double> readAndReplay;
    const QByteArray longText = WriteRecord(longGame);
    for (int i = 0; i < 21; ++i) {
        const Clock::time_point start = Clock::now();
        QString why;
        const std::optional<GameRecord> read = ReadRecord(longText, why);
        Require(read.has_value() && *read == longGame, "the long record did not read back");
        const std::optional<ReplayedGame> game = ReplayRecord(*read);
        readAndReplay.push_back(MsSince(start));
        Require(game.has_value(), "the long record read back was refused");
    }

    std::printf("save on the game's thread (WriteRecord + Save), %d calls: median %.3f ms, 90th percentile %.3f ms, max %.3f ms\n",
                saves, Percentile(handOver, 0.5), Percentile(handOver, 0.9), Percentile(handOver, 1.0));
    std::printf("save until on the disk (Save + Flush), %zu calls: median %.2f ms, 90th percentile %.2f ms\n",
                onDisk.size(), Percentile(onDisk, 0.5), Percentile(onDisk, 0.9));
    std::printf("long game: deal %u, %zu entries (%d undos), %lld bytes\n", deal + 1, longGame.entries.size(), undos,
                static_cast<long long>(longText.size()));
    std::printf("replay of the long game (ReplayRecord), 21 runs: median %.2f ms, max %.2f ms\n",
                Percentile(replay, 0.5), Percentile(replay, 1.0));
    std::printf("read + replay of the long game (ReadRecord + ReplayRecord), 21 runs: median %.2f ms\n",
                Percentile(readAndReplay, 0.5));
    return 0;
}
