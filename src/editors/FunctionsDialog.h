// Tffunctions: the functions editor, the seven user functions f..l of the Cartesian or polar mode.
#pragma once

#include "FormulaEditorDialog.h"
#include "FormulaTrans.h"
#include "UserFunctions.h"

#include <array>

class QLineEdit;

namespace kurvo {

/// A modeless dialog with one field per user function, in classroom notation. Showing it reads the
/// mode's function file; OK checks all seven definitions and then writes both function files and
/// installs the functions in the plot engine's user-function parsers, or reports the first bad
/// definition by its letter and changes nothing.
class Tffunctions : public TFormulaEditorDialog {
    Q_OBJECT
  public:
    Tffunctions(TEditorHost& host, QWidget* parent);

    /// Edit1..Edit7: the definitions of f, g, h, i, j, k, l.
    std::array<QLineEdit*, UserFunctionCount> Edit{};

  protected:
    void FormShow() override;
    bool save() override;
    /// Types into the field that has the focus.
    void typeAtCaret(const char* what) override;

  private:
    /// The mode whose functions the fields show: OK writes that mode's files even when the mode was
    /// switched meanwhile, and installs them only while that mode is still on.
    bool cartesian_ = true;
};

} // namespace kurvo
