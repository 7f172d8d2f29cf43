// TFormulaEditorDialog: the buttons and the show/OK/Cancel flow of the formula editors.
#include "FormulaEditorDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include <exception>

namespace kurvo {

TFormulaEditorDialog::TFormulaEditorDialog(TEditorHost& host, QWidget* parent, const char* objectName,
                                           const char* caption)
    : TEditorDialog(host, objectName, caption, parent) {}

QHBoxLayout* TFormulaEditorDialog::buttonRow() {
    squareAndCubeButtons(
        this, SpeedButton21, SpeedButton22, [this] { SpeedButton21Click(); },
        [this] { SpeedButton22Click(); });
    QDialogButtonBox* buttons = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    auto* row = new QHBoxLayout;
    row->addWidget(SpeedButton21);
    row->addWidget(SpeedButton22);
    row->addStretch();
    row->addWidget(buttons);
    return row;
}

void TFormulaEditorDialog::OKBtnClick() {
    try {
        if (!save()) return;
    } catch (const std::exception& e) {
        host_.reportError(e);
        return;
    }
    hide();
}

void TFormulaEditorDialog::SpeedButton21Click() {
    typeAtCaret("\xB2");
}

void TFormulaEditorDialog::SpeedButton22Click() {
    typeAtCaret("\xB3");
}

} // namespace kurvo
