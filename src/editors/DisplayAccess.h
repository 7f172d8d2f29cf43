// What screen readers read of a display: its caption as the name, what it shows as its text.
#pragma once

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QString>

#include <functional>

namespace kurvo {

/// The accessible interface of a widget that shows a text a person reads (a number, an equation, a
/// readout): the name stays the caption (the accessible name), and the text interface gives what
/// the widget shows, so a reader says "Mean (x), 2" instead of only the caption.
class TDisplayAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    TDisplayAccessible(QWidget* widget, std::function<QString()> shown,
                       QAccessible::Role role = QAccessible::StaticText);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    // The text interface: read only, no selection, the caret at the start.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(shown_().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override;

  private:
    std::function<QString()> shown_;
};

/// Tells Qt (and through it a screen reader) that what `display` shows changed from `before` to
/// `after`: a text update and a value change, so both kinds of reader follow it.
void notifyShownTextChanged(QWidget* display, const QString& before, const QString& after);

/// A label that shows a value (an equation, a readout): its accessible name is the caption given
/// with setAccessibleName, its accessible text what it shows. `setText` tells Qt of each change.
class TDisplayLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TDisplayLabel(QWidget* parent = nullptr);
    TDisplayLabel(const QString& text, QWidget* parent);

    /// Replaces QLabel::setText so every change of the shown text reaches the screen reader.
    void setText(const QString& text);
    /// The text as a person reads it: without the invisible break opportunities (U+200B).
    QString shownText() const;
};

/// A combo box a screen reader names by its purpose (the accessible name, "Formula"), with what it
/// holds as its text and value; a plain combo box is named by its content on some platforms.
class TNamedComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit TNamedComboBox(QWidget* parent = nullptr);

  private:
    QString told_; ///< the text a reader was last told of
};

} // namespace kurvo
