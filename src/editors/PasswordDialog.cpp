// Tfpass: the administrator password prompt.
#include "PasswordDialog.h"

#include "AdminPassword.h"
#include "Cp1252.h"
#include "DialogSupport.h"
#include "EditorHost.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kurvo {

void makePasswordField(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText |
                              Qt::ImhNoAutoUppercase);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
}

namespace {
/// Empties its fields when the dialog it watches is hidden.
class TFieldClearer : public QObject {
  public:
    TFieldClearer(QWidget* dialog, std::vector<QLineEdit*> fields)
        : QObject(dialog), fields_(std::move(fields)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            for (QLineEdit* f : fields_)
                f->clear();
        return false;
    }

  private:
    std::vector<QLineEdit*> fields_;
};
} // namespace

void clearWhenHidden(QWidget* dialog, std::vector<QLineEdit*> fields) {
    dialog->installEventFilter(new TFieldClearer(dialog, std::move(fields)));
}

Tfpass::Tfpass(TEditorHost& host, std::function<void()> openTarget, QWidget* parent)
    : TEditorDialog(host, "fpass", "Administrator Password", parent), openTarget_(std::move(openTarget)) {
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    makePasswordField(Edit1);
    clearWhenHidden(this, {Edit1});
    Button1 = pushButton("OK", "Button1", this, [this] { Button1Click(); });
    Button2 = pushButton("Cancel", "Button2", this, [this] { Button2Click(); });

    QLabel* label = fieldLabel("&Enter password:", Edit1, this);
    stackVertically(this, label, Edit1, buttonRow({Button1, Button2}))
        ->setSizeConstraint(QLayout::SetFixedSize);
    Edit1->setMinimumWidth(220);

    connect(this, &QDialog::rejected, this, [this] { Edit1->clear(); }); // Escape
}

void Tfpass::ask() {
    if (isVisible()) FormShow();
    presentDialog(this);
}

void Tfpass::FormShow() {
    Edit1->clear();
    Edit1->setFocus();
}

void Tfpass::Button1Click() {
    const std::string typed = utf8ToCp1252(Edit1->text().toStdString());
    if (!adminPromptAccepts(typed, host_.currentSettings().adminPassword)) {
        host_.showInformation(passwordmsg::Incorrect);
        Edit1->selectAll();
        Edit1->setFocus();
        return;
    }
    hide();
    openTarget_();
}

void Tfpass::Button2Click() {
    hide();
}

} // namespace kurvo
