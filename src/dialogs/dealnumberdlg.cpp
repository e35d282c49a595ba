#include "dialogs/dealnumberdlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/deal.h"

namespace quintara {

DealNumberDlg::DealNumberDlg(QWidget *parent) : QDialog(parent), prompts(MessageBoxPrompts(this))
{
    setWindowTitle(QStringLiteral(" Partita numero"));
    auto *label = new QLabel(QStringLiteral("Numero della partita da giocare, da 0 a %1:").arg(LastDealNumber), this);
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("NumberEdit"));
    label->setBuddy(edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
}

std::optional<std::uint32_t> DealNumberDlg::Ask(std::optional<std::uint32_t> last)
{
    chosen.reset();
    edit->setText(last ? QString::number(*last) : QString());
    edit->selectAll();
    edit->setFocus();
    exec();
    return chosen;
}

void DealNumberDlg::accept()
{
    QString error;
    chosen = ParseDealNumber(edit->text(), error);
    if (!chosen) {
        prompts.ShowNotice(error, windowTitle(), NoticeIcon::Stop);
        edit->selectAll();
        edit->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace quintara
