#include "table/statuspanels.h"

#include <QAccessible>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include "core/clock.h"
#include "core/gamestate.h"

namespace quintara {

QString TableSummary(const GameState &state, const QDateTime &now)
{
    if (!state.flags.GameInProgress)
        return QStringLiteral("Nessun gioco in corso.");
    QString text = QStringLiteral("Carte rimaste: %1. Livello: %2. Tempo di gioco: minuti %3 secondi.")
                       .arg(state.table.CardsLeft)
                       .arg(state.table.FoundationLevel)
                       .arg(GameDurationText(state.flags.GameStartTime, now));
    if (state.held.PickedFrom != FromNothing)
        text += QStringLiteral(" Carta selezionata: %1.").arg(CardText(state.held.PickedCard));
    return text;
}

StatusPanels::StatusPanels(QStatusBar *bar)
    : bar_(bar)
{
    QFont font = bar->font();
    font.setBold(false);
    bar->setFont(font);
    bar->setSizeGripEnabled(false);
    const int widths[] = {260, 260, 260, 20};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFixedWidth(widths[i]);
        label->setAlignment(alignments[i] | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(label);
        panels_[i] = label;
    }
}

void StatusPanels::setText(int panel, const QString &text)
{
    panels_[panel]->setText(text);
}

QString StatusPanels::text(int panel) const
{
    return panels_[panel]->text();
}


void StatusPanels::announce(const QString &text)
{
    const QString said = text.trimmed();
    if (said.isEmpty())
        return;
    if (heard_.isEmpty())
        QTimer::singleShot(0, bar_, [this] { sayHeard(); });
    heard_ << said;
}

void StatusPanels::sayHeard()
{
    const QString said = heard_.join(QStringLiteral("; "));
    heard_.clear();
    // A new name is told by Qt itself; the same news again needs telling.
    if (bar_->accessibleName() != said) {
        bar_->setAccessibleName(said);
        return;
    }
    QAccessibleEvent event(bar_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace quintara
