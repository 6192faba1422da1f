// The about box.

#include "mainwindowfixture.h"
#include "windows/frmabout.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <string_view>

namespace zyn::test {
namespace {

std::vector<frmAbout*> aboutBoxes() {
    std::vector<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<frmAbout*>(widget); box && box->isVisible())
            boxes.push_back(box);
    return boxes;
}

using AboutTest = MainWindowTest;

TEST_F(AboutTest, EachUseOpensAnotherModelessBox) {
    start().show();
    window->mnuHelpAbout_Click();
    window->barButton(14)->click();

    const std::vector<frmAbout*> boxes = aboutBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(boxes[0]->isModal());

    frmAbout* box = boxes[0];
    EXPECT_EQ(box->windowTitle(), "About ZYN Text File Editor");
    EXPECT_EQ(box->findChild<QLabel*>("lblTitle")->text(), "ZYN Text File Editor");
    EXPECT_EQ(box->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version %1.%2.%3")
                                                                 .arg(ZYN_VERSION_MAJOR)
                                                                 .arg(ZYN_VERSION_MINOR)
                                                                 .arg(ZYN_VERSION_PATCH));
    EXPECT_TRUE(box->findChild<QPushButton*>("cmdOK")->isDefault());

    box->findChild<QPushButton*>("cmdSysInfo")->click();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(prompts.shown()[0].title, "ZYN Text File Editor");
    EXPECT_EQ(prompts.shown()[0].icon, Prompts::Icon::None);
    EXPECT_TRUE(box->isVisible());

    QPointer<frmAbout> closing = box;
    box->findChild<QPushButton*>("cmdOK")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    EXPECT_EQ(aboutBoxes().size(), 1u);

    // Closing the main window leaves the other box open.
    window->close();
    EXPECT_EQ(aboutBoxes().size(), 1u);
    delete aboutBoxes()[0];
}

TEST(KeyValue, IsCutToTheReportedSizeWithoutItsTerminator) {
    std::string buffer(1024, '\0');
    buffer.replace(0, 7, "C:\\INFO");
    const struct {
        std::size_t reported;
        std::string_view expected;
    } cases[] = {
        {8, "C:\\INFO"}, // stored with its terminator
        {7, "C:\\INFO"}, // stored without one
        {3, "C:\\"},
        {0, ""},
        {5000, std::string_view(buffer).substr(0, 1023)}, // more than the buffer holds
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutKeyValue(buffer, c.reported), c.expected) << c.reported;
}

} // namespace
} // namespace zyn::test
