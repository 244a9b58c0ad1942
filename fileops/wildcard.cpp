#include "fileops/wildcard.h"

// Backtracks to the last star only: each star can stand for any run, so a
// later mismatch never needs an earlier star to take more.
bool matches_wildcard(const std::u16string& name_key, const std::u16string& pattern_key,
                      const x_WildcardRules& rules) {
    const std::u16string& name = name_key;
    const std::u16string& pattern = pattern_key;
    if (pattern.empty()) return rules.empty_matches_all || name.empty();
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::u16string::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        const bool any_one =
            rules.question_mark_is_wildcard && p < pattern.size() && pattern[p] == u'?';
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (any_one || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (star != std::u16string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}
