// Ttoolbar_cnfg: the toolbar configuration dialog.
#include "ToolbarConfigDialog.h"

#include "DialogSupport.h"
#include "EditorHost.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kurvo {

Ttoolbar_cnfg::Ttoolbar_cnfg(TEditorHost& host, const QStringList& captions, QWidget* parent)
    : TEditorDialog(host, "toolbar_cnfg", "ToolBar Configuration", parent) {
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName("CheckListBox1");
    for (const QString& caption : captions) {
        auto* item = new QListWidgetItem(caption, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    CheckListBox1->setCurrentRow(0);
    CheckListBox1->setMinimumSize(220, 300);

    CheckBox1 = new QCheckBox("Use &flat pop up buttons", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox2 = new QCheckBox("Place &lines between the toolbars", this);
    CheckBox2->setObjectName("CheckBox2");

    OKBtn = pushButton("OK", "OKBtn", this, [this] { OKBtnClick(); });
    OKBtn->setDefault(true);
    CancelBtn = pushButton("Cancel", "CancelBtn", this, [this] { CancelBtnClick(); });
    Button1 = pushButton("&Select All", "Button1", this, [this] { Button1Click(); });
    Button2 = pushButton("&Deselect All", "Button2", this, [this] { Button2Click(); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {OKBtn, CancelBtn, Button1, Button2})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    QLabel* first = fieldLabel("&Check the buttons you want to appear on the toolbar.", CheckListBox1, this);
    CheckListBox1->setAccessibleName("Toolbar items");
    grid->addWidget(first, 0, 0);
    grid->addWidget(new QLabel("and clear those you do not want.", this), 1, 0);
    grid->addWidget(CheckListBox1, 2, 0);
    grid->addLayout(buttons, 2, 1);
    grid->addWidget(CheckBox1, 3, 0, 1, 2);
    grid->addWidget(CheckBox2, 4, 0, 1, 2);
}

TToolbarConfig Ttoolbar_cnfg::configuration() const {
    TToolbarConfig c;
    c.flatButtons = CheckBox1->isChecked();
    c.linesBetweenToolbars = CheckBox2->isChecked();
    for (std::size_t i = 0; i < c.items.size() && static_cast<int>(i) < CheckListBox1->count(); ++i)
        c.items[i] = CheckListBox1->item(static_cast<int>(i))->checkState() == Qt::Checked;
    return c;
}

void Ttoolbar_cnfg::setConfiguration(const TToolbarConfig& config) {
    CheckBox1->setChecked(config.flatButtons);
    CheckBox2->setChecked(config.linesBetweenToolbars);
    for (std::size_t i = 0; i < config.items.size() && static_cast<int>(i) < CheckListBox1->count(); ++i)
        CheckListBox1->item(static_cast<int>(i))
            ->setCheckState(config.items[i] ? Qt::Checked : Qt::Unchecked);
}

void Ttoolbar_cnfg::FormShow() {
    // The options are taken again too, so a Cancel never leaves changed options for the next showing.
    setConfiguration(host_.toolbarConfig());
    CheckListBox1->setFocus();
}

void Ttoolbar_cnfg::checkAll(bool on) {
    for (int i = 0; i < CheckListBox1->count(); ++i)
        CheckListBox1->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void Ttoolbar_cnfg::Button1Click() {
    checkAll(true);
}

void Ttoolbar_cnfg::Button2Click() {
    checkAll(false);
}

void Ttoolbar_cnfg::OKBtnClick() {
    const TToolbarConfig config = configuration();
    // A record that cannot be written is reported, and the toolbars stay as they are.
    try {
        host_.dataSource().writeToolbarConfig(config);
    } catch (const std::exception& e) {
        host_.reportError(e);
        return;
    }
    hide();
    host_.rebuildToolbars(config);
}

} // namespace kurvo
