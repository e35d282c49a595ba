#include "support/windowfixture.h"

#include <QTest>
#include <QTimer>

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
    return QTest::qWaitForWindowExposed(form.get());
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
    QTimer::singleShot(100, form.get(), [this, during] {
        during();
        if (State().GameInProgress) {
            answerer.answers = {QMessageBox::Yes};
            FinishGame1Click(State(), *form);
        }
    });
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
