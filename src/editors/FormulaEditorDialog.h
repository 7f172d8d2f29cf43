// TFormulaEditorDialog: what the formulae and functions editors share.
#pragma once

#include "EditorDialog.h"

class QHBoxLayout;
class QPushButton;
class QToolButton;

namespace kurvo {

class TEditorHost;

/// A modeless formula editor: "²" and "³" buttons that type at the caret, OK and Cancel. Showing it
/// (not a spontaneous show, such as a restore) loads its text; OK saves and hides it, or reports
/// why it could not and stays open; Cancel and Escape hide it.
class TFormulaEditorDialog : public TEditorDialog {
    Q_OBJECT
  public:
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    /// Type "²" and "³" at the caret (Alt+2, Alt+3 from the keyboard).
    QToolButton* SpeedButton21 = nullptr;
    QToolButton* SpeedButton22 = nullptr;

    void OKBtnClick();
    void SpeedButton21Click();
    void SpeedButton22Click();

  protected:
    TFormulaEditorDialog(TEditorHost& host, QWidget* parent, const char* objectName, const char* caption);

    /// The row under the fields: the typing buttons, then OK and Cancel at the right. Called after
    /// the fields are made, so the fields come first in the focus chain.
    QHBoxLayout* buttonRow();

    void reject() override { CancelBtnClick(); }

    /// Fills the fields from the stored text.
    void FormShow() override = 0;
    /// Saves the fields; false (after saying why) when the dialog is to stay open. A thrown error is
    /// reported and keeps the dialog open too.
    virtual bool save() = 0;
    virtual void typeAtCaret(const char* what) = 0;
};

} // namespace kurvo
