// TNumLab: the numeric label, a caption, a framed box showing a number, and a text after it.
#pragma once

#include "NumLabText.h"

#include <QColor>
#include <QString>
#include <QWidget>

namespace kurvo {

/// A non-focusable control that shows a number in a framed box, formatted by its display type,
/// with a caption to the left of the box and a text after it. A value whose text does not fit the
/// box is shown as the overflow indicator. For screen readers its name is the caption and its
/// value the text shown in the box.
class TNumLab : public QWidget {
    Q_OBJECT
  public:
    enum TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
    enum TColorScheme { csBWG, csSystem };

    explicit TNumLab(QWidget* parent = nullptr);

    double Value() const { return m_value; }
    void setValue(double value);

    QString LeftText() const { return m_leftText; }
    void setLeftText(const QString& text); ///< at most 50 characters
    QString RightText() const { return m_rightText; }
    void setRightText(const QString& text); ///< at most 50 characters
    int LeftSpace() const { return m_leftSpace; }
    void setLeftSpace(int pixels);
    int LabelWidth() const { return m_format.LabelWidth; }
    void setLabelWidth(int pixels);
    int Precision() const { return m_format.Precision; }
    void setPrecision(int digits);
    TDisplayType DisplayType() const { return m_format.DisplayType; }
    void setDisplayType(TDisplayType type);
    Qt::Alignment Alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment); ///< Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void setFrameStyle(TFrameStyle style);
    bool Empty() const { return m_format.Empty; }
    void setEmpty(bool empty);
    QString OverflowIndicator() const;
    void setOverflowIndicator(const QString& text); ///< at most 50 characters

    QColor ColorLabBakG = Qt::white;     ///< inside the box (csBWG)
    QColor ColorLabText = Qt::black;     ///< the value (csBWG)
    QColor ColorOutBakG = Qt::lightGray; ///< around the box (csBWG)
    QColor ColorOutText = Qt::black;     ///< the caption and the text after the box (csBWG)
    TColorScheme ColorScheme = csSystem; ///< csSystem takes the palette's colours instead
    void setColorScheme(TColorScheme scheme);

    /// The text the box shows now: the value's text, the overflow indicator, or nothing when Empty.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void changed();
    QRect valueBox() const;

    double m_value = 0;
    QString m_leftText, m_rightText;
    int m_leftSpace = 0;
    TNumLabFormat m_format;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    TFrameStyle m_frameStyle = fsLowered;
    QString m_shown;
};

} // namespace kurvo
