// TWindowPlotHost: the plotting engine's host, answered with the window's fields, message boxes
// and plot area.
#pragma once

#include "PlotHost.h"

#include <string>
#include <vector>

class QWidget;

namespace kurvo {

class TDialogSet;
class TFormulaBar;
class TInputGuard;

/// Implements TPlotHost on the window: the fields through the formula bar, the message boxes
/// (modal, with input let through while they wait), the busy and gesture cursors of the plot area,
/// Escape through the input guard. For the tests, every message box can be recorded instead of
/// shown; recorded questions get a preset answer.
class TWindowPlotHost : public TPlotHost {
  public:
    /// The answer to "Save changes to the drawing?".
    enum class TSaveAnswer { Save, Discard, Cancel };

    /// `plotArea` takes the cursors, `window` parents the message boxes, `aliases` is the alias
    /// list in effect (the window's), `dialogs` holds the families editor.
    TWindowPlotHost(QWidget& window, QWidget& plotArea, TFormulaBar& bar, TInputGuard& guard,
                    const std::vector<std::string>& aliases, TDialogSet& dialogs, bool recordMessages)
        : window_(window), plotArea_(plotArea), bar_(bar), guard_(guard), aliases_(aliases),
          dialogs_(dialogs), recordMessages_(recordMessages) {}

    std::string formulaText() const override;
    void setFormulaText(const std::string& text) override;
    std::string relationText() const override;
    bool hasField(Field f) const override;
    std::string fieldText(Field f) const override;
    void setFieldText(Field f, const std::string& text) override;
    bool hasPlotStepField() const override;
    std::string plotStepFieldText() const override;
    void showMessage(const std::string& text) override;
    bool askQuestion(const std::string& text) override;
    void showError(const std::exception& e) override;
    bool pollStop() override;
    void setCursor(Cursor c) override;
    void beep() override;
    std::vector<std::string> aliasLines() const override { return aliases_; }
    std::optional<TFamilyFields> familyFields() const override;

    /// "Save changes to the drawing?" with Save, Discard and Cancel (Save the default). A recorded
    /// run records the question and gives the preset answer (Discard unless set).
    TSaveAnswer askSaveChanges();
    void setSaveAnswer(TSaveAnswer answer) { saveAnswer_ = answer; }

    /// Message boxes are recorded instead of shown; questions get `answer`.
    void setRecordMessages(bool record, bool answer) {
        recordMessages_ = record;
        recordedAnswer_ = answer;
    }
    bool recordsMessages() const { return recordMessages_; }
    const std::vector<std::string>& recordedMessages() const { return recorded_; }

  private:
    /// Records `text` when messages are recorded; true then (nothing is shown).
    bool recorded(const std::string& text);

    QWidget& window_;
    QWidget& plotArea_;
    TFormulaBar& bar_;
    TInputGuard& guard_;
    const std::vector<std::string>& aliases_;
    TDialogSet& dialogs_;
    bool recordMessages_;
    bool recordedAnswer_ = true;
    TSaveAnswer saveAnswer_ = TSaveAnswer::Discard;
    std::vector<std::string> recorded_;
};

} // namespace kurvo
