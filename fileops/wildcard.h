#pragma once
// The program's one wildcard matcher. Names and patterns come as keys that
// compare without regard to case as Windows compares names
// (platform::wide_files().case_key); what a pattern's characters mean is
// the caller's, given as rules.
#include <string>

struct x_WildcardRules {
    // The copy tools take '?' for one character; the program's own
    // patterns take it for itself (no file name holds one).
    bool question_mark_is_wildcard = false;
    // Whether an empty pattern stands for every name.
    bool empty_matches_all = false;
};

inline constexpr x_WildcardRules copy_tool_wildcards{true, false};
inline constexpr x_WildcardRules listing_wildcards{false, true};

// '*' stands for any run of characters (none included).
bool matches_wildcard(const std::u16string& name_key, const std::u16string& pattern_key,
                      const x_WildcardRules& rules);
