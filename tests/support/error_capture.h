#pragma once
// Collects what the program writes to standard error while it lives; the
// other console streams are left alone.
#include <string>
#include <string_view>

#include "platform/console.h"

namespace testing_support {

class x_ErrorCapture : public platform::x_ConsoleService {
public:
    x_ErrorCapture() : guard_(*this) {}

    void write_err(std::string_view text) override { text_.append(text); }
    void flush_err() override { ++flushes_; }

    const std::string& text() const { return text_; }
    int flushes() const { return flushes_; }
    void clear() {
        text_.clear();
        flushes_ = 0;
    }

private:
    std::string text_;
    int flushes_ = 0;
    platform::x_Substitute<platform::x_ConsoleService> guard_;
};

// What the retry loops leave on standard error after the given number of
// failed attempts: each count followed by a carriage return.
inline std::string retry_counter_up_to(int last) {
    std::string text;
    for (int attempt = 1; attempt <= last; ++attempt) text += std::to_string(attempt) + "\r";
    return text;
}

}  // namespace testing_support
