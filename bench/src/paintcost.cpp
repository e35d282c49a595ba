// Figures of the table's painting and of the move analysis, measured inside
// one process at the scale given as the first argument (1 unless told): the
// time from creating the main window to its first painted picture; a full
// repaint and its floor (one colour laid over the whole table and shown),
// taken in turns in one loop so that both meet the same load, each with the
// time the game's thread spent on the processor and waiting for one; the
// repaint of a new deal and the repaint after one move; one step of the mouse
// dragging a card (with the card following the pointer and without); and one
// count of the moves left. With "first" as the second argument, only the
// first paint. On the X server named by DISPLAY, scaled by Qt; without one,
// on an offscreen 1024 x 768 screen of that scale.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <cstdio>
#include <vector>

#include "core/analysis.h"
#include "core/deal.h"
#include "core/move.h"
#include "support/screen.h"
#include "table/carddrawing.h"
#include "table/drawingtools.h"
#include "table/mainwindow.h"
#include "table/tableview.h"

using namespace quintara;

namespace {

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double Mean(const std::vector<double> &times)
{
    return std::accumulate(times.begin(), times.end(), 0.0) / times.size();
}

template <typename Work>
double MedianMicroseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1000.0);
    }
    return Median(std::move(times));
}

// The processor time this thread has had, in microseconds: on a busy
// machine the wall clock also counts the turns other work took.
double ThreadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// The time this thread has waited, ready, for a processor, in microseconds.
double WaitedMicroseconds()
{
    QFile stat(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    return stat.readAll().split(' ').value(1).toDouble() / 1e3;
}

// Wall and processor times of each kind of work, done in turns, and the
// time it waited for a processor.
struct Timed {
    std::vector<double> wall;
    std::vector<double> processor;
    std::vector<double> waited;
    template <typename Work>
    void Add(Work work)
    {
        QElapsedTimer clock;
        const double ready = WaitedMicroseconds();
        const double before = ThreadMicroseconds();
        clock.start();
        work();
        wall.push_back(clock.nsecsElapsed() / 1000.0);
        processor.push_back(ThreadMicroseconds() - before);
        waited.push_back(WaitedMicroseconds() - ready);
    }
};

// What the process holds in memory now, as the system counts it.
double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Reads `clock` the moment the widget it watches has painted for the first
// time: the picture is then the window system's to show. What happens after
// it, such as work the paint left for later, is not counted.
struct FirstPaintWatch : QObject {
    explicit FirstPaintWatch(const QElapsedTimer &clock) : clock(clock) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || milliseconds >= 0)
            return false;
        static_cast<QObject *>(watched)->event(event);
        milliseconds = clock.nsecsElapsed() / 1e6;
        return true;
    }
    const QElapsedTimer &clock;
    double milliseconds = -1;
};

// One step of the mouse dragging a held card, each to a place a few pixels
// from the last, as a hand moves it.
double DragStep(TForm1 &form, bool following)
{
    GameState &state = form.State();
    TableView *view = form.View();
    state.Settings.CardFollowsPointer = following;
    const TableColumn &column = state.table.Columns[2];
    const PixelRect card = CardRect(state.Layout, column.X[*TopSlot(column)], column.Y[*TopSlot(column)]);
    const QPointF press((card.left + card.right) / 2, (card.top + card.bottom) / 2);
    const auto send = [view](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    int step = 0;
    const double median = MedianMicroseconds(200, [&] {
        ++step;
        send(QEvent::MouseMove, press + QPointF(100 + 3 * (step % 20), 80 + 2 * (step % 20)), Qt::LeftButton);
    });
    // Let go where the card came from: it is put back.
    send(QEvent::MouseButtonRelease, press, Qt::NoButton);
    send(QEvent::MouseButtonPress, press, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, press, Qt::NoButton);
    return median;
}

} // namespace

int main(int argc, char **argv)
{
    const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
    QTemporaryDir dir;
    if (scale <= 0)
        return 1;
    if (qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    } else if (!test::UseOffscreenScreen(dir, 1024, 768, scale)) {
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    QApplication app(argc, argv);

    QElapsedTimer start;
    start.start();
    TForm1 form;
    FirstPaintWatch watch(start);
    form.View()->installEventFilter(&watch);
    form.show();
    while (watch.milliseconds < 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const double firstPaintMs = watch.milliseconds;
    std::printf("scale %g: window created to first paint: %.1f ms\n", scale, firstPaintMs);
    if (argc > 2 && qstrcmp(argv[2], "first") == 0)
        return 0;

    // Load the card module as the first idle moment would.
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();

    GameState &state = form.State();
    ResetTable(state);
    ShuffleAndDeal(state, 1);
    // A full repaint and the least any full repaint costs, one colour over
    // the whole table, shown, in turns, which one first drawn by lot: a
    // steady beat would fall in step with the other work of a busy machine,
    // and one of the two would take all its waits.
    TableView *view = form.View();
    Timed full;
    Timed floor;
    const auto repaint = [&] {
        state.paint.FullRepaint = true;
        state.paint.ColumnDirty.fill(true);
        form.Repaint(PaintSender::BitBtn1);
    };
    const auto fill = [&] {
        view->canvas().fill(ToColor(state.Layout.window.TableColour));
        view->showNow(view->rect());
    };
    for (int i = 0; i < 200; ++i) {
        if (QRandomGenerator::global()->bounded(2) == 0) {
            full.Add(repaint);
            floor.Add(fill);
        } else {
            floor.Add(fill);
            full.Add(repaint);
        }
    }
    // A new deal, every column another, dealt again and again in turns with
    // another: the repaint alone is timed.
    std::vector<double> deals;
    for (int i = 0; i < 200; ++i) {
        ResetTable(state);
        ShuffleAndDeal(state, 1 + i % 2);
        QElapsedTimer clock;
        clock.start();
        form.Repaint(PaintSender::BitBtn1);
        deals.push_back(clock.nsecsElapsed() / 1000.0);
    }
    ResetTable(state);
    ShuffleAndDeal(state, 1);
    // The floor left the buffers' pictures off the window.
    state.paint.FullRepaint = true;
    form.Repaint(PaintSender::BitBtn1);
    // The top card of column 3 onto column 6, then back, each move repainted.
    bool moved = false;
    const double oneMove = MedianMicroseconds(200, [&] {
        const int from = moved ? 5 : 2;
        const int to = moved ? 2 : 5;
        const auto top = [&](int c) { return state.table.Columns[c].Card[*TopSlot(state.table.Columns[c])]; };
        ApplyMove(state.table, Move{Place::Column, from, Place::Column, to, 1, top(from), top(to)});
        state.paint.ColumnDirty[from] = state.paint.ColumnDirty[to] = true;
        form.Repaint(PaintSender::BitBtn1);
        moved = !moved;
    });
    state.flags.GameInProgress = true;
    const double dragFollowing = DragStep(form, true);
    const double dragPlain = DragStep(form, false);
    state.flags.AnalysisOn = true;
    state.flags.MovesLeft = true;
    const double analysis = MedianMicroseconds(2000, [&] { AnalyseMoves(state, form); });
    state.flags.ShowMoves = true;
    const double analysisShown = MedianMicroseconds(200, [&] { AnalyseMoves(state, form); });

    std::printf("scale %g: full repaint of a dealt table: %.0f us (median of 200; on the processor %.0f us, "
                "waiting for it %.0f us)\n",
                scale, Median(full.wall), Median(full.processor), Median(full.waited));
    std::printf("scale %g: one colour over the whole table, shown: %.0f us (median of 200, in turns with the "
                "repaint; on the processor %.0f us, waiting for it %.0f us)\n",
                scale, Median(floor.wall), Median(floor.processor), Median(floor.waited));
    std::printf("scale %g: full repaint / its floor: %.2f (of the means %.2f; on the processor %.2f)\n", scale,
                Median(full.wall) / Median(floor.wall), Mean(full.wall) / Mean(floor.wall),
                Median(full.processor) / Median(floor.processor));
    std::printf("scale %g: repaint of a new deal (every column): %.0f us (median of 200)\n", scale, Median(deals));
    std::printf("scale %g: repaint after one move (two columns): %.0f us (median of 200)\n", scale, oneMove);
    std::printf("scale %g: one drag step, the card following the pointer: %.0f us (median of 200)\n", scale,
                dragFollowing);
    std::printf("scale %g: one drag step, the card left in its place: %.0f us (median of 200)\n", scale, dragPlain);
    std::printf("scale %g: AnalyseMoves, panel hidden: %.2f us (median of 2000)\n", scale, analysis);
    std::printf("scale %g: AnalyseMoves, panel shown: %.0f us (median of 200)\n", scale, analysisShown);
    std::printf("scale %g: resident memory of the open window: %.1f MB\n", scale, ResidentMegabytes());
    state.flags.GameInProgress = false;
    return 0;
}
