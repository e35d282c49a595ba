#pragma once
// The "Riassunto" window: games won and lost in this run and in all runs,
// their shares and the current streak, and the wiping of it all.

#include <cstdint>
#include <functional>
#include <optional>

#include <QDialog>
#include <QString>

#include "dialogs/prompts.h"
#include "core/settings.h"

class QLabel;

namespace quintara {

// The share of won games in percent, truncated. When nothing was won the
// losses show as a negative share, so losses only give -100; no games give 0.
std::int32_t WonPercentage(std::int32_t won, std::int32_t lost);

// What the dialog's figure lines say, one text per label.
struct StatisticsLabels {
    QString Label2;  // this run's share
    QString Label3;  // won in this run
    QString Label4;  // lost in this run
    QString Label5;  // all-time share
    QString Label6;  // won, all time
    QString Label7;  // lost, all time
    QString Label9;  // length of the winning streak
    QString Label10; // length of the losing streak
    // The current streak in words; unset for a streak kind that the game
    // never writes, and the line then keeps what it showed.
    std::optional<QString> Label11;
};

StatisticsLabels StatisticsTexts(const GameStatistics &stats);

class TStats1Dlg : public QDialog {
    Q_OBJECT
public:
    // `stats` is the live record of the main window; the dialog reads it at
    // every showing and writes it only when the player wipes it, after which
    // `saveStatistics` stores it. `gameInProgress` tells whether a wipe must
    // wait for the end of the game.
    TStats1Dlg(GameStatistics &stats, std::function<bool()> gameInProgress,
               std::function<void()> saveStatistics, QWidget *parent = nullptr);

    void SetPrompts(Prompts prompts);

    // The "Cancella" button.
    void DelBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowFigures();

    GameStatistics &Stats;
    std::function<bool()> GameInProgress;
    std::function<void()> SaveStatistics;
    Prompts Ask;

    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label9;
    QLabel *Label10;
    QLabel *Label11;
};

} // namespace quintara
