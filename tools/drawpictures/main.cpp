// Draws the editor's pictures, icons and its font of control codes into a resources folder.
//
//   drawpictures [--seed N] RESOURCES_DIR
//
// Writes RESOURCES_DIR/pictures/*.png (640 x 480, 256 colours), RESOURCES_DIR/icons/*.png and
// RESOURCES_DIR/fonts/controlcodes.ttf.

#include "controlfont.h"
#include "icons.h"
#include "quantize.h"
#include "scenes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <functional>
#include <string>

namespace {

using namespace zyn::art;

// A fixed hash of our own: a library's string hash may change between versions.
std::uint64_t nameHash(const char* name) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (; *name != '\0'; ++name)
        hash = (hash ^ static_cast<unsigned char>(*name)) * 1099511628211ULL;
    return hash;
}

bool save(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool saveFont(const std::string& bytes, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

int usage() {
    std::fprintf(stderr, "usage: drawpictures [--seed N] RESOURCES_DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1994;
    QString target;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seed" && i + 1 < argc) {
            try {
                seed = std::stoull(argv[++i]);
            } catch (const std::exception&) {
                return usage();
            }
        } else if (target.isEmpty() && !argument.starts_with("-")) {
            target = QString::fromLocal8Bit(argv[i]);
        } else {
            return usage();
        }
    }
    if (target.isEmpty())
        return usage();

    const QDir root(target);
    if (!root.mkpath("pictures") || !root.mkpath("icons") || !root.mkpath("fonts")) {
        std::fprintf(stderr, "drawpictures: cannot create folders in %s\n", qPrintable(target));
        return 1;
    }

    const std::pair<const char*, std::function<QImage(std::uint64_t)>> pictures[] = {
        {"title", drawTitleScreen}, {"1000", drawRoomScene},     {"2000", drawHarbourScene},
        {"3000", drawIslandMap},    {"4000", drawRenderedScene}, {"5000", drawLandscape},
        {"6000", drawParchmentMap},
    };
    bool ok = true;
    for (const auto& [name, draw] : pictures) {
        // Every picture gets its own stream of numbers, so changing one leaves the others alone.
        const QImage picture = draw(seed * 7919 + nameHash(name));
        ok = save(toIndexed256(picture), root.filePath(QString("pictures/%1.png").arg(name))) && ok;
    }
    for (const NamedIcon& icon : drawIcons())
        ok = save(icon.image, root.filePath(QString("icons/%1.png").arg(icon.name))) && ok;
    ok = saveFont(drawControlFont(), root.filePath("fonts/controlcodes.ttf")) && ok;
    return ok ? 0 : 1;
}
