// Tffamilies: the families editor, one formula drawn several times with its constants stepped.
#pragma once

#include "EditorDialog.h"
#include "FamilyFields.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace kurvo {

class TEditorHost;

/// A modeless dialog with the number of graphs and one increment per constant. OK checks the
/// fields, hides the dialog and has the family drawn; while family mode is on, every redraw of the
/// view reads the fields again (through the window's familyFields), so edits made here without OK
/// show at the next zoom or move.
class Tffamilies : public TEditorDialog {
    Q_OBJECT
  public:
    Tffamilies(TEditorHost& host, QWidget* parent);

    /// "Number of Graphs": at most two characters; letters are refused as they are typed.
    QLineEdit* Edit1 = nullptr;
    /// Edit2..Edit17: the increments of a, b, c, d, e, m, n, o, p, q, r, s, u, v, w, z.
    std::array<QLineEdit*, ConstantCount> Increment{};
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    /// The fields as they stand, typed but unconfirmed text included.
    TFamilyFields fields() const;
    /// Fills the fields (a graph file saved in family mode does this).
    void setFields(const TFamilyFields& fields);

    void OKBtnClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override { CancelBtnClick(); }

  private:
    /// The number field's key filter: a letter shows "Only numeric chars" and empties the field.
    bool Edit1KeyDown(const QString& typed);
    QLineEdit* fieldAt(std::size_t field) const;
};

} // namespace kurvo
