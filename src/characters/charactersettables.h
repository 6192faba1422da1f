#pragma once

// The letter data behind the character sets, one table per code page.

#include "characters/charactersets.h"

namespace zyn {

extern const UpperLetters GameLettersUpper; // the games' own letters
extern const UpperLetters Windows1250Upper;
extern const UpperLetters Windows1251Upper;
extern const UpperLetters Windows1252Upper;
extern const UpperLetters Windows1253Upper;
extern const UpperLetters Windows1254Upper;
extern const UpperLetters Windows1255Upper;
extern const UpperLetters Windows1256Upper;
extern const UpperLetters Windows1258Upper;
extern const UpperLetters Windows874Upper;
extern const UpperLetters Ibm850Upper;
extern const UpperLetters MacintoshUpper;

} // namespace zyn
