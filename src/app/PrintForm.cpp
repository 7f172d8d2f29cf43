// TPrintForm: the print options dialog.
#include "PrintForm.h"

#include "DialogSupport.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kurvo {

TPrintForm::TPrintForm(std::function<void()> showHelp, QWidget* parent) : QDialog(parent) {
    setObjectName("PrintForm");
    setWindowTitle("Kurvo Print");
    auto* size = new QGroupBox("Size", this);
    Edit1 = new QSpinBox(size);
    Edit1->setObjectName("Edit1");
    // A spin box cannot hold a text that is not a whole number, nor a size beyond the page.
    Edit1->setRange(0, 100);
    Edit1->setSingleStep(5);
    Edit1->setWrapping(false);
    Edit1->setValue(100);
    auto* row = new QHBoxLayout(size);
    row->addWidget(fieldLabel("&Percentage of page size", Edit1, size));
    row->addWidget(Edit1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    ok->setDefault(true);
    ok->setAccessibleName("Ok");
    cancel->setAccessibleName("Cancel");
    help->setAccessibleName("Help");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [showHelp] {
        if (showHelp) showHelp();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(size);
    layout->addWidget(buttons);
}

int TPrintForm::percentage() const {
    return Edit1->value();
}

} // namespace kurvo
