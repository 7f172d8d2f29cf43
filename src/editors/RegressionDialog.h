// Tfregression: the least-squares line and polynomial through every data point, and Transfer.
#pragma once

#include "EditorDialog.h"
#include "Regression.h"

class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kurvo {

class TEditorHost;
class TDisplayLabel;
class TNumLab;

/// Fits a line and a polynomial of the chosen degree to all points of the data-set store, shows
/// both equations and the fit quality (R²) of the chosen one, and transfers the chosen equation
/// into the formula field and plots it. Modeless.
class Tfregression : public TEditorDialog {
    Q_OBJECT
  public:
    Tfregression(TEditorHost& host, QWidget* parent);

    /// The menu command: computes and shows; with no points it says so and stays closed.
    void openDialog();
    /// Fits both and shows them; false (after the message) when there are no points.
    bool compute();
    void OKBtnClick();

    const LinearRegression& linear() const { return m_linear; }
    const PolynomialRegression& polynomial() const { return m_polynomial; }

    TDisplayLabel* linear_eq; ///< the line's equation, as its accessible text too
    TDisplayLabel* poly_eq;
    QRadioButton* RadioButton1; ///< the linear fit is chosen
    QRadioButton* RadioButton2; ///< the polynomial fit is chosen
    QSpinBox* SpinEdit1;        ///< the polynomial's degree, 2 … 8
    TNumLab* NumLab1;           ///< R² of the chosen fit
    QPushButton* OKBtn;         ///< Transfer
    QPushButton* CancelBtn;

  private:
    void showQuality();

    LinearRegression m_linear;
    PolynomialRegression m_polynomial;
};

} // namespace kurvo
