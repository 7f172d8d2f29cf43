// Tfformulae: the formulae editor's window over the preset-list rules.
#include "FormulaeDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"
#include "PresetList.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>

namespace kurvo {

Tfformulae::Tfformulae(TEditorHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("fformulae");
    setWindowTitle("Formulae");
    setModal(false);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the list (a formula has no tabs), so the buttons stay reachable by keyboard.
    Memo1->setTabChangesFocus(true);
    Memo1->setMinimumSize(320, 240);
    QLabel* label = fieldLabel("&Preset formulas, one per line:", Memo1, this);

    squareAndCubeButtons(
        this, SpeedButton21, SpeedButton22, [this] { SpeedButton21Click(); },
        [this] { SpeedButton22Click(); });

    QDialogButtonBox* buttons = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });
    // Enter belongs to the list (it ends a line); OK is Ctrl+Enter, or Tab to it.
    OKBtn->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SpeedButton21);
    bottom->addWidget(SpeedButton22);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Memo1, 1);
    layout->addLayout(bottom);
}

void Tfformulae::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tfformulae::FormShow() {
    mode_ = host_.currentSettings();
    try {
        Memo1->setPlainText(fromCp1252(presetTextFromLines(readPresetList(host_.dataSource(), mode_))));
    } catch (const std::exception& e) {
        Memo1->clear();
        host_.reportError(e);
    }
}

void Tfformulae::OKBtnClick() {
    try {
        const TPresetList saved =
            savePresetList(host_.dataSource(), mode_, presetLinesFromText(toCp1252(Memo1->toPlainText())));
        if (std::strcmp(presetListName(mode_), presetListName(host_.currentSettings())) == 0)
            host_.setFormulaFieldItems(saved.items, saved.formulaText);
    } catch (const std::exception& e) {
        host_.reportError(e);
        return;
    }
    hide();
}

void Tfformulae::CancelBtnClick() {
    hide();
}

void Tfformulae::typeAtCaret(const char* what) {
    // The text before the caret, the character, the text after it; a selection is kept as text.
    // Inserting through the cursor keeps the list's undo history and scroll position.
    QTextCursor cursor = Memo1->textCursor();
    cursor.clearSelection();
    cursor.insertText(fromCp1252(what));
    Memo1->setTextCursor(cursor);
}

void Tfformulae::SpeedButton21Click() {
    typeAtCaret("\xB2");
}

void Tfformulae::SpeedButton22Click() {
    typeAtCaret("\xB3");
}

bool Tfformulae::typeIntoList(const char* what) {
    if (!isVisible() || focusWidget() != Memo1) return false;
    typeAtCaret(what);
    return true;
}

} // namespace kurvo
