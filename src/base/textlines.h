#pragma once

// The lines of a text before any wrapping, as the game shows them: what `zyntext check
// --max-lines` counts, what Find in Archive lists hit by hit, and what the entry list and the
// state line join into one line. A line break is CR LF, the only one the games' files store
// (as " @ "); a lone CR or LF is a control code of its own, which ends no line and which the
// editor shows as its symbol. Read as letters (ToLetters) a line break is '\n', where the fit
// rule (textfit.h) wraps each line further.

#include <string_view>
#include <vector>

namespace zyn {

// The lines of codes, their breaks left out; none for an empty text.
std::vector<std::string_view> TextLines(std::string_view codes);
int LineCount(std::string_view codes);

} // namespace zyn
