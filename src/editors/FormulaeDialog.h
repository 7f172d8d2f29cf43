// Tfformulae: the formulae presets editor, the current mode's list of ready-made formulas.
#pragma once

#include "FormulaEditorDialog.h"
#include "SettingsRecord.h"

class QPlainTextEdit;

namespace kurvo {

/// A modeless dialog that edits the mode's preset list as plain text, one formula per line.
/// Showing it loads the list; OK saves it and gives the formula field the saved lines.
class Tfformulae : public TFormulaEditorDialog {
    Q_OBJECT
  public:
    Tfformulae(TEditorHost& host, QWidget* parent);

    QPlainTextEdit* Memo1 = nullptr;

    /// The window's "Type ²" button: types into the list when the dialog is open with the list as
    /// its focus; false when it did not.
    bool typeIntoList(const char* what);

  protected:
    void FormShow() override;
    bool save() override;
    /// Types into the list at its caret.
    void typeAtCaret(const char* what) override;

  private:
    /// The mode whose list is shown: OK saves that list even when the mode was switched meanwhile,
    /// and gives the formula field its lines only while the mode still uses it.
    TSettingsRecord mode_{};
};

} // namespace kurvo
