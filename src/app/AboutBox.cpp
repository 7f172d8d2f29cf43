// TAboutBox: name, version and a one-line description.
#include "AboutBox.h"

#include "ButtonImages.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kurvo {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Kurvo");
    auto* icon = new QLabel(this);
    icon->setPixmap(buttonImage(3).pixmap(64, 64));
    auto* text = new QLabel("<b>Kurvo32 Graph Editor</b><br>Version 1.0<br><br>"
                            "Plots functions, polar and parametric curves, relations and data sets "
                            "for teaching and learning mathematics.",
                            this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

} // namespace kurvo
