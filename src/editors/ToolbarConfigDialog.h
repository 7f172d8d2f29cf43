// Ttoolbar_cnfg: chooses which items the three toolbars show.
#pragma once

#include "EditorDialog.h"
#include "ToolbarConfig.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// "ToolBar Configuration": one check per toolbar item and the two display options. Showing it
/// takes the checks and options the toolbars were built from; OK writes the toolbar record and has
/// the window build its toolbars again (the drawing stays); Cancel changes nothing.
class Ttoolbar_cnfg : public TEditorDialog {
    Q_OBJECT
  public:
    /// `captions` are the 43 item captions, in item order.
    Ttoolbar_cnfg(TEditorHost& host, const QStringList& captions, QWidget* parent = nullptr);

    /// The configuration the controls show.
    TToolbarConfig configuration() const;
    void setConfiguration(const TToolbarConfig& config);

    void OKBtnClick();
    void Button1Click(); ///< Select All
    void Button2Click(); ///< Deselect All

    QListWidget* CheckListBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr; ///< flat buttons
    QCheckBox* CheckBox2 = nullptr; ///< lines between the toolbars
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

  private:
    void FormShow() override;
    void checkAll(bool on);
};

} // namespace kurvo
