#include "table/hintmarks.h"

#include <QPainter>

#include "table/drawingtools.h"

namespace quintara {

HintMarks::HintMarks(QWidget *table) : QWidget(table)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    timer.setSingleShot(true);
    timer.setInterval(ShowMs);
    connect(&timer, &QTimer::timeout, this, &HintMarks::Clear);
    hide();
}

void HintMarks::Show(const PixelRect &cardsRect, const PixelRect &destinationRect, bool lasting)
{
    cards = cardsRect;
    destination = destinationRect;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
    if (lasting)
        timer.stop();
    else
        timer.start();
}

void HintMarks::Clear()
{
    timer.stop();
    hide();
}

void HintMarks::paintEvent(QPaintEvent *)
{
    // Gold on the green table and on the cards' white alike; the destination
    // dashed, so the two frames tell apart where they meet.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(255, 200, 0), 4);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(ToQRect(cards).adjusted(-3, -3, 3, 3), 6, 6);
    pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.drawRoundedRect(ToQRect(destination).adjusted(-3, -3, 3, 3), 6, 6);
}

} // namespace quintara
