#include "tool_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace app {
namespace {

const QColor kInk(40, 40, 40);
const QColor kFolderYellow(240, 200, 80);
const QColor kPaper(250, 250, 250);
const QColor kBlue(40, 90, 190);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 140, 60);

void Folder(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolderYellow);
    QPainterPath path;
    path.moveTo(1.5, 4.5);
    path.lineTo(6.5, 4.5);
    path.lineTo(7.5, 5.5);
    path.lineTo(14.5, 5.5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
}

void Page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 3.5 + n * 3);
    p.drawLine(to, to - d * 3.5 - n * 3);
}

// Signs are drawn as strokes, not text: no font has to be loaded for them.
void Strokes(QPainter& p, const QColor& colour, std::initializer_list<QLineF> lines) {
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const QLineF& line : lines)
        p.drawLine(line);
}

void Plus(QPainter& p, const QColor& colour) {
    Strokes(p, colour, {{8, 4, 8, 12}, {4, 8, 12, 8}});
}

void Hash(QPainter& p, const QColor& colour) {
    Strokes(p, colour, {{6.5, 4, 5.5, 13}, {10.5, 4, 9.5, 13}, {4, 7, 12, 7}, {4, 10.5, 12, 10.5}});
}

void PointZero(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7.5, 4, 5, 8));
    p.setBrush(colour);
    p.drawEllipse(QRectF(3.5, 10.5, 1.5, 1.5));
}

void TimesTwo(QPainter& p, const QColor& colour) {
    Strokes(p, colour, {{1.5, 6, 6.5, 11}, {6.5, 6, 1.5, 11}});
    QPainterPath two;
    two.moveTo(9, 6);
    two.cubicTo(9, 3.5, 14, 3.5, 14, 6);
    two.cubicTo(14, 8, 9, 10, 9, 13);
    two.lineTo(14.5, 13);
    p.setBrush(Qt::NoBrush);
    p.drawPath(two);
}

void Magnifier(QPainter& p) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.drawLine(QPointF(9, 9), QPointF(14, 14));
}

using Drawing = std::function<void(QPainter&)>;

const Drawing kDrawings[kToolImageCount] = {
    // 0 browse for a folder
    [](QPainter& p) {
        Folder(p);
        Magnifier(p);
    },
    // 1 up one level
    [](QPainter& p) {
        Folder(p);
        Arrow(p, {8, 13}, {8, 3}, kGreen);
    },
    // 2 delete
    [](QPainter& p) {
        p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 3), QPointF(13, 13));
        p.drawLine(QPointF(13, 3), QPointF(3, 13));
    },
    // 3 copy
    [](QPainter& p) {
        Page(p, 1, 1, 9, 11);
        Page(p, 6, 4, 9, 11);
    },
    // 4 move
    [](QPainter& p) {
        Page(p, 1, 1, 8, 10);
        Arrow(p, {5, 12}, {14, 12}, kBlue);
    },
    // 5 new folder
    [](QPainter& p) {
        Folder(p);
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(11, 1), QPointF(11, 7));
        p.drawLine(QPointF(8, 4), QPointF(14, 4));
    },
    // 6 double one axis
    [](QPainter& p) { TimesTwo(p, kBlue); },
    // 7 search and filter
    [](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(200, 230, 255));
        p.drawPolygon(QPolygonF({{1, 2}, {15, 2}, {10, 8}, {10, 14}, {6, 14}, {6, 8}}));
    },
    // 8 file search
    [](QPainter& p) {
        Page(p, 1, 1, 10, 13);
        Magnifier(p);
    },
    // 9 join files
    [](QPainter& p) {
        Page(p, 1, 1, 7, 7);
        Page(p, 8, 8, 7, 7);
        Plus(p, kGreen);
    },
    // 10 split files
    [](QPainter& p) {
        Page(p, 1, 1, 14, 14);
        p.setPen(QPen(kRed, 1, Qt::DashLine));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
    },
    // 11 insert decimal points
    [](QPainter& p) { PointZero(p, kGreen); },
    // 12 remove decimal points
    [](QPainter& p) {
        PointZero(p, kRed);
        Strokes(p, kRed, {{2, 14, 14, 2}});
    },
    // 13 variable list
    [](QPainter& p) {
        Page(p, 2, 1, 12, 14);
        Hash(p, kBlue);
    },
    // 14 calculator
    [](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setBrush(QColor(190, 230, 190));
        p.drawRect(QRectF(4.5, 3.5, 7, 3));
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 3; ++col)
                p.drawPoint(5 + col * 3, 9 + row * 3);
        }
    },
    // 15 a file without an icon of its own
    [](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (int y = 6; y <= 12; y += 2)
            p.drawLine(5, y, 12, y);
    },
    // 16 folder
    [](QPainter& p) { Folder(p); },
};

} // namespace

QIcon ToolImage(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    kDrawings[index](painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace app
