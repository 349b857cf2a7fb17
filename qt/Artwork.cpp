#include "qt/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kNavy(18, 52, 96);
const QColor kSignal(245, 170, 30);

// A lattice mast standing on the bottom edge of rect, with two pairs of
// wave arcs around its tip.
void DrawMast(QPainter& painter, const QRectF& rect, const QColor& mastColor) {
    const qreal nW = rect.width(), nH = rect.height();
    const QPointF tip(rect.left() + nW / 2, rect.top() + nH * 0.28);
    const QPointF leftFoot(rect.left() + nW * 0.32, rect.bottom());
    const QPointF rightFoot(rect.left() + nW * 0.68, rect.bottom());
    QPen pen(mastColor, qMax<qreal>(1.0, nW / 16), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawLine(tip, leftFoot);
    painter.drawLine(tip, rightFoot);
    // Cross braces.
    for (qreal f : {0.45, 0.75}) {
        const QPointF a = tip + (leftFoot - tip) * f;
        const QPointF b = tip + (rightFoot - tip) * f;
        painter.drawLine(a, b);
    }
    pen.setColor(kSignal);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const qreal nR = nW * 0.16 * i;
        const QRectF arc(tip.x() - nR, tip.y() - nR, 2 * nR, 2 * nR);
        painter.drawArc(arc, -45 * 16, 90 * 16); // right side
        painter.drawArc(arc, 135 * 16, 90 * 16); // left side
    }
    painter.setBrush(kSignal);
    painter.drawEllipse(tip, nW / 18, nW / 18);
}
} // namespace

QPixmap DrawIconPixmap(int nSize) {
    QPixmap pixmap(nSize, nSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal nRadius = nSize / 6.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNavy);
    painter.drawRoundedRect(QRectF(0, 0, nSize, nSize), nRadius, nRadius);
    DrawMast(painter, QRectF(nSize * 0.1, nSize * 0.05, nSize * 0.8, nSize * 0.85), Qt::white);
    return pixmap;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int nSize : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIconPixmap(nSize));
    return icon;
}

QPixmap DrawLogo(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(36, 86, 150));
    sky.setColorAt(1, kNavy);
    painter.fillRect(pixmap.rect(), sky);
    const qreal nW = size.width(), nH = size.height();
    DrawMast(painter, QRectF(nW * 0.01, nH * 0.06, nW * 0.36, nH * 0.9), Qt::white);
    // The product lettering on the right.
    QFont font("Sans Serif");
    font.setBold(true);
    font.setPixelSize(qMax(6, static_cast<int>(nH * 0.2)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(nW * 0.4, nH * 0.2, nW * 0.58, nH * 0.32), Qt::AlignCenter, "KTR-84");
    font.setBold(false);
    font.setPixelSize(qMax(5, static_cast<int>(nH * 0.13)));
    painter.setFont(font);
    painter.setPen(kSignal);
    painter.drawText(QRectF(nW * 0.4, nH * 0.52, nW * 0.58, nH * 0.22), Qt::AlignCenter,
                     "Upgrader");
    return pixmap;
}
