// `GridTable`: the 128 x 64 power-on picture, one cell a pixel, painted from a pixel
// buffer (dark cells in the highlight colour, clear ones in the window background).
// The logo page shows it; the logo editor also draws on it with the mouse.
#pragma once

#include <QWidget>

namespace r57 {
class LogoPixels;
}

namespace r57::ui {

class LogoGrid : public QWidget {
    Q_OBJECT
public:
    LogoGrid(LogoPixels& pixels, int cellSize, QWidget* parent = nullptr);

    // While drawing is on, the left button paints cells dark (or clear, for the
    // eraser) where it is pressed and wherever it is dragged.
    void setDrawingEnabled(bool on) { drawingEnabled_ = on; }
    void setPenDark(bool dark) { penDark_ = dark; }
    bool penDark() const { return penDark_; }
    void setGridLines(bool on);
    bool gridLines() const { return gridLines_; }

    // The cell under a point of the widget, or (-1, -1) outside the picture.
    QPoint cellAt(const QPoint& position) const;
    // The centre of a cell, in widget coordinates.
    QPoint cellCentre(int x, int y) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void paintTo(const QPoint& cell);

    LogoPixels& pixels_;
    int cellSize_;
    bool drawingEnabled_ = false;
    bool penDark_ = true;
    bool gridLines_ = false;
    bool drawing_ = false; // the left button is held on the grid
    QPoint lastCell_;
};

} // namespace r57::ui
