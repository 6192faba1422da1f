// The editor and the tool judge a text's fit alike: the display font as Qt gives it to the
// session and as the tool reads it from the font file give the same family, line and advances,
// and so the same lines for every entry of a bank of long lines, in process and through
// `zyntext check --fit`; and the preview draws the lines it judges.

#include "fonts/fontwidths.h"
#include "mainwindowfixture.h"
#include "project/bankstatus.h"
#include "session/displaycodec.h"
#include "support/toolrun.h"

#include <QFontInfo>
#include <QImage>

namespace zyn {

void PrintTo(const WrappedLine& line, std::ostream* out) {
    *out << "[" << line.begin << ", " << line.end << ")";
}

namespace test {
namespace {

class FitFontTest : public MainWindowTest {
protected:
    void SetUp() override {
        auto opened = FontWidths::openDisplayFont();
        ASSERT_TRUE(opened.ok()) << opened.message();
        widths = std::move(*opened);
    }

    std::unique_ptr<FontWidths> widths;
};

// Words long and short, the games' accented letters, control codes, blank runs, line breaks:
// the same made-up bank on every run.
std::vector<std::string> longLines() {
    std::uint32_t seed = 1994;
    const auto next = [&seed](std::uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                "\x81\x82\x83\x85\x87\x8A\x93\x96\xA4"
                                "0123456789.,;:!?'-";
    std::vector<std::string> bank;
    for (int entry = 0; entry < 120; ++entry) {
        std::string text;
        const std::uint32_t length = 40 + next(420);
        while (text.size() < length) {
            const std::uint32_t kind = next(40);
            if (kind == 0)
                text += "\r\n";
            else if (kind == 1)
                text += std::string(1, char(1 + next(8)));
            else if (kind == 2)
                text += "   ";
            const std::uint32_t word = kind == 3 ? 25 + next(30) : 1 + next(11);
            for (std::uint32_t k = 0; k < word; ++k)
                text += letters[next(std::uint32_t(letters.size()))];
            text += ' ';
        }
        bank.push_back(text);
    }
    // The line of the issue: 310 letters that the editor marks as not fitting.
    std::string issue;
    while (issue.size() < 310)
        issue += "Le gardien du phare attend que la mer se retire. ";
    bank.push_back(issue.substr(0, 310));
    return bank;
}

TEST_F(FitFontTest, TheToolReadsTheFontTheEditorDrawsWith) {
    const QFont font = displayFont(widths->gameFont());
    EXPECT_EQ(isGameFontInstalled(), widths->gameFont());
    EXPECT_EQ(QFontInfo(font).family().toStdString(), widths->family()) << widths->file();
    const FontLines qt = QtFontLines(font), tool = widths->lines();
    EXPECT_EQ(qt.ascent, tool.ascent);
    EXPECT_EQ(qt.descent, tool.descent);
    EXPECT_EQ(qt.leading, tool.leading);

    // Every letter of every set, as the preview shows it.
    const PreviewFit editor(font, PreviewTextArea);
    const TextFit rule = widths->fit();
    for (const CharacterSet& set : CharacterSets) {
        const DisplayCodec codec(set, widths->gameFont());
        for (int code = 0; code < 256; ++code) {
            const char32_t letter = codec.charFor(std::uint8_t(code)).unicode();
            EXPECT_EQ(IsNonSpacingMark(letter), QChar::category(letter) == QChar::Mark_NonSpacing)
                << set.name << " " << code;
            EXPECT_EQ(editor.rule().advance(letter), rule.advance(letter))
                << set.name << " " << code << ": the editor's, then the tool's";
        }
    }
}

TEST_F(FitFontTest, TheEditorAndTheToolTakeTheSameLinesForEveryEntry) {
    const std::vector<std::string> bank = longLines();
    const std::string path = writeText("FR_000.DIA", 2, bank);
    start();
    open(path, true);
    ASSERT_EQ(session.entryCount(), int(bank.size()));

    const PreviewFit& editor = session.previewFit();
    const TextFit rule = widths->fit();
    const EntryFit tool{
        rule, DisplayLetters(CharacterSets[WesternCharacterSetIndex], widths->gameFont())};
    ASSERT_EQ(editor.linesShown(), rule.linesShown());
    ASSERT_EQ(editor.cutPosition(), rule.cutPosition());
    std::map<int, int> notFitting; // entry (from 1): lines taken
    int wrapped = 0;
    for (int i = 0; i < session.entryCount(); ++i) {
        const QString shown = session.codec().toDisplay(session.entryAsShown(i));
        const int lines = editor.linesOf(shown);
        EXPECT_EQ(lines, tool.linesOf(bank[std::size_t(i)])) << "entry " << i + 1;
        EXPECT_EQ(editor.wrap(shown), rule.wrap(ToLetters(tool.letters, bank[std::size_t(i)])))
            << "entry " << i + 1;
        EXPECT_EQ(session.status(i).linesCut, std::max(0, lines - editor.linesShown()));
        wrapped += lines > 1;
        if (lines > editor.linesShown())
            notFitting[i + 1] = lines;
    }
    // A bank that tells: entries that fit after wrapping, entries that do not, the 310 letters.
    EXPECT_GT(wrapped, 60);
    EXPECT_GT(notFitting.size(), 10u);
    EXPECT_LT(notFitting.size(), bank.size() / 2);
    EXPECT_TRUE(notFitting.count(int(bank.size())));

    // The tool as the user runs it says the same of each entry.
    const ToolRun run =
        zyntext({"check", "--from", path, "--to", path, "--game", "2", "--fit", "--json"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    std::map<int, int> reported;
    const nlohmann::json found = nlohmann::json::parse(run.out);
    for (const auto& finding : found["findings"]) {
        EXPECT_EQ(finding["kind"], "fit");
        int lines = 0, shown = 0;
        ASSERT_EQ(std::sscanf(finding["message"].get<std::string>().c_str(),
                              "takes %d lines, the box shows %d", &lines, &shown),
                  2);
        EXPECT_EQ(shown, editor.linesShown());
        reported[finding["entry"].get<int>()] = lines;
    }
    EXPECT_EQ(reported, notFitting);
}

// The preview's front layer draws each line where the rule puts it: ink in the band of every
// line the rule counts and nowhere below, a word wider than the box broken inside it.
TEST_F(FitFontTest, ThePreviewDrawsTheLinesItJudges) {
    start();
    const std::string wide(40, 'W');
    const std::string paragraph = "Le gardien du phare attend que la mer se retire, et il "
                                  "compte les vagues une a une sous la pluie.";
    open(writeText("FR_000.DIA", 2, {wide, paragraph, "Short @ two lines"}), true);
    const PreviewFit& fit = session.previewFit();
    QLabel& label = *window->Label2();
    for (int i = 0; i < 3; ++i) {
        window->selectEntry(i);
        const int lines = fit.linesOf(label.text());
        ASSERT_GT(lines, 1) << i;
        QImage drawn(label.size(), QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        label.render(&drawn, {}, {}, QWidget::DrawChildren);
        const qreal pitch = fit.rule().linePitch() / 64.0;
        std::vector<int> inked(std::size_t(fit.linesShown()) + 1, 0);
        int right = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (qAlpha(drawn.pixel(x, y)) > 0) {
                    inked[std::min(inked.size() - 1, std::size_t(y / pitch))] += 1;
                    right = std::max(right, x);
                }
        for (int k = 0; k < int(inked.size()); ++k)
            EXPECT_EQ(inked[std::size_t(k)] > 0, k < lines) << "entry " << i << ", line " << k;
        EXPECT_LT(right, PreviewTextArea.width() - 1) << "entry " << i;
    }
}

} // namespace
} // namespace test
} // namespace zyn
