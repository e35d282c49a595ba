// Numbered deals, and the solver's hint and verdict, through the real window
// while its game loop runs.

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "core/automove.h"
#include "core/deal.h"
#include "core/gameflow.h"
#include "support/screentest.h"
#include "support/tablebuilder.h"
#include "support/windowfixture.h"
#include "solver/hintsearch.h"
#include "table/dealnumber.h"
#include "table/hintcommands.h"
#include "table/hintmarks.h"
#include "table/mainwindow.h"
#include "table/moveplaces.h"
#include "table/tableview.h"

using namespace quintara;
using namespace quintara::test;

namespace {

constexpr int ScreenWidth = SCREEN_WIDTH;
constexpr int ScreenHeight = SCREEN_WIDTH >= 1024 ? 768 : 600;

// Steps run one after the other inside the game loop, each retried until it
// says it is done; the last game still on the table is then finished, and a
// guard finishes it too should a step never be done. Steps note what they
// find wrong in `faults`, since the test's own checks cannot leave them.
class Script : public QObject {
public:
    QStringList faults;
    void Expect(bool ok, const QString &what)
    {
        if (!ok)
            faults << what;
    }

    Script(TForm1 &form, std::vector<std::function<bool()>> steps) : form(form), steps(std::move(steps))
    {
        connect(&timer, &QTimer::timeout, this, &Script::Step);
        timer.start(20);
        guard.start();
    }
    std::size_t done = 0;

private:
    void Step()
    {
        if (done < steps.size() && guard.elapsed() < 20000 && !steps[done]())
            return;
        if (done < steps.size() && guard.elapsed() < 20000) {
            ++done;
            return;
        }
        timer.stop();
        if (form.State().flags.GameInProgress) {
            form.State().deal.NextDeal.reset();
            QTimer::singleShot(0, &form, [this] { FinishGame1Click(form.State(), form); });
        }
    }
    TForm1 &form;
    std::vector<std::function<bool()>> steps;
    QTimer timer;
    QElapsedTimer guard;
};

// Lays a position out on the running game's table, as if play had led there:
// the piles home to `pileTops`, the automatic moves free to run.
void LayOut(GameState &state, const std::array<const char *, 4> &pileTops, const std::array<const char *, 4> &cells,
            const std::array<std::vector<CardCode>, ColumnCount> &columns)
{
    ResetTable(state);
    state.table.CardsLeft = DeckSize;
    for (int p = 0; p < PileCount; ++p)
        SetPile(state, p, pileTops[p]);
    for (int i = 0; i < CellCount; ++i)
        SetCell(state, i, cells[i]);
    for (int c = 0; c < ColumnCount; ++c)
        SetColumnCards(state, c, columns[c]);
    state.table.FoundationLevel = 1;
    UpdateFoundationLevel(state.table);
    state.flags.AutoMoveHold = false;
    state.paint.FullRepaint = true;
}

std::vector<CardCode> Cards(std::initializer_list<std::string_view> names)
{
    std::vector<CardCode> cards;
    for (std::string_view name : names)
        cards.push_back(Card(name));
    return cards;
}

} // namespace

class TestDealHint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    // Replay deals the same cards again; a number typed in the dialog deals
    // that deal, once it is one: a bad number gets its message, deals nothing
    // and leaves the dialog open to mend it. The label names the deal on the
    // table, the largest number too, within the window at either width.
    void dealsByNumber_data()
    {
        QTest::addColumn<bool>("replay");
        QTest::addColumn<QStringList>("typed");   // into the dialog, one after the other
        QTest::addColumn<QStringList>("seen");    // the boxes that come up
        QTest::addColumn<int>("dealt");
        const QString finish = QStringLiteral("Vuoi proprio finire il gioco in corso?");
        QTest::newRow("replay") << true << QStringList() << QStringList{finish} << 7;
        QTest::newRow("number") << false << QStringList{"", " sette", "4294967296", " 0042 "}
                                << QStringList{"Scrivi il numero della partita, da 0 a 4294967295.",
                                               "Il numero della partita si scrive con le sole cifre, da 0 a 4294967295.",
                                               "Il numero è troppo grande: le partite vanno da 0 a 4294967295.", finish}
                                << 42;
    }
    void dealsByNumber()
    {
        QFETCH(bool, replay);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, seen);
        QFETCH(int, dealt);
        WindowFixture f;
        TForm1 &form = *f.form;
        GameState &state = form.State();
        const QLabel &label = *form.Deals().Label();
        ColumnArray first;
        ColumnArray second;
        QStringList labels;
        QStringList prefilled;
        QStringList boxes;
        const auto firstPassDone = [&] { return state.flags.GameInProgress && state.flags.ShownCardsLeft == state.table.CardsLeft; };
        std::unique_ptr<Script> script;
        f.answerer.onDialog = [&](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("NumberEdit"));
            script->Expect(state.table.Columns == first && state.deal.LastDeal == 7u,
                           QStringLiteral("nothing is dealt while the dialog is open"));
            prefilled << edit->text();
            edit->setText(typed.value(prefilled.size() - 1));
        };
        script = std::make_unique<Script>(form, std::vector<std::function<bool()>>{
            [&] {
                if (!firstPassDone())
                    return false;
                first = state.table.Columns;
                labels << (label.isVisible() ? label.text() : QString());
                const QRect shown = label.geometry() & form.View()->rect();
                const int widest = label.fontMetrics().horizontalAdvance(DealTitle(LastDealNumber));
                script->Expect(shown == label.geometry() && widest <= shown.width(),
                               QStringLiteral("the largest number, %1 pixels wide, fits the window of %2: at %3 width %4")
                                   .arg(widest).arg(form.View()->width()).arg(label.x()).arg(label.width()));
                (replay ? form.Menu().ReplayGame1 : form.Menu().DealNumber1)->trigger();
                return true;
            },
            [&] {
                if (state.Statistics.GamesLost == 0 || !firstPassDone())
                    return false;
                second = state.table.Columns;
                labels << (label.isVisible() ? label.text() : QString());
                for (const SeenBox &box : f.answerer.seen)
                    boxes << box.text;
                return true;
            },
        });
        NewGame1Click(state, form, 7);
        QVERIFY2(script->faults.isEmpty(), qPrintable(script->faults.join(QLatin1Char('\n'))));
        QCOMPARE(script->done, std::size_t(2));
        QCOMPARE(boxes, seen);
        QCOMPARE(prefilled.size(), typed.size());
        if (!prefilled.isEmpty())
            QCOMPARE(prefilled.front(), QStringLiteral("7"));
        GameState expected = MakeState(ScreenWidth);
        expected.Layout = state.Layout;
        expected.Settings = state.Settings;
        ResetTable(expected);
        ShuffleAndDeal(expected, std::uint32_t(dealt));
        QCOMPARE(second, replay ? first : expected.table.Columns);
        QCOMPARE(labels, (QStringList{QStringLiteral("Partita n. 7"), QStringLiteral("Partita n. %1").arg(dealt)}));
    }

    // Hearts and diamonds home, spades to the nine, clubs to the ace; the
    // rest all black, so no card goes onto another, the free cells are full
    // and no column is empty: the ten of spades to its pile is the one move
    // there is. With the two of clubs under it the game is won from there;
    // with the jack of spades and a stuck ten under it, it is lost.
    void hintAndVerdict_data()
    {
        QTest::addColumn<QString>("under");   // the card under the ten of spades
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("won") << "2f" << "10 di Picche \u2192 fila 3"
                             << "Sì, la partita si può ancora vincere: la via trovata conta ";
        QTest::newRow("lost") << "Fp" << "Nessuna mossa vince più."
                              << "No, la partita è persa: nessuna sequenza di mosse porta più alla vittoria.";
    }
    void hintAndVerdict()
    {
        QFETCH(QString, under);
        QFETCH(QString, hint);
        QFETCH(QString, verdict);
        WindowFixture f;
        TForm1 &form = *f.form;
        GameState &state = form.State();
        const HintMarks &marks = form.Hints().Marks();
        const bool won = under == QStringLiteral("2f");
        Table laidOut;
        UndoSnapshot undo;
        QString hintShown;
        PixelRect marked[2];
        QColor framed;   // what the player sees on the left edge of the cards' frame
        QColor drawn;    // what the table's own picture holds there
        std::unique_ptr<Script> script;
        script = std::make_unique<Script>(form, std::vector<std::function<bool()>>{
            [&] {
                // Fp or 2f under the ten; the other in the column the lost game keeps stuck.
                const std::string underTen = under.toStdString();
                const std::string_view other = won ? "Fp" : "2f";
                LayOut(state, {"Rc", "Rq", "9p", "Af"}, {"Rp", "Rf", "Df", "Ff"},
                       {Cards({"10f", underTen, "10p"}), Cards({other, "3f"}), Cards({"Dp", "4f"}), Cards({"5f"}),
                        Cards({"6f"}), Cards({"7f"}), Cards({"8f"}), Cards({"9f"})});
                state.flags.UndoAvailable = state.flags.UndoEnabled = true;
                laidOut = state.table;
                undo = state.undo;
                form.Repaint(PaintSender::Window);
                form.Menu().MoveHint1->trigger();
                return true;
            },
            [&] {
                if (form.Hints().Searching() || form.StatusText(0) == SearchingText(HintQuestion::NextMove))
                    return false;
                hintShown = form.StatusText(0);
                marked[0] = marks.Cards();
                marked[1] = marks.Destination();
                const QPoint edge(marked[0].left - 3, (marked[0].top + marked[0].bottom) / 2);
                framed = form.View()->grab().toImage().pixelColor(edge);
                drawn = form.View()->canvas().pixelColor(edge);
                script->Expect(marks.Shown() == won, QStringLiteral("the marks show with a move only"));
                form.Menu().MoveWinnable1->trigger();
                return true;
            },
            [&] {
                if (form.Hints().Searching() || f.answerer.seen.empty())
                    return false;
                script->Expect(state.table == laidOut, QStringLiteral("the table is as it was"));
                script->Expect(state.undo == undo && state.flags.UndoEnabled,
                               QStringLiteral("the undo copy is as it was"));
                return true;
            },
        });
        NewGame1Click(state, form, 5);
        QVERIFY2(script->faults.isEmpty(), qPrintable(script->faults.join(QLatin1Char('\n'))));
        QCOMPARE(script->done, std::size_t(3));
        QCOMPARE(hintShown, hint);
        if (won) {
            const TableLayout &l = state.Layout;
            const int x = ColumnLeft(l, state.deal.ColumnGap, 0);
            QCOMPARE(marked[0], (PixelRect{x, RowTop(l, 2), x + l.grid.CardWidth, RowTop(l, 2) + l.grid.CardHeight}));
            QCOMPARE(marked[1], (PixelRect{state.table.Foundations[2].X, state.table.Foundations[2].Y,
                                           state.table.Foundations[2].X + l.grid.CardWidth, state.table.Foundations[2].Y + l.grid.CardHeight}));
            // The frame shows over the table, and only over it.
            QCOMPARE(framed, QColor(255, 200, 0));
            QVERIFY(drawn != framed);
        }
        QCOMPARE(f.answerer.seen.front().caption, QStringLiteral(" Controllo del gioco"));
        QVERIFY2(f.answerer.seen.front().text.startsWith(verdict), qPrintable(f.answerer.seen.front().text));
        QCOMPARE(state.Statistics.GamesWon + state.Statistics.GamesLost, 1);   // only the finish counted
    }

    // Every hint the search can give, for every card and place, is read whole
    // in the status bar's first panel.
    void everyHintFitsItsPanel()
    {
        WindowFixture f;
        const auto *panel = f.form->findChild<QLabel *>(QStringLiteral("StatusPanel0"));
        QVERIFY(panel);
        const QFontMetrics metrics(panel->font());
        const HintLimits limits = LimitsFor(HintQuestion::NextMove);
        std::vector<HintAnswer> answers;
        for (const Verdict verdict : {Verdict::Impossible, Verdict::Undecided, Verdict::InvalidPosition, Verdict::Solved})
            answers.push_back({verdict, std::nullopt, 0, 0});
        for (const char *rank : {"A", "2", "10", "F", "D", "R"})
            for (const char suit : {'c', 'q', 'f', 'p'})
                for (const Place to : {Place::Cell, Place::Pile, Place::Column})
                    for (const int count : {1, 13}) {
                        Move move{Place::Column, 0, to, 7, count, Card(std::string(rank) + suit)};
                        move.question = to == Place::Column;
                        move.answerYes = count > 1;
                        answers.push_back({Verdict::Solved, move, 1, 0});
                    }
        QString widest = SearchingText(HintQuestion::NextMove);
        for (const HintAnswer &answer : answers) {
            const QString text = HintText(answer, limits);
            if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest))
                widest = text;
        }
        QVERIFY2(metrics.horizontalAdvance(widest) <= panel->contentsRect().width(), 
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(widest).arg(metrics.horizontalAdvance(widest)).arg(panel->contentsRect().width())));
    }

    // A key pressed during the search stops it; no answer comes after.
    void inputCancelsTheSearch()
    {
        WindowFixture f;
        TForm1 &form = *f.form;
        bool wasSearching = false;
        QString stopped;
        std::unique_ptr<Script> script;
        script = std::make_unique<Script>(form, std::vector<std::function<bool()>>{
            [&] {
                form.Menu().MoveWinnable1->trigger();
                wasSearching = form.Hints().Searching();
                QTest::keyClick(form.View(), Qt::Key_Escape);
                stopped = form.StatusText(0);
                return true;
            },
            [&] {
                IdleUntil([] { return false; }, 300);   // time for a late answer to show up
                return true;
            },
        });
        NewGame1Click(form.State(), form, 5);
        QVERIFY(wasSearching);
        QVERIFY(!form.Hints().Searching());
        QCOMPARE(stopped, QStringLiteral("Ricerca interrotta."));
        for (const SeenBox &box : f.answerer.seen)
            QVERIFY2(box.icon != QMessageBox::Information, qPrintable(box.text));
    }
};

int main(int argc, char **argv)
{
    return RunOnOffscreenScreen<TestDealHint>(argc, argv, ScreenWidth, ScreenHeight);
}

#include "test_dealhint.moc"
