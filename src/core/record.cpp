#include "core/record.h"

#include <deque>

#include <QList>

#include "core/automove.h"
#include "core/deal.h"
#include "core/rules.h"

namespace quintara {

namespace {

// The player moves kept with the table before each: past this many the
// oldest are let go, so that no record, however long or however made, takes
// more than some tens of megabytes to replay. A game never comes near it.
constexpr std::size_t MaxKeptMoves = 10000;

// The game as the record leads it, entry by entry, keeping the table before
// each player move that no undo has taken back.
class Walk {
public:
    Walk(std::uint32_t deal, const PileSuitOrder &pileSuit) : table(DealtTable(deal)), pileSuit(pileSuit) {}

    // False for an entry the game could not have made on this table.
    bool Step(const RecordEntry &entry, std::size_t index)
    {
        // The game's passes bring the level up to date whenever the
        // automatic moves may run; nothing is played once the game is won.
        Settle();
        if (IsWon(table))
            return false;
        switch (entry.step) {
        case RecordStep::Player:
            return Played(entry.move, index);
        case RecordStep::Auto: {
            const std::optional<Move> found = autoMoveHold ? std::nullopt : FindAutoMove(table, pileSuit);
            if (!found || found->fromKind != entry.move.fromKind || found->from != entry.move.from
                || found->to != entry.move.to)
                return false;
            ApplyMove(table, *found);
            return true;
        }
        case RecordStep::Undo:
            if (kept.empty())
                return false;
            table = kept.back().before;
            kept.pop_back();
            autoMoveHold = true;
            undoEnabled = false;
            return true;
        case RecordStep::PutBack:
            undoEnabled = false;
            return true;
        }
        return false;
    }

    void Settle()
    {
        if (!autoMoveHold)
            UpdateFoundationLevel(table);
    }

    struct KeptMove {
        Table before;
        Move move;
        std::size_t entry;
    };

    Table table;
    bool autoMoveHold = true;
    bool undoEnabled = false;
    std::deque<KeptMove> kept;
    std::size_t letGo = 0;

private:
    bool Played(Move move, std::size_t index)
    {
        // The record keeps the places, the count and the answer; the cards
        // come from the table, and the rules judge the rest.
        const MoveSource source = SourceOf(table, move.fromKind, move.from);
        if (source.From == FromNothing)
            return false;
        move.card = source.Card;
        const Ruling ruling = Judge(table, pileSuit, source, move.toKind, move.to);
        move.onto = ruling.move.onto;
        move.question = ruling.move.question;
        if (!IsLegal(table, pileSuit, move))
            return false;
        if (kept.size() == MaxKeptMoves) {
            kept.pop_front();
            ++letGo;
        }
        kept.push_back({table, move, index});
        ApplyAndRelease(table, autoMoveHold, move);
        undoEnabled = true;
        return true;
    }

    PileSuitOrder pileSuit;
};

bool SoundPileOrder(const PileSuitOrder &pileSuit)
{
    int seen = 0;
    for (int suit : pileSuit) {
        if (suit < 0 || suit > 3 || (seen & (1 << suit)))
            return false;
        seen |= 1 << suit;
    }
    return true;
}

std::optional<Walk> Walked(const GameRecord &record, std::size_t *failedAt)
{
    if (failedAt)
        *failedAt = 0;
    if (!record.deal || !SoundPileOrder(record.pileSuit))
        return std::nullopt;
    Walk walk(*record.deal, record.pileSuit);
    for (std::size_t i = 0; i < record.entries.size(); ++i) {
        if (!walk.Step(record.entries[i], i)) {
            if (failedAt)
                *failedAt = i;
            return std::nullopt;
        }
    }
    walk.Settle();
    return walk;
}

} // namespace

RecordEntry Recorded(RecordStep step, const Move &move)
{
    RecordEntry entry{step, {}};
    if (step == RecordStep::Player || step == RecordStep::Auto) {
        entry.move.fromKind = move.fromKind;
        entry.move.from = move.from;
        entry.move.toKind = move.toKind;
        entry.move.to = move.to;
        entry.move.count = move.count;
        entry.move.answerYes = move.answerYes;
    }
    return entry;
}

std::optional<ReplayedGame> ReplayRecord(const GameRecord &record, std::size_t *failedAt)
{
    const std::optional<Walk> walk = Walked(record, failedAt);
    if (!walk)
        return std::nullopt;
    ReplayedGame game;
    game.table = walk->table;
    if (!walk->kept.empty())
        game.undo = walk->kept.back().before;
    game.undoEnabled = walk->undoEnabled;
    game.undoDepth = static_cast<int>(walk->kept.size());
    game.autoMoveHold = walk->autoMoveHold;
    game.elapsedMs = record.elapsedMs;
    return game;
}

KeptLine LineOf(const GameRecord &record)
{
    const std::optional<Walk> walk = Walked(record, nullptr);
    if (!walk)
        return {};
    KeptLine line;
    line.firstMove = walk->letGo;
    // The table before each move of the line, then the table now.
    for (const Walk::KeptMove &kept : walk->kept) {
        line.tables.push_back(kept.before);
        line.moves.push_back(kept.move);
        line.entryOf.push_back(kept.entry);
    }
    line.tables.push_back(walk->table);
    return line;
}

int UndoDepth(const GameRecord &record)
{
    int depth = 0;
    for (const RecordEntry &entry : record.entries) {
        if (entry.step == RecordStep::Player)
            ++depth;
        else if (entry.step == RecordStep::Undo && depth > 0)
            --depth;
    }
    return depth;
}

GameRecord RecordUpTo(const GameRecord &record, std::size_t end)
{
    GameRecord cut = record;
    cut.entries.resize(std::min(end, record.entries.size()));
    return cut;
}

// The text of a record:
//   quintara-partita 1
//   partita 1765200000
//   segno 2718281828
//   file 0 1 2 3
//   tempo 83000
//   contata no
//   mosse 3
//   c3c5 ac1f1 u
//   fine
namespace {

constexpr char Magic[] = "quintara-partita";
constexpr int Version = 1;
constexpr int TokensPerLine = 16;
// More entries than hours of play make: a file past this is not a record.
constexpr qsizetype MaxEntries = 200000;
// A year of play: past it the clock of a resumed game could not be shown.
constexpr std::int64_t MaxElapsedMs = 366LL * 24 * 3600 * 1000;

QByteArray PlaceToken(Place kind, int index)
{
    const char letter = kind == Place::Cell ? 'l' : kind == Place::Pile ? 'f' : 'c';
    return QByteArray(1, letter) + QByteArray::number(index + 1);
}

QByteArray EntryToken(const RecordEntry &entry)
{
    switch (entry.step) {
    case RecordStep::Undo:
        return "u";
    case RecordStep::PutBack:
        return "p";
    case RecordStep::Auto:
    case RecordStep::Player:
        break;
    }
    const Move &m = entry.move;
    QByteArray token = entry.step == RecordStep::Auto ? "a" : "";
    token += PlaceToken(m.fromKind, m.from) + PlaceToken(m.toKind, m.to);
    if (m.count > 1)
        token += 'x' + QByteArray::number(m.count);
    if (m.answerYes)
        token += 's';
    return token;
}

// One place of a token: its letter (a pile only as a destination), its number from 1.
bool ReadPlace(QByteArrayView token, qsizetype &at, bool destination, Place &kind, int &index)
{
    if (at + 2 > token.size())
        return false;
    switch (token[at]) {
    case 'c': kind = Place::Column; break;
    case 'l': kind = Place::Cell; break;
    case 'f':
        if (!destination)
            return false;
        kind = Place::Pile;
        break;
    default: return false;
    }
    const int count = kind == Place::Column ? ColumnCount : CellCount;
    index = token[at + 1] - '1';
    at += 2;
    return index >= 0 && index < count;
}

std::optional<RecordEntry> ReadEntry(QByteArrayView token)
{
    if (token == "u")
        return RecordEntry{RecordStep::Undo, {}};
    if (token == "p")
        return RecordEntry{RecordStep::PutBack, {}};
    RecordEntry entry;
    qsizetype at = 0;
    if (token.startsWith('a')) {
        entry.step = RecordStep::Auto;
        at = 1;
    }
    Move &m = entry.move;
    if (!ReadPlace(token, at, false, m.fromKind, m.from) || !ReadPlace(token, at, true, m.toKind, m.to))
        return std::nullopt;
    if (at < token.size() && token[at] == 'x') {
        qsizetype end = ++at;
        while (end < token.size() && end - at < 3 && token[end] >= '0' && token[end] <= '9')
            ++end;
        bool ok = false;
        m.count = token.sliced(at, end - at).toInt(&ok);
        if (!ok || m.count < 2 || m.count > SlotCount)
            return std::nullopt;
        at = end;
    }
    if (at < token.size() && token[at] == 's') {
        m.answerYes = true;
        ++at;
    }
    if (at != token.size() || (entry.step == RecordStep::Auto && (m.toKind != Place::Pile || m.count != 1 || m.answerYes)))
        return std::nullopt;
    return entry;
}

// "nome valore" on one line; the value after the one blank.
std::optional<QByteArrayView> Value(QByteArrayView line, QByteArrayView name)
{
    if (line.size() <= name.size() || !line.startsWith(name) || line[name.size()] != ' ')
        return std::nullopt;
    return line.sliced(name.size() + 1);
}

} // namespace

QByteArray WriteRecord(const GameRecord &record)
{
    QByteArray text = Magic + QByteArray(" ") + QByteArray::number(Version) + '\n';
    text += "partita " + QByteArray::number(record.deal.value_or(0)) + '\n';
    text += "segno " + QByteArray::number(record.stamp) + '\n';
    text += "file";
    for (int suit : record.pileSuit)
        text += ' ' + QByteArray::number(suit);
    text += "\ntempo " + QByteArray::number(record.elapsedMs) + '\n';
    text += QByteArray("contata ") + (record.counted ? "sì" : "no") + '\n';
    text += "mosse " + QByteArray::number(qsizetype(record.entries.size())) + '\n';
    for (std::size_t i = 0; i < record.entries.size(); ++i) {
        text += EntryToken(record.entries[i]);
        text += (i + 1) % TokensPerLine == 0 || i + 1 == record.entries.size() ? '\n' : ' ';
    }
    text += "fine\n";
    return text;
}

std::optional<GameRecord> ReadRecord(QByteArrayView text, QString &why)
{
    const auto fail = [&why](const QString &what) {
        why = what;
        return std::nullopt;
    };
    const QList<QByteArray> lines = text.toByteArray().split('\n');
    // Seven lines of heading, the moves, "fine" and the empty piece after the last line end.
    if (lines.size() < 9 || lines[0] != Magic + QByteArray(" ") + QByteArray::number(Version))
        return fail(QStringLiteral("non è una partita di questo gioco"));
    if (lines.back() != "" || lines[lines.size() - 2] != "fine")
        return fail(QStringLiteral("è troncata"));

    GameRecord record;
    bool ok = false;
    const auto deal = Value(lines[1], "partita");
    const qulonglong number = deal ? deal->toULongLong(&ok) : 0;
    if (!ok || number > LastDealNumber)
        return fail(QStringLiteral("il numero della partita non si legge"));
    record.deal = static_cast<std::uint32_t>(number);
    const auto stamp = Value(lines[2], "segno");
    record.stamp = stamp ? stamp->toUInt(&ok) : 0;
    if (!ok)
        return fail(QStringLiteral("il segno della partita non si legge"));

    const auto piles = Value(lines[3], "file");
    const QList<QByteArray> suits = piles ? piles->toByteArray().split(' ') : QList<QByteArray>{};
    if (suits.size() != PileCount)
        return fail(QStringLiteral("l'ordine delle file non si legge"));
    for (int p = 0; p < PileCount; ++p) {
        record.pileSuit[p] = suits[p].toInt(&ok);
        if (!ok)
            return fail(QStringLiteral("l'ordine delle file non si legge"));
    }

    const auto time = Value(lines[4], "tempo");
    record.elapsedMs = time ? time->toLongLong(&ok) : -1;
    if (!ok || record.elapsedMs < 0 || record.elapsedMs > MaxElapsedMs)
        return fail(QStringLiteral("il tempo di gioco non si legge"));
    const auto counted = Value(lines[5], "contata");
    if (!counted || (*counted != QByteArrayView("sì") && *counted != QByteArrayView("no")))
        return fail(QStringLiteral("non dice se la partita è già contata"));
    record.counted = *counted == QByteArrayView("sì");

    const auto moves = Value(lines[6], "mosse");
    const qsizetype count = moves ? moves->toLongLong(&ok) : -1;
    if (!ok || count < 0 || count > MaxEntries)
        return fail(QStringLiteral("il numero delle mosse non si legge"));
    record.entries.reserve(static_cast<std::size_t>(count));
    for (qsizetype l = 7; l < lines.size() - 2; ++l) {
        for (const QByteArray &token : lines[l].split(' ')) {
            const std::optional<RecordEntry> entry = ReadEntry(token);
            if (!entry || qsizetype(record.entries.size()) == count)
                return fail(QStringLiteral("la mossa %1 non si legge").arg(record.entries.size() + 1));
            record.entries.push_back(*entry);
        }
    }
    if (qsizetype(record.entries.size()) != count)
        return fail(QStringLiteral("mancano delle mosse"));
    return record;
}

} // namespace quintara
