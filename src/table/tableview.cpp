#include "table/tableview.h"

#include "moves/placenames.h"

#include <array>
#include <cmath>

#include <QAccessibleWidget>
#include <QPointer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QtMath>

namespace quintara {

namespace {

// One of the table's places, named by the game: a child of the table with
// no object of its own.
class PlaceAccessible : public QAccessibleInterface {
public:
    PlaceAccessible(TableView *view, int number) : view(view), number(number) {}

    bool isValid() const override { return view; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view ? view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(view); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && view && view->placeName ? view->placeName(number) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!view || !view->placeRect)
            return {};
        const QRect area = view->placeRect(number);
        return QRect(view->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = view && view->hasFocus() && view->focusedPlace && view->focusedPlace() == number;
        return state;
    }

private:
    QPointer<TableView> view;
    int number;
};

class TableAccessible : public QAccessibleWidget {
public:
    explicit TableAccessible(TableView *view) : QAccessibleWidget(view, QAccessible::Canvas)
    {
        for (int n = 0; n < PlaceCount; ++n)
            places[n] = QAccessible::uniqueId(new PlaceAccessible(view, n));
    }
    ~TableAccessible() override
    {
        for (const QAccessible::Id id : places)
            QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *view = static_cast<const TableView *>(widget());
        if (t == QAccessible::Description && view->summary)
            return view->summary();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return PlaceCount; }
    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < PlaceCount ? QAccessible::accessibleInterface(places[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int n = 0; n < PlaceCount; ++n) {
            if (QAccessible::accessibleInterface(places[n]) == child)
                return n;
        }
        return -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        const auto *view = static_cast<const TableView *>(widget());
        const int place = view->focusedPlace ? view->focusedPlace() : -1;
        return place >= 0 ? child(place) : QAccessibleWidget::focusChild();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int n = 0; n < PlaceCount; ++n) {
            if (child(n)->rect().contains(x, y))
                return child(n);
        }
        return nullptr;
    }

private:
    std::array<QAccessible::Id, PlaceCount> places{};
};

// The pixels the window system shows of a widget of `size`, which `p` paints,
// as an image in the canvas's format and scale with the widget's top left
// corner at its origin; a null image where the painter does not paint on
// such an image at whole pixels.
QImage WindowPicture(QPainter &p, QSize size, qreal scale)
{
    QPaintEngine *engine = p.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || scale != std::floor(scale))
        return {};
    auto *image = static_cast<QImage *>(device);
    const QTransform t = p.deviceTransform();
    const QPoint origin(qRound(t.dx()), qRound(t.dy()));
    const QRect pixels(origin, size * qRound(scale));
    // On the table's opaque ground both formats take every drawing alike.
    // Writing on pixels the image shares with another would change a copy.
    const bool format = image->format() == QImage::Format_RGB32
                        || image->format() == QImage::Format_ARGB32_Premultiplied;
    if (!format || !image->isDetached() || t.type() > QTransform::TxScale
        || t.m11() != scale || t.m22() != scale || QPointF(origin) != QPointF(t.dx(), t.dy())
        || !image->rect().contains(pixels))
        return {};
    QImage picture(image->bits() + qsizetype(pixels.top()) * image->bytesPerLine() + qsizetype(pixels.left()) * 4,
                   pixels.width(), pixels.height(), image->bytesPerLine(), image->format());
    picture.setDevicePixelRatio(scale);
    return picture;
}

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

QImage &TableView::canvas()
{
    if (canvas_.isNull() && onCanvasNeeded)
        onCanvasNeeded();
    return canvas_;
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
    // The first picture may go straight to the window, without the canvas
    // and the buffers behind it: on a fine screen making them costs as much
    // again as the picture. Only a paint of the whole widget: one of part of
    // it must leave the rest, and the buttons over it, alone.
    if (canvas_.isNull() && onFirstPicture && !showOnly_ && (QRegion(rect()) - event->region()).isEmpty()) {
        QPainter straight(this);
        QImage picture = WindowPicture(straight, size(), devicePixelRatioF());
        if (!picture.isNull() && onFirstPicture(picture))
            return;
    }
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

void TableView::tellPlace(int number, bool focused)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface *place = table ? table->child(number) : nullptr;
    if (!place)
        return;
    QAccessibleEvent named(place, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    if (focused) {
        QAccessibleEvent focus(place, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace quintara
