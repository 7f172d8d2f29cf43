// Tfformulae: the formulae editor's window over the preset-list rules.
#include "FormulaeDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"
#include "PresetList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include <cstring>

namespace kurvo {

Tfformulae::Tfformulae(TEditorHost& host, QWidget* parent)
    : TFormulaEditorDialog(host, parent, "fformulae", "Formulae") {
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the list (a formula has no tabs), so the buttons stay reachable by keyboard.
    Memo1->setTabChangesFocus(true);
    Memo1->setMinimumSize(320, 240);
    QLabel* label = fieldLabel("&Preset formulas, one per line:", Memo1, this);

    QHBoxLayout* bottom = buttonRow();
    // Enter belongs to the list (it ends a line); OK is Ctrl+Enter, or Tab to it.
    OKBtn->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Memo1, 1);
    layout->addLayout(bottom);
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

bool Tfformulae::save() {
    const TPresetList saved =
        savePresetList(host_.dataSource(), mode_, presetLinesFromText(toCp1252(Memo1->toPlainText())));
    if (std::strcmp(presetListName(mode_), presetListName(host_.currentSettings())) == 0)
        host_.setFormulaFieldItems(saved.items, saved.formulaText);
    return true;
}

void Tfformulae::typeAtCaret(const char* what) {
    // The text before the caret, the character, the text after it; a selection is kept as text.
    // Inserting through the cursor keeps the list's undo history and scroll position.
    QTextCursor cursor = Memo1->textCursor();
    cursor.clearSelection();
    cursor.insertText(fromCp1252(what));
    Memo1->setTextCursor(cursor);
}

bool Tfformulae::typeIntoList(const char* what) {
    if (!isVisible() || focusWidget() != Memo1) return false;
    typeAtCaret(what);
    return true;
}

} // namespace kurvo
