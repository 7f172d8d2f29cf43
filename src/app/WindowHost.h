// TWindowHost: the dialogs' host, answering their requests with the window's engine and controls.
#pragma once

#include "EditorHost.h"

namespace kurvo {

class TFormulaBar;
class TMainForm;

/// Implements what the dialogs may ask (TEditorHost) on the window: reads are const views of the
/// settings and the drawing, every change is one operation here, and every drawing runs as the
/// window's plots run (input held off, errors reported, the picture shown again).
class TWindowHost : public TEditorHost {
  public:
    TWindowHost(TMainForm& form, TFormulaBar& bar) : form_(form), bar_(bar) {}

    const TSettingsRecord& currentSettings() const override;
    const TGraphDocument& drawing() const override;
    const TFormulaTrans& formulaTranslator() const override;
    TDataSource& dataSource() override;
    int plotStepInEffect() const override;
    std::string formulaFieldText() const override;
    void setFormulaFieldText(const std::string& text) override;
    void setFormulaFieldItems(const std::vector<std::string>& items, const std::string& text) override;

    void plotFormulaField() override;
    void plotFamily(const TFamily& family) override;
    TFamilyCheck checkFamily(const TFamilyFields& fields) const override;
    void replotAllGraphs() override;
    TConstantsEdit applyConstants(const TConstantTexts& typed) override;
    std::optional<TUserFunctionError> applyUserFunctions(bool cartesian, const TUserFunctionTexts& typed) override;
    std::optional<TTypedSet> addDataSet(const std::string& axisLabels,
                                        const std::vector<std::string>& lines) override;
    bool deleteGraphs(TDeleteChoice choice) override;
    std::string transformFirstDataSet(const PointTransformation& t,
                                      const std::optional<TMirrorLine>& mirror) override;
    std::vector<std::string> sampleFormula(const TSampleRequest& request) override;

    void setMarkType(int markType) override;
    void setAxisStyle(bool largeGrid, bool piAxis) override;
    bool storeEnvironment(const TEnvironmentValues& values) override;
    bool saveEnvironmentWithView(int plotStep) override;
    TPasswordChange changeAdminPassword(const std::string& oldPassword, const std::string& newPassword,
                                        const std::string& confirmation) override;
    void setHintsShown(bool shown) override;

    void showViewInFields() override;
    void refreshCommands() override;
    std::vector<std::string> aliasListInEffect() const override;
    void setAliasListInEffect(std::vector<std::string> lines) override;
    TToolbarConfig toolbarConfig() const override;
    void rebuildToolbars(const TToolbarConfig& config) override;

    void showInformation(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    void reportError(const std::exception& e) override;

  private:
    TMainForm& form_;
    TFormulaBar& bar_; ///< the toolbars' fields
};

} // namespace kurvo
