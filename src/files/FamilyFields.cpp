// The families editor's rules.
#include "FamilyFields.h"

#include "Errors.h"
#include "NumberText.h"

namespace kurvo {

bool familyCountKeyAccepted(char key) {
    return !((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z'));
}

TFamilyCheck readFamilyFields(const TFamilyFields& fields, int slotsLeft, char decimalSeparator) {
    TFamilyCheck check;
    auto refuse = [&](std::size_t field, std::string message) {
        check.error = TFieldError{field, std::move(message)};
        return check;
    };
    if (fields.count.empty()) return refuse(FamilyCountField, msg::FillInNumberOfGraphs);
    TFamily family;
    try {
        family.count = strToInt(fields.count);
    } catch (const EConvertError& e) {
        return refuse(FamilyCountField, e.what());
    }
    if (family.count < 1) return refuse(FamilyCountField, "The number of graphs must be at least 1.");
    if (family.count > slotsLeft)
        return refuse(FamilyCountField, "A family of " + std::to_string(family.count) +
                                            " graphs does not fit in the " + std::to_string(slotsLeft) +
                                            " graph slots left.");
    for (std::size_t k = 0; k < ConstantCount; ++k) {
        const std::string& text = fields.increments[k];
        if (text.empty()) continue; // an empty increment leaves its constant fixed
        try {
            family.steps[k] = strToFloat(text, decimalSeparator);
        } catch (const EConvertError& e) {
            return refuse(familyIncrementField(k), e.what());
        }
    }
    if (family.count > 1 && steppingConstants(family).empty())
        return refuse(familyIncrementField(0), msg::NoIncrement);
    check.family = family;
    return check;
}

TFamilyFields familyFieldTexts(const TSettingsRecord& settings) {
    TFamilyFields fields;
    fields.count = std::to_string(settings.familySize);
    for (std::size_t k = 0; k < ConstantCount; ++k)
        fields.increments[k] = formatGeneral(settings.FamilySteps[k]);
    return fields;
}

void storeFamily(TSettingsRecord& settings, const TFamily& family) {
    settings.familySize = family.count;
    settings.FamilySteps = family.steps;
}

std::vector<std::size_t> steppingConstants(const TFamily& family) {
    std::vector<std::size_t> stepping;
    for (std::size_t k = 0; k < ConstantCount; ++k)
        if (family.steps[k] != 0) stepping.push_back(k);
    return stepping;
}

std::vector<std::array<double, ConstantCount>> familyMemberConstants(const TConstantValues& constants,
                                                                     const TFamily& family) {
    std::vector<std::array<double, ConstantCount>> members;
    if (family.count <= 0) return members;
    members.reserve(static_cast<std::size_t>(family.count));
    std::array<double, ConstantCount> current;
    for (std::size_t k = 0; k < ConstantCount; ++k)
        current[k] = static_cast<double>(constants[k]);
    for (int member = 0; member < family.count; ++member) {
        members.push_back(current);
        for (std::size_t k = 0; k < ConstantCount; ++k)
            current[k] += static_cast<double>(family.steps[k]);
    }
    return members;
}

} // namespace kurvo
