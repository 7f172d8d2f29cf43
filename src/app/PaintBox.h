// TPaintBox: the plot area, which shows the plot picture over the background colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

namespace kurvo {

/// The plot area widget. It never plots: it shows the picture the engine drew (composed over the
/// background colour) and reports its size changes, so the screen always equals the picture.
/// Overlays that follow the pointer are painted on top and never touch the picture.
class TPaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit TPaintBox(QWidget* parent = nullptr);

    /// Where the picture and the background colour come from (the engine may be replaced).
    void setSource(std::function<const QImage*()> picture, std::function<QColor()> background);

  signals:
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::function<const QImage*()> picture_;
    std::function<QColor()> background_;
};

} // namespace kurvo
