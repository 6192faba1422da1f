#pragma once

// The bytes of the program's font of control codes (resources/fonts/controlcodes.ttf), built in.

#include <span>

namespace zyn {

std::span<const unsigned char> ControlFontBytes();

} // namespace zyn
