// Line breaking for the message boxes: a box's text is cut into lines that
// fit the room the screen leaves, at blanks, beside Japanese characters, or
// else between two characters, never inside one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Returns how many text columns `codePoint` takes: 2 for the wide (East Asian)
// characters, 0 for control characters, 1 for the rest.
int columnsOf(uint32_t codePoint);

// Returns `text` (UTF-8) with line breaks added so that no line is wider than
// `width`, each character measuring `widthOf(codePoint)`. Existing line
// breaks stay; a line is cut at its last blank that fits (the blanks there
// become the break), else at its last place beside a wide character where
// Japanese text may break, else before the character that does not fit. A
// byte that is not part of valid UTF-8 is a character of its own. A width
// below 1 leaves the text as it is.
std::string wrapText(std::string_view text, int width, int (*widthOf)(uint32_t) = columnsOf);

// Returns `text` cut to its first `rows` lines, the last of them replaced by
// "…" when lines were left out, for a box that can neither grow nor scroll.
std::string keepLines(std::string_view text, int rows);

}  // namespace platform
