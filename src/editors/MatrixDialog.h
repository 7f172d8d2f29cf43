// Tfmatrix: multiplies every point of the first data set by a 2 × 2 matrix of typed expressions.
#pragma once

#include "FormulaTrans.h"
#include "Parser.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// The matrix transformation: each Apply multiplies the first data set by the matrix of the four
/// entries (numbers or expressions such as cos(30) or sqrt(3)/2, in the window's angle mode, with
/// the constants) and draws the image in the next mark colour. Modeless.
class Tfmatrix : public QDialog {
    Q_OBJECT
  public:
    Tfmatrix(TEditorHost& host, QWidget* parent);

    void openDialog();
    void OKBtnClick();
    void CancelBtnClick() { hide(); }

    QLineEdit* Edit1; ///< row 1, column 1
    QLineEdit* Edit2; ///< row 1, column 2
    QLineEdit* Edit3; ///< row 2, column 1
    QLineEdit* Edit4; ///< row 2, column 2
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  private:
    TEditorHost& m_host;
    TFormulaTrans m_translator;
    TParser m_parser;
};

} // namespace kurvo
