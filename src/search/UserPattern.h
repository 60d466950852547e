// The regular-expression syntax users type in search and replace commands, and
// the replacement text with its group references, translated for the engine.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct UserPattern {
    std::string strEngine;      // the pattern in the engine's syntax
    bool bAnchored = false;     // it began with "^": only a match at a line's start counts
    bool bIncomplete = false;   // it ends in an open group or a lone backslash
};

// "^" at the very start anchors and is removed; "(" and ")" become the engine's
// group markers, "\(" and "\)" plain parentheses; a backslash before anything
// else stays with it; double-byte characters are copied whole. A pattern that has
// groups and ends with a closing marker gets ".?" so the group ends before an
// element. The result is never more than twice the input plus two bytes.
UserPattern ConvertUserPattern(std::string_view user);

// The replacement for a match: "$" and decimal digits n insert group n (nothing
// when there is no group n); every other character is copied.
std::string ExpandReplacement(std::string_view replacement, const std::vector<std::string>& groups);
