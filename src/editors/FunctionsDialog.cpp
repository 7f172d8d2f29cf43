// Tffunctions: the functions editor's window over the user-function rules and files.
#include "FunctionsDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"
#include "Errors.h"
#include "PlotEngine.h"
#include "TextHelpers.h"
#include "UserFunctionFiles.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace kurvo {

Tffunctions::Tffunctions(TEditorHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("ffunctions");
    setWindowTitle("Functions");
    setModal(false);

    auto* grid = new QGridLayout;
    for (std::size_t k = 0; k < UserFunctionCount; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Edit%1").arg(k + 1));
        edit->setMinimumWidth(280);
        addFieldRow(grid, static_cast<int>(k), QString("&%1:").arg(UserFunctionLetters[k]), edit);
        edit->setAccessibleName(QString("Function %1").arg(UserFunctionLetters[k]));
        Edit[k] = edit;
    }
    squareAndCubeButtons(
        this, SpeedButton21, SpeedButton22, [this] { SpeedButton21Click(); },
        [this] { SpeedButton22Click(); });

    QDialogButtonBox* buttons = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SpeedButton21);
    bottom->addWidget(SpeedButton22);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
}

void Tffunctions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tffunctions::FormShow() {
    const bool cartesian = host_.currentSettings().CartesianMode;
    try {
        const TUserFunctionTexts typed = host_.dataSource().readFunctions(cartesian);
        for (std::size_t k = 0; k < UserFunctionCount; ++k)
            Edit[k]->setText(fromCp1252(typed[k]));
        cartesian_ = cartesian;
    } catch (const std::exception& e) {
        // The fields stay as they were; an OK then writes the files anew.
        cartesian_ = cartesian;
        host_.reportError(e);
    }
}

void Tffunctions::OKBtnClick() {
    TUserFunctionTexts typed;
    for (std::size_t k = 0; k < UserFunctionCount; ++k)
        typed[k] = toCp1252(Edit[k]->text());
    try {
        const std::optional<TUserFunctionError> error = host_.applyUserFunctions(cartesian_, typed);
        if (error) {
            host_.showInformation(error->message);
            Edit[error->index]->setFocus();
            return;
        }
    } catch (const std::exception& e) {
        host_.reportError(e);
        return;
    }
    hide();
}

void Tffunctions::CancelBtnClick() {
    hide();
}

void Tffunctions::typeAtCaret(const char* what) {
    // The dialog's focus widget, not hasFocus: a click on a button of another window leaves it.
    for (QLineEdit* edit : Edit) {
        if (focusWidget() != edit) continue;
        const TCaretText result =
            insertAtCaret(toCp1252(edit->text()), static_cast<std::size_t>(edit->cursorPosition()), what);
        edit->setText(fromCp1252(result.text));
        edit->setCursorPosition(static_cast<int>(result.caret));
        return;
    }
}

void Tffunctions::SpeedButton21Click() {
    typeAtCaret("\xB2");
}

void Tffunctions::SpeedButton22Click() {
    typeAtCaret("\xB3");
}

} // namespace kurvo
