#pragma once
// The window about the game: its picture, name and version, who made it, a
// few words on how to play, and the game's web address, which one press
// copies to the clipboard.

#include <QDialog>
#include <QTimer>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quintara {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static const QString WebAddress;
    static const QString CopiedText;

    explicit TAboutBox(QWidget *parent = nullptr);

    // Copies the address and shows the confirmation for two seconds; a
    // second press meanwhile copies again but keeps the first deadline.
    void Button1Click();
    // The confirmation time is over: the address comes back.
    void Timer1Timer();

    const QTimer &Timer1() const { return ConfirmationTimer; }
    bool ConfirmationShown() const { return Confirming; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowInField(const QString &text, const QColor &ink, bool underline);

    QLineEdit *RichEdit1;
    QPlainTextEdit *Memo1;
    QPushButton *BitBtn1;
    QTimer ConfirmationTimer;
    bool Confirming = false;
};

} // namespace quintara
