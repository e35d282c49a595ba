#include "moves/narration.h"

#include <utility>

namespace quintara {

using namespace details_panel;

namespace {

// Drawn under every card line: the dots show to the right of the shorter
// card text and wipe whatever an earlier narration left on that line.
const QString Leader = QStringLiteral(" . . . . . . . . . . . . . . . . . . . . . . . . . ");

QString Verdict(CountStep step, int count)
{
    const QString oneCard = QStringLiteral("Pronto per lo spostamento di una sola carta.");
    const QString elsewhere = QStringLiteral("Prova un'altra destinazione.");
    switch (step) {
    case CountStep::N1:
    case CountStep::N2:
        return count >= 1 ? oneCard : elsewhere;
    case CountStep::N3:
        return QStringLiteral("La carta scelta può essere spostata.");
    case CountStep::N4:
        return count >= 1 ? QStringLiteral("%1 carte possono essere spostate subito.").arg(count) : elsewhere;
    case CountStep::E1:
    case CountStep::E2:
        return oneCard;
    case CountStep::E3:
        return count > 1 ? QStringLiteral("Trasferimento di %1 carte dalla tavola.").arg(count) : oneCard;
    }
    return elsewhere;
}

QString FirstCardLine(CardCode held)
{
    return QStringLiteral("La prima carta selezionata è: %1").arg(CardText(held));
}

} // namespace

MoveNarrator::MoveNarrator(GameState &state, DetailsSink sink) : state_(state), sink_(std::move(sink)) {}

void MoveNarrator::countAsked(int column, int destSlot)
{
    column_ = column;
    const bool onCards = column >= 0 && column < ColumnCount && destSlot >= 0 && destSlot < SlotCount;
    target_ = onCards ? state_.table.Columns[column].Card[destSlot] : NoTargetCard;
}

void MoveNarrator::stepBegun(CountStep step, CardCode held)
{
    if (state_.panels.DetailsHeaderDue || target_ != state_.panels.DetailsLastTarget || column_ != state_.panels.DetailsLastColumn)
        drawHeader(held);
    writingLine_ = DetailsTopLine;
    switch (step) {
    case CountStep::N1:
    case CountStep::N2:
    case CountStep::E1:
        break;
    case CountStep::N3:
    case CountStep::E2:
    case CountStep::E3:
        rightLine(FirstCardLine(held));
        advance();
        break;
    case CountStep::N4:
        rightLine(FirstCardLine(held));
        advance();
        rightLine(QStringLiteral("La prima carta non è compatibile."));
        advance();
        break;
    }
}

void MoveNarrator::cardExamined(int m, CardCode card)
{
    rightLine(Leader);
    rightLine(QStringLiteral("Carta numero %1 è: %2").arg(QString::number(m), CardText(card)));
    // A long walk keeps writing over its last line rather than running off the panel.
    if (m - 1 <= state_.Layout.DetailsLineLimit)
        advance();
    show();
}

void MoveNarrator::runBroken(int m)
{
    rightLine(QStringLiteral("La carta %1 non è impilabile con la carta precedente.").arg(m));
}

void MoveNarrator::cardFits(int m)
{
    rightLine(QStringLiteral("La carta %1 può essere spostata.").arg(m));
}

void MoveNarrator::countFinished(CountStep step, int count)
{
    text(state_.Layout.TableMargin - 2, VerdictY, Verdict(step, count), CourierNew, count >= 1 ? Lime : Yellow);
    show();
}

void MoveNarrator::drawHeader(CardCode held)
{
    state_.panels.DetailsLastTarget = target_;
    state_.panels.DetailsLastColumn = column_;
    sink_({DetailsDraw::Kind::ClearPanel, {}, 0, 0, {}, {}, false});

    const int left = state_.Layout.TableMargin - 2;
    text(left, HeadingY, QStringLiteral("Spostamento della carta"), CourierNew, Aqua, true);
    text(RightX, HeadingY, QStringLiteral("Dettagli della ricerca"), CourierNew, Aqua, true);
    text(left, ResultHeadingY, QStringLiteral("Risultati avuti all'arrivo"), CourierNew, Aqua, true);

    text(left, SourceY, QStringLiteral("Partenza selezionata:  %1").arg(CardText(held)), CourierNew, White);
    const QString destination = target_ == NoTargetCard
        ? QStringLiteral("Arrivo selezionato:  nessuno, colonna vuota")
        : QStringLiteral("Arrivo selezionato:    %1").arg(CardText(target_));
    text(left, DestinationY, destination, CourierNew, White);
    text(left, DestinationColumnY, QStringLiteral("Arrivo: colonna numero %1").arg(column_ + 1), CourierNew, White);
    show();
}

void MoveNarrator::text(int x, int y, const QString &text, const char *family, Rgb colour, bool underline)
{
    sink_({DetailsDraw::Kind::Text, text, x, y, QString::fromLatin1(family), colour, underline});
}

void MoveNarrator::rightLine(const QString &line)
{
    text(RightX, writingLine_, line, TimesNewRoman, White);
}

void MoveNarrator::show()
{
    sink_({DetailsDraw::Kind::ShowPanel, {}, 0, 0, {}, {}, false});
}

} // namespace quintara
