// The glossary: terms found in a source by whole words, the terms a translation lacks, and its
// files (CSV, TSV, TBX) read back as written, checked by xmllint, and refused where they are
// not what they claim.

#include "characters/utf8.h"
#include "project/glossaryfile.h"
#include "project/glossarytable.h"
#include "project/glossarytbx.h"
#include "project/termmatch.h"
#include "project/xmlreader.h"
#include "support/tempdir.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

Glossary sample() {
    Glossary glossary{"en", "fr", {}};
    glossary.terms = {
        {"Captain", "Capitaine", "A rank, not a name"},
        {"the Captain", "le Capitaine", ""},
        {"Merrow", "", "Her name, \"as is\"\nin every bank", true},
        {"Ring", "Anneau", "", false, true},
        {"ice-cream", "glace", ""},
        {"cat", "chat", "tab\there, comma, <b>&amp;</b>"},
        {"Élan", "élan", ""},
    };
    return glossary;
}

std::vector<std::size_t> found(const TermIndex& index, const std::u32string& text) {
    std::vector<std::size_t> terms;
    for (const TermHit& hit : index.find(text))
        terms.push_back(hit.term);
    return terms;
}

TEST(TermMatch, FindsWholeWordsAndTermsOfSeveralWordsInTheirCase) {
    const TermIndex index(sample().terms);
    const struct {
        std::u32string text;
        std::vector<std::size_t> terms;
    } cases[] = {
        // The longer term first where two start together; case folded.
        {U"The Captain's ring.", {1, 0}},
        {U"Ask the\r\ncaptain", {1, 0}},
        // No inflections, no half words.
        {U"Captains, theCaptain, Captain2", {}},
        {U"Catalog, cat2, (cat) CAT", {5, 5}},
        // Marks between words must be the same; blanks are any blanks.
        {U"ice-cream, ice cream, ice - cream", {4}},
        // A case-sensitive term only in its case.
        {U"Ring ring RING", {3}},
        {U"MERROW's", {2}},
        {U"ÉLAN élan elan", {6, 6}},
        {U"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(found(index, c.text), c.terms) << EncodeUtf8(c.text);
    const std::vector<TermHit> hits = index.find(U"Hi, the  Captain!");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].start, 4u);
    EXPECT_EQ(hits[0].length, 12u);
}

TEST(TermMatch, ATranslationLacksTheTargetTermOrTheUnchangedName) {
    const TermIndex index(sample().terms);
    const struct {
        std::u32string source, translation;
        std::vector<std::size_t> missing;
    } cases[] = {
        {U"Ask the Captain", U"Demande au capitaine", {1}},
        {U"Ask the Captain", U"Demande au capitaine, le Capitaine", {}},
        {U"Merrow waits", U"Merrow attend", {}},
        {U"Merrow waits", U"Morrow attend", {2}},
        {U"The Ring", U"L'Anneau", {}},
        {U"The Ring", U"L'anneau", {3}},
        // A term found twice is missing once.
        {U"cat and cat", U"chien", {5}},
        {U"Nothing here", U"Rien", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(index.missing(c.source, c.translation), c.missing) << EncodeUtf8(c.source);
    EXPECT_TRUE(ContainsTerm(U"Il a dit: peut-être.", U"Peut-être", false));
    EXPECT_FALSE(ContainsTerm(U"Il a dit: peut être.", U"Peut-être", false));
}

// Each format gives back what it was given: notes with line breaks, quotes and markup, marks.
TEST(GlossaryFiles, EachFormatReadsBackWhatItWrote) {
    TempDir dir;
    for (const char* name : {"g.csv", "g.tsv", "g.TBX"}) {
        const std::string path = dir.file(name);
        ASSERT_TRUE(WriteGlossaryFile(realFileSystem(), path, sample())) << name;
        const auto read = ReadGlossaryFile(realFileSystem(), path, "en", "fr");
        ASSERT_TRUE(read) << read.message();
        EXPECT_TRUE(read->problems.empty()) << name << ": " << read->problems.front();
        EXPECT_EQ(read->glossary, sample()) << name;
    }
    // A table written by hand is read by its file's ending, whatever its case.
    for (const auto& [name, text] : {std::pair{"hand.CSV", "source,target\nBoss,\"le chef\"\n"},
                                     std::pair{"hand.tsv", "source\ttarget\nBoss\tle chef\n"}}) {
        const auto read = ReadGlossaryFile(realFileSystem(), dir.write(name, text));
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read->glossary.terms,
                  (std::vector<GlossaryTerm>{{"Boss", "le chef", "", false, false}}))
            << name;
    }
    EXPECT_EQ(ReadGlossaryFile(realFileSystem(), dir.file("g.txt")).kind(), ErrorKind::Unsupported);
}

TEST(GlossaryFiles, TablesAreReadByTheirHeaderAndSayWhatTheyPassOver) {
    const struct {
        const char* text;
        TableFormat format;
        std::size_t terms;
        std::vector<std::string> problems;
    } read[] = {
        {"\xEF\xBB\xBFTarget,Source,Extra\r\nChat,Cat,x\r\n\r\n\"Le \"\"chef\"\"\",Boss,\n",
         TableFormat::Csv,
         2,
         {"The column \"Extra\" is not one this program reads; passed over."}},
        {"source,target,do not translate\nA,B,maybe\n,C,\n",
         TableFormat::Csv,
         1,
         {"Line 2 has \"maybe\" for \"do not translate\", which is neither yes nor no; read as no.",
          "Line 3 has no source term; passed over."}},
        {"source\ttarget\r\nA\\tB\tC\\\\D\r\n", TableFormat::Tsv, 1, {}},
    };
    for (const auto& c : read) {
        const auto table = ReadGlossaryTable(c.text, c.format);
        ASSERT_TRUE(table) << table.message();
        EXPECT_EQ(table->glossary.terms.size(), c.terms) << c.text;
        EXPECT_EQ(table->problems, c.problems) << c.text;
    }
    const struct {
        const char* text;
        TableFormat format;
        const char* failure;
    } refused[] = {
        {"source,target\n\"open,x\n", TableFormat::Csv, "Line 2 opens a quote it never closes."},
        {"source,target\n\"a\"b,c\n", TableFormat::Csv, "Line 2 has text after a quoted field."},
        {"source,note\nA,B\n", TableFormat::Csv,
         "The glossary's header row has no \"source\" and \"target\"."},
        {"", TableFormat::Tsv, "The glossary has no header row."},
    };
    for (const auto& c : refused)
        EXPECT_EQ(ReadGlossaryTable(c.text, c.format).message(), c.failure) << c.text;
    const auto quoted =
        ReadGlossaryTable("source,target\nBoss,\"Le \"\"chef\"\"\"\n", TableFormat::Csv);
    EXPECT_EQ(quoted->glossary.terms.at(0).target, "Le \"chef\"");
    const auto tabbed = ReadGlossaryTable("source\ttarget\nA\\tB\tC\\\\D\n", TableFormat::Tsv);
    EXPECT_EQ(tabbed->glossary.terms.at(0).source, "A\tB");
    EXPECT_EQ(tabbed->glossary.terms.at(0).target, "C\\D");
}

// The TBX core structure, as a document type for xmllint to hold what we write against.
constexpr std::string_view CoreStructure = R"(<!ELEMENT martif (martifHeader, text)>
<!ATTLIST martif type CDATA #REQUIRED xml:lang CDATA #REQUIRED>
<!ELEMENT martifHeader (fileDesc)>
<!ELEMENT fileDesc (sourceDesc)>
<!ELEMENT sourceDesc (p)>
<!ELEMENT p (#PCDATA)>
<!ELEMENT text (body)>
<!ELEMENT body (termEntry+)>
<!ELEMENT termEntry (note*, langSet+)>
<!ATTLIST termEntry id ID #IMPLIED>
<!ELEMENT note (#PCDATA)>
<!ELEMENT langSet (tig+)>
<!ATTLIST langSet xml:lang CDATA #REQUIRED>
<!ELEMENT tig (term, termNote*)>
<!ELEMENT term (#PCDATA)>
<!ELEMENT termNote (#PCDATA)>
<!ATTLIST termNote type CDATA #REQUIRED>
)";

std::string output(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        if (!out.empty() && out.back() == '\n')
            out.pop_back();
        out += "|exit " + std::to_string(::pclose(pipe));
    }
    return out;
}

// No TBX schema is installed here: xmllint checks the file is well-formed XML in the core
// structure, and reads the terms back as any XML program would.
TEST(GlossaryFiles, XmllintReadsTheTbxWeWriteInTheCoreStructure) {
    TempDir dir;
    const std::string dtd = dir.write("core.dtd", CoreStructure);
    const std::string tbx = dir.file("glossary.tbx");
    ASSERT_TRUE(WriteGlossaryFile(realFileSystem(), tbx, sample()));
    EXPECT_EQ(output("xmllint --noout --dtdvalid '" + dtd + "' '" + tbx + "' 2>&1"), "|exit 0");
    EXPECT_EQ(
        output("xmllint --xpath 'string(/martif/text/body/termEntry[2]/langSet[2]/tig/term)' '" +
               tbx + "'"),
        "le Capitaine|exit 0");
    EXPECT_EQ(output("xmllint --xpath 'string(/martif/text/body/termEntry[6]/note)' '" + tbx + "'"),
              "tab\there, comma, <b>&amp;</b>|exit 0");
    EXPECT_EQ(output("xmllint --xpath 'count(//termEntry/langSet/tig/term)' '" + tbx + "'"),
              "14|exit 0");
}

// Other programs' TBX: a tbx root with termSec, ntig, comments, CDATA, references, other
// languages and data categories this program has no use for.
TEST(GlossaryFiles, TbxOfOtherShapesIsReadAndBrokenXmlRefusedWithItsLine) {
    const std::string other = R"(<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE tbx SYSTEM "TBXcoreStructV03.dtd">
<tbx type="TBX-Basic" xml:lang="en-US"><!-- made elsewhere -->
<tbxHeader/><text><body>
<conceptEntry id="c1"><descrip type="subjectField">ships</descrip>
 <langSet xml:lang="de"><termSec><term>Kapitän</term></termSec></langSet>
 <langSet xml:lang="fr-FR"><termSec><term><![CDATA[Capitaine & <co>]]></term></termSec></langSet>
 <langSet xml:lang="en-US"><termSec><term>Captain</term>
  <termNote type="partOfSpeech">noun</termNote></termSec></langSet></conceptEntry>
<conceptEntry id="c2"><langSet xml:lang="fr"><termSec><term>Seul</term></termSec></langSet>
</conceptEntry>
<conceptEntry id="c3"><langSet xml:lang="en"><ntig><termGrp><term>Deck&#x20;&#233;</term>
</termGrp></ntig></langSet></conceptEntry>
</body></text></tbx>)";
    const auto read = ReadTbx(other, "en", "fr");
    ASSERT_TRUE(read) << read.message();
    ASSERT_EQ(read->glossary.terms.size(), 2u);
    EXPECT_EQ(read->glossary.terms[0].target, "Capitaine & <co>");
    EXPECT_EQ(read->glossary.terms[1].source, "Deck é");
    EXPECT_EQ(read->problems,
              std::vector<std::string>{"Line 10: the entry has no term in the source language; "
                                       "passed over."});

    const struct {
        std::string text, message;
    } broken[] = {
        {"<martif>\n<text>\n</martif>", "Line 3 ends <martif> where <text> is open."},
        {"<martif>\n&nbsp;</martif>", "Line 2 refers to the entity &nbsp; which this program "
                                      "does not know."},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><martif/>",
         "Line 1 is in the encoding ISO-8859-1; this program reads UTF-8."},
        {"<martif>\n\xE9</martif>", "Line 2 holds a byte that is no UTF-8 character XML allows."},
        {"<!DOCTYPE m [<!ENTITY x \"y\">]><m/>",
         "Line 1 has a document type with declarations of its own, which this program does not "
         "read."},
        {"<m a='1' a='2'/>", "Line 1 repeats the attribute a."},
        {"<m><!-- open </m>", "Line 1 has a comment without its end."},
        {"<m/><n/>", "Line 1 has more after its root element."},
        {"<m>&#0;</m>", "Line 1 has a character reference to no character."},
    };
    for (const auto& c : broken)
        EXPECT_EQ(ReadXml(c.text).message(), c.message) << c.text;
    std::string deep;
    for (int i = 0; i <= MostXmlDepth; ++i)
        deep += "<a>";
    EXPECT_EQ(ReadXml(deep).message(), "Line 1 nests elements deeper than 64.");
    EXPECT_EQ(ReadTbx("<glossary/>").message(),
              "Line 1 has the root <glossary>, which is no TBX root (<martif> or <tbx>).");
}

} // namespace
} // namespace zyn::test
