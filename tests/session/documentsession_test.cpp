// The document session without a window: every change one undoable step, Modified as the stack
// not being clean, the fit of an entry in the preview, saving where the document came from, and
// the bytes shown as characters in the preview and the string editor.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "base/itemheader.h"
#include "characters/glyphlayout.h"
#include "session/displaycodec.h"
#include "session/documentsession.h"
#include "support/archivebuilder.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <QStringDecoder>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace zyn::test {
namespace {

class SessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }

    // A ZYN 2 document of the entries (type 1), opened from a file of its own, or as the
    // reference.
    void open(const std::vector<std::string>& entries, bool reference = false) {
        const std::string path = dir.write(reference ? "ref.zyt" : "doc.zyt",
                                           TextFileBuilder(2).entries(entries).bytes());
        auto read = ReadTextFile(state.files(), path, true);
        ASSERT_TRUE(read.ok()) << read.message();
        if (reference)
            session.setReference(std::move(*read));
        else
            session.open(std::move(*read), LooseFileOrigin(path));
    }
    std::vector<std::string> texts() const {
        const TextDocument& doc = session.document();
        return {doc.EntryText.begin(), doc.EntryText.begin() + doc.entryCount()};
    }

    TempDir dir;
    ProgramState state;
    DocumentSession session{state};
};

// Each kind of change is one step: undone, the document is as it was and unmodified; redone, it
// is changed again; and the current entry moves to what changed, so the change is seen.
TEST_F(SessionTest, EveryKindOfChangeIsOneStepAndModifiedIsTheStackNotClean) {
    std::string table;
    for (int k = 0; k < 256; ++k)
        table.push_back(static_cast<char>(k == 'O' ? 'X' : k == 'X' ? 'O' : k));
    const auto edit = [&] {
        return session.editText(1, "Deux");
    };
    const auto type = [&] {
        return session.changeType(2, 33);
    };
    const auto replaceAll = [&] {
        session.setSearch("T", {true, false});
        return session.replaceAll("t") == 2;
    };
    const auto convert = [&] {
        return session.convertFile();
    };
    const auto remap = [&] {
        return session.loadRemappingTable(dir.write("t.cmp", table)).ok() && session.remapEntries();
    };
    const struct {
        const char* name;
        std::function<bool()> change;
        std::vector<std::string> texts;
        std::uint8_t type; // of entry 2 afterwards
        bool version2;
        std::pair<int, int> changed;
    } cases[] = {
        {"edit", edit, {"One", "Deux", "Three"}, 1, true, {1, 1}},
        {"type", type, {"One", "Two", "Three"}, 33, true, {2, 2}},
        {"replace all", replaceAll, {"One", "two", "three"}, 1, true, {1, 2}},
        {"conversion", convert, {"One", "Two", "Three"}, 0, false, {0, 2}},
        {"remapping", remap, {"Xne", "Two", "Three"}, 1, true, {0, 2}},
    };
    // What changes nothing is no step; types chosen for one entry in a row are one, and none
    // once the entry has its type again.
    open({"One", "Two"});
    EXPECT_FALSE(session.editText(0, "One"));
    EXPECT_FALSE(session.changeType(0, 1));
    // An entry whose text a replacement gives back unchanged is not counted as replaced.
    session.setSearch("o", {false, false});
    EXPECT_EQ(session.replaceAll("o"), 1) << "\"One\" became \"one\", \"Two\" stayed";
    EXPECT_EQ(session.replaceAll("o"), 0);
    session.undoStack()->undo();
    EXPECT_TRUE(session.changeType(0, 3) && session.changeType(0, 5));
    EXPECT_EQ(session.undoStack()->count(), 1);
    session.changeType(0, 1);
    EXPECT_EQ(session.undoStack()->count(), 0);

    // The texts, entry 2's type, the version, and whether the document is modified.
    const auto now = [&] {
        const TextDocument& doc = session.document();
        return std::tuple(texts(), int(doc.EntryType[2]), doc.IsVersion2, session.Modified());
    };
    const auto opened = std::tuple(std::vector<std::string>{"One", "Two", "Three"}, 1, true, false);
    // The entries each step says it changed.
    std::vector<std::pair<int, int>> changed;
    QObject::connect(&session, &DocumentSession::entriesChanged, [&](int first, int last) {
        changed.push_back({first, last});
    });
    // The remapping table, once loaded, stays: its case comes last.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open({"One", "Two", "Three"});
        session.setCurrentEntry(2);
        changed.clear();
        ASSERT_TRUE(c.change());
        const auto after = std::tuple(c.texts, int(c.type), c.version2, true);
        EXPECT_EQ(now(), after);
        EXPECT_EQ(changed, std::vector{c.changed});
        EXPECT_EQ(session.undoStack()->count(), 1);
        session.setCurrentEntry(0);
        session.undoStack()->undo();
        EXPECT_EQ(now(), opened);
        EXPECT_EQ(session.currentEntry(), c.changed.first) << "moved to what changed";
        session.undoStack()->redo();
        EXPECT_EQ(now(), after);
    }
    EXPECT_FALSE(session.convertFile() && session.convertFile()) << "converted once";
}

// The translation loop hands each text back as one step and goes on through the entries the
// entry list shows: all of them, or under its filter the untranslated ones, until there is none.
// The filter folds case over the set's letters, in the text and the reference, as Find does; a
// replacement with a character the set lacks changes nothing.
TEST_F(SessionTest, TheLoopKeepsEachTextAsOneStepAndGoesWhereTheListShows) {
    open({"One", "Two", "Three", "Four"});
    open({"One", "Deux", "Three", "Four"}, true);
    EXPECT_EQ(session.keepAndGo(0, "Un", true), 1);
    EXPECT_EQ(session.keepAndGo(1, "Two", true), 2) << "unchanged, no step";
    EXPECT_EQ(session.keepAndGo(0, "Un", false), -1);
    session.setEntryFilter({}, StatusFilter::Untranslated);
    EXPECT_EQ(session.keepAndGo(2, "Trois", false), -1) << "0 and 1 are translated";
    EXPECT_EQ(session.keepAndGo(0, "Un", true), 3);
    EXPECT_EQ(session.currentEntry(), 3);
    EXPECT_EQ(session.keepAndGo(3, "Quatre", true), -1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Un", "Two", "Trois", "Quatre"}));
    EXPECT_EQ(session.undoStack()->count(), 3);

    // The list's filters: text (in the entry or its reference, folded over the set's letters)
    // and status.
    std::string words;
    for (int i = 0; i < 2000; ++i)
        words += "we ";
    open({"\x90t\x82", "ete", "Porte", "", words}); // "Été"
    open({"", "", "\x90T\x90"}, true);
    session.editText(1, "ete!");
    const struct {
        const char* text;
        StatusFilter status;
        std::vector<int> shown;
    } filters[] = {
        {"éTé", StatusFilter::All, {0, 2}},         {"", StatusFilter::Untranslated, {3}},
        {"e", StatusFilter::Translated, {1, 2, 4}}, {"", StatusFilter::Changed, {1}},
        {"", StatusFilter::DoesNotFit, {4}},
    };
    for (const auto& f : filters) {
        session.setEntryFilter(QString::fromUtf8(f.text), f.status);
        std::vector<int> shown;
        for (int i = 0; i < session.entryCount(); ++i)
            if (session.entryShown(i))
                shown.push_back(i);
        EXPECT_EQ(shown, f.shown) << f.text << " " << static_cast<int>(f.status);
    }
    session.setSearch(QString::fromUtf8("été"), {});
    EXPECT_EQ(session.findNext(true), 0);
    session.setSearch("Porte", {});
    EXPECT_EQ(session.replaceAll(QString::fromUtf8("Porte-bonheur\u03A9")), 0);
    EXPECT_EQ(session.undoStack()->count(), 1);
    EXPECT_EQ(session.typedCodes(QString::fromUtf8("a\u03A9")).missing, U'\u03A9');
    EXPECT_EQ(session.noCodeFor(U'…'),
              QString::fromUtf8("the Western European CharSet has no code for \"…\" (U+2026)"));
}

// Find reads the set's codes as the memory and spelling cut words, not as Qt would: a tone set on
// its letter is inside the word, so "Vie" is no whole word of "Việt"; case folds as the glossary
// folds, horned letters too.
TEST_F(SessionTest, FindCutsWholeWordsAndFoldsCaseAsTheSetsWordsDo) {
    const CharacterSet* vietnamese = FindCharacterSet("vietnamese");
    session.setCharacterSet(static_cast<int>(vietnamese - CharacterSets.data()));
    const auto codes = [&](std::u32string_view text) {
        return ToCodes(vietnamese->letters, text).codes;
    };
    open({codes(U"Cam \u01A1n"), codes(U"Vie\u0323t Nam")});
    const struct {
        const char16_t* needle;
        bool wholeWords;
        int found;
    } cases[] = {
        {u"Vie", false, 1}, {u"Vie", true, -1}, {u"VIE\u0323T", true, 1}, {u"\u01A0N", true, 0}};
    for (const auto& c : cases) {
        session.setCurrentEntry(1);
        session.setSearch(QString::fromUtf16(c.needle), {false, c.wholeWords});
        EXPECT_EQ(session.findNext(true), c.found) << QString::fromUtf16(c.needle).toStdString();
    }
}

// What is typed, pasted or replaced from outside: composed first, then a character the set
// lacks as its stand-in (the program's, the user's first, base letters only when allowed),
// never dropped; one without a stand-in is refused.
TEST_F(SessionTest, TypedTextIsComposedAndTakesStandInsForWhatTheSetLacks) {
    open({"Ma soeur", "Porte"});
    const auto typed = [&](const char* text) {
        const LetterCodes codes = session.typedCodes(QString::fromUtf8(text));
        return std::tuple{codes.codes, DescribeReplacements(codes.replaced),
                          codes.missing.value_or(0)};
    };
    using Typed = std::tuple<std::string, std::string, char32_t>;
    EXPECT_EQ(typed("su\u0308r"), (Typed{"s\x81r", "", 0})); // ü decomposed
    EXPECT_EQ(
        typed("s\u0153ur t\u2019attend\u2026"),
        (Typed{"soeur t'attend...", "\u0153 \u2192 oe, \u2019 \u2192 ', \u2026 \u2192 ...", 0}));
    EXPECT_EQ(typed("\u0141\u00F3d\u017A"), (Typed{"", "", U'\u0141'}));
    session.setSubstitutions({{{U'\u0153', U"\u00E9"}, {U'\u03A9', U"\u2126"}}, true});
    // The user's pair first; a stand-in the set lacks is none; marks dropped only now.
    EXPECT_EQ(typed("s\u0153ur"), (Typed{"s\x82ur", "\u0153 \u2192 \u00E9", 0}));
    EXPECT_EQ(typed("\u0141\u00F3d\u017A"), (Typed{"L\xA2"
                                                   "dz",
                                                   "\u0141 \u2192 L, \u017A \u2192 z", 0}));
    EXPECT_EQ(typed("\u03A9"), (Typed{"", "", U'\u03A9'}));
    // Replace writes the stand-in, as one step.
    session.setSearch("soeur", {});
    EXPECT_EQ(session.replaceAll(QString::fromUtf8("s\u0153ur \u2014 ami")), 1);
    EXPECT_EQ(texts()[0], "Ma s\x82ur - ami");
}

// The lines an entry takes in the preview, word wrap included, against the lines it shows: an
// entry one line too long does not fit, and so does a long paragraph without line breaks.
TEST_F(SessionTest, AnEntryFitsThePreviewWhenItsWrappedLinesDo) {
    const PreviewFit& fit = session.previewFit();
    const int shown = fit.linesShown();
    ASSERT_GT(shown, 3);
    // As many lines as the preview shows.
    std::string full = "Line";
    for (int i = 1; i < shown; ++i)
        full += " @ Line";
    // Far more words than the preview has room for, without a line break.
    std::string paragraph;
    for (int word = 0; word < 60 * shown; ++word)
        paragraph += "word ";
    open({"Short", full, full + " @ Line", paragraph, ""});
    const int cut[] = {0, 0, 1, -1, 0}; // -1: some
    for (int i = 0; i < 5; ++i) {
        const EntryStatus status = session.status(i);
        if (cut[i] < 0)
            EXPECT_GT(status.linesCut, 0) << "a paragraph wraps";
        else
            EXPECT_EQ(status.linesCut, cut[i]) << i;
        EXPECT_EQ(status.fits(), cut[i] == 0) << i;
    }
    EXPECT_GT(fit.cutPosition(), 0);
    EXPECT_LE(fit.cutPosition(), PreviewTextArea.height() + 1);
}

// With a remapping table entries are shown and edited in its display form; only entries edited
// in it, or converted, are mapped back when saved, never one a second time, and another open
// starts in game codes.
TEST_F(SessionTest, ATableShowsTheDisplayFormAndOnlyEditedEntriesAreMappedBack) {
    std::string table;
    for (int k = 0; k < 256; ++k)
        table.push_back(static_cast<char>(k == 'a' ? 'b' : k == 'b' ? 'a' : k == 250 ? 'A' : k));
    open({"a cat", "a bat", "A\xFA"});
    ASSERT_TRUE(session.loadRemappingTable(dir.write("t.cmp", table)).ok());
    EXPECT_EQ(session.entryAsShown(0), "b cbt");
    EXPECT_FALSE(session.editText(2, session.entryAsShown(2))) << "shown as \"AA\", kept as it is";
    EXPECT_TRUE(session.editText(0, "b dbt"));
    EXPECT_TRUE(session.save({}).saved());
    EXPECT_EQ(readBytes(session.origin().FilePath),
              TextFileBuilder(2).entries({"a dat", "a bat", "A\xFA"}).bytes());
    EXPECT_TRUE(session.remapEntries());
    EXPECT_EQ(session.entryAsShown(1), "b abt") << "converted once, shown as it is";
    EXPECT_EQ(session.entryAsShown(0), "b dbt");
    open({"a dog", "x"});
    session.editText(1, "y");
    EXPECT_TRUE(session.save({}).saved());
    EXPECT_EQ(readBytes(session.origin().FilePath),
              TextFileBuilder(2).entries({"a dog", "y"}).bytes());
}

// Saved, the document is clean, and undoing past the save is a change again. Saved into an
// archive item, File Save writes there; an item another program changed is replaced only when
// the question says so.
TEST_F(SessionTest, SavesWhereTheDocumentCameFromAndAsksBeforeReplacingAChangedItem) {
    open({"One", "Two"});
    const std::string path = session.origin().FilePath;
    int asked = 0;
    bool answer = false;
    const OverwriteQuestion ask = [&](const std::string& question) {
        ++asked;
        EXPECT_NE(question.find("was changed by another program"), std::string::npos);
        return answer;
    };
    EXPECT_EQ(session.save(ask).outcome, SaveOutcome::NothingToSave);
    session.editText(0, "Uno");
    EXPECT_TRUE(session.save(ask).saved());
    EXPECT_EQ(readBytes(path), TextFileBuilder(2).entry("Uno").entry("Two").bytes());
    session.undoStack()->undo();
    EXPECT_TRUE(session.Modified());
    session.undoStack()->redo();
    EXPECT_FALSE(session.Modified());

    const std::string archive = dir.write("text.hqr", TextArchive(9));
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), archive, index).ok());
    EXPECT_TRUE(
        session.saveToArchiveItem(ArchiveItemOrigin(archive, 7, "EN_000.DIA"), index, ask).saved());

    const auto onDisk = [&] {
        ArchiveIndex now;
        EXPECT_TRUE(ReadArchiveIndex(state.files(), archive, now).ok());
        return now.ItemData[7];
    };
    const std::string theirs = StoredItem(TextFileBuilder(2).entry("Theirs").data());
    ASSERT_TRUE(RebuildArchive(state.files(), archive, {{7, theirs, {}}}, {}).ok());
    session.editText(1, "Dos");
    for (const bool yes : {false, true}) {
        answer = yes;
        EXPECT_EQ(session.save(ask).outcome, yes ? SaveOutcome::Saved : SaveOutcome::Declined);
        EXPECT_EQ(session.Modified(), !yes);
        EXPECT_EQ(onDisk(),
                  yes ? StoredItem(TextFileBuilder(2).entry("Uno").entry("Dos").data()) : theirs);
    }
    EXPECT_EQ(asked, 2);
}

// The code page each set's letters were taken from; the Western set shows the games' letters.
constexpr int CodePages[] = {1256, 1252,  1251, 1250, 850,  1253, 1255,
                             1252, 10000, 1250, 874,  1254, 1258, 0};

TEST(DisplayCodec, ShowsEveryByteAsTheCoreTableDoesAndGivesItBack) {
    ensureApplicationOf<QGuiApplication>();
    std::string text;
    for (int b = 0; b < 256; ++b)
        text.push_back(static_cast<char>(b));
    text += "\r\n\n\rx\r";
    for (std::size_t s = 0; s < CharacterSets.size(); ++s) {
        const CharacterSet& set = CharacterSets[s];
        const DisplayCodec codec(set, false);
        const DisplayCodec withFont(set, true);
        const bool western = s == WesternCharacterSetIndex;
        const char* page = CodecNameForCodePage(western ? 1252 : CodePages[s]);
        ASSERT_NE(page, nullptr) << set.name;
        QStringDecoder decoder(page);
        for (int b = 0; b < 256; ++b) {
            // Where the code page has a printable character, it is the one the table holds.
            const char c = static_cast<char>(b);
            const QString decoded = decoder.decode(QByteArrayView(&c, 1));
            if (b >= 32 && b != 127 && !decoder.hasError() && decoded.size() == 1 &&
                decoded.front().isPrint() && decoded.front() != QChar::ReplacementCharacter) {
                EXPECT_EQ(withFont.charFor(static_cast<std::uint8_t>(b)), decoded.front())
                    << set.name << " " << b;
            }
        }
        EXPECT_EQ(codec.fromDisplay(codec.toDisplay(text)), text) << set.name;
        EXPECT_EQ(withFont.fromDisplay(withFont.toDisplay(text)), text) << set.name;
    }
}

} // namespace
} // namespace zyn::test
