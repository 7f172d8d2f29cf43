// Tfformulae: the formulae presets editor, the current mode's list of ready-made formulas.
#pragma once

#include "SettingsRecord.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kurvo {

class TEditorHost;

/// A modeless dialog that edits the mode's preset list as plain text, one formula per line.
/// Showing it loads the list; OK saves it and gives the formula field the saved lines.
class Tfformulae : public QDialog {
    Q_OBJECT
  public:
    Tfformulae(TEditorHost& host, QWidget* parent);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    /// Type "²" and "³" into the list at its caret (Alt+2, Alt+3 from the keyboard).
    QToolButton* SpeedButton21 = nullptr;
    QToolButton* SpeedButton22 = nullptr;

    void OKBtnClick();
    void CancelBtnClick();
    void SpeedButton21Click();
    void SpeedButton22Click();

    /// The window's "Type ²" button: types into the list when the dialog is open with the list as
    /// its focus; false when it did not.
    bool typeIntoList(const char* what);

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override { CancelBtnClick(); }

  private:
    void FormShow();
    void typeAtCaret(const char* what);

    TEditorHost& host_;
    /// The mode whose list is shown: OK saves that list even when the mode was switched meanwhile,
    /// and gives the formula field its lines only while the mode still uses it.
    TSettingsRecord mode_{};
};

} // namespace kurvo
