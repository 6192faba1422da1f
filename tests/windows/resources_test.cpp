// The pictures and icons the windows load from the resource file. No Q_INIT_RESOURCE here:
// linking the windows library must be enough, as it is for the program.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>
#include <utility>

namespace zyn::test {
namespace {

TEST(Resources, PicturesAndIconsLoadAtTheirSizes) {
    // 256-colour screens, with far more than a flat picture's colours.
    for (const char* name : {"title", "1000", "2000", "3000", "4000", "5000", "6000"}) {
        const QImage picture(QStringLiteral(":/pictures/") + QLatin1String(name));
        EXPECT_EQ(picture.size(), QSize(640, 480)) << name;
        EXPECT_EQ(picture.format(), QImage::Format_Indexed8) << name;
        EXPECT_GT(picture.colorCount(), 64) << name;
    }
    // Icons are drawn on a transparent ground.
    const std::pair<const char*, int> icons[] = {
        {"open", 16},  {"save", 16},   {"saveas", 16}, {"back", 16},   {"forward", 16},
        {"first", 16}, {"last", 16},   {"edit", 16},   {"about", 16},  {"exit", 16},
        {"app", 256},  {"app-48", 48}, {"app-32", 32}, {"app-16", 16},
    };
    for (const auto& [name, size] : icons) {
        const QImage icon(QStringLiteral(":/icons/") + QLatin1String(name));
        EXPECT_EQ(icon.size(), QSize(size, size)) << name;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << name;
    }
}

} // namespace
} // namespace zyn::test
