// A message box that records its text and caption for the persistence tests.
#include "tests/persistence/message_log.h"

#include "platform/platform.h"

namespace message_log {

std::vector<Message>& shown() {
    static std::vector<Message> messages;
    return messages;
}

} // namespace message_log

namespace platform {

void ShowMessage(std::string_view text, std::string_view caption) {
    message_log::shown().push_back({std::string(text), std::string(caption)});
}

} // namespace platform
