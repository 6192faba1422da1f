// Draws the editor's pictures, icons and font of control codes into a resources folder, or
// checks the committed ones.
//
//   drawpictures [--seed N] RESOURCES_DIR           write RESOURCES_DIR/pictures/*.png
//                                                   (640 x 480, 256 colours), icons/*.png and
//                                                   fonts/controlcodes.ttf
//   drawpictures [--seed N] --check RESOURCES_DIR   draw them in memory and compare them pixel
//                                                   by pixel with the files there (the font
//                                                   byte for byte); exit 1 when one differs
//                                                   beyond the tolerance

#include "comparison.h"
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
#include <future>
#include <string>
#include <vector>

namespace {

using namespace zyn::art;

// A fixed hash of our own: a library's string hash may change between versions.
std::uint64_t nameHash(const char* name) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (; *name != '\0'; ++name)
        hash = (hash ^ static_cast<unsigned char>(*name)) * 1099511628211ULL;
    return hash;
}

struct Drawn {
    QString path; // relative to the resources folder
    QImage image;
};

// Every picture and icon. The pictures are drawn side by side: they share nothing.
std::vector<Drawn> drawAll(std::uint64_t seed) {
    const std::pair<const char*, std::function<QImage(std::uint64_t)>> pictures[] = {
        {"title", drawTitleScreen}, {"1000", drawRoomScene},     {"2000", drawHarbourScene},
        {"3000", drawIslandMap},    {"4000", drawRenderedScene}, {"5000", drawLandscape},
        {"6000", drawParchmentMap},
    };
    std::vector<std::future<QImage>> drawing;
    for (const auto& picture : pictures)
        // Every picture gets its own stream of numbers, so changing one leaves the others alone.
        drawing.push_back(std::async(std::launch::async, [&picture, seed] {
            return toIndexed256(picture.second(seed * 7919 + nameHash(picture.first)));
        }));
    std::vector<Drawn> all;
    for (std::size_t i = 0; i < drawing.size(); ++i)
        all.push_back({QString("pictures/%1.png").arg(pictures[i].first), drawing[i].get()});
    for (NamedIcon& icon : drawIcons())
        all.push_back({QString("icons/%1.png").arg(icon.name), std::move(icon.image)});
    return all;
}

// The font is made of exact rectangles: compared byte for byte.
const QString FontPath = QStringLiteral("fonts/controlcodes.ttf");

int write(const QDir& root, const std::vector<Drawn>& all, const std::string& font) {
    if (!root.mkpath("pictures") || !root.mkpath("icons") || !root.mkpath("fonts")) {
        std::fprintf(stderr, "drawpictures: cannot create folders in %s\n",
                     qPrintable(root.path()));
        return 1;
    }
    bool ok = true;
    for (const Drawn& drawn : all) {
        const QString path = root.filePath(drawn.path);
        if (drawn.image.save(path, "PNG")) {
            std::printf("%s\n", qPrintable(path));
        } else {
            std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    QFile fontFile(root.filePath(FontPath));
    if (fontFile.open(QIODevice::WriteOnly) &&
        fontFile.write(font.data(), static_cast<qint64>(font.size())) ==
            static_cast<qint64>(font.size())) {
        std::printf("%s\n", qPrintable(fontFile.fileName()));
    } else {
        std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(fontFile.fileName()));
        ok = false;
    }
    return ok ? 0 : 1;
}

int check(const QDir& root, const std::vector<Drawn>& all, const std::string& font) {
    int differing = 0;
    for (const Drawn& drawn : all) {
        const QString path = root.filePath(drawn.path);
        const QImage committed(path);
        QString verdict;
        if (committed.isNull()) {
            verdict = QStringLiteral("differs: cannot read the file");
            ++differing;
        } else {
            const PictureDifference difference = comparePictures(drawn.image, committed);
            verdict = describe(difference);
            differing += difference.within ? 0 : 1;
        }
        std::printf("%s: %s\n", qPrintable(path), qPrintable(verdict));
    }
    QFile fontFile(root.filePath(FontPath));
    const bool sameFont =
        fontFile.open(QIODevice::ReadOnly) && fontFile.readAll().toStdString() == font;
    differing += sameFont ? 0 : 1;
    std::printf("%s: %s\n", qPrintable(fontFile.fileName()), sameFont ? "same" : "differs");
    std::fflush(stdout);
    if (differing > 0)
        std::fprintf(stderr, "drawpictures: %d of %zu files differ from what the program draws\n",
                     differing, all.size() + 1);
    return differing > 0 ? 1 : 0;
}

int usage() {
    std::fprintf(stderr, "usage: drawpictures [--seed N] [--check] RESOURCES_DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1994;
    bool checking = false;
    QString target;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--seed" && i + 1 < argc) {
            try {
                seed = std::stoull(argv[++i]);
            } catch (const std::exception&) {
                return usage();
            }
        } else if (argument == "--check") {
            checking = true;
        } else if (target.isEmpty() && !argument.starts_with("-")) {
            target = QString::fromLocal8Bit(argv[i]);
        } else {
            return usage();
        }
    }
    if (target.isEmpty())
        return usage();
    const QDir root(target);
    const std::vector<Drawn> all = drawAll(seed);
    const std::string font = drawControlFont();
    return checking ? check(root, all, font) : write(root, all, font);
}
