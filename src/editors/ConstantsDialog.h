// Tfconstant: the constants editor, the sixteen named constants a..z that formulas may use.
#pragma once

#include "ConstantFields.h"
#include "EditorDialog.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// A modeless dialog with one field per constant (e and p shown but read-only). OK applies the
/// fields to the settings record; the values reach the parsers when a formula is next stored for
/// plotting, so OK itself redraws nothing. Cancel hides the dialog and keeps what was typed.
class Tfconstant : public TEditorDialog {
    Q_OBJECT
  public:
    Tfconstant(TEditorHost& host, QWidget* parent);

    /// Edit1..Edit16, in the constants' order a, b, c, d, e, m, n, o, p, q, r, s, u, v, w, z.
    std::array<QLineEdit*, ConstantCount> Edit{};
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void OKBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
    /// Escape and the window's close button cancel.
    void reject() override { CancelBtnClick(); }

  private:
    void FormCreate();
    void showConstants();

    /// The constants the fields were last filled from or applied to. When the record's constants
    /// have changed since (a graph file was opened), showing the dialog shows the new values, so an
    /// OK never writes stale fields over them.
    TConstantValues shownValues_{};
};

} // namespace kurvo
