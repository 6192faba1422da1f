#pragma once

// A folder this run made and holds open. It is emptied and removed through its descriptors,
// never through its name, so that a link someone puts in its place, or in the place of anything
// inside it, cannot lead the removal to another folder.

#include <climits>
#include <sys/types.h>

namespace zyn {

struct HeldFolder {
    int parent = -1; // the folder it lies in
    int self = -1;   // -1: none held
    dev_t device = 0;
    ino_t inode = 0;
    char name[NAME_MAX + 1]{};
};

// Opens the folder name inside parent when it is a folder (not a link) of this user; the
// result's self is -1 otherwise. The caller closes self; parent stays the caller's.
HeldFolder OpenOwnFolder(int parent, const char* name);

// Removes everything inside the folder, folders in it included, and then the folder itself
// when its name in parent still names it. Closes nothing. Makes only calls a signal handler may.
void RemoveHeldFolder(const HeldFolder& folder);

} // namespace zyn
