// Tfalias: edits the function aliases of the current mode.
#pragma once

#include "EditorDialog.h"
#include "SettingsRecord.h"

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// "Function Alias Editor": the alias list of the mode (one "formula:alias" a line) as plain text.
/// Showing it loads the mode's alias file, which becomes the list in effect. OK checks the list:
/// a line without a colon, or whose formula cannot be plotted, is refused with a message naming the
/// line, and the list in effect stays as it was; a sound list is put in effect and saved to the file
/// it was loaded from. Cancel leaves the list in effect as it was.
class Tfalias : public TEditorDialog {
    Q_OBJECT
  public:
    explicit Tfalias(TEditorHost& host, QWidget* parent = nullptr);

    void OKBtnClick();

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

  private:
    void FormShow() override;

    std::string fileName_; ///< the alias file of the mode at showing
    TSettingsRecord mode_; ///< the mode the list was loaded for (its targets are checked in it)
};

} // namespace kurvo
