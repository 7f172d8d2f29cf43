// TDataSaveDialog: the export dialog's controls and its Save action.
#include "DataSaveDialog.h"

#include "AtomicFile.h"
#include "Cp1252.h"
#include "DialogSupport.h"
#include "NumberText.h"
#include "SampleExport.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kurvo {
namespace {

const QStringList Filters = {"Text (*.txt)", "CSV (*.csv)", "SID (*.sid)", "TSV (*.tsv)"};
const char* const Suffixes[] = {"txt", "csv", "sid", "tsv"};
constexpr int TsvFilter = 3;

} // namespace

TDataSaveDialog::TDataSaveDialog(TEditorHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName("TDataSaveDialog");
    setWindowTitle("Kurvo Data Sets Save Dialog");

    // The save panel lives inside the dialog, so the range fields sit beside the file list.
    FormSaveDialog1 = new QFileDialog(this, Qt::Widget);
    FormSaveDialog1->setObjectName("FormSaveDialog1");
    FormSaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    FormSaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    FormSaveDialog1->setFileMode(QFileDialog::AnyFile);
    FormSaveDialog1->setNameFilters(Filters);
    FormSaveDialog1->selectNameFilter(Filters[1]);
    FormSaveDialog1->setDefaultSuffix("csv");
    FormSaveDialog1->setLabelText(QFileDialog::Accept, "&Save");
    FormSaveDialog1->setLabelText(QFileDialog::Reject, "Cancel");
    // A file dialog is made a window of its own whatever flags it is given: it is made a part of
    // this dialog again, so "Save As Dataset" opens one window, not two overlapping ones.
    FormSaveDialog1->setWindowFlags(Qt::Widget);
    connect(FormSaveDialog1, &QFileDialog::filterSelected, this, [this](const QString& filter) {
        const auto i = Filters.indexOf(filter);
        if (i >= 0) FormSaveDialog1->setDefaultSuffix(Suffixes[i]);
    });
    connect(FormSaveDialog1, &QFileDialog::fileSelected, this, [this](const QString& file) {
        if (saveSamples(file, static_cast<int>(Filters.indexOf(FormSaveDialog1->selectedNameFilter()))))
            hide();
        else
            FormSaveDialog1->show(); // the panel closed itself; the user corrects the fields
    });
    connect(FormSaveDialog1, &QFileDialog::rejected, this, &QDialog::hide);

    xmin = new QLineEdit(this);
    xmin->setObjectName("xmin");
    xmax = new QLineEdit(this);
    xmax->setObjectName("xmax");
    step = new QLineEdit(this);
    step->setObjectName("step");
    auto* range = new QGroupBox("Data Save Range", this);
    auto* grid = new QGridLayout(range);
    Label1 = fieldLabel("Xmin", xmin, range);
    Label2 = fieldLabel("Xmax", xmax, range);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(xmin, 0, 1);
    grid->addWidget(Label2, 0, 2);
    grid->addWidget(xmax, 0, 3);
    addFieldRow(grid, 1, "Step", step);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FormSaveDialog1);
    layout->addWidget(range);
}

void TDataSaveDialog::FormSaveDialog1Show() {
    const TSettingsRecord& s = host_.currentSettings();
    step->setText("0.1");
    const bool overT = !s.CartesianMode || s.ParametricMode;
    Label1->setText(overT ? "Tmin" : "Xmin");
    Label2->setText(overT ? "Tmax" : "Xmax");
    xmin->setAccessibleName(Label1->text());
    xmax->setAccessibleName(Label2->text());
    xmin->setText(QString::fromStdString(formatGeneral(overT ? s.Tmin : s.Xmin)));
    xmax->setText(QString::fromStdString(formatGeneral(overT ? s.Tmax : s.Xmax)));
    FormSaveDialog1->show();
    presentDialog(this);
}

bool TDataSaveDialog::saveSamples(const QString& file, int filterIndex) {
    try {
        TSampleRequest request;
        request.from = strToFloat(utf8ToCp1252(xmin->text().toStdString()));
        request.to = strToFloat(utf8ToCp1252(xmax->text().toStdString()));
        request.step = strToFloat(utf8ToCp1252(step->text().toStdString()));
        request.separator = filterIndex == TsvFilter ? '\t' : ',';
        request.formula = host_.formulaFieldText();
        if (std::string problem = sampleRangeProblem(request.from, request.to, request.step);
            !problem.empty()) {
            host_.showInformation(problem);
            return false;
        }
        const std::uint64_t rows = sampleRowCount(request.from, request.to, request.step);
        if (rows > SampleRowsWithoutAsking &&
            !host_.askYesNo("This export writes " + std::to_string(rows) +
                            " rows and may take a long time. Do you want to go on?"))
            return false;
        const std::vector<std::string> lines = host_.sampleFormula(request);
        writeFileAtomically(std::filesystem::path(file.toStdString()), sampleFileBytes(lines));
        return true;
    } catch (const std::exception& e) {
        host_.reportError(e);
        return false;
    }
}

} // namespace kurvo
