#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// Texts order by their character codes in code page 932, the way the multibyte string
// comparison orders them: one code per character, a double-byte character's code being
// lead * 256 + trail (so half-width katakana come before every double-byte character and
// kanji follow their JIS order). Characters without a code page 932 form order after all
// others, by their UTF-16 code.
std::uint32_t Cp932OrderCode(char16_t unit);
int CompareCp932(const QString& a, const QString& b);

// The order that sorts `texts`: result[i] is the index of the text that goes to place i.
// Equal texts keep their order; descending order reverses the comparison only. Runs in
// O(n log n) whatever the input.
std::vector<int> SortedOrder(const std::vector<QString>& texts, bool ascending);
