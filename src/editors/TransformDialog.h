// Tftrans: the descriptive transformations of the first data set (rotation, enlargement, stretch,
// reflections, translation).
#pragma once

#include "EditorDialog.h"
#include "TransformationFields.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kurvo {

class TEditorHost;

/// Applies one geometric transformation to the first data set on each Apply: the points are
/// overwritten with their images, which are drawn in the next mark colour; a reflection also draws
/// its mirror line. Modeless; the menu command opens it with "Rotation" chosen.
class Tftrans : public TEditorDialog {
    Q_OBJECT
  public:
    Tftrans(TEditorHost& host, QWidget* parent);

    /// The menu command: chooses "Rotation" and shows the dialog.
    void openDialog();

    /// The transformation kind chosen now.
    TransformKind kind() const { return m_kind; }
    /// The fields' texts as a request.
    TransformationFields fields() const;

    void RadioButtonClick(TransformKind kind);
    void ApplyClick();
    void Button1Click() { hide(); }

    QRadioButton* RadioButton1; ///< Rotation
    QRadioButton* RadioButton2; ///< Enlargement
    QRadioButton* RadioButton3; ///< Stretch
    QRadioButton* RadioButton4; ///< reflection in y = mx + c
    QRadioButton* RadioButton5; ///< reflection in x = c
    QRadioButton* RadioButton6; ///< Translation
    QLineEdit* Edit1;           ///< rotation centre
    QLineEdit* Edit2;           ///< angle
    QLineEdit* Edit3;           ///< centre of enlargement or stretch
    QLineEdit* Edit4;           ///< scale factor (x)
    QLineEdit* Edit5;           ///< scale factor y
    QLineEdit* Edit6;           ///< y = ...
    QLineEdit* Edit7;           ///< x = ...
    QPlainTextEdit* Memo1;      ///< the shift: x on the first line, y on the second
    QPushButton* Apply;
    QPushButton* Button1;

  private:
    /// The kinds with their fields, in one grid.
    QGridLayout* buildFieldGrid();
    QLabel* m_factorLabel = nullptr;
    QLabel* m_factorYLabel = nullptr;
    TransformKind m_kind = TransformKind::Rotation;
};

} // namespace kurvo
