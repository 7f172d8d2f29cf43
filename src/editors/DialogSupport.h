// Small helpers every dialog uses, so the dialogs look and behave alike.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QDialogButtonBox;
class QGridLayout;
class QKeySequence;
class QLabel;
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

/// A small button that types a character ("²", "³") into the field that has the focus: named by its
/// hint, reached from the keyboard by `key`, and never taking the focus itself, so a click leaves it
/// in the field the character goes to.
QToolButton* typingButton(const char* text, const char* hint, const QKeySequence& key, QWidget* parent);

/// The program's texts are Windows-1252 bytes; widgets show Unicode.
QString fromCp1252(std::string_view text);
std::string toCp1252(const QString& text);

} // namespace kurvo
