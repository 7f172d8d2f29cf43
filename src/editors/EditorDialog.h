// TEditorDialog: what every editor dialog shares.
#pragma once

#include <QDialog>

class QShowEvent;

namespace kurvo {

class TEditorHost;

/// A modeless dialog of the editors, with its object name (the tests and screen readers find it
/// by that), its caption and the window's host. Each time the program shows it (not when the
/// window manager only restores it), it runs FormShow.
class TEditorDialog : public QDialog {
    Q_OBJECT
  public:
    TEditorDialog(TEditorHost& host, const char* objectName, const QString& caption, QWidget* parent);

    /// Cancel (or Close): hides the dialog; what was typed stays for the next showing.
    void CancelBtnClick() { hide(); }

  protected:
    void showEvent(QShowEvent* event) override;
    /// Fills the dialog from the host's state as it is shown; nothing by default.
    virtual void FormShow() {}

    TEditorHost& host_;
};

} // namespace kurvo
