// Renders the game's dialogs into PNG files, for the README and for checking
// them by eye: dialog_shots <folder>. Run it with LANG=it_IT.UTF-8 for the
// calendar's Italian weekday names.

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "dialogs/aboutbox.h"
#include "dialogs/calendarform.h"
#include "dialogs/cccalendar.h"
#include "dialogs/statsdlg.h"

using namespace quintara;

namespace {

bool Save(QWidget &dialog, const QDir &folder, const QString &name)
{
    dialog.show();
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    const bool saved = dialog.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    dialog.hide();
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_shots <folder>\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }

    GameStatistics stats{7, 5, 1, 2, 0, 2, 1};
    TStats1Dlg statistics(stats, [] { return false; }, [] {});
    TAboutBox about;
    TCalendarForm calendar;
    calendar.Calendar1()->SetCalendarDate(QDate(2026, 12, 8));

    bool ok = Save(statistics, folder, QStringLiteral("statistics.png"));
    ok = Save(about, folder, QStringLiteral("about.png")) && ok;
    about.Button1Click();
    ok = Save(about, folder, QStringLiteral("about-copied.png")) && ok;
    ok = Save(calendar, folder, QStringLiteral("calendar.png")) && ok;
    return ok ? 0 : 1;
}
