// TEnvironment: the "Effects & Settings" dialog: what is shown, colours, line widths, font, marks.
#pragma once

#include "EditorDialog.h"
#include "EnvironmentValues.h"

#include <QFont>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace kurvo {

class TColourSwatch;
class TDisplayLabel;
class TDataMks;
class TEditorHost;

/// "Effects & Settings", modeless, on three pages. The grid size, the axis type and the mark kind
/// (chosen in the data-marks palette) take effect at once. Apply stores the other values, draws
/// every graph again and shows or hides hints; OK stores them, takes the view from the range fields
/// and writes the whole settings record to the data folder, without redrawing; Cancel only hides.
/// A refused value (see storeEnvironment) is reported and the dialog stays open.
class TEnvironment : public TEditorDialog {
    Q_OBJECT
  public:
    TEnvironment(TEditorHost& host, TDataMks& palette, QWidget* parent = nullptr);

    /// The values the controls hold now.
    TEnvironmentValues values() const;

    void PageControl1Change();
    void SwatchClick(int number); ///< StaticText1Click, StaticText2Click ... StaticText19Click
    void StaticText20Click();
    void SpeedButton1Click();
    void RadioGroup1Click();
    void RadioGroup2Click();
    void Button1Click(); ///< OK
    void Button2Click(); ///< Cancel
    void Button3Click(); ///< Apply

    /// The colour choice of a swatch: the chosen colour, or nothing when cancelled. The platform's
    /// colour dialog unless replaced (the tests answer it themselves).
    std::function<std::optional<QColor>(const QColor& initial, const QString& title)> chooseColour;
    /// The font choice: the font dialog's font when it closes, confirmed or not. The platform's font
    /// dialog unless replaced.
    std::function<QFont(const QFont& start)> chooseFont;

    QTabWidget* PageControl1 = nullptr;
    // Settings page
    std::array<QCheckBox*, 13> CheckBox{}; ///< CheckBox1 ... CheckBox12 by number (0 unused)
    QGroupBox* RadioGroup1 = nullptr;      ///< "Grid Size"
    QRadioButton* GridLarge = nullptr;
    QRadioButton* GridSmall = nullptr;
    QGroupBox* RadioGroup2 = nullptr; ///< "Axis Type"
    QRadioButton* AxisNormal = nullptr;
    QRadioButton* AxisPi = nullptr;
    QSpinBox* SpinEdit1 = nullptr; ///< "Sig. Figs"
    QSpinBox* SpinEdit2 = nullptr; ///< "Plot Step"
    // Colours, the mark colours and the font colour: StaticText1 ... StaticText19 by number (20 and
    // 21 are the font name and size, below; 0 unused)
    std::array<TColourSwatch*, 20> StaticText{};
    // Lines, Marks and Fonts page
    QLineEdit* Edit1 = nullptr;            ///< "Graph Line Thickness"
    QLineEdit* Edit2 = nullptr;            ///< "Axis Line Thickness"
    QLineEdit* Edit3 = nullptr;            ///< "Grid Line Thickness"
    QToolButton* SpeedButton1 = nullptr;   ///< the data mark in effect; opens the palette
    QToolButton* StaticText20 = nullptr;   ///< the font name; opens the font dialog
    TDisplayLabel* StaticText21 = nullptr; ///< the font size, read by screen readers as "Size"
    QPushButton* Button1 = nullptr;        ///< "OK"
    QPushButton* Button2 = nullptr;        ///< "Cancel"
    QPushButton* Button3 = nullptr;        ///< "Apply"

  public slots:
    /// The palette chose a mark: the data-marks button shows its picture.
    void showMark(int markType);

  protected:
    void reject() override;

  private:
    QWidget* buildSettingsPage();
    QWidget* buildColoursPage();
    QWidget* buildLinesPage();
    TColourSwatch* swatch(int number, const QString& label, QWidget* parent);
    void FormShow() override;
    void showValues(const TEnvironmentValues& v);
    void showThicknesses();
    /// Store: the values into the settings and the plot step into the toolbar's field. False (the
    /// refusal reported) when a value is refused.
    bool Store();

    TDataMks& palette_;
    QFont lastFont_; ///< the font dialog starts where it was left, not from the settings
};

} // namespace kurvo
