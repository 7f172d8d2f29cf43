// Small helpers every dialog uses, so the dialogs look and behave alike.
#pragma once

#include <QString>
#include <QVBoxLayout>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

class QDialogButtonBox;
class QGridLayout;
class QHBoxLayout;
class QKeySequence;
class QLabel;
class QLayout;
class QPushButton;
class QToolButton;
class QWidget;

namespace kurvo {

/// A label for `field` whose text names the field for screen readers too: the label becomes the
/// field's buddy (its mnemonic moves the focus there) and the field's accessible name is the text.
QLabel* fieldLabel(const QString& text, QWidget* field, QWidget* parent);

/// Adds a labelled field as one row of a two-column grid.
void addFieldRow(QGridLayout* grid, int row, const QString& label, QWidget* field);

/// OK and Cancel (OK the default button, Escape cancels), named for screen readers.
QDialogButtonBox* okCancelButtons(QWidget* parent);

/// The same OK and Cancel, kept in `ok` and `cancel`, given the object names OKBtn and CancelBtn and
/// connected to `onOk` and `onCancel`.
QDialogButtonBox* okCancelButtons(QWidget* parent, QPushButton*& ok, QPushButton*& cancel,
                                  const std::function<void()>& onOk, const std::function<void()>& onCancel);

/// A push button with its object name, named for screen readers by its text (without the '&'),
/// connected to `onClick`.
QPushButton* pushButton(const QString& text, const char* objectName, QWidget* parent,
                        const std::function<void()>& onClick);

/// The row of buttons at the foot of a dialog, at the right; the first is the default button.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons);

/// One part of a dialog's column: a widget or a layout.
inline void addToColumn(QVBoxLayout* column, QWidget* part) {
    column->addWidget(part);
}
inline void addToColumn(QVBoxLayout* column, QLayout* part) {
    column->addLayout(part);
}

/// The dialog's main layout: `parts` (widgets and layouts) from top to bottom.
template <class... Parts> QVBoxLayout* stackVertically(QWidget* dialog, Parts*... parts) {
    auto* column = new QVBoxLayout(dialog);
    (addToColumn(column, parts), ...);
    return column;
}

/// A small button that types a character ("²", "³") into the field that has the focus: named by its
/// hint, reached from the keyboard by `key`, and never taking the focus itself, so a click leaves it
/// in the field the character goes to.
QToolButton* typingButton(const char* text, const char* hint, const QKeySequence& key, QWidget* parent);

/// The "²" and "³" typing buttons of the formula editors (Alt+2 and Alt+3), kept in `squared` and
/// `cubed`, named SpeedButton21 and SpeedButton22 and connected to `onSquared` and `onCubed`.
void squareAndCubeButtons(QWidget* parent, QToolButton*& squared, QToolButton*& cubed,
                          const std::function<void()>& onSquared, const std::function<void()>& onCubed);

/// Shows a dialog (or brings it to the front when it is shown), where it was when it was last
/// hidden: the window manager's frame is not added again each time it opens.
void presentDialog(QWidget* dialog);

/// The program's texts are Windows-1252 bytes; widgets show Unicode.
QString fromCp1252(std::string_view text);
std::string toCp1252(const QString& text);

} // namespace kurvo
