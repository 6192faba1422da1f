#pragma once

// How a character produced by the keyboard becomes the one 8-bit typed code that the keyboard
// groups translate: its code in the code page the selected group is written for.

#include "characters/keyboardgroups.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace zyn {

// The code of character (a single character) in the typing code page of group, or nullopt when
// that code page has no such character.
std::optional<std::uint8_t> TypedCode(const QString& character, KeyboardGroup group);

} // namespace zyn
