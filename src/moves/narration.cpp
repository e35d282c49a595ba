#include "moves/narration.h"

#include <utility>

namespace quintara {

namespace {

// Drawn under every card line: the dots show to the right of the shorter
// card text and wipe whatever an earlier narration left on that line.
const QString Leader = QStringLiteral(" . . . . . . . . . . . . . . . . . . . . . . . . . ");

QString VerdictText(CountStep step, int count)
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
    writingLine_ = 0;
    switch (step) {
    case CountStep::N1:
    case CountStep::N2:
    case CountStep::E1:
        break;
    case CountStep::N3:
    case CountStep::E2:
    case CountStep::E3:
        searchLine(FirstCardLine(held));
        advance();
        break;
    case CountStep::N4:
        searchLine(FirstCardLine(held));
        advance();
        searchLine(QStringLiteral("La prima carta non è compatibile."));
        advance();
        break;
    }
}

void MoveNarrator::cardExamined(int m, CardCode card)
{
    searchLine(Leader);
    searchLine(QStringLiteral("Carta numero %1 è: %2").arg(QString::number(m), CardText(card)));
    // A long walk keeps writing over its last line rather than running off the panel.
    if (m - 1 <= state_.Layout.panel.DetailsLineLimit)
        advance();
    show();
}

void MoveNarrator::runBroken(int m)
{
    searchLine(QStringLiteral("La carta %1 non è impilabile con la carta precedente.").arg(m));
}

void MoveNarrator::cardFits(int m)
{
    searchLine(QStringLiteral("La carta %1 può essere spostata.").arg(m));
}

void MoveNarrator::countFinished(CountStep step, int count)
{
    text(count >= 1 ? DetailsRole::VerdictYes : DetailsRole::VerdictNo, VerdictText(step, count));
    show();
}

void MoveNarrator::drawHeader(CardCode held)
{
    state_.panels.DetailsLastTarget = target_;
    state_.panels.DetailsLastColumn = column_;
    sink_({DetailsDraw::Kind::ClearPanel, {}, {}, 0});

    text(DetailsRole::MoveHeading, QStringLiteral("Spostamento della carta"));
    text(DetailsRole::SearchHeading, QStringLiteral("Dettagli della ricerca"));
    text(DetailsRole::ResultHeading, QStringLiteral("Risultati avuti all'arrivo"));

    text(DetailsRole::Source, QStringLiteral("Partenza selezionata:  %1").arg(CardText(held)));
    const QString destination = target_ == NoTargetCard
        ? QStringLiteral("Arrivo selezionato:  nessuno, colonna vuota")
        : QStringLiteral("Arrivo selezionato:    %1").arg(CardText(target_));
    text(DetailsRole::Destination, destination);
    text(DetailsRole::DestinationColumn, QStringLiteral("Arrivo: colonna numero %1").arg(column_ + 1));
    show();
}

void MoveNarrator::text(DetailsRole role, const QString &text)
{
    sink_({DetailsDraw::Kind::Text, text, role, 0});
}

void MoveNarrator::searchLine(const QString &line)
{
    sink_({DetailsDraw::Kind::Text, line, DetailsRole::SearchLine, writingLine_});
}

void MoveNarrator::show()
{
    sink_({DetailsDraw::Kind::ShowPanel, {}, {}, 0});
}

} // namespace quintara
