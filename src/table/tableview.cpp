#include "table/tableview.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace quintara {

namespace {

class TableAccessible : public QAccessibleWidget {
public:
    explicit TableAccessible(TableView *view) : QAccessibleWidget(view, QAccessible::Canvas) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *view = static_cast<const TableView *>(widget());
        if (t == QAccessible::Description && view->summary)
            return view->summary();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *TableAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(TableView::staticMetaObject.className()) && object->isWidgetType())
        return new TableAccessible(static_cast<TableView *>(object));
    return nullptr;
}

} // namespace

TableView::TableView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The table takes the keys for the play; the buttons around it take none.
    setFocusPolicy(Qt::StrongFocus);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(TableAccessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setAccessibleName(QStringLiteral("Tavolo da gioco"));
}

void TableView::resizeCanvas(int width, int height, QColor fill)
{
    const qreal scale = devicePixelRatioF();
    canvas_ = QImage(qCeil(width * scale), qCeil(height * scale), QImage::Format_RGB32);
    canvas_.setDevicePixelRatio(scale);
    canvas_.fill(fill);
}

void TableView::showNow(const QRegion &area)
{
    showOnly_ = true;
    repaint(area);
    showOnly_ = false;
}

void TableView::paintEvent(QPaintEvent *event)
{
    // A paint the system asks for lets the game's painter bring the canvas
    // up to date first; one the game asks for (showNow) only shows it.
    if (onScaleChange && !canvas_.isNull() && canvas_.devicePixelRatio() != devicePixelRatioF())
        onScaleChange(devicePixelRatioF());
    if (onPaint && !showOnly_)
        onPaint();
    QPainter p(this);
    // What the canvas covers is copied from the same place of the canvas,
    // which has the widget's own scale: pixel for pixel, and no pixel more.
    const qreal scale = canvas_.devicePixelRatio();
    const QRect drawn(QPoint(0, 0), (QSizeF(canvas_.size()) / scale).toSize());
    for (const QRect &area : event->region() - drawn)
        p.fillRect(area, palette().window());
    for (const QRect &area : event->region() & drawn)
        p.drawImage(QRectF(area), canvas_, QRectF(QPointF(area.topLeft()) * scale, QSizeF(area.size()) * scale));
}

void TableView::resizeEvent(QResizeEvent *)
{
    if (onResize)
        onResize();
}

void TableView::mousePressEvent(QMouseEvent *event)
{
    if (onPress)
        onPress(event);
}

void TableView::mouseMoveEvent(QMouseEvent *event)
{
    if (onMove)
        onMove(event);
}

void TableView::mouseReleaseEvent(QMouseEvent *event)
{
    if (onRelease)
        onRelease(event);
}

void TableView::keyPressEvent(QKeyEvent *event)
{
    if (onKey && onKey(event))
        return;
    QWidget::keyPressEvent(event);
}

} // namespace quintara
