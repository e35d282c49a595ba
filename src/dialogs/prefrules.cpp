#include "dialogs/prefrules.h"

#include <QFile>
#include <QFileInfo>

namespace quintara {

namespace {

QString Digits(const std::array<std::int32_t, PileCount> &digits)
{
    QString text;
    for (std::int32_t digit : digits)
        text += QString::number(digit);
    return text;
}

} // namespace

bool SuitPresses::Press(std::int32_t button)
{
    if (Complete())
        return false;
    NewOrder[PressCount] = button;
    ++PressCount;
    return true;
}

std::optional<PileSuitOrder> SuitPresses::Order() const
{
    PileSuitOrder order{};
    for (int pile = 0; pile < PileCount; ++pile)
        order[pile] = NewOrder[pile] - 1;
    for (int a = 0; a < PileCount; ++a) {
        for (int b = a + 1; b < PileCount; ++b) {
            if (order[a] == order[b])
                return std::nullopt;
        }
    }
    return order;
}

std::int32_t ReadColumnSpacing(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : SpacingNotANumber;
}

bool SpacingAccepted(std::int32_t spacing)
{
    return SpacingLow <= spacing && spacing <= SpacingHigh;
}

bool PictureFileReadable(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly);
}

QString CurrentOrderText(const PileSuitOrder &pileSuit)
{
    std::array<std::int32_t, PileCount> buttons{};
    for (int pile = 0; pile < PileCount; ++pile)
        buttons[pile] = pileSuit[pile] + 1;
    return QStringLiteral(" Ordine attuale: ") + Digits(buttons);
}

QString NewOrderText(const std::array<std::int32_t, PileCount> &newOrder)
{
    return QStringLiteral("    Nuovo ordine: ") + Digits(newOrder);
}

QString SideAreaText(int width, int height)
{
    return QStringLiteral(" Larghezza immagine = %1, Altezza = %2 pixels      ").arg(width).arg(height);
}

} // namespace quintara
