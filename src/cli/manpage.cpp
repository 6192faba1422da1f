// zyntextman PAGE: makes the section of each command in the manual page PAGE anew from the
// commands' help, so that "man zyntext" says what "zyntext COMMAND --help" says. The tool's
// tests fail while the page in the sources differs from what this makes.

#include "base/filesystem.h"
#include "base/safewriter.h"
#include "cli/command.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: zyntextman PAGE\n";
        return 2;
    }
    zyn::FileSystem& files = zyn::realFileSystem();
    const auto page = files.readFile(argv[1], 1024 * 1024);
    if (!page) {
        std::cerr << "zyntextman: " << page.message() << '\n';
        return 1;
    }
    const std::string made = zyn::cli::UpdatedManPage(*page, zyn::cli::AllCommands());
    if (made == *page)
        return 0;
    if (const zyn::Status written = zyn::WriteFileSafely(files, argv[1], made); !written) {
        std::cerr << "zyntextman: " << written.message() << '\n';
        return 1;
    }
    return 0;
}
