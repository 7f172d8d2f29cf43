// TEditorDialog: the modeless base of the editor dialogs.
#include "EditorDialog.h"

#include <QShowEvent>

namespace kurvo {

TEditorDialog::TEditorDialog(TEditorHost& host, const char* objectName, const QString& caption,
                             QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(false);
}

void TEditorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

} // namespace kurvo
