#include "base/lockwait.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace zyn {

Result<OpenFile> OpenLocked(FileSystem& fs, const std::string& path, const LockWait& wait) {
    using namespace std::chrono;
    // Short enough that the next run starts soon after the last one ends.
    constexpr milliseconds Step{50};
    const auto start = steady_clock::now();
    bool noticed = false;
    for (;;) {
        auto file = fs.open(path, true);
        if (file || file.kind() != ErrorKind::Busy)
            return file;
        const auto waited = duration_cast<milliseconds>(steady_clock::now() - start);
        if (waited >= wait.giveUpAfter) {
            const auto seconds = duration_cast<duration<double>>(wait.giveUpAfter).count();
            char figure[32];
            std::snprintf(figure, sizeof figure, "%g", seconds);
            return Result<OpenFile>::failure(
                ErrorKind::Busy, "it is in use by another program, which still held it after " +
                                     std::string(figure) + (seconds == 1 ? " second" : " seconds") +
                                     ".");
        }
        if (!noticed && waited >= wait.noticeAfter) {
            noticed = true;
            if (wait.notice)
                wait.notice();
        }
        const milliseconds pause = std::min(Step, wait.giveUpAfter - waited);
        if (wait.pause)
            wait.pause(pause);
        else
            std::this_thread::sleep_for(pause);
    }
}

} // namespace zyn
