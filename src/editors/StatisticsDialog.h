// Tfstatistics: the summary statistics of every data point, pooled, in numeric labels.
#pragma once

#include "EditorDialog.h"
#include "Statistics.h"

#include <array>

class QPushButton;

namespace kurvo {

class TEditorHost;
class TNumLab;

/// Shows count, sums, means, deviations, the differences x − y and the correlation coefficient of
/// all points of the data-set store, computed when it opens. Modeless.
class Tfstatistics : public TEditorDialog {
    Q_OBJECT
  public:
    Tfstatistics(TEditorHost& host, QWidget* parent);

    /// The menu command: computes and shows; with no points it says so and stays closed.
    void openDialog();
    /// Computes the statistics into the labels; false (after the message) when there are no points.
    bool compute();
    void OKBtnClick() { hide(); }

    /// The label of that name ("num_pts", "sumx", ..., "corr_coeff"), or null.
    TNumLab* label(std::string_view name) const;

    std::array<TNumLab*, 14> labels{};
    QPushButton* OKBtn;

  private:
};

} // namespace kurvo
