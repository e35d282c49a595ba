#include "solver/hintsearch.h"

namespace quintara {

HintLimits LimitsFor(HintQuestion question)
{
    // A hint is wanted at once: within a second, with room for the thread and
    // the answer's display. Whether the game is lost is worth a longer wait,
    // and the player may cut it short at any moment.
    switch (question) {
    case HintQuestion::NextMove:
        return {std::chrono::milliseconds(900), 2'000'000};
    case HintQuestion::WhereLost:
        return {std::chrono::milliseconds(20000), 8'000'000};
    case HintQuestion::Winnable:
    case HintQuestion::ShowWin:
        break;
    }
    return {std::chrono::milliseconds(10000), 8'000'000};
}

namespace {

using Clock = std::chrono::steady_clock;

// The searches of one question: within its budget, until its time is up or
// the player cancels.
SolveOptions Within(const HintLimits &limits, Clock::time_point began, const std::atomic<bool> &cancel)
{
    SolveOptions options;
    options.budget = limits.budget;
    options.stop = [deadline = began + limits.time, &cancel] {
        return cancel.load(std::memory_order_relaxed) || Clock::now() >= deadline;
    };
    return options;
}

} // namespace

HintAnswer SearchFrom(const HintPosition &position, const HintLimits &limits,
                      const std::atomic<bool> &cancel)
{
    const Clock::time_point began = Clock::now();
    const SolveOptions options = Within(limits, began, cancel);

    const SolveResult result = Solve(position.table, position.pileSuit, position.autoMoveHold, options);
    HintAnswer answer;
    answer.verdict = result.verdict;
    if (result.verdict == Verdict::Solved && !result.moves.empty()) {
        answer.firstMove = result.moves.front();
        answer.lineLength = static_cast<int>(result.moves.size());
        answer.line = result.moves;
    }
    answer.seconds = std::chrono::duration<double>(Clock::now() - began).count();
    return answer;
}

namespace {

// The search's time limit in words, in whole seconds rounded up.
QString SecondsText(const HintLimits &limits)
{
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(limits.time).count();
    return seconds == 1 ? QStringLiteral("un secondo") : QStringLiteral("%1 secondi").arg(seconds);
}

// Where the move takes the card, as the pointer's texts name the places; an
// empty column needs no word of its own, the marks show it. Kept short: the
// whole hint must fit the status bar's first panel.
QString DestinationText(const Move &move)
{
    switch (move.toKind) {
    case Place::Cell:
        return QStringLiteral("cella %1").arg(move.to + 1);
    case Place::Pile:
        return QStringLiteral("fila %1").arg(move.to + 1);
    case Place::Column:
        break;
    }
    return QStringLiteral("colonna %1").arg(move.to + 1);
}

// The cards that go with the one picked up. When the game will ask whether to
// move more than one, the count is the answer: one card is No, more are Yes.
QString CountText(const Move &move)
{
    if (move.question && !move.answerYes)
        return QStringLiteral(", 1 carta");
    return move.count > 1 ? QStringLiteral(", %1 carte").arg(move.count) : QString();
}

} // namespace

QString HintText(const HintAnswer &answer, const HintLimits &limits)
{
    switch (answer.verdict) {
    case Verdict::Solved:
        if (!answer.firstMove)
            return QStringLiteral("Nessuna mossa da fare.");
        return QStringLiteral("%1 \u2192 %2%3")
            .arg(CardText(answer.firstMove->card), DestinationText(*answer.firstMove), CountText(*answer.firstMove));
    case Verdict::Impossible:
        return QStringLiteral("Nessuna mossa vince più.");
    case Verdict::Undecided:
        return QStringLiteral("Nessuna via trovata in %1.").arg(SecondsText(limits));
    case Verdict::InvalidPosition:
        break;
    }
    return QStringLiteral("Posizione non valida.");
}

QString WinnableText(const HintAnswer &answer, const HintLimits &limits)
{
    switch (answer.verdict) {
    case Verdict::Solved:
        return QStringLiteral("Sì, la partita si può ancora vincere: la via trovata conta %1 mosse.")
            .arg(answer.lineLength);
    case Verdict::Impossible:
        return QStringLiteral("No, la partita è persa: nessuna sequenza di mosse porta più alla vittoria.");
    case Verdict::Undecided:
        return QStringLiteral("Non si è potuto decidere in %1 se la partita si può ancora vincere.")
            .arg(SecondsText(limits));
    case Verdict::InvalidPosition:
        break;
    }
    return QStringLiteral("La posizione sul tavolo non è valida.");
}

LossAnswer FindLosingMove(const GameRecord &record, const HintLimits &limits, const std::atomic<bool> &cancel)
{
    const SolveOptions options = Within(limits, Clock::now(), cancel);
    const KeptLine line = LineOf(record);
    LossAnswer answer;
    if (line.tables.empty())
        return answer;
    const auto verdictAt = [&](std::size_t i) { return Solve(line.tables[i], record.pileSuit, true, options).verdict; };

    // Whatever can be won from stays winnable up to the move that loses it,
    // and nothing after that move can be won again: one boundary to find.
    std::size_t won = 0;
    std::size_t lost = line.moves.size();
    switch (verdictAt(lost)) {
    case Verdict::Solved:
        answer.finding = LossAnswer::Finding::StillWinnable;
        return answer;
    case Verdict::Impossible:
        break;
    default:
        return answer;
    }
    switch (lost == 0 ? Verdict::Impossible : verdictAt(0)) {
    case Verdict::Impossible:
        // A line that starts past the deal cannot tell whether the deal ever could be won.
        if (line.firstMove == 0)
            answer.finding = LossAnswer::Finding::NeverWinnable;
        return answer;
    case Verdict::Solved:
        break;
    default:
        return answer;
    }
    while (lost - won > 1) {
        const std::size_t middle = won + (lost - won) / 2;
        const Verdict verdict = verdictAt(middle);
        if (verdict == Verdict::Solved)
            won = middle;
        else if (verdict == Verdict::Impossible)
            lost = middle;
        else
            return answer;
    }
    answer.finding = LossAnswer::Finding::LosingMove;
    answer.moveNumber = line.firstMove + won;
    answer.move = line.moves[won];
    answer.entry = line.entryOf[won];
    return answer;
}

QString LossText(const LossAnswer &answer, const HintLimits &limits)
{
    switch (answer.finding) {
    case LossAnswer::Finding::LosingMove:
        return QStringLiteral("Alla mossa %1, %2 -> %3: da lì non si poteva più vincere.")
            .arg(answer.moveNumber + 1)
            .arg(CardText(answer.move.card), DestinationText(answer.move));
    case LossAnswer::Finding::NeverWinnable:
        return QStringLiteral("Questa partita non si poteva vincere fin dall'inizio.");
    case LossAnswer::Finding::StillWinnable:
        return QStringLiteral("Da qui si poteva ancora vincere: nessuna mossa aveva perso la partita.");
    case LossAnswer::Finding::Undecided:
        break;
    }
    return QStringLiteral("Non si è potuto trovare in %1 dove la partita si è persa.").arg(SecondsText(limits));
}

QString SearchingText(HintQuestion question)
{
    switch (question) {
    case HintQuestion::NextMove:
        return QStringLiteral("Suggerimento: ricerca in corso...");
    case HintQuestion::Winnable:
        break;
    case HintQuestion::WhereLost:
        return QStringLiteral("Ricerca in corso: dove si è persa la partita?");
    case HintQuestion::ShowWin:
        return QStringLiteral("Ricerca in corso: come si vince?");
    }
    return QStringLiteral("Ricerca in corso: si può ancora vincere?");
}

} // namespace quintara
