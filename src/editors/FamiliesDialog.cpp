// Tffamilies: the families editor's window over the rules of FamilyFields and the engine's family.
#include "FamiliesDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"
#include "PlotEngine.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kurvo {

Tffamilies::Tffamilies(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "ffamilies", "Families", parent) {
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(2);
    Edit1->installEventFilter(this);
    auto* countRow = new QGridLayout;
    addFieldRow(countRow, 0, "Number of &Graphs", Edit1);

    // Two columns of eight increments keep the dialog compact; the order runs down each column.
    auto* increments = new QGroupBox("Increments", this);
    auto* grid = new QGridLayout(increments);
    for (std::size_t k = 0; k < ConstantCount; ++k) {
        auto* edit = new QLineEdit(increments);
        edit->setObjectName(QString("Edit%1").arg(k + 2));
        const char letter = TSettingsRecord::ConstantLetters[k];
        const int row = static_cast<int>(k % 8), column = static_cast<int>(k / 8) * 2;
        grid->addWidget(fieldLabel(QString("&%1:").arg(letter), edit, increments), row, column);
        grid->addWidget(edit, row, column + 1);
        edit->setAccessibleName(QString("Increment of %1").arg(letter));
        Increment[k] = edit;
    }

    QDialogButtonBox* buttons = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    stackVertically(this, countRow, increments, buttons);

    // Tab runs down the increments in the constants' order, column by column.
    QWidget* previous = Edit1;
    for (QLineEdit* edit : Increment) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    setTabOrder(previous, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

TFamilyFields Tffamilies::fields() const {
    TFamilyFields f;
    f.count = toCp1252(Edit1->text());
    for (std::size_t k = 0; k < ConstantCount; ++k)
        f.increments[k] = toCp1252(Increment[k]->text());
    return f;
}

void Tffamilies::setFields(const TFamilyFields& f) {
    Edit1->setText(fromCp1252(f.count));
    for (std::size_t k = 0; k < ConstantCount; ++k)
        Increment[k]->setText(fromCp1252(f.increments[k]));
}

QLineEdit* Tffamilies::fieldAt(std::size_t field) const {
    return field == FamilyCountField ? Edit1 : Increment[field - 1];
}

void Tffamilies::OKBtnClick() {
    // The fields are checked before the dialog hides, so a refused field can be corrected in place.
    const TFamilyCheck check = host_.checkFamily(fields());
    if (!check.ok()) {
        host_.showInformation(check.error->message);
        QLineEdit* bad = fieldAt(check.error->field);
        bad->setFocus();
        bad->selectAll();
        return;
    }
    hide();
    host_.plotFamily(check.family);
}

bool Tffamilies::Edit1KeyDown(const QString& typed) {
    if (typed.size() != 1 || typed[0].unicode() > 0x7F) return false;
    if (familyCountKeyAccepted(static_cast<char>(typed[0].unicode()))) return false;
    host_.showInformation(msg::OnlyNumericChars);
    Edit1->clear();
    return true;
}

bool Tffamilies::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts such as Ctrl+A are no typing.
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && Edit1KeyDown(key->text()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kurvo
