// The administrator password rules: the 12-character field and the two checks.
#include "AdminPassword.h"

#include "AsciiCase.h"

namespace kurvo {

std::string storedAdminPassword(const std::string& password) {
    return password.substr(0, AdminPasswordLength);
}

bool adminPromptAccepts(const std::string& typed, const std::string& stored) {
    return asciiLower(storedAdminPassword(typed)) == asciiLower(storedAdminPassword(stored));
}

TPasswordChange changeAdminPassword(TSettingsRecord& record, const std::string& oldPassword,
                                    const std::string& newPassword, const std::string& repeated) {
    if (oldPassword != record.adminPassword) return TPasswordChange::WrongOldPassword;
    if (newPassword != repeated) return TPasswordChange::NewEntriesDiffer;
    record.adminPassword = storedAdminPassword(newPassword);
    return TPasswordChange::Changed;
}

const char* passwordChangeMessage(TPasswordChange result) {
    switch (result) {
    case TPasswordChange::Changed:
        return passwordmsg::Changed;
    case TPasswordChange::WrongOldPassword:
        return passwordmsg::Incorrect;
    case TPasswordChange::NewEntriesDiffer:
        return passwordmsg::EntriesDiffer;
    }
    return passwordmsg::Incorrect;
}

} // namespace kurvo
