#include "support/windowfixture.h"

#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

#include "core/gameflow.h"
#include "table/tableview.h"

namespace quintara::test {

WindowFixture::WindowFixture(const QString &library, bool show)
    : form(std::make_unique<TForm1>(SettingsStore(StorePath()), library))
{
    if (show)
        Show();
}

bool WindowFixture::Show()
{
    form->show();
    // The window shows first at its normal size; the table is laid out once
    // the platform has maximised it.
    return QTest::qWaitForWindowExposed(form.get())
           && QTest::qWaitFor([&] { return form->frameGeometry() == form->screen()->availableGeometry(); });
}

QString WindowFixture::StorePath() const
{
    return dir.filePath(QStringLiteral("registry.reg"));
}

namespace {

struct StoredValues {
    GameSettings settings;
    GameStatistics statistics;
};

StoredValues Load(const QString &path)
{
    StoredValues values;
    (void)SettingsStore(path).LoadSettings(values.settings, values.statistics);
    return values;
}

} // namespace

GameStatistics WindowFixture::StoredStatistics() const
{
    return Load(StorePath()).statistics;
}

GameSettings WindowFixture::StoredSettings() const
{
    return Load(StorePath()).settings;
}

void WindowFixture::PlayGame(std::uint32_t seed, const std::function<void()> &during)
{
    // `during` comes once the loop has made its first pass over the deal,
    // however long a busy machine takes to get there.
    auto *poll = new QTimer(form.get());
    QObject::connect(poll, &QTimer::timeout, form.get(), [this, poll, during] {
        if (State().flags.GameInProgress && State().flags.ShownCardsLeft != State().table.CardsLeft)
            return;
        poll->deleteLater();
        poll->stop();
        during();
        if (State().flags.GameInProgress) {
            answerer.answers = {QMessageBox::Yes};
            FinishGame1Click(State(), *form);
        }
    });
    poll->start(20);
    NewGame1Click(State(), *form, seed);
}

QImage WindowFixture::Region(int x, int y, int w, int h) const
{
    const QImage &canvas = form->View()->canvas();
    const qreal s = canvas.devicePixelRatio();
    QImage part = canvas.copy(QRectF(x * s, y * s, w * s, h * s).toAlignedRect());
    part.setDevicePixelRatio(s);
    return part;
}

} // namespace quintara::test
