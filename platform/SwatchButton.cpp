#include "platform/SwatchButton.h"

#include <QPainter>

namespace platform {

SwatchButton::SwatchButton(bool staticEdge, QWidget* parent)
    : QPushButton(parent), staticEdge_(staticEdge) {}

void SwatchButton::SetColour(std::uint32_t colorref) {
    colorref_ = colorref;
    update();
}

void SwatchButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour(colorref_ & 0xff, (colorref_ >> 8) & 0xff, (colorref_ >> 16) & 0xff);
    QRect face = rect();
    if (staticEdge_) {
        // A one-pixel sunken edge: dark above and left, light below and right.
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(face.topLeft(), face.topRight());
        painter.drawLine(face.topLeft(), face.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(face.bottomLeft(), face.bottomRight());
        painter.drawLine(face.topRight(), face.bottomRight());
        face.adjust(1, 1, -1, -1);
    }
    painter.fillRect(face, colour);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(face.adjusted(2, 2, -3, -3));
    }
}

} // namespace platform
