// TPlotHost: everything the plotting engine reads from, or shows through, the window.
#pragma once

#include "FamilyFields.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

/// What a paint may do to the outside while it draws: poll for Escape, show the busy cursor, beep
/// at an asymptote, and say that the plot was stopped. Nothing else of the window is reachable
/// from a paint, so the same drawing can go to the screen, a file or a printer.
class TPaintFeedback {
  public:
    enum class Cursor { Normal, Hourglass, Cross, Hand, Drag };

    virtual ~TPaintFeedback() = default;

    /// Called once per sample by every plotting loop: lets the window stay responsive and returns
    /// true when the user pressed Escape. It must not run commands that change the graph state.
    virtual bool pollStop() = 0;
    virtual void setCursor(Cursor c) = 0;
    virtual void beep() = 0;
    /// An information box with a single OK button.
    virtual void showMessage(const std::string& text) = 0;
};

/// A paint that nobody watches (an export): it never stops, beeps or shows anything.
class TSilentFeedback : public TPaintFeedback {
  public:
    bool pollStop() override { return false; }
    void setCursor(Cursor) override {}
    void beep() override {}
    void showMessage(const std::string&) override {}
};

/// The window (or the command line, or a test) behind the plotting engine. Texts are Windows-1252.
class TPlotHost : public TPaintFeedback {
  public:
    enum class Field { TMin, TMax, XMin, XMax, YMin, YMax };

    virtual std::string formulaText() const = 0;
    /// Puts a text into the formula field (opening a file fills or empties it).
    virtual void setFormulaText(const std::string& text) = 0;
    /// The relation box's text ("y=", "y>", "y>=", "y<", "y<=", ...).
    virtual std::string relationText() const = 0;

    /// Whether the toolbar shows a range field (the t fields may be switched off).
    virtual bool hasField(Field f) const = 0;
    virtual std::string fieldText(Field f) const = 0;
    virtual void setFieldText(Field f, const std::string& text) = 0;
    virtual bool hasPlotStepField() const = 0;
    virtual std::string plotStepFieldText() const = 0;

    /// A question with Yes and No; true for Yes.
    virtual bool askQuestion(const std::string& text) = 0;
    /// The application's standard error report for an error that ended an operation.
    virtual void showError(const std::exception& e) = 0;

    /// The function-alias list of the current mode, one "target:alias" per line.
    virtual std::vector<std::string> aliasLines() const = 0;

    /// The families dialog's fields as they stand now, typed but unconfirmed text included: every
    /// redraw in family mode reads them again. Nothing when there is no such dialog; the family
    /// stored in the settings is drawn then.
    virtual std::optional<TFamilyFields> familyFields() const { return std::nullopt; }
};

} // namespace kurvo
