// Tfsetpass: the set-password dialog.
#include "SetPasswordDialog.h"

#include "AdminPassword.h"
#include "Cp1252.h"
#include "DialogSupport.h"
#include "EditorHost.h"
#include "PasswordDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kurvo {

Tfsetpass::Tfsetpass(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "fsetpass", "Set Admin Password", parent) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (auto [edit, name, label] :
         {std::tuple{&Edit1, "Edit1", "&Old Password"}, std::tuple{&Edit2, "Edit2", "&New Password"},
          std::tuple{&Edit3, "Edit3", "&Repeat New Password"}}) {
        *edit = new QLineEdit(this);
        (*edit)->setObjectName(name);
        (*edit)->setMinimumWidth(180);
        makePasswordField(*edit);
        addFieldRow(grid, row++, label, *edit);
    }
    clearWhenHidden(this, {Edit1, Edit2, Edit3});
    QDialogButtonBox* box = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    stackVertically(this, grid, box)->setSizeConstraint(QLayout::SetFixedSize);
}

void Tfsetpass::clearFields() {
    for (QLineEdit* e : {Edit1, Edit2, Edit3})
        e->clear();
}

void Tfsetpass::FormShow() {
    clearFields();
    Edit1->setFocus();
}

void Tfsetpass::OKBtnClick() {
    auto text = [](QLineEdit* e) { return utf8ToCp1252(e->text().toStdString()); };
    const TPasswordChange result = host_.changeAdminPassword(text(Edit1), text(Edit2), text(Edit3));
    if (result != TPasswordChange::Changed) {
        host_.showInformation(passwordChangeMessage(result));
        return;
    }
    // The whole record is written, the current view and modes with it. When the file cannot be
    // written the error is reported and the new password holds for this session only.
    try {
        host_.dataSource().writeSettings(host_.currentSettings());
    } catch (const std::exception& e) {
        host_.reportError(e);
        return;
    }
    host_.showInformation(passwordmsg::Changed);
    hide();
}

} // namespace kurvo
