// A whole game won with the mouse: a winning line for a fixed deal, found by
// the solver, replayed as clicks on the real window while the game loop runs,
// down to the win message, the statistics dialog and the stored values.

#include <QtTest>

#include "core/automove.h"
#include "core/gameflow.h"
#include "solver/solver.h"
#include "store/statsdlg.h"
#include "support/screentest.h"
#include "support/windowfixture.h"
#include "table/carddrawing.h"
#include "table/mainwindow.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

QPoint Centre(const TableLayout &l, int x, int y)
{
    return {x + l.CardWidth / 2, y + l.CardHeight / 2};
}

// Plays one move of the line at a time, each once the cascade of automatic
// moves that followed the last one has played out in the game loop.
class Replayer : public QObject {
public:
    Replayer(TForm1 &form, std::vector<Move> moves, ModalAnswerer &answerer)
        : form(form), moves(std::move(moves)), answerer(answerer)
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
        if (s.held.PickedFrom != FromNothing || (!s.flags.AutoMoveHold && CascadeGoesOn(s)))
            return;
        const Move &m = moves[played++];
        if (m.question)
            answerer.answers = {m.answerYes ? QMessageBox::Yes : QMessageBox::No};
        Click(From(m));
        Click(To(m));
    }

    // Whether the game loop will still send a card home, once it has brought
    // the level up to date.
    static bool CascadeGoesOn(const GameState &s)
    {
        Table table = s.table;
        if (UpdateFoundationLevel(table).won)
            return true;
        return FindAutoMove(table, s.deal.GamePileSuit).has_value();
    }

    QPoint From(const Move &m) const
    {
        const GameState &s = form.State();
        if (m.fromKind == Place::Cell)
            return Centre(s.Layout, s.table.Cells[m.from].X, s.table.Cells[m.from].Y);
        const TableColumn &c = s.table.Columns[m.from];
        const int top = TopSlot(c).value();
        return Centre(s.Layout, c.X[top], c.Y[top]);
    }

    QPoint To(const Move &m) const
    {
        const GameState &s = form.State();
        switch (m.toKind) {
        case Place::Cell:
            return Centre(s.Layout, s.table.Cells[m.to].X, s.table.Cells[m.to].Y);
        case Place::Pile:
            return Centre(s.Layout, s.table.Foundations[m.to].X, s.table.Foundations[m.to].Y);
        case Place::Column:
            break;
        }
        const TableColumn &c = s.table.Columns[m.to];
        const int slot = TopSlot(c).value_or(0);
        return Centre(s.Layout, c.X[slot], c.Y[slot]);
    }

    void Click(QPoint p) { QTest::mouseClick(form.View(), Qt::LeftButton, {}, p); }

    TForm1 &form;
    std::vector<Move> moves;
    ModalAnswerer &answerer;
    QTimer timer;
};

} // namespace

class TestWholeGame : public QObject {
    Q_OBJECT
private slots:
    void aWonGameThroughTheMouse()
    {
        WindowFixture f(QStringLiteral("zozaro2.dll"), false);
        TForm1 &form = *f.form;
        ModalAnswerer &answerer = f.answerer;
        GameState &state = form.State();
        state.Statistics.GamesLost = 3;   // a losing streak before
        state.Statistics.StreakType = 2;
        state.Statistics.StreakLosses = 3;
        TStats1Dlg stats(state.Statistics, [&state] { return state.flags.GameInProgress; }, [&form] { form.SaveStatistics(); });
        form.SetDialogs({nullptr, &stats, nullptr, nullptr});
        QVERIFY(f.Show());
        QVERIFY(IdleUntil([&] { return form.Cards()->Library().Loaded(); }));

        const std::uint32_t seed = 1;
        std::unique_ptr<Replayer> replayer;
        QTimer::singleShot(0, &form, [&] {
            const SolveResult line = Solve(state.table, state.deal.GamePileSuit, true);
            QCOMPARE(line.verdict, Verdict::Solved);
            replayer = std::make_unique<Replayer>(form, line.moves, answerer);
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

        GameSettings settings;
        GameStatistics stored;
        QVERIFY(SettingsStore(f.StorePath()).LoadSettings(settings, stored).Ok());
        QCOMPARE(stored.GamesWon, 1);
        QCOMPARE(stored.GamesLost, 3);
        QCOMPARE(stored.StreakType, 1);
        QCOMPARE(stored.StreakWins, 1);
        QCOMPARE(stored.StreakLosses, 0);
        QCOMPARE(state.Statistics.RunWon, 1);
    }
};

int main(int argc, char **argv)
{
    return RunOnOffscreenScreen<TestWholeGame>(argc, argv, 1024, 768);
}

#include "test_wholegame.moc"
