// TDataSaveDialog: "Save As Dataset": a file panel and the range whose samples of the formula it writes.
#pragma once

#include "EditorHost.h"

#include <QDialog>

class QFileDialog;
class QLabel;
class QLineEdit;

namespace kurvo {

/// The export dialog: a save panel (txt, csv, sid, tsv; csv first) and the fields `xmin`, `xmax`
/// (named Tmin and Tmax in polar and parametric modes) and `step`. "&Save" samples the formula
/// field's formula over the range and writes the rows, "Cancel" hides the dialog.
class TDataSaveDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TDataSaveDialog(TEditorHost& host, QWidget* parent = nullptr);

    /// Fills the fields from the view and the mode and shows the dialog (step back to 0.1).
    void FormSaveDialog1Show();
    /// The "&Save" action: samples and writes `file`; `filterIndex` is the chosen filter (3 = TSV,
    /// separated by TAB). Returns true when the file was written. Reports every failure itself.
    bool saveSamples(const QString& file, int filterIndex);

    QFileDialog* FormSaveDialog1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* xmin = nullptr;
    QLineEdit* xmax = nullptr;
    QLineEdit* step = nullptr;

  private:
    TEditorHost& host_;
};

} // namespace kurvo
