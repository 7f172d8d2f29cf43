// Tfpass: the password prompt in front of the two administrator features.
#pragma once

#include "EditorDialog.h"

#include <functional>
#include <vector>

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// "Administrator Password": asks for the administrator password and, when it is right, opens the
/// feature the window chose (through `openTarget`). A wrong entry is answered with a message and
/// the prompt stays open; there is no limit to the tries. The entry is shown as bullets and is
/// emptied whenever the prompt is shown or hidden, so it never lingers in the field.
class Tfpass : public TEditorDialog {
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

  private:
    void FormShow() override;

    std::function<void()> openTarget_;
};

/// Makes a line edit a password field: bullets, no input-method prediction, no copying out.
void makePasswordField(QLineEdit* edit);
/// Empties the password fields whenever `dialog` is hidden, so no entry lingers in them.
void clearWhenHidden(QWidget* dialog, std::vector<QLineEdit*> fields);

} // namespace kurvo
