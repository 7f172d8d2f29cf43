// Tfmatrix: multiplies every point of the first data set by a 2 × 2 matrix of typed expressions.
#include "MatrixDialog.h"

#include "Cp1252.h"
#include "DialogSupport.h"
#include "EditorHost.h"
#include "MatrixEntries.h"
#include "PlotEngine.h"
#include "Startup.h"
#include "Transformation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace kurvo {
namespace {

/// A square bracket as tall as the two rows of entries, opening to the right or to the left.
class TBracket : public QWidget {
  public:
    TBracket(bool opening, QWidget* parent) : QWidget(parent), m_opening(opening) {
        setFixedWidth(10);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::WindowText), 2));
        const int x = m_opening ? 2 : width() - 2, end = m_opening ? width() - 1 : 1;
        p.drawLine(x, 1, x, height() - 1);
        p.drawLine(x, 1, end, 1);
        p.drawLine(x, height() - 1, end, height() - 1);
    }

  private:
    bool m_opening;
};

} // namespace

Tfmatrix::Tfmatrix(TEditorHost& host, QWidget* parent)
    : TEditorDialog(host, "Tfmatrix", "Matrix Transformation", parent) {
    startup::applyLocaleSeparators(m_translator); // entries are typed as the formula field is

    QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4};
    const char* initial[] = {"1", "0", "0", "1"};
    auto* grid = new QGridLayout;
    grid->addWidget(new TBracket(true, this), 0, 0, 2, 1);
    for (int k = 0; k < 4; ++k) {
        auto* e = new QLineEdit(initial[k], this);
        e->setObjectName(QString("Edit%1").arg(k + 1));
        e->setAccessibleName(QString::fromStdString(matrixEntryName(k)));
        e->setFrame(false);
        e->setAlignment(Qt::AlignCenter);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance("sqrt(3)/2000"));
        e->setBackgroundRole(QPalette::Window); // flat, on the dialog's colour
        e->setAutoFillBackground(false);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        e->setPalette(pal);
        grid->addWidget(e, k / 2, 1 + k % 2);
        *edits[k] = e;
    }
    grid->addWidget(new TBracket(false, this), 0, 3, 2, 1);

    OKBtn = pushButton("Apply", "OKBtn", this, [this] { OKBtnClick(); });
    CancelBtn = pushButton("Close", "CancelBtn", this, [this] { CancelBtnClick(); });

    auto* matrix = new QHBoxLayout;
    matrix->addStretch();
    matrix->addLayout(grid);
    matrix->addStretch();
    stackVertically(this, matrix, buttonRow({OKBtn, CancelBtn}));
}

void Tfmatrix::openDialog() {
    presentDialog(this);
}

void Tfmatrix::OKBtnClick() {
    try {
        std::array<std::string, 4> texts;
        QLineEdit* edits[] = {Edit1, Edit2, Edit3, Edit4};
        for (std::size_t k = 0; k < 4; ++k)
            texts[k] = utf8ToCp1252(edits[k]->text().toStdString());
        // Every entry is evaluated before any point is touched.
        TMatrixEntries entries =
            evaluateMatrixEntries(texts, host_.currentSettings(), m_translator, m_parser);
        if (!entries.ok()) {
            host_.showInformation(entries.error);
            return;
        }
        const auto& a = entries.values;
        const auto t = PointTransformation::matrix(a[0], a[1], a[2], a[3]);
        if (std::string error = host_.transformFirstDataSet(t, std::nullopt); !error.empty())
            host_.showInformation(error);
    } catch (const std::exception& e) {
        host_.reportError(e);
    }
}

} // namespace kurvo
