#include "table/dealnumber.h"

#include <algorithm>

#include <QAction>
#include <QLabel>

#include "core/deal.h"
#include "core/gameflow.h"
#include "core/gamestate.h"
#include "dialogs/dealnumberdlg.h"
#include "table/layout.h"

namespace quintara {

DealCommands::DealCommands(GameState &gameState, Shell &gameShell, QWidget *tableWidget, QAction *replayAction)
    : QObject(tableWidget), state(gameState), shell(gameShell), table(tableWidget), replay(replayAction),
      label(new QLabel(tableWidget))
{
    label->setObjectName(QStringLiteral("DealLabel"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    Update();
}

void DealCommands::Place(const TableLayout &l)
{
    // Under the two buttons, inside the strip they share with the cells and
    // the piles, so the side picture below is left alone; in line with the
    // buttons where the widest number fits, further left on a narrow screen,
    // and in smaller print where even the whole side area is too narrow for it.
    const int room = l.window.ClientWidth - l.window.PlayAreaWidth - 4;
    QFont font = label->font();
    for (int size = 11; size > 8; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(DealTitle(LastDealNumber)) <= room)
            break;
    }
    label->setFont(font);
    const int widest = label->fontMetrics().horizontalAdvance(DealTitle(LastDealNumber));
    const int left = std::max(l.window.PlayAreaWidth + 2, std::min(l.buttons.UndoBtnLeft, l.window.ClientWidth - widest - 4));
    const int top = l.buttons.ShowBtnTop + 29 + 4;
    label->setGeometry(left, top, l.window.ClientWidth - left - 2, l.grid.TopStripHeight - top);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void DealCommands::Update()
{
    replay->setEnabled(state.deal.LastDeal.has_value());
    const bool onTable = state.flags.GameInProgress && state.deal.LastDeal;
    if (onTable)
        label->setText(DealTitle(*state.deal.LastDeal));
    label->setVisible(onTable);
}

void DealCommands::ReplayGame1Click()
{
    if (state.deal.LastDeal)
        PlayDeal(state, shell, *state.deal.LastDeal);
}

void DealCommands::DealNumber1Click()
{
    DealNumberDlg dialog(table->window());
    if (const auto seed = dialog.Ask(state.deal.LastDeal))
        PlayDeal(state, shell, *seed);
}

} // namespace quintara
