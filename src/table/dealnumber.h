#pragma once
// The deal's number at the table: shown beside the table while a game is on
// it, and the two commands that deal by number, "Rigioca la partita" and
// "Partita numero...".

#include <QObject>

class QAction;
class QLabel;
class QWidget;

namespace quintara {

struct GameState;
struct TableLayout;
class Shell;

class DealCommands : public QObject {
    Q_OBJECT
public:
    // The label goes on `table`, in the side area under the buttons.
    DealCommands(GameState &state, Shell &shell, QWidget *table, QAction *replay);

    void Place(const TableLayout &layout);
    // Follows the game: the label while a game is on the table, replay once
    // there is a deal to replay.
    void Update();

    void ReplayGame1Click();
    void DealNumber1Click();

    const QLabel *Label() const { return label; }

private:
    GameState &state;
    Shell &shell;
    QWidget *table;
    QAction *replay;
    QLabel *label;
};

} // namespace quintara
