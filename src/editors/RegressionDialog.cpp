// Tfregression: the least-squares line and polynomial through every data point, and Transfer.
#include "RegressionDialog.h"

#include "Cp1252.h"
#include "CurveFit.h"
#include "DialogSupport.h"
#include "DisplayAccess.h"
#include "EditorHost.h"
#include "NumLab.h"
#include "PlotEngine.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace kurvo {
namespace {

TDisplayLabel* equationBox(QWidget* parent, const char* name) {
    auto* l = new TDisplayLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance('0') * 48);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
    return l;
}

/// An equation as its box shows it: a long one may wrap after any "+", never inside a number.
QString wrappable(const std::string& equation) {
    return fromCp1252(equation).replace('+', QString("+") + QChar(0x200B));
}

} // namespace

Tfregression::Tfregression(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "Tfregression", "Regression Lines", parent) {
    m_linear.error = m_polynomial.error = msg::NoDataPoints; // nothing fitted yet

    linear_eq = equationBox(this, "linear_eq");
    linear_eq->setToolTip("The line of best fit of the data set");
    poly_eq = equationBox(this, "poly_eq");
    poly_eq->setToolTip("The polynomial curve of best fit of the data set");
    RadioButton1 = new QRadioButton("&Linear Fit", this);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2 = new QRadioButton("&Polynomial Fit", this);
    RadioButton2->setObjectName("RadioButton2");
    RadioButton2->setChecked(true);
    // The radio buttons are named "Linear Fit" and "Polynomial Fit": the equations say what they are.
    linear_eq->setAccessibleName("Linear fit equation");
    poly_eq->setAccessibleName("Polynomial fit equation");
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName("SpinEdit1");
    SpinEdit1->setRange(2, TCurveFit::MaxDegree);
    SpinEdit1->setValue(2);
    NumLab1 = new TNumLab(this);
    NumLab1->setObjectName("NumLab1");
    NumLab1->setLeftText("Fit Quality:");
    NumLab1->setLeftSpace(NumLab1->fontMetrics().horizontalAdvance("Fit Quality:") + 12);
    NumLab1->setLabelWidth(60);
    NumLab1->setDisplayType(dtFixP);
    NumLab1->setPrecision(2);
    NumLab1->setToolTip("The quality of the fit of the line of best fit currently selected");

    OKBtn = pushButton("Transfer", "OKBtn", this, [this] { OKBtnClick(); });
    OKBtn->setToolTip("Transfer the equation to the formula field for plotting");
    CancelBtn = pushButton("Cancel", "CancelBtn", this, [this] { CancelBtnClick(); });
    CancelBtn->setToolTip("Close the dialog box");

    connect(RadioButton1, &QRadioButton::clicked, this, [this] { showQuality(); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { showQuality(); });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] {
        if (isVisible()) compute();
    });

    auto* grid = new QGridLayout;
    grid->addWidget(RadioButton1, 0, 0);
    grid->addWidget(linear_eq, 0, 1, 1, 2);
    grid->addWidget(RadioButton2, 1, 0);
    grid->addWidget(poly_eq, 1, 1, 1, 2);
    addFieldRow(grid, 2, "&Degree", SpinEdit1);
    grid->addWidget(NumLab1, 3, 0, 1, 3);
    stackVertically(this, grid, buttonRow({OKBtn, CancelBtn}));
}

bool Tfregression::compute() {
    const auto points = host_.drawing().DataSets.allPoints();
    LinearRegression linear = fitLine(points);
    if (linear.error == msg::NoDataPoints) {
        host_.showInformation(linear.error);
        return false;
    }
    m_linear = std::move(linear);
    linear_eq->setText(m_linear.ok() ? wrappable(m_linear.equation) : fromCp1252(m_linear.error));
    PolynomialRegression polynomial = fitPolynomial(points, SpinEdit1->value());
    // A failed fit leaves the equation shown before; the reason goes into the box's hint, and the
    // equation that no longer matches the degree is not transferred.
    if (polynomial.ok()) {
        poly_eq->setText(wrappable(polynomial.equation));
        poly_eq->setToolTip("The polynomial curve of best fit of the data set");
    } else {
        poly_eq->setToolTip(fromCp1252(polynomial.error));
    }
    m_polynomial = std::move(polynomial);
    showQuality();
    return true;
}

void Tfregression::showQuality() {
    const bool linear = RadioButton1->isChecked();
    const bool ok = linear ? m_linear.ok() : m_polynomial.ok();
    NumLab1->setEmpty(!ok);
    if (ok) NumLab1->setValue(linear ? m_linear.rSquared : m_polynomial.rSquared);
}

void Tfregression::openDialog() {
    if (!compute()) {
        hide();
        return;
    }
    presentDialog(this);
}

void Tfregression::OKBtnClick() {
    try {
        const bool linear = RadioButton1->isChecked();
        const std::string& error = linear ? m_linear.error : m_polynomial.error;
        if (!error.empty()) {
            host_.showInformation(error);
            return;
        }
        const std::string& equation = linear ? m_linear.equation : m_polynomial.equation;
        if (std::string tooLong = formulaFieldError(equation); !tooLong.empty()) {
            host_.showInformation(tooLong);
            return;
        }
        hide();
        host_.setFormulaFieldText(equation);
        host_.plotFormulaField();
    } catch (const std::exception& e) {
        host_.reportError(e);
    }
}

} // namespace kurvo
