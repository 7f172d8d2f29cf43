// TColourSwatch: a colour shown as a filled button.
#include "ColourSwatch.h"

#include <QPainter>
#include <QPixmap>

namespace kurvo {

namespace {
constexpr int SwatchWidth = 40;
constexpr int SwatchHeight = 18;
} // namespace

TColourSwatch::TColourSwatch(const QString& label, QWidget* parent) : QToolButton(parent) {
    setAccessibleName(label);
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(SwatchWidth, SwatchHeight));
    setColour(0);
}

QColor TColourSwatch::toQColor(std::int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

std::int32_t TColourSwatch::fromQColor(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QColor TColourSwatch::qcolour() const {
    return toQColor(colour_);
}

void TColourSwatch::setQColour(const QColor& c) {
    setColour(fromQColor(c));
}

void TColourSwatch::setColour(std::int32_t bgr) {
    colour_ = bgr & 0x00FFFFFF;
    QPixmap fill(SwatchWidth, SwatchHeight);
    fill.fill(qcolour());
    {
        // A thin dark frame keeps a swatch of the dialog's own colour visible.
        QPainter p(&fill);
        p.setPen(QColor(96, 96, 96));
        p.drawRect(0, 0, SwatchWidth - 1, SwatchHeight - 1);
    }
    setIcon(fill);
    setAccessibleDescription(qcolour().name());
}

} // namespace kurvo
