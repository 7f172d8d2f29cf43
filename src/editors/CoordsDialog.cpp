// Tfcoords: the coordinates editor's window over addTypedDataSet.
#include "CoordsDialog.h"

#include "DialogSupport.h"
#include "DrawingEdits.h"
#include "EditorHost.h"
#include "PlotEngine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace kurvo {

Tfcoords::Tfcoords(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "fcoords", "Coordinates", parent) {
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    shownLabels_ = host_.drawing().DataSetAxisLabels;
    Edit1->setText(fromCp1252(shownLabels_));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(true); // Tab leaves the points for the buttons
    Memo1->setAccessibleName("Points, one x,y a line");
    Memo1->setMinimumSize(220, 200);

    OKBtn = pushButton("&OK", "OKBtn", this, [this] { OKBtnClick(); });
    CancelBtn = pushButton("&Close", "CancelBtn", this, [this] { CancelBtnClick(); });
    Button1 = pushButton("C&lear", "Button1", this, [this] { Button1Click(); });
    OKBtn->setDefault(true);

    auto* labels = new QHBoxLayout;
    labels->addWidget(fieldLabel("&Axis labels", Edit1, this));
    labels->addWidget(Edit1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
}

void Tfcoords::showEvent(QShowEvent* event) {
    // Typed but unused labels stay, unless an import has put its header there meanwhile.
    const std::string& labels = host_.drawing().DataSetAxisLabels;
    if (labels != shownLabels_) {
        shownLabels_ = labels;
        Edit1->setText(fromCp1252(labels));
    }
    TEditorDialog::showEvent(event);
}

void Tfcoords::OKBtnClick() {
    std::vector<std::string> lines;
    for (const QString& line : Memo1->toPlainText().split('\n')) {
        std::string text = toCp1252(line);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        lines.push_back(std::move(text));
    }
    const std::string labels = toCp1252(Edit1->text());
    const std::optional<TTypedSet> added = host_.addDataSet(labels, lines);
    if (!added) return; // a plot is running: the dialog stays as it is
    if (!added->error.empty()) {
        host_.showInformation(added->error);
        if (added->errorLine > 0) selectLine(added->errorLine);
        return;
    }
    shownLabels_ = labels;
    hide();
}

void Tfcoords::selectLine(std::size_t line) {
    const QTextBlock block = Memo1->document()->findBlockByNumber(static_cast<int>(line) - 1);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    Memo1->setTextCursor(cursor);
    Memo1->setFocus();
}

void Tfcoords::Button1Click() {
    Memo1->clear();
}

} // namespace kurvo
