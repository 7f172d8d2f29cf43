// Tfcoords: the coordinates editor, where points are typed and added as a new data set.
#pragma once

#include "EditorDialog.h"

#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// A modeless dialog: the axis labels "x,y" and one point "x,y" a line. OK adds the lines up to the
/// first empty one as a new data set and plots it (a line that is not a point is refused, naming
/// it, and nothing is added); Close hides the dialog; Clear empties the points. The dialog keeps
/// its texts between uses; the labels field shows a data-set file's header once one was imported.
class Tfcoords : public TEditorDialog {
    Q_OBJECT
  public:
    Tfcoords(TEditorHost& host, QWidget* parent);

    QLineEdit* Edit1 = nullptr;      ///< axis labels
    QPlainTextEdit* Memo1 = nullptr; ///< the points, one a line
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* Button1 = nullptr; ///< Clear

    void OKBtnClick();
    void Button1Click();

  protected:
    void showEvent(QShowEvent* event) override;
    /// Escape and the window's close button close.
    void reject() override { CancelBtnClick(); }

  private:
    /// Puts the text cursor on a line of the points (counted from 1) and selects it.
    void selectLine(std::size_t line);

    /// The drawing's labels text when the field was last filled from it or applied to it: when an
    /// import has changed it since, showing the dialog shows the new text.
    std::string shownLabels_;
};

} // namespace kurvo
