// The families editor's rules: the number field's key filter, reading the number of graphs and the
// sixteen increments, and the constants of each member of a family.
#pragma once

#include "ConstantFields.h"
#include "SettingsRecord.h"

#include <string>
#include <vector>

namespace kurvo {

namespace msg {
inline constexpr const char* FillInNumberOfGraphs = "Please fill in the number of graphs field.";
inline constexpr const char* OnlyNumericChars = "Only numeric chars";
inline constexpr const char* NoIncrement = "Please fill in at least one increment that is not 0.";
} // namespace msg

/// The editor's fields: "Number of Graphs" and one increment per constant, in the constants' order.
/// Errors number them 0 (the number of graphs) and 1..16 (the increments of a..z).
struct TFamilyFields {
    std::string count;
    TConstantTexts increments;
    friend bool operator==(const TFamilyFields&, const TFamilyFields&) = default;
};
inline constexpr std::size_t FamilyCountField = 0;
/// The field of constant k's increment.
constexpr std::size_t familyIncrementField(std::size_t constant) {
    return constant + 1;
}

/// A family: `count` members; member k is drawn with every constant c at c + k * steps[c].
struct TFamily {
    int count = 0;
    TConstantValues steps{};
    friend bool operator==(const TFamily&, const TFamily&) = default;
};

struct TFamilyCheck {
    TFamily family;                   ///< complete only when there is no error
    std::optional<TFieldError> error; ///< the first field at fault
    bool ok() const { return !error; }
};

/// The key filter of the number field: a letter (A-Z, a-z) is refused, with the message
/// OnlyNumericChars and the field emptied; every other key is left to the field.
bool familyCountKeyAccepted(char key);

/// Reads the fields of the editor. Refused, with the field at fault:
/// - an empty number field (FillInNumberOfGraphs), or one that is not an integer
///   ("'%s' is not a valid integer value");
/// - fewer than 1 graph, or more graphs than `slotsLeft`, the graph slots the family may fill;
/// - an increment that is not a decimal number ("'%s' is not a valid floating point value"); an
///   empty increment is 0;
/// - a family of two or more graphs whose increments are all 0 (NoIncrement): nothing would step,
///   and every member would be drawn over the first.
TFamilyCheck readFamilyFields(const TFamilyFields& fields, int slotsLeft, char decimalSeparator = '.');

/// The fields as a graph file saved in family mode fills them: the number of graphs, and each
/// increment as general number text.
TFamilyFields familyFieldTexts(const TSettingsRecord& settings);

/// Stores the family's size and increments in the settings record (FamilyPlotting is left to the
/// drawing of the family).
void storeFamily(TSettingsRecord& settings, const TFamily& family);

/// The indices of the constants that step (increment not 0), in the constants' order.
std::vector<std::size_t> steppingConstants(const TFamily& family);

/// The constants member 0..count-1 is evaluated with, as the plotters produce them: the parser's
/// double copy of each constant, with the increments added once after each member is drawn.
std::vector<std::array<double, ConstantCount>> familyMemberConstants(const TConstantValues& constants,
                                                                     const TFamily& family);

} // namespace kurvo
