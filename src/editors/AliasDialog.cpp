// Tfalias: the function alias editor.
#include "AliasDialog.h"

#include "Aliases.h"
#include "Cp1252.h"
#include "DataFolder.h"
#include "DialogSupport.h"
#include "EditorHost.h"
#include "PlotEngine.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace kurvo {

Tfalias::Tfalias(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "falias", "Function Alias Editor", parent) {
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setTabChangesFocus(true); // Tab leaves the text for the buttons
    Memo1->setToolTip("One alias a line: the formula, a colon, the alias (x^2+1:para)");
    Memo1->setMinimumSize(320, 220);

    QDialogButtonBox* box = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fieldLabel("&Aliases (formula:alias):", Memo1, this));
    layout->addWidget(Memo1, 1);
    layout->addWidget(box);
}

void Tfalias::FormShow() {
    mode_ = host_.currentSettings();
    fileName_ = aliasListName(mode_);
    Memo1->clear();
    try {
        std::vector<std::string> lines = host_.dataSource().readLines(fileName_);
        QStringList text;
        for (const auto& l : lines)
            text << QString::fromStdString(cp1252ToUtf8(l));
        Memo1->setPlainText(text.join('\n'));
        host_.setAliasListInEffect(std::move(lines));
    } catch (const std::exception& e) {
        // The list in effect stays; OK creates the file from what is typed.
        host_.reportError(e);
    }
    Memo1->setFocus();
}

void Tfalias::OKBtnClick() {
    const std::vector<std::string> lines = splitLines(utf8ToCp1252(Memo1->toPlainText().toStdString()));
    if (auto error = checkAliasList(lines, mode_, host_.formulaTranslator())) {
        host_.showInformation(aliasListErrorMessage(*error));
        // The line at fault is selected, ready to be put right.
        QTextCursor at(Memo1->document()->findBlockByNumber(static_cast<int>(error->line) - 1));
        at.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Memo1->setTextCursor(at);
        Memo1->setFocus();
        return;
    }
    host_.setAliasListInEffect(lines);
    try {
        host_.dataSource().writeLines(fileName_, lines);
    } catch (const std::exception& e) {
        host_.reportError(e);
        return;
    }
    hide();
}

} // namespace kurvo
