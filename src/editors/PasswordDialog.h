// Tfpass: the password prompt in front of the two administrator features.
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// "Administrator Password": asks for the administrator password and, when it is right, opens the
/// feature the window chose (through `openTarget`). A wrong entry is answered with a message and
/// the prompt stays open; there is no limit to the tries. The entry is shown as bullets and is
/// emptied whenever the prompt is shown or hidden, so it never lingers in the field.
class Tfpass : public QDialog {
    Q_OBJECT
  public:
    Tfpass(TEditorHost& host, std::function<void()> openTarget, QWidget* parent = nullptr);

    /// Shows the prompt (modeless) with an empty entry, also when it is open already.
    void ask();

    void Button1Click(); ///< OK: checks the entry
    void Button2Click(); ///< Cancel: hides the prompt

    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void FormShow();

    TEditorHost& host_;
    std::function<void()> openTarget_;
};

/// Makes a line edit a password field: bullets, no input-method prediction, no copying out.
void makePasswordField(QLineEdit* edit);

} // namespace kurvo
