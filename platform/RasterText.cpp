#include "platform/RasterText.h"

#include <QFontMetrics>
#include <QPainter>

namespace platform {

void RasterText::DrawLine(DeviceBitmap& bitmap, const RasterFont& font, int x, int y,
                          const std::string& utf8, uint32_t colour, bool opaque) {
    if (bitmap.isNull() || utf8.empty())
        return;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QPainter painter(&bitmap.image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, font.Antialiased());
    painter.setFont(font.Font());
    const QFontMetrics metrics(font.Font(), &bitmap.image());
    if (opaque) {
        const int cellHeight = metrics.ascent() + metrics.descent();
        painter.fillRect(x, y, metrics.horizontalAdvance(text), cellHeight, Qt::white);
    }
    painter.setPen(QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff));
    painter.drawText(x, y + metrics.ascent(), text);
}

} // namespace platform
