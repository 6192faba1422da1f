#include "base/heldfolder.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {

namespace {

// Deeper than any working folder goes; the buffers of each level are on the stack.
constexpr int MaxDepth = 8;

// Removes what the open folder holds. Entries removed while the folder is read may hide others,
// so it is read again until a pass removes nothing.
void empty(int folder, int depth) {
    for (int pass = 0; pass < 16; ++pass) {
        bool removed = false;
        ::lseek(folder, 0, SEEK_SET);
        alignas(8) char buffer[4096];
        ssize_t n;
        while ((n = ::getdents64(folder, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                at += entry->d_reclen;
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                    continue;
                if (::unlinkat(folder, name, 0) == 0) {
                    removed = true;
                    continue;
                }
                if (errno != EISDIR || depth >= MaxDepth)
                    continue;
                const int inner =
                    ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (inner < 0)
                    continue;
                empty(inner, depth + 1);
                ::close(inner);
                removed |= ::unlinkat(folder, name, AT_REMOVEDIR) == 0;
            }
        }
        if (!removed)
            break;
    }
}

} // namespace

HeldFolder OpenOwnFolder(int parent, const char* name) {
    HeldFolder folder;
    if (std::strlen(name) >= sizeof folder.name)
        return folder;
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (fd < 0)
        return folder;
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid()) {
        ::close(fd);
        return folder;
    }
    folder.parent = parent;
    folder.self = fd;
    folder.device = st.st_dev;
    folder.inode = st.st_ino;
    std::strcpy(folder.name, name);
    return folder;
}

void RemoveHeldFolder(const HeldFolder& folder) {
    if (folder.self < 0)
        return;
    empty(folder.self, 0);
    struct stat st {};
    if (::fstatat(folder.parent, folder.name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        st.st_dev == folder.device && st.st_ino == folder.inode)
        ::unlinkat(folder.parent, folder.name, AT_REMOVEDIR);
}

} // namespace zyn
