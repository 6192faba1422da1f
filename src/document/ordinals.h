#pragma once

// Ordinal files: one number per entry of a text bank, each a 2-byte group, optionally behind an
// item header and then possibly compressed.

#include "base/filesystem.h"
#include "document/textdocument.h"

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

using OrdinalArray = std::array<std::int16_t, TextDocument::Capacity>;

// Reads the ordinal file at path into ordinals: group i (bytes 2i and 2i + 1 of the payload,
// unsigned 16-bit little-endian; a group past the end gives 0) goes to slot i, for i from 0 to
// payload length / 2. With an item header (stored size = file length - 10) the payload follows
// it, expanded with the method its mode names when the mode is not 0. Returns false, with
// ordinals unchanged, when the file cannot be read, has more than 1024 groups or a value above
// 32 767.
bool LoadOrdinalFile(FileSystem& fs, const std::string& path, OrdinalArray& ordinals);

} // namespace zyn
