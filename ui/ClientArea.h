// The main window's client area below the tool bar: the board at the left, the statistics memo
// right of it.
#pragma once

#include <QWidget>
#include <algorithm>

class TClientArea final : public QWidget {
public:
    explicit TClientArea(QWidget* parent) : QWidget(parent) {}
    QWidget* Board = nullptr;
    QWidget* Memo = nullptr;
    int BoardWidth = 460;

    void Arrange() {
        Board->setGeometry(0, 0, BoardWidth, height());
        Memo->setGeometry(BoardWidth, 0, std::max(0, width() - BoardWidth), height());
    }

protected:
    void resizeEvent(QResizeEvent*) override { Arrange(); }
};
