// TFileCommands: the window's file and output commands.
#include "FileCommands.h"

#include "Cp1252.h"
#include "DataSaveDialog.h"
#include "DialogSupport.h"
#include "GraphFileApply.h"
#include "MainForm.h"
#include "PictureOutput.h"
#include "PlotEngine.h"
#include "PrintForm.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

namespace kurvo {
namespace {

/// A modal file dialog with the input guard suspended; the chosen file, or nothing.
std::optional<std::filesystem::path> chooseFile(QWidget* parent, TInputGuard& guard, QFileDialog::AcceptMode mode,
                                                const QStringList& filters, const QString& suffix,
                                                const QString& name = {}) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    if (!name.isEmpty()) dialog.selectFile(name);
    TSuspendScope input(guard);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

} // namespace

TFileCommands::TFileCommands(TMainForm& window) : window_(window) {}

TFileCommands::~TFileCommands() = default;

void TFileCommands::open() {
    const auto file = chooseFile(&window_, window_.inputGuard(), QFileDialog::AcceptOpen,
                                 {"Kurvo File (*.kvo)", "CSV (*.csv)", "Text (*.txt)", "SID (*.sid)",
                                  "TSV (*.tsv)", "All files (*.*)"},
                                 "csv");
    // A graph file replaces the drawing's graphs; an import only adds to them.
    if (file && (openFileKind(file->string()) != TFileKind::GraphFile || window_.saveChangesFirst()))
        openFile(*file);
}

void TFileCommands::openFile(const std::filesystem::path& file) {
    window_.runPlotting([&] { kurvo::openChosenFile(*window_.engine(), file); });
    window_.refreshCommands();
}

void TFileCommands::saveGraphFile() {
    const auto file = chooseFile(&window_, window_.inputGuard(), QFileDialog::AcceptSave, {"Kurvo File (*.kvo)"},
                                 "kvo", "KurvoFile");
    if (file) saveGraphFileAs(*file);
}

void TFileCommands::saveGraphFileAs(const std::filesystem::path& file) {
    window_.runGuarded([&] { kurvo::saveGraphFile(*window_.engine(), file); });
    window_.refreshHistoryCommands();
}

void TFileCommands::saveDataset() {
    window_.dialogs().dataSave()->FormSaveDialog1Show();
}

void TFileCommands::savePicture() {
    QString filter;
    QString chosen;
    {
        TSuspendScope input(window_.inputGuard());
        chosen = QFileDialog::getSaveFileName(&window_, "Save as Picture", fromCp1252(window_.startFolder().string()),
                                              pictureFilters().join(";;"), &filter);
    }
    if (!chosen.isEmpty()) savePictureAs(chosen, filter);
}

void TFileCommands::savePictureAs(const QString& chosenName, const QString& filter) {
    window_.runGuarded([&] {
        const PictureFormat format = filterFormat(filter).value_or(PictureFormat::Bmp);
        kurvo::savePicture(*window_.engine(), pictureFileName(chosenName, format).toStdString(), format);
    });
}

void TFileCommands::copyToClipboard() {
    copyPictureToClipboard(*window_.engine());
}

QPrinter& TFileCommands::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName("Kurvo32 graph");
        // Without an installed printer the page goes to a PDF file in the start folder.
        if (QPrinterInfo::availablePrinters().isEmpty())
            printer_->setOutputFileName(fromCp1252((window_.startFolder() / "Kurvo graph.pdf").string()));
    }
    return *printer_;
}

void TFileCommands::printerSetup() {
    TSuspendScope input(window_.inputGuard());
    QPageSetupDialog(&printer(), &window_).exec();
}

void TFileCommands::print() {
    bool go = false;
    TPrintForm* form = window_.dialogs().printForm();
    {
        TSuspendScope input(window_.inputGuard());
        go = form->exec() == QDialog::Accepted;
        if (go) {
            QPrintDialog dialog(&printer(), &window_);
            go = dialog.exec() == QDialog::Accepted;
        }
    }
    if (go) printOn(printer(), form->percentage());
}

void TFileCommands::printOn(QPrinter& target, int percent) {
    TInputGuard& guard = window_.inputGuard();
    if (!window_.engine() || guard.busy()) return;
    TBusyScope busy(guard);
    window_.runGuarded([&] { printGraph(*window_.engine(), target, percent); });
}

} // namespace kurvo
