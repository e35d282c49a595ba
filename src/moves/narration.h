#pragma once
// The move-details narration: while the player holds a card, the column
// count tells its steps, and the narrator turns each of them into texts for
// the panel under the tableau: which card is held, where it would go, every
// card of the source column the count looks at, and the verdict. It only
// says what to draw; the panel that draws it lives with the windows.

#include <functional>

#include <QString>

#include "core/gamestate.h"
#include "moves/rules.h"

namespace quintara {

// Where the narration writes, from the panel's top left corner. Texts are
// placed by the top left of their box.
namespace details_panel {
inline constexpr int HeadingY = 4;
inline constexpr int RightX = 366;           // the column of the count's own lines
inline constexpr int SourceY = 26;
inline constexpr int DestinationY = 46;
inline constexpr int DestinationColumnY = 66;
inline constexpr int ResultHeadingY = 88;
inline constexpr int VerdictY = 110;
inline constexpr int DetailsTopLine = 26;    // first line of the right-hand column
inline constexpr int LineStep = 16;

inline constexpr char CourierNew[] = "Courier New";
inline constexpr char TimesNewRoman[] = "Times New Roman";
inline constexpr Rgb Aqua{0, 255, 255};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Lime{0, 255, 0};
inline constexpr Rgb Yellow{255, 255, 0};
} // namespace details_panel

// One thing the panel is told to do, in the order the narration does it.
struct DetailsDraw {
    enum class Kind {
        ClearPanel,   // empty the panel as ClearDetailsPanel does, without showing it
        Text,         // write `text` opaque on the table colour
        ShowPanel,    // copy the panel to the window now
    };
    Kind kind = Kind::Text;
    QString text;
    int x = 0;
    int y = 0;
    QString family;
    Rgb colour;
    bool underline = false;
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
    void text(int x, int y, const QString &text, const char *family, Rgb colour, bool underline = false);
    void rightLine(const QString &text);
    void advance() { writingLine_ += details_panel::LineStep; }
    void show();

    GameState &state_;
    DetailsSink sink_;
    int column_ = -1;
    CardCode target_ = NoTargetCard;
    int writingLine_ = details_panel::DetailsTopLine;
};

} // namespace quintara
