// Tffunctions: the functions editor's window over the user-function rules and files.
#include "FunctionsDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"
#include "Errors.h"
#include "PlotEngine.h"
#include "TextHelpers.h"
#include "UserFunctionFiles.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kurvo {

Tffunctions::Tffunctions(TEditorHost& host, QWidget* parent)
    : TFormulaEditorDialog(host, parent, "ffunctions", "Functions") {
    auto* grid = new QGridLayout;
    for (std::size_t k = 0; k < UserFunctionCount; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Edit%1").arg(k + 1));
        edit->setMinimumWidth(280);
        addFieldRow(grid, static_cast<int>(k), QString("&%1:").arg(UserFunctionLetters[k]), edit);
        edit->setAccessibleName(QString("Function %1").arg(UserFunctionLetters[k]));
        Edit[k] = edit;
    }
    QHBoxLayout* bottom = buttonRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
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

bool Tffunctions::save() {
    TUserFunctionTexts typed;
    for (std::size_t k = 0; k < UserFunctionCount; ++k)
        typed[k] = toCp1252(Edit[k]->text());
    const std::optional<TUserFunctionError> error = host_.applyUserFunctions(cartesian_, typed);
    if (error) {
        host_.showInformation(error->message);
        Edit[error->index]->setFocus();
        return false;
    }
    return true;
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

} // namespace kurvo
