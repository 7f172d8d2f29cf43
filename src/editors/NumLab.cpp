// TNumLab: the numeric label, a caption, a framed box showing a number, and a text after it.
#include "NumLab.h"

#include "DisplayAccess.h"

#include <QAccessible>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

#include <mutex>

namespace kurvo {
namespace {

/// Pixels between the end of the caption and the box, and between the box and the text after it.
constexpr int CaptionGap = 7;
constexpr int RightTextGap = 9;

/// Screen readers see the caption as the name and the box's text as the text (and the value).
class TNumLabAccessible : public TDisplayAccessible {
  public:
    explicit TNumLabAccessible(TNumLab* lab) : TDisplayAccessible(lab, [lab] { return lab->shownText(); }) {}
    QString text(QAccessible::Text t) const override {
        auto* lab = static_cast<const TNumLab*>(widget());
        if (t == QAccessible::Name && lab->accessibleName().isEmpty()) {
            QString name = lab->LeftText().trimmed();
            if (name.endsWith(':') || name.endsWith('=')) name.chop(1);
            return name.simplified();
        }
        return TDisplayAccessible::text(t);
    }
    using TDisplayAccessible::text;
};

QAccessibleInterface* numLabAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(TNumLab::staticMetaObject.className()) && object && object->isWidgetType())
        return new TNumLabAccessible(static_cast<TNumLab*>(object));
    return nullptr;
}

QString limited(const QString& text) {
    return text.left(static_cast<int>(NumLabMaxText));
}

} // namespace

TNumLab::TNumLab(QWidget* parent) : QWidget(parent) {
    static std::once_flag factoryInstalled;
    std::call_once(factoryInstalled, [] { QAccessible::installFactory(numLabAccessible); });
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    changed();
}

void TNumLab::setValue(double value) {
    m_value = value;
    changed();
}

void TNumLab::setLeftText(const QString& text) {
    m_leftText = limited(text);
    changed();
}

void TNumLab::setRightText(const QString& text) {
    m_rightText = limited(text);
    changed();
}

void TNumLab::setLeftSpace(int pixels) {
    m_leftSpace = std::max(pixels, 0);
    changed();
}

void TNumLab::setLabelWidth(int pixels) {
    m_format.LabelWidth = std::max(pixels, 0);
    changed();
}

void TNumLab::setPrecision(int digits) {
    m_format.Precision = digits;
    changed();
}

void TNumLab::setDisplayType(TDisplayType type) {
    m_format.DisplayType = type;
    changed();
}

void TNumLab::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TNumLab::setFrameStyle(TFrameStyle style) {
    m_frameStyle = style;
    update();
}

void TNumLab::setEmpty(bool empty) {
    m_format.Empty = empty;
    changed();
}

QString TNumLab::OverflowIndicator() const {
    return QString::fromLatin1(m_format.OverflowIndicator);
}

void TNumLab::setOverflowIndicator(const QString& text) {
    m_format.OverflowIndicator = limited(text).toLatin1().toStdString();
    changed();
}

void TNumLab::setColorScheme(TColorScheme scheme) {
    ColorScheme = scheme;
    update();
}

QString TNumLab::shownText() const {
    return m_shown;
}

void TNumLab::changed() {
    const QFontMetrics metrics = fontMetrics();
    const std::string text = numLabDisplayText(m_value, m_format, [&](std::string_view s) {
        return metrics.horizontalAdvance(QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())));
    });
    const QString shown = QString::fromLatin1(text);
    const QString before = m_shown;
    m_shown = shown;
    updateGeometry();
    update();
    notifyShownTextChanged(this, before, m_shown);
}

void TNumLab::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) changed(); // the overflow test depends on the font
}

QRect TNumLab::valueBox() const {
    return QRect(m_leftSpace, 0, m_format.LabelWidth, height());
}

QSize TNumLab::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    int width = m_leftSpace + m_format.LabelWidth;
    if (!m_rightText.isEmpty()) width += RightTextGap + metrics.horizontalAdvance(m_rightText);
    // The caption ends CaptionGap pixels before the box; it may need more room than LeftSpace.
    const int captionRoom = metrics.horizontalAdvance(m_leftText) + CaptionGap;
    if (captionRoom > m_leftSpace) width += captionRoom - m_leftSpace;
    return QSize(width, metrics.height() + NumLabFramePixels);
}

void TNumLab::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool system = ColorScheme == csSystem;
    const QColor outBack = system ? palette().color(QPalette::Window) : ColorOutBakG;
    const QColor outText = system ? palette().color(QPalette::WindowText) : ColorOutText;
    const QColor labBack = system ? palette().color(QPalette::Base) : ColorLabBakG;
    const QColor labText = system ? palette().color(QPalette::Text) : ColorLabText;
    if (!system) p.fillRect(rect(), outBack);

    const QRect box = valueBox();
    p.setPen(outText);
    if (!m_leftText.isEmpty())
        p.drawText(QRect(0, 0, std::max(m_leftSpace - CaptionGap, 0), height()),
                   Qt::AlignRight | Qt::AlignVCenter, m_leftText);
    if (!m_rightText.isEmpty())
        p.drawText(QRect(box.right() + 1 + RightTextGap, 0, width(), height()),
                   Qt::AlignLeft | Qt::AlignVCenter, m_rightText);

    p.fillRect(box, labBack);
    const QPalette& pal = palette();
    switch (m_frameStyle) {
    case fsNone:
        break;
    case fsSimple:
        p.setPen(outText);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        break;
    case fsLowered:
        qDrawShadePanel(&p, box, pal, true, 2);
        break;
    case fsRaised:
        qDrawShadePanel(&p, box, pal, false, 2);
        break;
    case fsEmbossed:
        qDrawShadeRect(&p, box, pal, false, 1, 0);
        break;
    case fsEngraved:
        qDrawShadeRect(&p, box, pal, true, 1, 0);
        break;
    }
    p.setPen(labText);
    p.drawText(box.adjusted(NumLabFramePixels / 2, 0, -NumLabFramePixels / 2, 0),
               m_alignment | Qt::AlignVCenter, m_shown);
}

} // namespace kurvo
