#pragma once
// Switches the process to a locale whose decimal point is a comma for one
// test, and back afterwards. The user's locale comes first (the German
// suites run under LC_ALL=de_DE.UTF-8); otherwise a German locale by name,
// where the system has one. Tests skip when none is found.
#include <clocale>
#include <cstring>
#include <string>

namespace testing_support {

class x_DecimalCommaLocale {
public:
    x_DecimalCommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"", "de_DE.UTF-8", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, name) != nullptr && active()) return;
        }
    }
    ~x_DecimalCommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    x_DecimalCommaLocale(const x_DecimalCommaLocale&) = delete;
    x_DecimalCommaLocale& operator=(const x_DecimalCommaLocale&) = delete;

    static bool active() { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

private:
    std::string previous_;
};

}  // namespace testing_support
