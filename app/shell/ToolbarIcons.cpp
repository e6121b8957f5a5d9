#include "shell/ToolbarIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <functional>

namespace scrivane::app {

namespace {

// Drawings on a 24 x 24 grid with a pen already set.
using Drawing = std::function<void(QPainter&)>;

QPainterPath Polyline(std::initializer_list<QPointF> points, bool closed = false) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
        first = false;
    }
    if (closed) path.closeSubpath();
    return path;
}

// A page with its top right corner folded, between the given left and right edges.
void Page(QPainter& p, qreal left, qreal right) {
    p.drawPath(Polyline({{left, 3}, {right - 5, 3}, {right, 8}, {right, 21}, {left, 21}}, true));
    p.drawPath(Polyline({{right - 5, 3}, {right - 5, 8}, {right, 8}}));
}

// An arrow along y = 14 from x = from to x = to, its head at "to".
void Arrow(QPainter& p, qreal from, qreal to) {
    const qreal back = to > from ? -3 : 3;
    p.drawLine(QPointF(from, 14), QPointF(to, 14));
    p.drawPath(Polyline({{to + back, 11}, {to, 14}, {to + back, 17}}));
}

Drawing DrawingFor(const QString& name) {  // data table
    if (name == "document-new") return [](QPainter& p) {
        Page(p, 5, 19);
        p.drawLine(QPointF(9, 15), QPointF(15, 15));
        p.drawLine(QPointF(12, 12), QPointF(12, 18));
    };
    if (name == "document-open") return [](QPainter& p) {
        p.drawPath(Polyline({{3, 19}, {3, 5}, {9, 5}, {11, 7}, {19, 7}, {19, 10}}));
        p.drawPath(Polyline({{3, 19}, {6.5, 10}, {22, 10}, {18.5, 19}}, true));
    };
    if (name == "document-save") return [](QPainter& p) {
        p.drawPath(Polyline({{4, 4}, {17, 4}, {20, 7}, {20, 20}, {4, 20}}, true));
        p.drawRect(QRectF(8, 4, 7, 5));
        p.drawRect(QRectF(7, 13, 10, 7));
    };
    if (name == "document-export") return [](QPainter& p) {
        Page(p, 3, 15);
        Arrow(p, 10, 22);
    };
    if (name == "document-import") return [](QPainter& p) {
        Page(p, 9, 21);
        Arrow(p, 2, 15);
    };
    if (name == "edit-cut") return [](QPainter& p) {
        p.drawEllipse(QPointF(7, 18), 3, 3);
        p.drawEllipse(QPointF(17, 18), 3, 3);
        p.drawLine(QPointF(8.8, 15.6), QPointF(17, 3));
        p.drawLine(QPointF(15.2, 15.6), QPointF(7, 3));
    };
    if (name == "edit-copy") return [](QPainter& p) {
        p.drawPath(Polyline({{9, 7}, {9, 3}, {20, 3}, {20, 16}, {16, 16}}));
        p.drawRect(QRectF(4, 7, 12, 14));
    };
    if (name == "edit-paste") return [](QPainter& p) {
        p.drawPath(Polyline({{9, 5}, {5, 5}, {5, 21}, {19, 21}, {19, 5}, {15, 5}}));
        p.drawRect(QRectF(9, 3, 6, 4));
        p.drawLine(QPointF(8.5, 12), QPointF(15.5, 12));
        p.drawLine(QPointF(8.5, 16), QPointF(13.5, 16));
    };
    if (name == "edit-undo") return [](QPainter& p) {
        p.drawPath(Polyline({{8, 4}, {4, 8}, {8, 12}}));
        QPainterPath turn;
        turn.moveTo(4, 8);
        turn.lineTo(14, 8);
        turn.cubicTo(22, 8, 22, 20, 14, 20);
        turn.lineTo(9, 20);
        p.drawPath(turn);
    };
    return {};
}

class DrawnIcon : public QIconEngine {
public:
    DrawnIcon(QString name, Drawing drawing)
        : name_(std::move(name)), drawing_(std::move(drawing)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        constexpr qreal kGrid = 24;
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        QPen pen(QApplication::palette().color(group, QPalette::WindowText), 1.6);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / kGrid, rect.height() / kGrid);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        drawing_(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return picture;
    }

    QIconEngine* clone() const override { return new DrawnIcon(name_, drawing_); }
    QString iconName() override { return name_; }
    QString key() const override { return QStringLiteral("scrivane-drawn"); }

private:
    QString name_;
    Drawing drawing_;
};

}  // namespace

QIcon ToolbarIcon(const QString& themeName) {
    if (QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
    Drawing drawing = DrawingFor(themeName);
    if (!drawing) return {};
    return QIcon(new DrawnIcon(themeName, std::move(drawing)));
}

}  // namespace scrivane::app
