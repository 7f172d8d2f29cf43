// Tfdelete: removes graphs, data sets or both from the drawing.
#pragma once

#include "DrawingEdits.h"
#include "EditorDialog.h"

#include <array>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace kurvo {

class TEditorHost;

/// A modeless dialog with five choices; "Delete All" is chosen each time it is shown. OK deletes
/// what the choice names (see deleteGraphs), redraws and hides the dialog; Cancel only hides it.
class Tfdelete : public TEditorDialog {
    Q_OBJECT
  public:
    Tfdelete(TEditorHost& host, QWidget* parent);

    QRadioButton* RadioButton1 = nullptr; ///< Delete Last Graph
    QRadioButton* RadioButton2 = nullptr; ///< Delete All Graphs
    QRadioButton* RadioButton3 = nullptr; ///< Delete Last DataSet
    QRadioButton* RadioButton4 = nullptr; ///< Delete All DataSets
    QRadioButton* RadioButton5 = nullptr; ///< Delete All
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    /// The choice the checked button stands for.
    TDeleteChoice choice() const;

    void OKBtnClick();

  protected:
    void reject() override { CancelBtnClick(); }

  private:
    void FormShow() override;

    QButtonGroup* group_ = nullptr;
};

} // namespace kurvo
