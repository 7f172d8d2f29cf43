// Tfsetpass: changes the administrator password.
#pragma once

#include "EditorDialog.h"

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// "Set Admin Password": the old password (compared exactly, letter case included) and the new one
/// twice. A change stores the new password's first 12 characters in the settings record and
/// writes the whole record to the settings file. The three fields show bullets and are emptied
/// whenever the dialog is shown or hidden.
class Tfsetpass : public TEditorDialog {
    Q_OBJECT
  public:
    explicit Tfsetpass(TEditorHost& host, QWidget* parent = nullptr);

    void OKBtnClick();

    QLineEdit* Edit1 = nullptr; ///< old password
    QLineEdit* Edit2 = nullptr; ///< new password
    QLineEdit* Edit3 = nullptr; ///< new password again
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  private:
    void FormShow() override;
    void clearFields();
};

} // namespace kurvo
