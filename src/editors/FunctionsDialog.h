// Tffunctions: the functions editor, the seven user functions f..l of the Cartesian or polar mode.
#pragma once

#include "FormulaTrans.h"
#include "UserFunctions.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace kurvo {

class TEditorHost;

/// A modeless dialog with one field per user function, in classroom notation. Showing it reads the
/// mode's function file; OK checks all seven definitions and then writes both function files and
/// installs the functions in the plot engine's user-function parsers, or reports the first bad
/// definition by its letter and changes nothing.
class Tffunctions : public QDialog {
    Q_OBJECT
  public:
    Tffunctions(TEditorHost& host, QWidget* parent);

    /// Edit1..Edit7: the definitions of f, g, h, i, j, k, l.
    std::array<QLineEdit*, UserFunctionCount> Edit{};
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    /// Type "²" and "³" into the field that has the focus (Alt+2, Alt+3 from the keyboard).
    QToolButton* SpeedButton21 = nullptr;
    QToolButton* SpeedButton22 = nullptr;

    void OKBtnClick();
    void CancelBtnClick();
    void SpeedButton21Click();
    void SpeedButton22Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override { CancelBtnClick(); }

  private:
    void FormShow();
    void typeAtCaret(const char* what);

    TEditorHost& host_;
    /// The mode whose functions the fields show: OK writes that mode's files even when the mode was
    /// switched meanwhile, and installs them only while that mode is still on.
    bool cartesian_ = true;
};

} // namespace kurvo
