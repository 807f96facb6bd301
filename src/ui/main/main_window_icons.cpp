// Toolbar icons: Qt's standard ones where they fit, simple drawn ones for the
// channel and radio commands.
#include "ui/main/main_window_items.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace r57::ui::items {

namespace {

constexpr int kSize = 32;

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 248);
const QColor kBlue(40, 110, 200);
const QColor kGreen(30, 150, 60);
const QColor kRed(200, 40, 40);

void Document(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 150, 160), 1.2));
    for (qreal y = r.top() + 5; y < r.bottom() - 3; y += 4) {
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

// An arrow along the line from `from` to `to`, its head at `to`.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(QPen(color, 4, Qt::SolidLine, Qt::RoundCap));
    QLineF line(from, to);
    QLineF shaft(from, line.pointAt(0.6));
    p.drawLine(shaft);
    QLineF normal = line.normalVector();
    normal.setLength(7);
    QPointF side(normal.dx(), normal.dy());
    QPointF base = line.pointAt(0.5);
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(base + side);
    head.lineTo(base - side);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(head);
}

// A handheld radio: body, display, keypad dots and antenna.
void Radio(QPainter& p, const QRectF& body) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(70, 74, 84));
    p.drawRoundedRect(body, 2.5, 2.5);
    p.fillRect(QRectF(body.left() + 1.5, body.top() - 8, 3, 8), kInk);
    p.fillRect(QRectF(body.left() + 2, body.top() + 3, body.width() - 4, body.height() * 0.28),
               QColor(170, 215, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 205));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            qreal x = body.left() + 3 + col * (body.width() - 6) / 2.6;
            qreal y = body.top() + body.height() * 0.5 + row * 3.4;
            p.drawEllipse(QPointF(x + 1, y), 1.1, 1.1);
        }
    }
}

// A half turn ending in an arrow head: to the left for Undo, mirrored for Redo.
void Turn(QPainter& p, bool back) {
    p.save();
    if (!back) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    QPainterPath path;
    path.moveTo(10, 11);
    path.lineTo(19, 11);
    path.cubicTo(27, 11, 29, 27, 19, 27);
    path.lineTo(12, 27);
    p.setPen(QPen(kBlue, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    QPainterPath head;
    head.moveTo(2, 11);
    head.lineTo(12, 3);
    head.lineTo(12, 19);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(head);
    p.restore();
}

QIcon Drawn(const QString& key) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == "Copy") {
        Document(p, QRectF(4, 3, 16, 20));
        Document(p, QRectF(12, 9, 16, 20));
    } else if (key == "Paste") {
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(180, 130, 70));
        p.drawRoundedRect(QRectF(4, 4, 20, 25), 2, 2);
        p.setBrush(QColor(200, 200, 205));
        p.drawRoundedRect(QRectF(9, 2, 10, 5), 1.5, 1.5);
        Document(p, QRectF(13, 11, 15, 18));
    } else if (key == "Clear") {
        Document(p, QRectF(5, 3, 18, 24));
        p.setPen(QPen(kRed, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 15), QPointF(28, 28));
        p.drawLine(QPointF(28, 15), QPointF(15, 28));
    } else if (key == "MoveUp") {
        Arrow(p, QPointF(16, 29), QPointF(16, 3), kBlue);
    } else if (key == "MoveDown") {
        Arrow(p, QPointF(16, 3), QPointF(16, 29), kBlue);
    } else if (key == "Insert") {
        Document(p, QRectF(4, 3, 18, 24));
        p.setPen(QPen(kGreen, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(23, 15), QPointF(23, 29));
        p.drawLine(QPointF(16, 22), QPointF(30, 22));
    } else if (key == "Delete") {
        Document(p, QRectF(4, 3, 18, 24));
        p.setPen(QPen(kRed, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 22), QPointF(30, 22));
    } else if (key == "Read") {
        // From the radio (left) into the codeplug (right): green.
        Radio(p, QRectF(2, 10, 10, 20));
        Document(p, QRectF(21, 12, 10, 18));
        Arrow(p, QPointF(11, 6), QPointF(30, 6), kGreen);
    } else if (key == "Write") {
        // From the codeplug (left) into the radio (right): red, the other way round.
        Document(p, QRectF(1, 12, 10, 18));
        Radio(p, QRectF(20, 10, 10, 20));
        Arrow(p, QPointF(2, 6), QPointF(19, 6), kRed);
    } else if (key == "Undo" || key == "Redo") {
        Turn(p, key == "Undo");
    } else if (key == "App") {
        Radio(p, QRectF(9, 9, 14, 22));
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace

QIcon ToolIcon(const QString& key, const QStyle* style) {
    if (key == "New") {
        return style->standardIcon(QStyle::SP_FileIcon);
    }
    if (key == "Open") {
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    }
    if (key == "Save") {
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    }
    if (key == "About") {
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return Drawn(key);
}

} // namespace r57::ui::items
