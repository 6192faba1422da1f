// The pictures and icons the windows load from the resource file. No Q_INIT_RESOURCE here:
// linking the windows library must be enough, as it is for the program.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

TEST(Resources, PicturesAndIconsLoadAtTheirSizes) {
    const struct {
        const char* path;
        int width;
        int height;
    } resources[] = {
        {":/pictures/title", 640, 480}, {":/pictures/1000", 640, 480},
        {":/pictures/2000", 640, 480},  {":/pictures/3000", 640, 480},
        {":/pictures/4000", 640, 480},  {":/pictures/5000", 640, 480},
        {":/pictures/6000", 640, 480},  {":/icons/open", 16, 16},
        {":/icons/save", 16, 16},       {":/icons/saveas", 16, 16},
        {":/icons/back", 16, 16},       {":/icons/forward", 16, 16},
        {":/icons/first", 16, 16},      {":/icons/last", 16, 16},
        {":/icons/edit", 16, 16},       {":/icons/about", 16, 16},
        {":/icons/exit", 16, 16},       {":/icons/app", 256, 256},
        {":/icons/app-48", 48, 48},     {":/icons/app-32", 32, 32},
        {":/icons/app-16", 16, 16},
    };
    for (const auto& r : resources) {
        const QImage image(QString::fromLatin1(r.path));
        EXPECT_EQ(image.size(), QSize(r.width, r.height)) << r.path;
        if (r.width == 640) {
            // 256-colour screens, with far more than a flat picture's colours.
            EXPECT_EQ(image.format(), QImage::Format_Indexed8) << r.path;
            EXPECT_GT(image.colorCount(), 64) << r.path;
        } else {
            // Icons are drawn on a transparent ground.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << r.path;
            EXPECT_EQ(qAlpha(image.pixel(r.width / 2, r.height / 2)), 255) << r.path;
        }
    }
}

} // namespace
} // namespace zyn::test
