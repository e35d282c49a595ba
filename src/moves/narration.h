#pragma once
// The move-details narration: while the player holds a card, the column
// count tells its steps, and the narrator turns each of them into texts for
// the panel under the tableau: which card is held, where it would go, every
// card of the source column the count looks at, and the verdict. It only
// says what each text is and on which of the count's lines it goes; where
// and how it shows is the business of the panel, which lives with the windows.

#include <functional>

#include <QString>

#include "core/gamestate.h"
#include "core/rules.h"

namespace quintara {

// What a text of the narration is: the panel decides from it where the text
// goes and how it looks.
enum class DetailsRole {
    MoveHeading,         // "Spostamento della carta"
    SearchHeading,       // "Dettagli della ricerca", over the count's own lines
    ResultHeading,       // "Risultati avuti all'arrivo"
    Source,              // the held card
    Destination,         // the card it would land on
    DestinationColumn,   // the number of that column
    SearchLine,          // one of the count's own lines, `line` from the top
    VerdictYes,          // the result when at least one card can move
    VerdictNo,           // the result when none can
};

// One thing the panel is told to do, in the order the narration does it.
struct DetailsDraw {
    enum class Kind {
        ClearPanel,   // empty the panel as ClearDetailsPanel does, without showing it
        Text,         // write `text` opaque on the table colour
        ShowPanel,    // copy the panel to the window now
    };
    Kind kind = Kind::Text;
    QString text;
    DetailsRole role = DetailsRole::SearchLine;
    int line = 0;
};

using DetailsSink = std::function<void(const DetailsDraw &)>;

// Listens to the column count of the held card and narrates it into the
// sink. The header (held card, destination card and column) is drawn afresh
// after each pick-up and whenever the destination changes; two empty columns
// count as different destinations, so the column number is never stale.
class MoveNarrator : public CountObserver {
public:
    MoveNarrator(GameState &state, DetailsSink sink);

    // The count is about to judge column c, whose top card lies in destSlot
    // (or EmptyColumnSlot); the header names that destination.
    void countAsked(int column, int destSlot) override;

    void stepBegun(CountStep step, CardCode held) override;
    void cardExamined(int m, CardCode card) override;
    void runBroken(int m) override;
    void cardFits(int m) override;
    void countFinished(CountStep step, int count) override;

private:
    void drawHeader(CardCode held);
    void text(DetailsRole role, const QString &text);
    void searchLine(const QString &text);
    void advance() { ++writingLine_; }
    void show();

    GameState &state_;
    DetailsSink sink_;
    int column_ = -1;
    CardCode target_ = NoTargetCard;
    int writingLine_ = 0;
};

} // namespace quintara
