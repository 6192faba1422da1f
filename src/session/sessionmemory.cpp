// The document session's side of the translation memory: suggestions for an entry, the entry
// list's "suggestion" and Fill from memory.

#include "characters/remapping.h"
#include "session/documentcommands.h"
#include "session/documentsession.h"

#include <algorithm>

namespace zyn {

namespace {

// Both lists' suggestions, best first (the first list first among equals), each text once.
std::vector<Suggestion> merged(std::vector<Suggestion> first, const std::vector<Suggestion>& second,
                               std::size_t limit) {
    first.insert(first.end(), second.begin(), second.end());
    std::stable_sort(first.begin(), first.end(), [](const Suggestion& a, const Suggestion& b) {
        return a.likeness > b.likeness;
    });
    std::vector<Suggestion> out;
    for (Suggestion& suggestion : first)
        if (out.size() < limit && std::none_of(out.begin(), out.end(), [&](const Suggestion& s) {
                return s.text == suggestion.text;
            }))
            out.push_back(std::move(suggestion));
    return out;
}

} // namespace

void DocumentSession::followForMemory() {
    // The document's own pairs are made again after any change to it or to its reference.
    const auto forget = [this] {
        ownMemory_.reset();
    };
    connect(this, &DocumentSession::entriesChanged, this, forget);
    connect(this, &DocumentSession::documentReplaced, this, forget);
    connect(this, &DocumentSession::referenceReplaced, this, forget);
    connect(this, &DocumentSession::displayChanged, this, forget);
}

void DocumentSession::setMemorySources(std::vector<std::string> sources) {
    if (sources == memorySources_)
        return;
    memorySources_ = std::move(sources);
    emit memorySourcesChanged();
}

void DocumentSession::setTranslationMemory(std::shared_ptr<const TranslationMemory> memory,
                                           std::vector<std::string> problems) {
    memory_ = std::move(memory);
    memoryProblems_ = std::move(problems);
    emit memoryReplaced();
}

const TranslationMemory& DocumentSession::ownMemory() const {
    if (ownMemory_)
        return *ownMemory_;
    ownMemory_ = std::make_unique<TranslationMemory>();
    const TextDocument& doc = open_.Document;
    const std::string& bank = doc.Origin.FromArchive ? doc.Origin.ItemName : doc.Origin.FileTitle;
    const int entries = std::min(entryCount(), open_.Reference.entryCount());
    for (int i = 0; i < entries; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        // The memory holds game codes; an entry typed through a remapping table is mapped back.
        std::string text = doc.EntryText[slot];
        if (doc.DisplayForm[slot] && state_.Characters.RemapLoaded) {
            UnmappedText unmapped = UnmapText(state_.Characters, text);
            if (unmapped.missing)
                continue;
            text = std::move(unmapped.text);
        }
        ownMemory_->add(open_.Reference.EntryText[slot], text, {bank, i});
    }
    return *ownMemory_;
}

std::vector<Suggestion> DocumentSession::exactTranslations(int entry) const {
    const std::string* source = referenceText(entry);
    if (!source || source->empty())
        return {};
    return merged(ownMemory().exact(*source),
                  memory_ ? memory_->exact(*source) : std::vector<Suggestion>{}, std::size_t(-1));
}

bool DocumentSession::suggested(int entry) const {
    if (entry < 0 || entry >= entryCount() || !untranslated(entry))
        return false;
    const std::string* source = referenceText(entry);
    return source && !source->empty() &&
           (ownMemory().holds(*source) || (memory_ && memory_->holds(*source)));
}

std::vector<Suggestion> DocumentSession::suggestions(int entry) const {
    const std::string* source = referenceText(entry);
    if (entry < 0 || entry >= entryCount() || !source || source->empty())
        return {};
    // The entry's own text is no suggestion for it.
    const std::string& text = open_.Document.EntryText[static_cast<std::size_t>(entry)];
    const std::size_t room = MostSuggestions + 1;
    std::vector<Suggestion> found =
        merged(ownMemory().Lookup(*source, room),
               memory_ ? memory_->Lookup(*source, room) : std::vector<Suggestion>{}, room);
    std::erase_if(found, [&](const Suggestion& s) { return s.text == text; });
    if (found.size() > MostSuggestions)
        found.resize(MostSuggestions);
    return found;
}

std::string DocumentSession::suggestionAsShown(const Suggestion& suggestion) const {
    return state_.Characters.RemapLoaded ? RemapText(state_.Characters, suggestion.text)
                                         : suggestion.text;
}

MemoryFill DocumentSession::fillFromMemory() {
    MemoryFill fill;
    std::vector<ReplaceCommand::Replaced> replaced;
    for (int i = 0; i < entryCount(); ++i) {
        if (!untranslated(i))
            continue;
        const std::vector<Suggestion> translations = exactTranslations(i);
        if (translations.size() == 1)
            replaced.push_back({i, translations.front().text});
        else if (translations.size() > 1)
            fill.left.push_back(i);
    }
    fill.filled = static_cast<int>(replaced.size());
    // The memory's texts are game codes.
    if (!replaced.empty())
        pushWithRecords(
            new ReplaceCommand(*this, QStringLiteral("Fill from memory"), replaced, false),
            TextRule::FromMemory);
    return fill;
}

} // namespace zyn
