// The suit tab of the preferences dialog: the order of the suits on the
// piles, chosen with four buttons, and the gap between the columns.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "core/gamestate.h"
#include "dialogs/prefdlg.h"
#include "dialogs/dialogparts.h"
#include "dialogs/prefwidgets.h"
#include "dialogs/suitglyphs.h"
#include "store/store.h"

namespace quintara {

namespace {

constexpr int LongPauseMs = 4000;
constexpr int ShortPauseMs = 2000;

QLabel *OrderLabel(QWidget *page, const char *name, int top, const QColor &background)
{
    QLabel *label = PlaceLabel(page, name, QString(), 32, top);
    label->setGeometry(32, top, 160, 17);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    label->setFont(font);
    SetColour(label, QPalette::Window, background);
    return label;
}

} // namespace

void TPrefDlg1::BuildSuitTab()
{
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Selezione del seme"));

    PlaceLabel(TabSheet3, "Label5", QStringLiteral("Premi i bottoni nell'ordine desiderato...     "), 32, 16);
    const int lefts[PileCount] = {32, 92, 150, 210};
    for (int k = 1; k <= PileCount; ++k) {
        auto *button = new QPushButton(SuitGlyph(k - 1), QString::number(k), TabSheet3);
        button->setObjectName(QStringLiteral("BitBtn%1").arg(k));
        button->setIconSize(QSize(SuitGlyphWidth, SuitGlyphHeight));
        // The suit is only a picture on the button: a screen reader needs it in words.
        button->setAccessibleName(QStringLiteral("%1, %2").arg(k).arg(SuitName(k - 1)));
        button->setGeometry(lefts[k - 1], 48, 44, 33);
        // Return always means OK, wherever the focus is.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, k] { SuitButtonClick(k); });
    }
    Label6 = OrderLabel(TabSheet3, "Label6", 96, White);
    Label6->setAlignment(Qt::AlignCenter);
    Label7 = OrderLabel(TabSheet3, "Label7", 128, Lime);

    QLabel *label12 = PlaceLabel(TabSheet3, "Label12", QStringLiteral("Spazio tra colonne:   "), 300, 16);
    Edit2 = new QLineEdit(QStringLiteral("12"), TabSheet3);
    label12->setBuddy(Edit2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(325, 50, 24, Edit2->sizeHint().height());
    Edit2->installEventFilter(this);
    auto *upDown = new UpDown(Edit2, SpacingLow, SpacingHigh, TabSheet3);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    upDown->OnClick = [this] { UpDown1Click(); };
    PlaceLabel(TabSheet3, "Label13", QStringLiteral("pixels"), 375, 53);
}

void TPrefDlg1::TabSheet3Enter()
{
    const GameSettings &s = State.Settings;
    SetStatus(QStringLiteral(" Assegnazione dei semi nelle caselle di arrivo e dello spazio tra colonne."));
    Edit2->setText(QString::number(s.ColumnSpacing));
    SetColour(Edit2, QPalette::Base, White);
    SetColour(Label7, QPalette::Window, White);
    Label6->setText(CurrentOrderText(s.PileSuit));
    Presses.Clear();
    Label7->setText(NewOrderText(Presses.NewOrder));
    PageDone = false;
}

void TPrefDlg1::TabSheet3Exit()
{
    PageDone = true;
}

void TPrefDlg1::SuitButtonClick(int button)
{
    if (!Presses.Press(button))
        return;
    SetColour(Label7, QPalette::Window, Lime);
    Label7->setText(NewOrderText(Presses.NewOrder));
}

void TPrefDlg1::Edit2Enter()
{
    SetStatus(QStringLiteral(" Correggi o conferma il spazio tra colonne di carte."));
    Edit2->setText(QString::number(State.Settings.ColumnSpacing));
}

void TPrefDlg1::UpDown1Click()
{
    Edit2->setModified(true);
}

void TPrefDlg1::RefuseSuitEntry(QWidget *marked, QPalette::ColorRole role)
{
    SetColour(marked, role, Yellow);
    SetStatus(QStringLiteral(" Sbagliato! Prova di nuovo... Assegnazione scorretta."));
    ProcessEvents();
    Pause(LongPauseMs);
    // Afresh, with the stored order and spacing.
    TabSheet3Enter();
}

TPrefDlg1::Outcome TPrefDlg1::StoreSuitOrderAndSpacing()
{
    GameSettings &s = State.Settings;
    // Fewer than four presses leave the order as it is, without a word.
    if (Presses.Complete()) {
        const std::optional<PileSuitOrder> order = Presses.Order();
        if (!order) {
            RefuseSuitEntry(Label7, QPalette::Window);
            return Outcome::Stay;
        }
        s.PileSuit = *order;
        if (!Written(Store.StoreSuitOrderAndSpacing(s, true, false)))
            return Outcome::WriteFailed;
        SetStatus(QStringLiteral(" Nuovo ordine memorizzato nel registro"));
        SetColour(Label7, QPalette::Window, White);
        s.PrefsChanged = true;
        Pause(ShortPauseMs);
    }

    const std::int32_t spacing = ReadColumnSpacing(Edit2->text());
    if (!SpacingAccepted(spacing)) {
        RefuseSuitEntry(Edit2, QPalette::Base);
        return Outcome::Stay;
    }
    if (spacing != s.ColumnSpacing) {
        s.ColumnSpacing = spacing;
        Edit2->setText(QString::number(spacing));
        PageDelay = 1000;
        if (!Written(Store.StoreSuitOrderAndSpacing(s, false, true)))
            return Outcome::WriteFailed;
        SetStatus(QStringLiteral(" Memorizzato il valore modificato nel registro."));
        Pause(ShortPauseMs);
    } else if (!s.PrefsChanged) {
        // With a change still waiting for the main window, silence: the
        // status bar keeps what the store said.
        PageDelay = 1600;
        SetStatus(QStringLiteral(" Nessuna modifica memorizzata"));
    }
    return Outcome::Done;
}

} // namespace quintara
