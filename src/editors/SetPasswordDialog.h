// Tfsetpass: changes the administrator password.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// "Set Admin Password": the old password (compared exactly, letter case included) and the new one
/// twice. A change stores the new password's first 12 characters in the settings record and
/// writes the whole record to the settings file. The three fields show bullets and are emptied
/// whenever the dialog is shown or hidden.
class Tfsetpass : public QDialog {
    Q_OBJECT
  public:
    explicit Tfsetpass(TEditorHost& host, QWidget* parent = nullptr);

    void OKBtnClick();
    void CancelBtnClick();

    QLineEdit* Edit1 = nullptr; ///< old password
    QLineEdit* Edit2 = nullptr; ///< new password
    QLineEdit* Edit3 = nullptr; ///< new password again
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void FormShow();
    void clearFields();

    TEditorHost& host_;
};

} // namespace kurvo
