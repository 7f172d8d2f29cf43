// TDataMks: the data-marks palette, twelve buttons each showing the mark kind it chooses.
#pragma once

#include "EditorDialog.h"

#include <QPixmap>

#include <array>

class QButtonGroup;
class QPushButton;
class QToolButton;

namespace kurvo {

class TEditorHost;

/// Number of mark kinds; the kind is the data mark's number, 1..MarkKindCount.
inline constexpr int MarkKindCount = 12;

/// The name of mark kind 1..12 ("single dot", "filled circle", ...); empty for other numbers.
const char* markKindName(int markType);

/// A square picture of `size` pixels showing mark kind `markType` as the plot draws it, enlarged so
/// it reads at button size.
QPixmap markPicture(int markType, int size);

/// "Data Marks": a modeless palette. Clicking a button sets the settings' MarkType to its number at
/// once (no OK needed) and announces it with markChosen, so the environment dialog's data-marks
/// button can show the same picture. OK only hides the palette.
class TDataMks : public TEditorDialog {
    Q_OBJECT
  public:
    explicit TDataMks(TEditorHost& host, QWidget* parent = nullptr);

    /// SpeedButton1Click ... SpeedButton12Click: `markType` is the button's number.
    void SpeedButtonClick(int markType);
    void Button1Click();

    std::array<QToolButton*, MarkKindCount> SpeedButton{}; ///< SpeedButton1 is SpeedButton[0]
    QPushButton* Button1 = nullptr;

  signals:
    void markChosen(int markType);

  private:
    void FormShow() override;

    QButtonGroup* group_ = nullptr;
};

} // namespace kurvo
