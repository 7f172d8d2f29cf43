// TPlainHost: a host made of plain values, for the command line and the tests.
#pragma once

#include "PlotHost.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kurvo {

/// Holds the texts a window's fields would hold, records every message instead of showing it, and
/// answers the stop poll from a callback (never stops by default).
class TPlainHost : public TPlotHost {
  public:
    std::string formula;
    std::string relation = "y=";
    std::array<std::string, 6> fields{"0", "6.283185", "-10", "10", "-7", "7"};
    bool tFieldsShown = true;
    bool plotStepFieldShown = true;
    std::string plotStep = "256";
    std::vector<std::string> aliases;
    std::optional<TFamilyFields> family; ///< the families dialog's fields, when there is one

    std::vector<std::string> messages; ///< every information box, question and error report
    bool answer = true;                ///< the answer to every question
    std::function<bool()> stopPoll;    ///< true means Escape was pressed
    int beeps = 0;
    long long polls = 0;

    std::string formulaText() const override { return formula; }
    void setFormulaText(const std::string& text) override { formula = text; }
    std::string relationText() const override { return relation; }
    bool hasField(Field f) const override;
    std::string fieldText(Field f) const override { return fields[static_cast<std::size_t>(f)]; }
    void setFieldText(Field f, const std::string& text) override {
        fields[static_cast<std::size_t>(f)] = text;
    }
    bool hasPlotStepField() const override { return plotStepFieldShown; }
    std::string plotStepFieldText() const override { return plotStep; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askQuestion(const std::string& text) override;
    void showError(const std::exception& e) override;
    bool pollStop() override;
    void setCursor(Cursor) override {}
    void beep() override { ++beeps; }
    std::vector<std::string> aliasLines() const override { return aliases; }
    std::optional<TFamilyFields> familyFields() const override { return family; }
};

} // namespace kurvo
