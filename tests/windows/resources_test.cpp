// The pictures and icons the windows load from the resource file. No Q_INIT_RESOURCE here:
// linking the windows library must be enough, as it is for the program.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

TEST(Resources, EveryPictureAndIconLoads) {
    for (const char* name :
         {"pictures/title", "pictures/1000", "pictures/2000", "pictures/3000", "pictures/4000",
          "pictures/5000",  "pictures/6000", "icons/open",    "icons/save",    "icons/saveas",
          "icons/back",     "icons/forward", "icons/first",   "icons/last",    "icons/edit",
          "icons/about",    "icons/exit",    "icons/app",     "icons/app-48",  "icons/app-32",
          "icons/app-16"})
        EXPECT_FALSE(QImage(QStringLiteral(":/") + QLatin1String(name)).isNull()) << name;
}

} // namespace
} // namespace zyn::test
