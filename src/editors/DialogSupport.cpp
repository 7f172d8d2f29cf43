// Small helpers every dialog uses: labelled fields and the OK/Cancel row.
#include "DialogSupport.h"

#include "Cp1252.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QToolButton>

namespace kurvo {

QLabel* fieldLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    QString plain = text;
    plain.remove('&');
    if (plain.endsWith(':')) plain.chop(1);
    field->setAccessibleName(plain.trimmed());
    return label;
}

void addFieldRow(QGridLayout* grid, int row, const QString& label, QWidget* field) {
    grid->addWidget(fieldLabel(label, field, grid->parentWidget()), row, 0);
    grid->addWidget(field, row, 1);
}

QDialogButtonBox* okCancelButtons(QWidget* parent) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
    for (QAbstractButton* b : box->buttons())
        b->setAccessibleName(b->text().remove('&'));
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    return box;
}

QDialogButtonBox* okCancelButtons(QWidget* parent, QPushButton*& ok, QPushButton*& cancel,
                                  const std::function<void()>& onOk, const std::function<void()>& onCancel) {
    QDialogButtonBox* box = okCancelButtons(parent);
    ok = box->button(QDialogButtonBox::Ok);
    cancel = box->button(QDialogButtonBox::Cancel);
    ok->setObjectName("OKBtn");
    cancel->setObjectName("CancelBtn");
    QObject::connect(ok, &QPushButton::clicked, parent, onOk);
    QObject::connect(cancel, &QPushButton::clicked, parent, onCancel);
    return box;
}

void squareAndCubeButtons(QWidget* parent, QToolButton*& squared, QToolButton*& cubed,
                          const std::function<void()>& onSquared, const std::function<void()>& onCubed) {
    squared = typingButton("²", "Type '²'", QKeySequence(Qt::ALT | Qt::Key_2), parent);
    cubed = typingButton("³", "Type '³'", QKeySequence(Qt::ALT | Qt::Key_3), parent);
    squared->setObjectName("SpeedButton21");
    cubed->setObjectName("SpeedButton22");
    QObject::connect(squared, &QToolButton::clicked, parent, onSquared);
    QObject::connect(cubed, &QToolButton::clicked, parent, onCubed);
}

QPushButton* pushButton(const QString& text, const char* objectName, QWidget* parent,
                        const std::function<void()>& onClick) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(QString(text).remove('&'));
    QObject::connect(b, &QPushButton::clicked, parent, onClick);
    return b;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    (*buttons.begin())->setDefault(true);
    return row;
}

QToolButton* typingButton(const char* text, const char* hint, const QKeySequence& key, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(QString::fromUtf8(text));
    b->setToolTip(QString::fromUtf8(hint));
    b->setAccessibleName(QString::fromUtf8(hint));
    b->setShortcut(key);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QString fromCp1252(std::string_view text) {
    return QString::fromStdString(cp1252ToUtf8(std::string(text)));
}

std::string toCp1252(const QString& text) {
    return utf8ToCp1252(text.toStdString());
}

namespace {
/// Keeps a dialog's geometry as it was when it was hidden.
class TGeometryKeeper : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow()) geometry = w->saveGeometry();
        }
        return false;
    }
    QByteArray geometry;
};
} // namespace

void presentDialog(QWidget* dialog) {
    // Found by name: the keeper has no meta-object of its own to be found by type.
    auto* keeper = static_cast<TGeometryKeeper*>(
        dialog->findChild<QObject*>("GeometryKeeper", Qt::FindDirectChildrenOnly));
    if (!keeper) {
        keeper = new TGeometryKeeper(dialog);
        keeper->setObjectName("GeometryKeeper");
        dialog->installEventFilter(keeper);
    }
    if (!dialog->isVisible()) {
        if (!keeper->geometry.isEmpty()) dialog->restoreGeometry(keeper->geometry);
        dialog->show();
    }
    dialog->raise();
    dialog->activateWindow();
}

} // namespace kurvo
