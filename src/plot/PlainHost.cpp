// TPlainHost: a host made of plain values, for the command line and the tests.
#include "PlainHost.h"

namespace kurvo {

bool TPlainHost::hasField(Field f) const {
    if (f == Field::TMin || f == Field::TMax) return tFieldsShown;
    return true;
}

bool TPlainHost::askQuestion(const std::string& text) {
    messages.push_back(text);
    return answer;
}

void TPlainHost::showError(const std::exception& e) {
    messages.push_back(e.what());
}

bool TPlainHost::pollStop() {
    ++polls;
    return stopPoll ? stopPoll() : false;
}

} // namespace kurvo
