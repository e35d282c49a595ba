#include "dialogs/aboutbox.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "dialogs/artwork.h"
#include "dialogs/dialogparts.h"

namespace quintara {

const QString TAboutBox::WebAddress = QStringLiteral("https://quintara.example/");
const QString TAboutBox::CopiedText = QStringLiteral("URL copiato sul desktop");

namespace {

constexpr int ConfirmationMs = 2000;

const char *const Information =
    "Quintara è un solitario con un mazzo francese di 52 carte, distribuite tutte "
    "scoperte in otto colonne. In alto ci sono quattro celle libere, che tengono "
    "una carta ciascuna, e quattro file, una per seme, da costruire dall'asso al re.\n"
    "\n"
    "Come si gioca\n"
    "- Si prende l'ultima carta di una colonna o quella di una cella libera e la "
    "si trascina con il mouse, oppure un clic sulla carta e uno sul posto d'arrivo.\n"
    "- Su una colonna va una carta di colore diverso e di un punto più bassa "
    "dell'ultima: un sette nero su un otto rosso. Una colonna vuota accetta "
    "qualsiasi carta; un asso non va mai in una cella libera.\n"
    "- Più carte in scala passano insieme, se le celle libere e le colonne vuote "
    "bastano a farle passare.\n"
    "- Le carte che sul tavolo non servono più salgono da sole nelle file; "
    "\"Cancella la mossa\" riporta indietro l'ultima mossa.\n"
    "- Si vince quando tutte le carte sono nelle file; quando non resta nessuna "
    "mossa, la partita è persa.\n"
    "\n"
    "Questa edizione è gratuita: usala e regalala a chi vuoi. Se ti piace, il "
    "contributo più gradito è una segnalazione: un errore, un'idea, un parere.\n"
    "\n"
    "Scrivici: posta@quintara.example - Sito: https://quintara.example/";

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral(" Informazioni sul gioco"));
    setFixedSize(540, 547);
    move(AboutPlace);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(12, -1, 517, 537);

    auto *icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setGeometry(41, 20, 129, 146);
    icon->setScaledContents(true);
    icon->setPixmap(QuintaraPicture(129, 146));

    QLabel *product = PlaceLabel(panel, "ProductName",
                                QStringLiteral("Quintara - Edizione Speciale"), 203, 16);
    QFont productFont = product->font();
    productFont.setPixelSize(20);
    product->setFont(productFont);
    product->adjustSize();

    PlaceLabel(panel, "Version", QStringLiteral(" Versione 2.1,   Release 2 "), 252, 42);
    PlaceLabel(panel, "Label1", QStringLiteral("Creata per l'intrattenimento e lo studio da"),
              208, 66);

    QLabel *makers = PlaceLabel(panel, "Label3",
                               QStringLiteral("Gruppo Quintara, Italia"), 195, 89);
    QFont makersFont = makers->font();
    makersFont.setPixelSize(15);
    makersFont.setBold(true);
    makers->setFont(makersFont);
    makers->setAlignment(Qt::AlignCenter);
    SetColour(makers, QPalette::Window, Lime);
    makers->setGeometry(195, 89, 272, makers->sizeHint().height());

    RichEdit1 = new QLineEdit(panel);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(226, 116, 204, 18);
    RichEdit1->setFrame(false);
    RichEdit1->setAlignment(Qt::AlignCenter);
    RichEdit1->setReadOnly(true);
    RichEdit1->setCursor(Qt::PointingHandCursor);
    QFont addressFont(QStringLiteral("Times New Roman"));
    addressFont.setPixelSize(15);
    RichEdit1->setFont(addressFont);
    SetColour(RichEdit1, QPalette::Base, RichEdit1->palette().color(QPalette::Button));
    // A press on the address copies it, as the button does.
    RichEdit1->installEventFilter(this);
    ShowInField(WebAddress, Blue, true);

    auto *copy = new QPushButton(QStringLiteral("Copia l'URL sul desktop"), panel);
    copy->setObjectName(QStringLiteral("Button1"));
    copy->setAutoDefault(false);
    copy->setGeometry(225, 139, 206, 25);
    connect(copy, &QPushButton::clicked, this, &TAboutBox::Button1Click);

    Memo1 = new QPlainTextEdit(QString::fromUtf8(Information), panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(18, 185, 481, 284);
    Memo1->setReadOnly(true);
    QFont memoFont(QStringLiteral("MS Sans Serif"));
    memoFont.setPointSize(8);
    Memo1->setFont(memoFont);
    SetColour(Memo1, QPalette::Base, ScrollBarColour());

    auto *banner = new QLabel(panel);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setGeometry(109, 491, BannerWidth, BannerHeight);
    banner->setScaledContents(true);
    banner->setPixmap(QuintaraBanner());

    // On the window itself, over the panel's lower edge.
    BitBtn1 = MakeOkButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(328, 485, 99, 32);

    ConfirmationTimer.setSingleShot(true);
    ConfirmationTimer.setInterval(ConfirmationMs);
    connect(&ConfirmationTimer, &QTimer::timeout, this, &TAboutBox::Timer1Timer);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    move(AboutPlace);
    BitBtn1->setFocus();
    QDialog::showEvent(event);
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RichEdit1 && event->type() == QEvent::MouseButtonPress) {
        Button1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::ShowInField(const QString &text, const QColor &ink, bool underline)
{
    SetColour(RichEdit1, QPalette::Text, ink);
    QFont font = RichEdit1->font();
    font.setUnderline(underline);
    RichEdit1->setFont(font);
    RichEdit1->setText(text);
    RichEdit1->setCursorPosition(0);
}

void TAboutBox::Button1Click()
{
    Confirming = true;
    // The copy goes through the field's own selection, as the player would do it.
    ShowInField(WebAddress, Blue, true);
    RichEdit1->selectAll();
    RichEdit1->copy();
    ShowInField(CopiedText, Red, false);
    // Already running, the timer keeps its deadline: the address returns two
    // seconds after the first press.
    if (!ConfirmationTimer.isActive())
        ConfirmationTimer.start();
}

void TAboutBox::Timer1Timer()
{
    ConfirmationTimer.stop();
    if (!Confirming)
        return;
    Confirming = false;
    ShowInField(WebAddress, Blue, true);
}

} // namespace quintara
