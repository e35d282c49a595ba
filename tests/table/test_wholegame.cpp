// A whole game won with the mouse, and one with the keys alone: a winning
// line for a fixed deal, found by the solver, replayed as clicks or as key
// presses on the real window while the game loop runs, down to the win
// message, the statistics dialog and the stored values. All along, the
// game's record replays to the table on the screen.

#include <QtTest>

#include <QAccessible>
#include <QStatusBar>

#include "core/automove.h"
#include "core/gameflow.h"
#include "core/record.h"
#include "solver/solver.h"
#include "dialogs/statsdlg.h"
#include "moves/placenames.h"
#include "store/keptgame.h"
#include "support/screentest.h"
#include "support/windowfixture.h"
#include "table/carddrawing.h"
#include "table/mainwindow.h"
#include "table/moveplaces.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

// What the status bar last told a screen reader.
QString Announced(TForm1 &form)
{
    return QAccessible::queryAccessibleInterface(form.statusBar())->text(QAccessible::Name);
}

QPoint Centre(const PixelRect &r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Plays one move of the line at a time, each once the cascade of automatic
// moves that followed the last one has played out in the game loop.
class Replayer : public QObject {
public:
    Replayer(TForm1 &form, std::vector<Move> moves, ModalAnswerer &answerer, bool keys, bool drag)
        : form(form), moves(std::move(moves)), answerer(answerer), keys(keys), drag(drag)
    {
        connect(&timer, &QTimer::timeout, this, &Replayer::Step);
        timer.start(5);
    }
    std::size_t played = 0;

private:
    void Step()
    {
        GameState &s = form.State();
        if (!s.flags.GameInProgress || played == moves.size()) {
            timer.stop();
            return;
        }
        if (s.held.PickedFrom != FromNothing || CascadePending(s.table, s.deal.GamePileSuit, s.flags.AutoMoveHold))
            return;
        RecordMatchesTable(s);
        if (played % 8 == 0)
            ShowsWhatANewWindowShows();
        if (played == 5 && !undone) {   // moves taken back (two with the keys), then made again
            undone = true;
            const std::size_t back = keys ? 2 : 1;
            for (std::size_t i = 0; i < back; ++i)
                form.Menu().MoveUndo1->trigger();
            played -= back;
            return;
        }
        const Move &m = moves[played++];
        if (m.question)
            answerer.answers = {m.answerYes ? QMessageBox::Yes : QMessageBox::No};
        if (drag)
            return Drag(PlacesOf(s, m));
        if (!keys) {
            const MovePlaces places = PlacesOf(s, m);
            Click(Centre(places.pick));
            Click(Centre(places.to));
            return;
        }
        Choose(m.fromKind, m.from);
        HeardByAReader(m);
        if (played == 1) {   // Esc puts the first card back before it is taken again
            Press(Qt::Key_Space);
            Press(Qt::Key_Escape);
            QCOMPARE(s.held.PickedFrom, FromNothing);
        }
        Press(Qt::Key_Space);
        Choose(m.toKind, m.to);
        Press(Qt::Key_Return);
    }

    // The window shows what one whose buffers and canvas are made just now
    // would: nothing the painting kept from the moves before shows through.
    void ShowsWhatANewWindowShows()
    {
        const QImage shown = form.View()->canvas().copy();
        form.View()->onScaleChange(form.View()->devicePixelRatioF());
        QVERIFY(form.View()->canvas() == shown);
    }

    // The record, through its text, leads to the table, its undo copy and
    // the hold the player has now.
    static void RecordMatchesTable(const GameState &s)
    {
        QString why;
        const std::optional<GameRecord> read = ReadRecord(WriteRecord(s.record), why);
        QVERIFY2(read && *read == s.record, qPrintable(why));
        const std::optional<ReplayedGame> game = ReplayRecord(*read);
        QVERIFY(game);
        Table table = game->table;
        Table undo = game->undo;
        PlaceSlots(table, s.Layout, s.deal.ColumnGap);
        PlaceSlots(undo, s.Layout, s.deal.ColumnGap);
        QVERIFY(table == s.table);
        QCOMPARE(game->autoMoveHold, s.flags.AutoMoveHold);
        QCOMPARE(s.Settings.UndoToDeal ? game->undoDepth > 0 : game->undoEnabled, s.flags.UndoEnabled);
        QVERIFY(!game->undoEnabled || undo == s.undo);
    }

    // What a screen reader finds on the table: the sixteen places by name,
    // the one the keys chose as the focus, and the name of the place the
    // first card left, which follows the move, and what the status bar
    // wrote after that move, as a reader was told it.
    void HeardByAReader(const Move &m)
    {
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(form.View());
        const auto name = [table](int place) { return table->child(place)->text(QAccessible::Name); };
        if (played == 2) {
            QVERIFY(name(firstSource) != heardBefore);
            // Two aces went home: the count of the cards left is news.
            QVERIFY(Announced(form).endsWith(form.StatusText(CardsPanel).trimmed()));
        }
        if (played != 1)
            return;
        QCOMPARE(table->childCount(), PlaceCount);
        QCOMPARE(table->focusChild()->text(QAccessible::Name), PlaceName(form.State(), {m.fromKind, m.from}));
        QVERIFY(name(0).startsWith(QStringLiteral("Colonna 1: 7 carte, in cima ")));
        QCOMPARE(name(PlaceNumber(Place::Cell, 1)), QStringLiteral("Cella 2: vuota"));
        QCOMPARE(name(PlaceNumber(Place::Pile, 3)), QStringLiteral("Fila dei Fiori: vuota"));
        firstSource = PlaceNumber(m.fromKind, m.from);
        heardBefore = name(firstSource);
    }

    // With the card following the pointer. The first card is let go on the
    // bare table first: it flies back, still held, and leaves no trace.
    void Drag(const MovePlaces &places)
    {
        const QPoint grab = Centre(places.pick) - QPoint(places.pick.left, places.pick.top);
        const QSize card(places.pick.width(), places.pick.height());
        const TableLayout &l = form.State().Layout;
        if (played == 1) {
            const QPoint bare(Centre(places.pick).x(), l.window.PlayAreaHeight - card.height());
            DragTo(places.pick, bare);
            QVERIFY(form.State().held.PickedFrom != FromNothing);
            const QRect left(bare - grab, card);
            QCOMPARE(form.View()->canvas().copy(left), form.Painter().TableBuffer().copy(left));
        }
        QTest::mousePress(form.View(), Qt::LeftButton, {}, Centre(places.pick));
        QTest::mouseMove(form.View(), Centre(places.to));
        if (played == 1)   // drawn whole under the pointer, at the screen's detail
            QCOMPARE(form.View()->canvas().copy(QRect(Centre(places.to) - grab, card)), form.Painter().FlightBuffer());
        QTest::mouseRelease(form.View(), Qt::LeftButton, {}, Centre(places.to));
    }
    void DragTo(const PixelRect &from, QPoint to)
    {
        QTest::mousePress(form.View(), Qt::LeftButton, {}, Centre(from));
        QTest::mouseMove(form.View(), to);
        QTest::mouseRelease(form.View(), Qt::LeftButton, {}, to);
    }
    void Click(QPoint p) { QTest::mouseClick(form.View(), Qt::LeftButton, {}, p); }
    void Press(int key) { QTest::keyClick(form.View(), Qt::Key(key)); }
    // A column by its digit; a free cell or pile from the last column, up
    // to the top row and left along it.
    void Choose(Place kind, int index)
    {
        if (kind == Place::Column)
            return Press(Qt::Key_1 + index);
        Press(Qt::Key_8);
        Press(Qt::Key_Up);
        for (int i = kind == Place::Pile ? index + 4 : index; i < 7; ++i)
            Press(Qt::Key_Left);
    }

    TForm1 &form;
    std::vector<Move> moves;
    ModalAnswerer &answerer;
    bool keys;
    bool drag;
    bool undone = false;
    QTimer timer;
    int firstSource = 0;
    QString heardBefore;
};

} // namespace

class TestWholeGame : public QObject {
    Q_OBJECT
private slots:
    void aWonGame_data()
    {
        QTest::addColumn<bool>("keys");
        QTest::addColumn<bool>("drag");
        QTest::newRow("mouse") << false << false;
        QTest::newRow("keys") << true << false;
        QTest::newRow("mouse, the card following the pointer") << false << true;
    }

    void aWonGame()
    {
        QFETCH(bool, keys);
        QFETCH(bool, drag);
        WindowFixture f(QStringLiteral("zozaro2.dll"), false);
        TForm1 &form = *f.form;
        ModalAnswerer &answerer = f.answerer;
        GameState &state = form.State();
        state.Settings.UndoToDeal = keys;   // "Cancella più mosse"
        for (int lost = 0; lost < 3; ++lost)   // a losing streak before
            CountGame(state.Statistics, false);
        form.SaveStatistics();
        TStats1Dlg stats(state.Statistics, [&state] { return state.flags.GameInProgress; }, [&form] { form.SaveStatistics(); });
        form.SetDialogs({nullptr, &stats, nullptr, nullptr});
        state.Settings.CardFollowsPointer = drag;
        QVERIFY(f.Show());
        QVERIFY(IdleUntil([&] { return form.Cards()->Library().Loaded(); }));

        const std::uint32_t seed = 1;
        std::unique_ptr<Replayer> replayer;
        QTimer::singleShot(0, &form, [&] {
            const SolveResult line = Solve(state.table, state.deal.GamePileSuit, true);
            QCOMPARE(line.verdict, Verdict::Solved);
            replayer = std::make_unique<Replayer>(form, line.moves, answerer, keys, drag);
        });
        // A guard: should the line go wrong, the test ends instead of hanging.
        QTimer::singleShot(60000, &form, [&] {
            if (state.flags.GameInProgress)
                FinishGame1Click(state, form);
        });
        NewGame1Click(state, form, seed);

        QVERIFY(replayer);
        QCOMPARE(state.table.FoundationLevel, 13);
        QCOMPARE(state.table.CardsLeft, 0);
        QCOMPARE(CountEmptyColumns(state.table), 8);   // the table is cleared after the win
        QVERIFY(!state.flags.GameInProgress);
        bool congratulated = false;
        for (const SeenBox &box : answerer.seen)
            congratulated |= box.text == QStringLiteral("Congratulazioni, hai vinto!  Sei FORTE!") &&
                             box.caption == QStringLiteral(" Risultato del gioco");
        QVERIFY(congratulated);
        QCOMPARE(answerer.dialogsClosed, 1);   // the statistics dialog came up
        QVERIFY(form.StatusText(1).startsWith(QStringLiteral("Gioco vinto alle ore ")));
        QVERIFY(Announced(form).contains(QStringLiteral("Gioco vinto alle ore ")));

        GameSettings settings;
        GameStatistics stored;
        QVERIFY(SettingsStore(f.StorePath()).LoadSettings(settings, stored).Ok());
        QCOMPARE(stored.GamesWon, 1);
        QCOMPARE(stored.GamesLost, 3);
        QCOMPARE(stored.StreakType, 1);
        QCOMPARE(stored.StreakWins, 1);
        QCOMPARE(stored.StreakLosses, 0);
        QCOMPARE(state.Statistics.RunWon, 1);
        form.Kept()->Flush();   // a won game is no longer kept
        QVERIFY(!QFile::exists(form.Kept()->Path()));
    }
};

int main(int argc, char **argv)
{
    return RunOnOffscreenScreen<TestWholeGame>(argc, argv, 1024, 768);
}

#include "test_wholegame.moc"
