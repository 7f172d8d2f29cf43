// TColourSwatch: a small button filled with a colour, the way the dialogs show a colour setting.
#pragma once

#include <QColor>
#include <QToolButton>

#include <cstdint>

namespace kurvo {

/// A colour swatch: filled with its colour, named for screen readers by its label, reached with Tab
/// and pressed with Space like any button (its clicked signal opens the colour choice).
class TColourSwatch : public QToolButton {
    Q_OBJECT
  public:
    TColourSwatch(const QString& label, QWidget* parent = nullptr);

    /// The colour in the settings' form, 0x00BBGGRR.
    std::int32_t colour() const { return colour_; }
    void setColour(std::int32_t bgr);
    QColor qcolour() const;
    void setQColour(const QColor& c);

    /// The settings' 0x00BBGGRR colour as a QColor and back.
    static QColor toQColor(std::int32_t bgr);
    static std::int32_t fromQColor(const QColor& c);

  private:
    std::int32_t colour_ = 0;
};

} // namespace kurvo
