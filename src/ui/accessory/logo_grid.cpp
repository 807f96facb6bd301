// The picture is painted as one scaled image, so a full repaint costs one blit
// however many pixels are dark.
#include "ui/accessory/logo_grid.h"

#include "core/logo.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace r57::ui {

LogoGrid::LogoGrid(LogoPixels& pixels, int cellSize, QWidget* parent)
    : QWidget(parent), pixels_(pixels), cellSize_(cellSize) {
    setObjectName("GridTable");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void LogoGrid::setGridLines(bool on) {
    gridLines_ = on;
    update();
}

QSize LogoGrid::sizeHint() const {
    return {LogoPixels::kWidth * cellSize_ + 1, LogoPixels::kHeight * cellSize_ + 1};
}

QPoint LogoGrid::cellAt(const QPoint& position) const {
    const int x = position.x() / cellSize_;
    const int y = position.y() / cellSize_;
    if (position.x() < 0 || position.y() < 0 || x >= LogoPixels::kWidth ||
        y >= LogoPixels::kHeight) {
        return {-1, -1};
    }
    return {x, y};
}

QPoint LogoGrid::cellCentre(int x, int y) const {
    return {x * cellSize_ + cellSize_ / 2, y * cellSize_ + cellSize_ / 2};
}

void LogoGrid::paintEvent(QPaintEvent*) {
    const QRgb dark = palette().color(QPalette::Highlight).rgb();
    const QRgb clear = palette().color(QPalette::Base).rgb();
    QImage picture(LogoPixels::kWidth, LogoPixels::kHeight, QImage::Format_RGB32);
    for (int y = 0; y < LogoPixels::kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < LogoPixels::kWidth; ++x) {
            line[x] = pixels_.at(x, y) ? dark : clear;
        }
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    const QRect area(0, 0, LogoPixels::kWidth * cellSize_, LogoPixels::kHeight * cellSize_);
    painter.drawImage(area, picture);
    painter.setPen(palette().color(QPalette::Mid));
    if (gridLines_) {
        QVector<QLine> lines;
        for (int x = 0; x <= LogoPixels::kWidth; ++x) {
            lines.append(QLine(x * cellSize_, 0, x * cellSize_, area.height()));
        }
        for (int y = 0; y <= LogoPixels::kHeight; ++y) {
            lines.append(QLine(0, y * cellSize_, area.width(), y * cellSize_));
        }
        painter.drawLines(lines);
    } else {
        painter.drawRect(area);
    }
}

void LogoGrid::mousePressEvent(QMouseEvent* event) {
    if (!drawingEnabled_ || event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < 0) {
        return;
    }
    drawing_ = true;
    lastCell_ = cell;
    paintTo(cell);
}

void LogoGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!drawing_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    // Clamped to the picture, so a stroke that leaves it ends on its edge.
    const QPoint p = event->position().toPoint();
    const QPoint cell(std::clamp(p.x() / cellSize_, 0, LogoPixels::kWidth - 1),
                      std::clamp(p.y() / cellSize_, 0, LogoPixels::kHeight - 1));
    paintTo(cell);
}

void LogoGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drawing_ = false;
    }
}

void LogoGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void LogoGrid::paintTo(const QPoint& cell) {
    // Every cell on the line from the last one, so a quick drag leaves no gaps.
    int x = lastCell_.x();
    int y = lastCell_.y();
    const int dx = std::abs(cell.x() - x);
    const int dy = -std::abs(cell.y() - y);
    const int sx = x < cell.x() ? 1 : -1;
    const int sy = y < cell.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        pixels_.set(x, y, penDark_);
        if (x == cell.x() && y == cell.y()) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    lastCell_ = cell;
    update();
}

} // namespace r57::ui
