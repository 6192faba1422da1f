#include "windows/editorsettings.h"

#include "document/recentfiles.h"
#include "flows/archiveitemflow.h"
#include "flows/pocatalog.h"
#include "session/documentsession.h"
#include "session/documentspelling.h"
#include "session/projectsession.h"
#include "session/statusfilter.h"
#include "windows/frmentries.h"
#include "windows/pathtext.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QRect>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

namespace zyn {

namespace {

// The windows whose places are kept, by their object names.
const QStringList PlacedWindows = {QStringLiteral("frmText"), QStringLiteral("frmEntries"),
                                   QStringLiteral("frmEditor"), QStringLiteral("frmTable"),
                                   QStringLiteral("frmSelHQR")};
// Set on a window once its place was restored: later showings keep where it is now.
constexpr const char* PlacedProperty = "zynPlaced";
// The main window's docks, by their object names. A dock added later takes its default place;
// a layout Qt could no longer read is dropped by its version.
constexpr int DockStateVersion = 1;
const QString DockStateKey = QStringLiteral("windows/docks");

// A document is remembered by its file and item; the item is -1 for a loose file.
struct Place {
    QString path;
    int item = -1;
    QString itemName;

    static Place of(const DocumentOrigin& origin) {
        return {fromNative(origin.FilePath), origin.FromArchive ? origin.ArchiveItem : -1,
                QString::fromLatin1(origin.ItemName)};
    }
    DocumentOrigin origin() const {
        return item < 0
                   ? LooseFileOrigin(nativePath(path))
                   : ArchiveItemOrigin(nativePath(path), item, itemName.toLatin1().toStdString());
    }
    bool operator==(const Place& other) const { return path == other.path && item == other.item; }

    void write(QSettings& settings, const QString& prefix) const {
        settings.setValue(prefix + QStringLiteral("path"), path);
        settings.setValue(prefix + QStringLiteral("item"), item);
        settings.setValue(prefix + QStringLiteral("itemName"), itemName);
    }
    static Place read(const QSettings& settings, const QString& prefix) {
        return {settings.value(prefix + QStringLiteral("path")).toString(),
                settings.value(prefix + QStringLiteral("item"), -1).toInt(),
                settings.value(prefix + QStringLiteral("itemName")).toString()};
    }
};

struct Reference {
    Place document, reference;
    bool version2 = false;
};

// The references kept, the newest first; no more than this many.
constexpr std::size_t KeptReferences = 100;

std::vector<Reference> readReferences(QSettings& settings) {
    std::vector<Reference> references;
    const int count = settings.beginReadArray(QStringLiteral("references"));
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        references.push_back({Place::read(settings, QString()),
                              Place::read(settings, QStringLiteral("reference/")),
                              settings.value(QStringLiteral("zyn2")).toBool()});
    }
    settings.endArray();
    return references;
}

void writeReferences(QSettings& settings, const std::vector<Reference>& references) {
    settings.remove(QStringLiteral("references"));
    settings.beginWriteArray(QStringLiteral("references"));
    for (int i = 0; i < static_cast<int>(references.size()); ++i) {
        settings.setArrayIndex(i);
        const Reference& reference = references[static_cast<std::size_t>(i)];
        reference.document.write(settings, QString());
        reference.reference.write(settings, QStringLiteral("reference/"));
        settings.setValue(QStringLiteral("zyn2"), reference.version2);
    }
    settings.endArray();
}

// A window can be taken back from where its top edge shows on a screen.
bool onSomeScreen(const QRect& place) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&place](const QScreen* screen) {
        const QRect seen = screen->geometry().intersected(place);
        return seen.top() == place.top() && seen.width() >= 40 && seen.height() >= 20;
    });
}

QString windowKey(const QWidget& window) {
    return QStringLiteral("windows/") + window.objectName();
}

// Fixed names: the kinds' order and the dialogs' titles may change.
QString folderKey(Prompts::FileKind kind) {
    const auto name = [kind] {
        switch (kind) {
        case Prompts::FileKind::Text:
            return "text";
        case Prompts::FileKind::Archive:
            return "archive";
        case Prompts::FileKind::Reference:
            return "reference";
        case Prompts::FileKind::MemorySource:
            return "memory-source";
        case Prompts::FileKind::Remapping:
            return "remapping";
        case Prompts::FileKind::Ordinal:
            return "ordinal";
        case Prompts::FileKind::Project:
            return "project";
        case Prompts::FileKind::Glossary:
            return "glossary";
        }
        return "other";
    };
    return QStringLiteral("folders/") + QLatin1String(name());
}

const QString StatusKey = QStringLiteral("entries/status");

QString storedName(StatusFilter filter) {
    const std::string_view name = statusFilterName(filter);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The entry list's status filter by its name. Editors before the names kept the list's index;
// such a number is read as the filter it stood for then, and written back as its name.
StatusFilter readStatusFilter(QSettings& settings) {
    const QString stored = settings.value(StatusKey).toString();
    if (auto filter = statusFilterNamed(stored.toStdString()))
        return *filter;
    static constexpr std::string_view FiltersByOldIndex[] = {
        "all", "untranslated", "translated", "changed", "does-not-fit", "suggestion", "spelling"};
    bool number = false;
    const int index = stored.toInt(&number);
    if (!number || index < 0 || index >= static_cast<int>(std::size(FiltersByOldIndex)))
        return StatusFilter::All;
    const StatusFilter filter =
        statusFilterNamed(FiltersByOldIndex[index]).value_or(StatusFilter::All);
    settings.setValue(StatusKey, storedName(filter));
    return filter;
}

} // namespace

EditorSettings::EditorSettings(DocumentSession& session, QObject* parent)
    : QObject(parent), session_(session), settings_(fileName(), QSettings::IniFormat) {
    std::vector<DocumentOrigin>& recent = session.state().RecentFiles;
    recent.clear();
    const int count = settings_.beginReadArray(QStringLiteral("recentFiles"));
    for (int i = 0; i < count && recent.size() < MaxRecentFiles; ++i) {
        settings_.setArrayIndex(i);
        const Place place = Place::read(settings_, QString());
        if (!place.path.isEmpty())
            recent.push_back(place.origin());
    }
    settings_.endArray();

    connect(&session, &DocumentSession::documentReplaced, this, [this] {
        writeRecentFiles();
        rememberReference();
    });
    connect(&session, &DocumentSession::referenceReplaced, this, &EditorSettings::referenceChosen);
    readMemorySources();
    readRecentProjects();
    readSubstitutions();
    readSourceLanguage();
}

EditorSettings::~EditorSettings() {
    if (qApp)
        qApp->removeEventFilter(this);
    // A file that was gone has been taken off since.
    writeRecentFiles();
}

void EditorSettings::readMemorySources() {
    const QString key = QStringLiteral("memory/sources");
    std::vector<std::string> sources;
    for (const QString& path : settings_.value(key).toStringList())
        if (QFileInfo::exists(path))
            sources.push_back(nativePath(path));
    session_.setMemorySources(std::move(sources));
    connect(&session_, &DocumentSession::memorySourcesChanged, this, [this, key] {
        QStringList paths;
        for (const std::string& source : session_.memorySources())
            paths << fromNative(source);
        settings_.setValue(key, paths);
    });
}

void EditorSettings::readRecentProjects() {
    const QString key = QStringLiteral("projects/recent");
    std::vector<std::string> paths;
    for (const QString& path : settings_.value(key).toStringList())
        if (QFileInfo::exists(path))
            paths.push_back(nativePath(path));
    ProjectSession& project = session_.project();
    project.setRecentProjects(std::move(paths));
    connect(&project, &ProjectSession::recentProjectsChanged, this, [this, key] {
        QStringList paths;
        for (const std::string& path : session_.project().recentProjects())
            paths << fromNative(path);
        settings_.setValue(key, paths);
    });
}

void EditorSettings::readSubstitutions() {
    Substitutions substitutions;
    substitutions.baseLetters =
        settings_.value(QStringLiteral("typing/baseLetters"), false).toBool();
    const int count = settings_.beginReadArray(QStringLiteral("substitutions"));
    for (int i = 0; i < count; ++i) {
        settings_.setArrayIndex(i);
        const std::u32string letter =
            settings_.value(QStringLiteral("character")).toString().toStdU32String();
        const std::u32string standIn =
            settings_.value(QStringLiteral("standIn")).toString().toStdU32String();
        // A pair edited by hand into something the window would not take is dropped.
        if (letter.size() == 1 && !standIn.empty())
            substitutions.own.push_back({letter.front(), standIn});
    }
    settings_.endArray();
    session_.setSubstitutions(std::move(substitutions));
    connect(&session_, &DocumentSession::substitutionsChanged, this, [this] {
        const Substitutions& now = session_.substitutions();
        settings_.setValue(QStringLiteral("typing/baseLetters"), now.baseLetters);
        settings_.remove(QStringLiteral("substitutions"));
        settings_.beginWriteArray(QStringLiteral("substitutions"));
        for (int i = 0; i < static_cast<int>(now.own.size()); ++i) {
            settings_.setArrayIndex(i);
            const Substitution& pair = now.own[static_cast<std::size_t>(i)];
            settings_.setValue(QStringLiteral("character"),
                               QString::fromStdU32String(std::u32string(1, pair.letter)));
            settings_.setValue(QStringLiteral("standIn"), QString::fromStdU32String(pair.standIn));
        }
        settings_.endArray();
    });
}

void EditorSettings::readSourceLanguage() {
    // By the language's name ("EN"), as the tool's options name it.
    const QString key = QStringLiteral("project/sourceLanguage");
    const int language = PoLanguageBlock(settings_.value(key).toString().toStdString());
    if (language >= 0)
        session_.setLastSourceLanguage(language);
    connect(&session_, &DocumentSession::lastSourceLanguageChanged, this, [this, key] {
        settings_.setValue(key,
                           QString::fromStdString(PoLanguagePrefix(session_.lastSourceLanguage())));
    });
}

QString EditorSettings::fileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zyntexteditor/settings.conf");
}

QString EditorSettings::recoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zyntexteditor/recovery");
}

void EditorSettings::restore() {
    const QString set = settings_.value(QStringLiteral("display/characterSet")).toString();
    if (const CharacterSet* found = FindCharacterSet(set.toStdString()))
        session_.setCharacterSet(static_cast<int>(found - CharacterSets.data()));
    const QString group = settings_.value(QStringLiteral("display/keyboardGroup")).toString();
    if (const std::optional<KeyboardGroup> found = FindKeyboardGroup(group.toStdString()))
        session_.setKeyboardGroup(*found);
    // The language spell-checked in: "bank", "none" or a bank's language code.
    DocumentSpelling& spelling = session_.spelling();
    const QString language = settings_.value(QStringLiteral("spelling/language")).toString();
    if (language == QStringLiteral("none"))
        spelling.setChoice(DocumentSpelling::Off);
    else if (const int found = FindSpellingLanguage(language.toStdString()); found >= 0)
        spelling.setChoice(found);
    connect(&spelling, &DocumentSpelling::changed, this, [this, &spelling] {
        const int choice = spelling.choice();
        settings_.setValue(QStringLiteral("spelling/language"),
                           choice == DocumentSpelling::FromBank ? QStringLiteral("bank")
                           : choice == DocumentSpelling::Off
                               ? QStringLiteral("none")
                               : QString::fromLatin1(SpellingLanguages[std::size_t(choice)].code));
    });
    // Only now: the load step chooses its own set first.
    connect(&session_, &DocumentSession::displayChanged, this, &EditorSettings::writeDisplay);
    connect(&session_, &DocumentSession::keyboardGroupChanged, this, &EditorSettings::writeDisplay);
    qApp->installEventFilter(this);
}

void EditorSettings::writeDisplay() {
    settings_.setValue(QStringLiteral("display/characterSet"),
                       QString::fromLatin1(session_.codec().characterSet().name));
    settings_.setValue(QStringLiteral("display/keyboardGroup"),
                       QString::fromLatin1(KeyboardGroupName(session_.keyboardGroup())));
}

void EditorSettings::writeRecentFiles() {
    const std::vector<DocumentOrigin>& recent = session_.state().RecentFiles;
    settings_.remove(QStringLiteral("recentFiles"));
    settings_.beginWriteArray(QStringLiteral("recentFiles"));
    for (int i = 0; i < static_cast<int>(recent.size()); ++i) {
        settings_.setArrayIndex(i);
        Place::of(recent[static_cast<std::size_t>(i)]).write(settings_, QString());
    }
    settings_.endArray();
}

void EditorSettings::referenceChosen() {
    const OpenDocument& state = session_.openDocument();
    // The bank's own source language is found again without being remembered.
    if (session_.referenceIsAutomatic() || state.Reference.SlotCount == 0 ||
        state.Reference.Origin.FilePath.empty() || state.Document.Origin.FilePath.empty())
        return;
    const Reference chosen{Place::of(state.Document.Origin), Place::of(state.Reference.Origin),
                           state.Reference.IsVersion2};
    std::vector<Reference> references = readReferences(settings_);
    std::erase_if(references,
                  [&chosen](const Reference& known) { return known.document == chosen.document; });
    references.insert(references.begin(), chosen);
    if (references.size() > KeptReferences)
        references.resize(KeptReferences);
    writeReferences(settings_, references);
}

void EditorSettings::rememberReference() {
    const Place document = Place::of(session_.origin());
    std::vector<Reference> references = readReferences(settings_);
    const auto found =
        std::find_if(references.begin(), references.end(),
                     [&document](const Reference& known) { return known.document == document; });
    if (found == references.end())
        return;
    const DocumentOrigin origin = found->reference.origin();
    auto loaded = ReadTextAt(session_.files(), origin, found->version2);
    if (!loaded) {
        references.erase(found);
        writeReferences(settings_, references);
        return;
    }
    session_.setReference(std::move(*loaded), origin);
}

QString EditorSettings::lastFolder(Prompts::FileKind kind, const QString& title) {
    const QString key = folderKey(kind);
    QString folder = settings_.value(key).toString();
    // Editors before the kinds kept a folder for each dialog's title.
    if (const QString titled = QStringLiteral("folders/") + title; settings_.contains(titled)) {
        if (folder.isEmpty())
            folder = settings_.value(titled).toString();
        settings_.remove(titled);
        settings_.setValue(key, folder);
    }
    if (folder.isEmpty() || QFileInfo(folder).isDir())
        return folder;
    settings_.remove(key);
    return {};
}

void EditorSettings::setLastFolder(Prompts::FileKind kind, const QString& chosen) {
    settings_.setValue(folderKey(kind), QFileInfo(chosen).absolutePath());
}

bool EditorSettings::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide)
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !PlacedWindows.contains(window->objectName()) || event->spontaneous())
        return false;
    // The entry list is placed as a dock of the main window; its columns and filter are its own.
    if (!window->isWindow() && !qobject_cast<frmEntries*>(window))
        return false;
    if (type == QEvent::Hide)
        keepPlace(*window);
    else if (!window->property(PlacedProperty).toBool())
        placeWindow(*window);
    return false;
}

void EditorSettings::placeWindow(QWidget& window) {
    window.setProperty(PlacedProperty, true);
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        main->restoreState(settings_.value(DockStateKey).toByteArray(), DockStateVersion);
    if (!window.isWindow()) {
        restoreEntryList(window);
        return;
    }
    const QString key = windowKey(window);
    const QRect place = settings_.value(key).toRect();
    if (place.isValid() && onSomeScreen(place)) {
        if (window.minimumSize() != window.maximumSize())
            window.resize(place.size());
        window.move(place.topLeft());
        // The native window exists by now, and the move alone would put its inner area where
        // its frame was.
        if (QWindow* native = window.windowHandle())
            native->setFramePosition(place.topLeft());
    } else {
        settings_.remove(key);
    }
}

void EditorSettings::restoreEntryList(QWidget& window) {
    if (auto* entries = qobject_cast<frmEntries*>(&window)) {
        entries->lstEntries()->horizontalHeader()->restoreState(
            settings_.value(QStringLiteral("entries/columns")).toByteArray());
        entries->txtFilter()->setText(settings_.value(QStringLiteral("entries/filter")).toString());
        entries->setStatusFilter(readStatusFilter(settings_));
    }
}

void EditorSettings::keepPlace(QWidget& window) {
    if (window.isWindow())
        settings_.setValue(windowKey(window), QRect(window.pos(), window.size()));
    if (auto* main = qobject_cast<QMainWindow*>(&window))
        settings_.setValue(DockStateKey, main->saveState(DockStateVersion));
    if (auto* entries = qobject_cast<frmEntries*>(&window)) {
        settings_.setValue(QStringLiteral("entries/columns"),
                           entries->lstEntries()->horizontalHeader()->saveState());
        settings_.setValue(QStringLiteral("entries/filter"), entries->txtFilter()->text());
        settings_.setValue(StatusKey, storedName(entries->statusFilter()));
    }
}

Prompts::FileDialog RememberingPrompts::inFolder(FileDialog dialog) {
    // A dialog given a name of its own starts there.
    if (dialog.initialName.isEmpty())
        if (const QString folder = settings_.lastFolder(dialog.kind, dialog.title);
            !folder.isEmpty())
            dialog.initialName = folder + QLatin1Char('/');
    return dialog;
}

QString RememberingPrompts::remember(const FileDialog& dialog, const QString& chosen) {
    if (!chosen.isEmpty())
        settings_.setLastFolder(dialog.kind, chosen);
    return chosen;
}

} // namespace zyn
