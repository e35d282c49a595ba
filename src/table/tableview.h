#pragma once
// The client area of the main window. The game draws "on the window" into
// the picture kept here, as a desktop canvas would take it, and the widget
// shows that picture; mouse and key events go back to the game's handlers.

#include <functional>

#include <QImage>
#include <QRegion>
#include <QWidget>

namespace quintara {

class TableView : public QWidget {
    Q_OBJECT
public:
    explicit TableView(QWidget *parent = nullptr);

    // The window's own canvas, sized to the whole client area, with as many
    // pixels as the screen gives the widget. When the first picture went
    // straight to the window, it is made at its first use (onCanvasNeeded).
    QImage &canvas();
    void resizeCanvas(int width, int height, QColor fill);
    // Shows what was drawn on the canvas in `area` now, without waiting for
    // the event loop.
    void showNow(const QRegion &area);

    std::function<void(QMouseEvent *)> onPress;
    std::function<void(QMouseEvent *)> onMove;
    std::function<void(QMouseEvent *)> onRelease;
    // A key pressed on the table; true when the game took it.
    std::function<bool(QKeyEvent *)> onKey;
    std::function<void()> onPaint;
    // Asked at a paint of the whole widget while there is no canvas yet:
    // may paint the whole picture straight on `picture`, the window system's
    // own pixels of the widget, and return true; then the canvas is not
    // needed for that paint.
    std::function<bool(QImage &picture)> onFirstPicture;
    // Asked for a canvas while there is none: makes it (resizeCanvas), with
    // the picture the window shows.
    std::function<void()> onCanvasNeeded;
    // The screen's scale changed (the window went to another screen, or the
    // compositor told its scale late): the canvas and buffers are made anew.
    std::function<void(qreal)> onScaleChange;
    std::function<void()> onResize;
    // The game's state in words, for screen readers: the table is one named
    // element whose description they read.
    std::function<QString()> summary;
    // Each of the sixteen places as its own element: its name, where it
    // lies on the table, and which one the keys have chosen (-1: none).
    std::function<QString(int)> placeName;
    std::function<QRect(int)> placeRect;
    std::function<int()> focusedPlace;
    // Tells a screen reader that a place's name changed, and with `focused`
    // that the keys moved to it.
    void tellPlace(int number, bool focused);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QImage canvas_;
    bool showOnly_ = false;
};

} // namespace quintara
