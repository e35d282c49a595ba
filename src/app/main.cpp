// Quintara: creates the game's five windows in their order and runs the
// application until the main window closes.

#include <exception>

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTimer>

#include "app/commandline.h"
#include "dialogs/aboutbox.h"
#include "dialogs/calendarform.h"
#include "dialogs/italian.h"
#include "dialogs/prefdlg.h"
#include "dialogs/statsdlg.h"
#include "table/mainwindow.h"

int main(int argc, char *argv[])
{
    if (const auto status = quintara::AnswerCommandLine(argc, argv))
        return *status;
    QApplication app(argc, argv);
    // Only the name: a display name would be added to every window's caption.
    QApplication::setApplicationName(QStringLiteral("quintara"));
    quintara::SpeakItalian(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // The desktop matches the window to its menu entry, named after the
    // AppStream id, by this name: the Wayland app id comes from here, the X11
    // class from the application name (the entry's StartupWMClass).
    QApplication::setDesktopFileName(QStringLiteral(QUINTARA_APP_ID));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/quintara.png").arg(size));
    QApplication::setWindowIcon(icon);

    try {
        using namespace quintara;
        TForm1 form;
        GameState &state = form.State();
        auto *calendar = new TCalendarForm(&form);
        auto *stats = new TStats1Dlg(
            state.Statistics, [&state] { return state.flags.GameInProgress; },
            [&form] { form.SaveStatistics(); }, &form);
        auto *prefs = new TPrefDlg1(state, form.Store(), &form);
        auto *about = new TAboutBox(&form);
        form.SetDialogs({calendar, stats, prefs, about});

        // The preferences' activation tests the stored picture file before
        // the first game; done without showing the dialog, which would only
        // flash up until the main window hid it.
        prefs->OnPrefAct();
        form.show();
        form.activateWindow();
        // A game the last run left behind is offered once the table is up.
        QTimer::singleShot(0, &form, &TForm1::OfferKeptGame);
        return app.exec();
    } catch (const std::exception &error) {
        QMessageBox::critical(nullptr, quintara::ApplicationTitle(),
                              QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
