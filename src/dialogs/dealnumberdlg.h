#pragma once
// "Partita numero...": the player types the number of a deal, to play it
// again or to play one a friend shared. A number that is not one is refused
// with a message, and the dialog stays open to mend it.

#include <cstdint>
#include <optional>

#include <QDialog>

#include "dialogs/prompts.h"

class QLineEdit;

namespace quintara {

class DealNumberDlg : public QDialog {
    Q_OBJECT
public:
    explicit DealNumberDlg(QWidget *parent = nullptr);

    // Runs the dialog with `last` written in; the number to deal, or nullopt
    // when the player cancels.
    std::optional<std::uint32_t> Ask(std::optional<std::uint32_t> last);
    QLineEdit *NumberEdit() const { return edit; }

    void accept() override;

private:
    Prompts prompts;
    QLineEdit *edit = nullptr;
    std::optional<std::uint32_t> chosen;
};

} // namespace quintara
