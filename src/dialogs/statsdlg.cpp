#include "dialogs/statsdlg.h"

#include <algorithm>
#include <utility>

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "dialogs/artwork.h"
#include "dialogs/dialogparts.h"

namespace quintara {

namespace {

const QString ResetCaption = QStringLiteral(" Cancello le statistiche");

// A count line: the plural only above one, so none reads in the singular.
QString CountLine(std::int32_t count, const QString &plural, const QString &singular)
{
    return (count > 1 ? plural : singular).arg(count);
}

std::optional<QString> StreakLine(const GameStatistics &stats)
{
    switch (stats.StreakType) {
    case NoStreak:
        return QStringLiteral("nessuna consecutiva");
    case WinningStreak:
        if (stats.StreakWins == 1)
            return QStringLiteral("vinta adesso:  una partita");
        return QStringLiteral("vinte adesso:  %1 partite in serie").arg(stats.StreakWins);
    case LosingStreak:
        if (stats.StreakLosses == 1)
            return QStringLiteral("persa adesso:  una partita");
        return QStringLiteral("perse adesso:  %1 partite in serie").arg(stats.StreakLosses);
    default:
        return std::nullopt;
    }
}

// The rounded frame around the figures; it only draws, the labels and
// buttons above it take the mouse.
class RoundFrame : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const int pen = 3;
        p.setPen(QPen(ScrollBarColour(), pen));
        p.setBrush(Qt::NoBrush);
        const qreal radius = std::min(width(), height()) / 8.0;
        p.drawRoundedRect(QRectF(rect()).adjusted(pen / 2.0, pen / 2.0, -pen / 2.0, -pen / 2.0),
                          radius, radius);
    }
};

} // namespace

std::int32_t WonPercentage(std::int32_t won, std::int32_t lost)
{
    // Wide arithmetic: stored counts are taken as they come, and an edited
    // value must neither overflow nor divide by zero.
    const std::int64_t played = std::int64_t{won} + lost;
    if (played <= 0)
        return 0;
    std::int64_t percent = 0;
    if (won >= 1)
        percent = std::int64_t{won} * 100 / played;
    else if (lost >= 1)
        percent = -(std::int64_t{lost} * 100) / played;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(percent, -100, 100));
}

StatisticsLabels StatisticsTexts(const GameStatistics &stats)
{
    const QString wonCount = QStringLiteral("vinte:       %1");
    const QString wonCountOne = QStringLiteral("vinta:       %1");
    const QString lostCount = QStringLiteral("perse:     %1");
    const QString lostCountOne = QStringLiteral("persa:     %1");
    StatisticsLabels texts;
    texts.Label2 = QStringLiteral("In questa mano:              %1%")
                       .arg(WonPercentage(stats.RunWon, stats.RunLost));
    texts.Label3 = CountLine(stats.RunWon, wonCount, wonCountOne);
    texts.Label4 = CountLine(stats.RunLost, lostCount, lostCountOne);
    texts.Label5 = QStringLiteral("Totale:                               %1%")
                       .arg(WonPercentage(stats.GamesWon, stats.GamesLost));
    texts.Label6 = CountLine(stats.GamesWon, wonCount, wonCountOne);
    texts.Label7 = CountLine(stats.GamesLost, lostCount, lostCountOne);
    texts.Label9 = CountLine(stats.StreakWins, QStringLiteral("vinte:        %1"),
                             QStringLiteral("vinta:        %1"));
    texts.Label10 = CountLine(stats.StreakLosses, QStringLiteral("perse:      %1"),
                              QStringLiteral("persa:      %1"));
    texts.Label11 = StreakLine(stats);
    return texts;
}

TStats1Dlg::TStats1Dlg(GameStatistics &stats, std::function<bool()> gameInProgress,
                       std::function<void()> saveStatistics, QWidget *parent)
    : QDialog(parent),
      Stats(stats),
      GameInProgress(std::move(gameInProgress)),
      SaveStatistics(std::move(saveStatistics)),
      Ask(MessageBoxPrompts(this))
{
    setObjectName(QStringLiteral("Stats1Dlg"));
    setWindowTitle(QStringLiteral(" Statistiche di Quintara"));
    setFixedSize(365, 416);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(rect());

    auto *shape = new RoundFrame(panel);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(15, 12, 336, 393);

    QLabel *title = PlaceLabel(panel, "Label1", QString(), 42, 36);
    QFont titleFont(QStringLiteral("Courier New"));
    titleFont.setPixelSize(20);
    titleFont.setItalic(true);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    SetColour(title, QPalette::WindowText, Blue);
    title->setText(QStringLiteral("Riassunto"));
    title->adjustSize();

    Label2 = PlaceLabel(panel, "Label2", QString(), 42, 71);
    Label3 = PlaceLabel(panel, "Label3", QString(), 98, 96);
    Label4 = PlaceLabel(panel, "Label4", QString(), 98, 120);
    Label5 = PlaceLabel(panel, "Label5", QString(), 42, 152);
    Label6 = PlaceLabel(panel, "Label6", QString(), 98, 176);
    Label7 = PlaceLabel(panel, "Label7", QString(), 98, 200);
    QLabel *streaks = PlaceLabel(panel, "Label8", QString(), 42, 232);
    streaks->setText(QStringLiteral("Consecutive:"));
    streaks->adjustSize();
    Label9 = PlaceLabel(panel, "Label9", QString(), 98, 256);
    Label10 = PlaceLabel(panel, "Label10", QString(), 98, 280);
    Label11 = PlaceLabel(panel, "Label11", QString(), 98, 304);

    auto *banner = new QLabel(panel);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setGeometry(193, 228, BannerWidth, BannerHeight);
    banner->setScaledContents(true);
    banner->setPixmap(QuintaraBanner());

    // The panel fills the window, so the buttons' places are the same in both.
    QPushButton *ok = MakeOkButton(this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(80, 344, 75, 33);

    auto *wipe = new QPushButton(QStringLiteral("Cancella"), this);
    wipe->setObjectName(QStringLiteral("BitBtn2"));
    wipe->setAutoDefault(false);
    wipe->setGeometry(216, 344, 77, 33);
    connect(wipe, &QPushButton::clicked, this, &TStats1Dlg::DelBtnClick);

    ShowFigures();
}

void TStats1Dlg::SetPrompts(Prompts prompts)
{
    Ask = std::move(prompts);
}

void TStats1Dlg::showEvent(QShowEvent *event)
{
    // Every opening shows the figures as they are now.
    ShowFigures();
    QDialog::showEvent(event);
}

void TStats1Dlg::ShowFigures()
{
    const StatisticsLabels texts = StatisticsTexts(Stats);
    const auto show = [](QLabel *label, const QString &text) {
        label->setText(text);
        label->adjustSize();
    };
    show(Label2, texts.Label2);
    show(Label3, texts.Label3);
    show(Label4, texts.Label4);
    show(Label5, texts.Label5);
    show(Label6, texts.Label6);
    show(Label7, texts.Label7);
    show(Label9, texts.Label9);
    show(Label10, texts.Label10);
    if (texts.Label11)
        show(Label11, *texts.Label11);
}

void TStats1Dlg::DelBtnClick()
{
    if (GameInProgress()) {
        Ask.ShowNotice(QStringLiteral("Il gioco dovrebbe essere prima finito."), ResetCaption,
                       NoticeIcon::Information);
        return;
    }
    if (!Ask.AskYesNo(QStringLiteral("Cancello tutte le statistiche ?"), ResetCaption))
        return;
    // Every counter goes, the stored ones and those of this run alike.
    Stats = GameStatistics{};
    SaveStatistics();
    ShowFigures();
}

} // namespace quintara
