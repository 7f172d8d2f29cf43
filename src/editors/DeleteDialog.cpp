// Tfdelete: the delete dialog's window over deleteGraphs.
#include "DeleteDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kurvo {

Tfdelete::Tfdelete(TEditorHost& host, QWidget* parent) : TEditorDialog(host, "fdelete", "Delete", parent) {
    auto* box = new QGroupBox(this);
    box->setAccessibleName("What to delete");
    auto* column = new QVBoxLayout(box);
    group_ = new QButtonGroup(this);
    struct Choice {
        QRadioButton** button;
        const char* name;
        const char* caption;
        TDeleteChoice choice;
    };
    const Choice choices[] = {
        {&RadioButton1, "RadioButton1", "Delete Last Graph", TDeleteChoice::LastGraph},
        {&RadioButton2, "RadioButton2", "Delete All Graphs", TDeleteChoice::AllGraphs},
        {&RadioButton3, "RadioButton3", "Delete Last DataSet", TDeleteChoice::LastDataSet},
        {&RadioButton4, "RadioButton4", "Delete All DataSets", TDeleteChoice::AllDataSets},
        {&RadioButton5, "RadioButton5", "Delete All", TDeleteChoice::All}};
    for (const Choice& c : choices) {
        *c.button = new QRadioButton(c.caption, box);
        (*c.button)->setObjectName(c.name);
        group_->addButton(*c.button, static_cast<int>(c.choice));
        column->addWidget(*c.button);
    }
    RadioButton5->setChecked(true);

    QDialogButtonBox* buttons = okCancelButtons(
        this, OKBtn, CancelBtn, [this] { OKBtnClick(); }, [this] { CancelBtnClick(); });

    stackVertically(this, box, buttons)->setSizeConstraint(QLayout::SetFixedSize);
}

TDeleteChoice Tfdelete::choice() const {
    const int id = group_->checkedId();
    return id < 0 ? TDeleteChoice::All : static_cast<TDeleteChoice>(id);
}

void Tfdelete::FormShow() {
    RadioButton5->setChecked(true);
    RadioButton5->setFocus();
}

void Tfdelete::OKBtnClick() {
    // While a plot is running nothing is deleted and the dialog stays.
    if (host_.deleteGraphs(choice())) hide();
}

} // namespace kurvo
