#include "project/glossarytbx.h"

#include "project/xmlreader.h"

namespace zyn {

namespace {

void appendTerm(std::string& out, const std::string& language, const std::string& term,
                const std::vector<std::string_view>& notes) {
    out += "        <langSet xml:lang=\"" + EscapeXml(language) + "\">\n";
    out += "          <tig>\n";
    out += "            <term>" + EscapeXml(term) + "</term>\n";
    for (const std::string_view type : notes)
        out += "            <termNote type=\"" + std::string(type) + "\">yes</termNote>\n";
    out += "          </tig>\n";
    out += "        </langSet>\n";
}

// "en" matches "en", "EN", "en-US" and "en_US".
bool sameLanguage(const std::string& code, const std::string& wanted) {
    const std::string a = AsciiLowered(code), b = AsciiLowered(wanted);
    return a == b || ((a.starts_with(b + "-") || a.starts_with(b + "_")));
}

std::string languageOf(const XmlElement& element) {
    const std::string* lang = element.attribute("xml:lang");
    return lang ? *lang : std::string();
}

// The terms of a langSet: TBX 2 puts each in a tig or an ntig's termGrp, TBX 3 in a termSec.
struct LangTerm {
    const XmlElement* term = nullptr;
    const XmlElement* holder = nullptr; // where its termNotes are
};

std::vector<LangTerm> termsOf(const XmlElement& langSet) {
    std::vector<LangTerm> terms;
    for (const XmlElement& child : langSet.children) {
        const XmlElement* holder = &child;
        if (child.name == "ntig")
            holder = child.firstChild("termGrp");
        else if (child.name != "tig" && child.name != "termSec")
            continue;
        if (holder)
            if (const XmlElement* term = holder->firstChild("term"))
                terms.push_back({term, holder});
    }
    return terms;
}

bool hasYesNote(const XmlElement& holder, std::string_view type) {
    for (const XmlElement* note : holder.childrenNamed("termNote"))
        if (const std::string* kind = note->attribute("type"); kind && *kind == type)
            return ReadMark(note->text).value_or(false);
    return false;
}

} // namespace

std::string WriteTbx(const Glossary& glossary) {
    const std::string source = glossary.sourceLanguage.empty() ? "en" : glossary.sourceLanguage;
    // "und", undetermined, where a glossary names no target language.
    const std::string target = glossary.targetLanguage.empty() ? "und" : glossary.targetLanguage;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<martif type=\"TBX\" xml:lang=\"" + EscapeXml(source) + "\">\n";
    out += "  <martifHeader>\n    <fileDesc>\n      <sourceDesc>\n";
    out += "        <p>Glossary of a zyntext translation project</p>\n";
    out += "      </sourceDesc>\n    </fileDesc>\n  </martifHeader>\n";
    out += "  <text>\n    <body>\n";
    for (std::size_t i = 0; i < glossary.terms.size(); ++i) {
        const GlossaryTerm& term = glossary.terms[i];
        out += "      <termEntry id=\"t" + std::to_string(i + 1) + "\">\n";
        if (!term.note.empty())
            out += "        <note>" + EscapeXml(term.note) + "</note>\n";
        std::vector<std::string_view> notes;
        if (term.doNotTranslate)
            notes.push_back("x-doNotTranslate");
        if (term.caseSensitive)
            notes.push_back("x-caseSensitive");
        appendTerm(out, source, term.source, notes);
        const std::string& translation = term.doNotTranslate ? term.source : term.target;
        if (!translation.empty())
            appendTerm(out, target, translation, {});
        out += "      </termEntry>\n";
    }
    out += "    </body>\n  </text>\n</martif>\n";
    return out;
}

Result<ReadGlossary> ReadTbx(std::string_view text, const std::string& sourceLanguage,
                             const std::string& targetLanguage) {
    Result<XmlElement> root = ReadXml(text);
    if (!root)
        return root.status();
    if (root->name != "martif" && root->name != "tbx")
        return Result<ReadGlossary>::failure(
            ErrorKind::Damaged, "Line " + std::to_string(root->line) + " has the root <" +
                                    root->name + ">, which is no TBX root (<martif> or <tbx>).");
    const XmlElement* textPart = root->firstChild("text");
    const XmlElement* body = textPart ? textPart->firstChild("body") : nullptr;
    if (!body)
        return Result<ReadGlossary>::failure(ErrorKind::Damaged,
                                             "The TBX file has no <text> with a <body>.");
    ReadGlossary read;
    Glossary& glossary = read.glossary;
    glossary.sourceLanguage = sourceLanguage.empty() ? languageOf(*root) : sourceLanguage;
    glossary.targetLanguage = targetLanguage;
    const auto entries =
        body->childrenNamed(body->firstChild("conceptEntry") ? "conceptEntry" : "termEntry");
    for (const XmlElement* entry : entries) {
        const XmlElement* sourceSet = nullptr;
        const XmlElement* targetSet = nullptr;
        for (const XmlElement* langSet : entry->childrenNamed("langSet")) {
            const std::string language = languageOf(*langSet);
            if (glossary.sourceLanguage.empty())
                glossary.sourceLanguage = language;
            if (!sourceSet && sameLanguage(language, glossary.sourceLanguage))
                sourceSet = langSet;
            else if (!targetSet && !sameLanguage(language, glossary.sourceLanguage) &&
                     (glossary.targetLanguage.empty() ||
                      sameLanguage(language, glossary.targetLanguage))) {
                targetSet = langSet;
                if (glossary.targetLanguage.empty())
                    glossary.targetLanguage = language;
            }
        }
        const std::vector<LangTerm> sources =
            sourceSet ? termsOf(*sourceSet) : std::vector<LangTerm>{};
        if (sources.empty() || sources.front().term->text.empty()) {
            read.problems.push_back("Line " + std::to_string(entry->line) +
                                    ": the entry has no term in the source language; passed "
                                    "over.");
            continue;
        }
        GlossaryTerm term;
        term.source = sources.front().term->text;
        term.doNotTranslate = hasYesNote(*sources.front().holder, "x-doNotTranslate");
        term.caseSensitive = hasYesNote(*sources.front().holder, "x-caseSensitive");
        if (targetSet)
            if (const std::vector<LangTerm> targets = termsOf(*targetSet); !targets.empty())
                term.target = targets.front().term->text;
        if (term.doNotTranslate && term.target == term.source)
            term.target.clear();
        for (const XmlElement* note : entry->childrenNamed("note"))
            term.note += (term.note.empty() ? "" : "\n") + note->text;
        glossary.terms.push_back(std::move(term));
    }
    return read;
}

} // namespace zyn
