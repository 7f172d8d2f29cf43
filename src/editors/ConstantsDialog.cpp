// Tfconstant: the constants editor's window over the rules of ConstantFields.
#include "ConstantsDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"
#include "PlotEngine.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kurvo {

Tfconstant::Tfconstant(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "fconstant", "Constants", parent) {
    auto* grid = new QGridLayout;
    for (std::size_t k = 0; k < ConstantCount; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Edit%1").arg(k + 1));
        edit->setReadOnly(isReadOnlyConstant(k));
        // e and p are shown but not edited: out of the tab order, as their fields take no input.
        if (isReadOnlyConstant(k)) edit->setFocusPolicy(Qt::ClickFocus);
        const char letter = TSettingsRecord::ConstantLetters[k];
        addFieldRow(grid, static_cast<int>(k), QString("&%1:").arg(letter), edit);
        edit->setAccessibleName(QString("Constant %1").arg(letter));
        Edit[k] = edit;
    }
    QDialogButtonBox* buttons = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    stackVertically(this, grid, buttons);
    FormCreate();
}

void Tfconstant::FormCreate() {
    showConstants();
}

void Tfconstant::showConstants() {
    const TSettingsRecord& settings = host_.currentSettings();
    const TConstantTexts texts = constantFieldTexts(settings);
    for (std::size_t k = 0; k < ConstantCount; ++k)
        Edit[k]->setText(fromCp1252(texts[k]));
    shownValues_ = settings.ConstantValues;
}

void Tfconstant::showEvent(QShowEvent* event) {
    // Typed but unconfirmed text stays, unless the constants were changed elsewhere meanwhile.
    if (host_.currentSettings().ConstantValues != shownValues_) showConstants();
    TEditorDialog::showEvent(event);
}

void Tfconstant::OKBtnClick() {
    TConstantTexts typed;
    for (std::size_t k = 0; k < ConstantCount; ++k)
        typed[k] = toCp1252(Edit[k]->text());
    const TConstantsEdit edit = host_.applyConstants(typed);
    for (std::size_t k = 0; k < ConstantCount; ++k)
        Edit[k]->setText(fromCp1252(edit.texts[k]));
    if (!edit.ok()) {
        host_.showInformation(edit.error->message);
        QLineEdit* bad = Edit[edit.error->field];
        bad->setFocus();
        bad->selectAll();
        return;
    }
    shownValues_ = host_.currentSettings().ConstantValues;
    hide();
}

} // namespace kurvo
