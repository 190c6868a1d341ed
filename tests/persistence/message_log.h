// The message boxes the persistence code showed, recorded instead of shown.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace message_log {

struct Message {
    std::string text;
    std::string caption;
};

std::vector<Message>& shown();

// Expects exactly one message since the last clear, then clears the log.
inline void expectOne(const std::string& text, const std::string& caption) {
    ASSERT_EQ(shown().size(), 1u) << text;
    EXPECT_EQ(shown()[0].text, text);
    EXPECT_EQ(shown()[0].caption, caption);
    shown().clear();
}

} // namespace message_log
