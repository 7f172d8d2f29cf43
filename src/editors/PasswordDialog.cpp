// Tfpass: the administrator password prompt.
#include "PasswordDialog.h"

#include "AdminPassword.h"
#include "Cp1252.h"
#include "DialogSupport.h"
#include "EditorHost.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kurvo {

void makePasswordField(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText |
                              Qt::ImhNoAutoUppercase);
    edit->setContextMenuPolicy(Qt::NoContextMenu);
}

Tfpass::Tfpass(TEditorHost& host, std::function<void()> openTarget, QWidget* parent)
    : QDialog(parent), host_(host), openTarget_(std::move(openTarget)) {
    setObjectName("fpass");
    setWindowTitle("Administrator Password");
    setModal(false);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    makePasswordField(Edit1);
    Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setAccessibleName("OK");
    Button2 = new QPushButton("Cancel", this);
    Button2->setObjectName("Button2");
    Button2->setAccessibleName("Cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fieldLabel("&Enter password:", Edit1, this));
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Edit1->setMinimumWidth(220);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(this, &QDialog::rejected, this, [this] { Edit1->clear(); }); // Escape
}

void Tfpass::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tfpass::hideEvent(QHideEvent* event) {
    Edit1->clear();
    QDialog::hideEvent(event);
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
