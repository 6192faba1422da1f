// The pictures and icons the windows load from the resource file.

#include <QImage>
#include <QString>
#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace zyn::test {
namespace {

struct PictureCase {
    const char* path;
    int width;
    int height;
};

void PrintTo(const PictureCase& c, std::ostream* out) {
    *out << c.path;
}

// ":/icons/app-48" becomes "icons_app_48".
std::string caseName(const ::testing::TestParamInfo<PictureCase>& info) {
    std::string name;
    for (const char* c = info.param.path + 2; *c != '\0'; ++c)
        name.push_back(std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_');
    return name;
}

// No Q_INIT_RESOURCE here: linking the windows library must be enough, as it is for the program.
class ResourcePictureTest : public ::testing::TestWithParam<PictureCase> {};

// The screen pictures ship as 256-colour images of the game screen's size.
TEST_P(ResourcePictureTest, ScreenPictureIsIndexedAtScreenSize) {
    const PictureCase c = GetParam();
    const QImage picture(QString::fromLatin1(c.path));
    ASSERT_FALSE(picture.isNull()) << c.path;
    EXPECT_EQ(picture.width(), c.width) << c.path;
    EXPECT_EQ(picture.height(), c.height) << c.path;
    EXPECT_EQ(picture.format(), QImage::Format_Indexed8) << c.path;
    EXPECT_LE(picture.colorCount(), 256) << c.path;
    // A picture of one flat colour would mean the drawing went wrong.
    EXPECT_GT(picture.colorCount(), 64) << c.path;
}

INSTANTIATE_TEST_SUITE_P(Screens, ResourcePictureTest,
                         ::testing::Values(PictureCase{":/pictures/title", 640, 480},
                                           PictureCase{":/pictures/1000", 640, 480},
                                           PictureCase{":/pictures/2000", 640, 480},
                                           PictureCase{":/pictures/3000", 640, 480},
                                           PictureCase{":/pictures/4000", 640, 480},
                                           PictureCase{":/pictures/5000", 640, 480},
                                           PictureCase{":/pictures/6000", 640, 480}),
                         caseName);

class ResourceIconTest : public ::testing::TestWithParam<PictureCase> {};

// Icons are square, drawn on a transparent ground, and not empty.
TEST_P(ResourceIconTest, IconHasItsSizeAndTransparentGround) {
    const PictureCase c = GetParam();
    const QImage icon = QImage(QString::fromLatin1(c.path)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(icon.isNull()) << c.path;
    EXPECT_EQ(icon.width(), c.width) << c.path;
    EXPECT_EQ(icon.height(), c.height) << c.path;
    int opaque = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            opaque += qAlpha(icon.pixel(x, y)) == 255 ? 1 : 0;
    }
    EXPECT_GT(opaque, icon.width() * icon.height() / 4) << c.path;
    EXPECT_LT(opaque, icon.width() * icon.height()) << c.path;
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    BarAndProgram, ResourceIconTest,
    ::testing::Values(PictureCase{":/icons/open", 16, 16}, PictureCase{":/icons/save", 16, 16},
                      PictureCase{":/icons/saveas", 16, 16}, PictureCase{":/icons/back", 16, 16},
                      PictureCase{":/icons/forward", 16, 16}, PictureCase{":/icons/first", 16, 16},
                      PictureCase{":/icons/last", 16, 16}, PictureCase{":/icons/edit", 16, 16},
                      PictureCase{":/icons/about", 16, 16}, PictureCase{":/icons/exit", 16, 16},
                      PictureCase{":/icons/app", 256, 256}, PictureCase{":/icons/app-48", 48, 48},
                      PictureCase{":/icons/app-32", 32, 32},
                      PictureCase{":/icons/app-16", 16, 16}));

} // namespace
} // namespace zyn::test
