// Tfmatrix: multiplies every point of the first data set by a 2 × 2 matrix of typed expressions.
#pragma once

#include "EditorDialog.h"
#include "FormulaTrans.h"
#include "Parser.h"

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// The matrix transformation: each Apply multiplies the first data set by the matrix of the four
/// entries (numbers or expressions such as cos(30) or sqrt(3)/2, in the window's angle mode, with
/// the constants) and draws the image in the next mark colour. Modeless.
class Tfmatrix : public TEditorDialog {
    Q_OBJECT
  public:
    Tfmatrix(TEditorHost& host, QWidget* parent);

    void openDialog();
    void OKBtnClick();

    QLineEdit* Edit1; ///< row 1, column 1
    QLineEdit* Edit2; ///< row 1, column 2
    QLineEdit* Edit3; ///< row 2, column 1
    QLineEdit* Edit4; ///< row 2, column 2
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  private:
    TFormulaTrans m_translator;
    TParser m_parser;
};

} // namespace kurvo
