// TPaintBox: paints the plot picture, then the overlays.
#include "PaintBox.h"

#include <QPainter>

namespace kurvo {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(1, 1);
}

void TPaintBox::setSource(std::function<const QImage*()> picture, std::function<QColor()> background) {
    picture_ = std::move(picture);
    background_ = std::move(background);
    update();
}

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), background_ ? background_() : palette().window().color());
    if (const QImage* picture = picture_ ? picture_() : nullptr; picture && !picture->isNull())
        p.drawImage(0, 0, *picture);
}

void TPaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace kurvo
