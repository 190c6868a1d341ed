// The message boxes the persistence code showed, recorded instead of shown.
#pragma once

#include <string>
#include <vector>

namespace message_log {

struct Message {
    std::string text;
    std::string caption;
};

std::vector<Message>& shown();

} // namespace message_log
