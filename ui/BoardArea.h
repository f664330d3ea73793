// The board area of the main window. It keeps the backing image that the board is drawn
// into and hands its mouse events to the main window.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QPainter;

class TBoardArea final : public QWidget {
public:
    explicit TBoardArea(QWidget* parent);

    // The picture of the board, as large as the area; the paint event copies it to the screen.
    QImage& Canvas() { return Canvas_; }

    // Any button pressed on the area, with the press position.
    std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
    // A left-button click: pressed and released on the area (not the second press of a double-click).
    std::function<void()> OnClick;
    // A left-button double-click; it follows the click of its first press.
    std::function<void()> OnDblClick;
    // The area got a new size: the canvas is new and empty and must be drawn whole.
    std::function<void()> OnCanvasResized;
    // Draws over the canvas on the screen what the canvas does not hold (the rules' marks).
    std::function<void(QPainter&)> OnPaintOver;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage Canvas_;
    bool LeftPressed_ = false;
    bool PressSeen_ = false;
    bool SwallowRelease_ = false;
};
