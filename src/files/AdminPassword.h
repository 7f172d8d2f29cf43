// The administrator password: how it is stored in the settings record and how typed entries are
// checked against it.
#pragma once

#include "SettingsRecord.h"

#include <cstddef>
#include <string>

namespace kurvo {

/// The settings record keeps the password in a 12-character text field, as typed (plain text).
inline constexpr std::size_t AdminPasswordLength = 12;

namespace passwordmsg {
inline constexpr const char* Incorrect = "Incorrect password.  Please try again.";
inline constexpr const char* EntriesDiffer = "The new password entries are not the same.  Please try again.";
inline constexpr const char* Changed = "Password changed";
} // namespace passwordmsg

/// The password as the record stores it: its first 12 characters.
std::string storedAdminPassword(const std::string& password);

/// The prompt's check in front of the administrator features: both texts are lower-cased and cut to
/// 12 characters before they are compared, so letter case and anything after the 12th character
/// do not count.
bool adminPromptAccepts(const std::string& typed, const std::string& stored);

/// What the set-password dialog's OK did.
enum class TPasswordChange { Changed, WrongOldPassword, NewEntriesDiffer };

/// The set-password rule: the old password must equal the stored one exactly (letter case and
/// length count), and the two new entries must equal each other exactly. Only then is the new
/// password stored in `record`, cut to 12 characters. The caller writes the record to the file.
TPasswordChange changeAdminPassword(TSettingsRecord& record, const std::string& oldPassword,
                                    const std::string& newPassword, const std::string& repeated);

/// The message the set-password dialog shows for a result.
const char* passwordChangeMessage(TPasswordChange result);

} // namespace kurvo
