#include "document/textdocument.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(TextDocument, FileNameSplitsAtTheLastSlash) {
    struct Case {
        std::string path, dir, title;
    };
    const Case cases[] = {
        {"/home/me/EN_000.DIA", "/home/me/", "EN_000.DIA"},
        {"/top.zyt", "/", "top.zyt"},
        {"/home/me/", "/home/me/", ""},
        {"loose.zyt", "loose.zyt/", ""}, // no folder part: no title either
        {"", "/", ""},
    };
    for (const auto& c : cases) {
        TextDocument doc;
        SetFileName(doc, c.path);
        EXPECT_EQ(doc.FilePath, c.path);
        EXPECT_EQ(doc.FileDir, c.dir) << c.path;
        EXPECT_EQ(doc.FileTitle, c.title) << c.path;
    }
}

TEST(TextDocument, WindowTitleNamesFileAndGame) {
    TextDocument doc;
    doc.BaseCaption = "ZYN Text File Editor";
    EXPECT_EQ(WindowTitle(doc), "ZYN Text File Editor");
    doc.FilePath = "/data/a.zyt";
    EXPECT_EQ(WindowTitle(doc), "ZYN Text File Editor - (/data/a.zyt) - ZYN 1");
    doc.IsVersion2 = true;
    EXPECT_EQ(WindowTitle(doc), "ZYN Text File Editor - (/data/a.zyt) - ZYN 2");
}

} // namespace
} // namespace zyn
