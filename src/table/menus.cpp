#include "table/menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace quintara {

namespace {

QMenu *AddMenu(QMenuBar *bar, const QString &caption, const QString &hint)
{
    QMenu *menu = bar->addMenu(caption);
    menu->menuAction()->setStatusTip(hint);
    return menu;
}

// `keys`: the desktop's usual shortcuts for the command; the menu shows the first.
QAction *AddItem(QMenu *menu, const QString &caption, const QString &hint, const QList<QKeySequence> &keys = {})
{
    QAction *action = menu->addAction(caption);
    action->setStatusTip(hint);
    action->setShortcuts(keys);
    return action;
}

} // namespace

MainMenu BuildMainMenu(QMenuBar *bar)
{
    MainMenu m;
    m.GameMenu1 = AddMenu(bar, QStringLiteral("&Gioco"), QStringLiteral(" Menù principale"));
    m.NewGame1 = AddItem(m.GameMenu1, QStringLiteral("&Nuovo gioco"), QStringLiteral(" Comincia un nuovo gioco"),
                        {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::Key_F2)});
    m.FinishGame1 = AddItem(m.GameMenu1, QStringLiteral("&Finisci il gioco"), QStringLiteral(" Finisci il gioco in corso"));
    m.ReplayGame1 = AddItem(m.GameMenu1, QStringLiteral("&Rigioca la partita"), QStringLiteral(" Distribuisce di nuovo le carte dell'ultima partita"));
    m.DealNumber1 = AddItem(m.GameMenu1, QStringLiteral("Partita n&umero..."), QStringLiteral(" Gioca la partita del numero scelto"));
    m.GameMenu1->addSeparator();
    m.GameStats1 = AddItem(m.GameMenu1, QStringLiteral("&Statistiche"), QStringLiteral(" Guarda o correggi le statistiche"));
    m.GamePref1 = AddItem(m.GameMenu1, QStringLiteral("&Preferenze"), QStringLiteral(" Scegli tra le opzioni disponibili"));
    m.GameMenu1->addSeparator();
    m.GameExit1 = AddItem(m.GameMenu1, QStringLiteral("&Esci"), QStringLiteral(" Esci e chiude la finestra"),
                         {QKeySequence(Qt::CTRL | Qt::Key_Q)});

    m.MoveMenu1 = AddMenu(bar, QStringLiteral("M&ossa"), QString());
    m.MoveUndo1 = AddItem(m.MoveMenu1, QStringLiteral("&Cancella la mossa"), QStringLiteral(" Cancella l'ultima mossa"),
                         {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    m.MoveShow1 = AddItem(m.MoveMenu1, QStringLiteral("&Mostra le mosse"), QStringLiteral(" Mostra/nasconde mosse possibili"));
    m.MoveHint1 = AddItem(m.MoveMenu1, QStringLiteral("&Suggerimento"), QStringLiteral(" Indica una mossa che porta alla vittoria"),
                          {QKeySequence(Qt::Key_H)});
    m.MoveWinnable1 = AddItem(m.MoveMenu1, QStringLiteral("Si può ancora &vincere?"), QStringLiteral(" Dice se la partita si può ancora vincere"));
    m.MoveWhereLost1 = AddItem(m.MoveMenu1, QStringLiteral("&Dove ho sbagliato?"), QStringLiteral(" Trova la mossa che ha perso l'ultima partita"));
    m.MoveShowWin1 = AddItem(m.MoveMenu1, QStringLiteral("Mos&trami come si vince"), QStringLiteral(" Il gioco finisce la partita, che conta come persa"));

    m.HelpMenu1 = AddMenu(bar, QStringLiteral("&Aiuto"), QStringLiteral(" Menù di aiuto"));
    m.HelpAbout1 = AddItem(m.HelpMenu1, QStringLiteral("&Informazioni sul gioco"), QStringLiteral(" Mostra le informazioni sul gioco"));
    m.HelpDate = AddItem(m.HelpMenu1, QStringLiteral("Mostra &Data"), QStringLiteral(" Mostra il calendario"));
    return m;
}

} // namespace quintara
