// The main window's translation project file: File > New Translation Project... and Open
// Translation Project..., the projects among the recent files, and an archive that moved.

#include "archive/archiveindex.h"
#include "archive/itemnames.h"
#include "flows/pocatalog.h"
#include "project/projectfile.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "windows/documentfiles.h"
#include "windows/frmeditor.h"
#include "windows/frmselhqr.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"
#include "windows/shortcuts.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

namespace zyn {

namespace {

const QString ProjectFilter =
    QStringLiteral("Translation projects (*.zyp)|*.zyp|All files (*.*)|*.*");
const QString ArchiveFilter = QStringLiteral("ZYN archives (*.hqr)|*.hqr|All files (*.*)|*.*");

QString languageName(int language) {
    return QString::fromStdString(PoLanguagePrefix(language));
}

} // namespace

void frmText::buildProjectFileItems(QMenu* file) {
    addItem(file, "mnuFileNewProject", "&New Translation Project...",
            &frmText::mnuFileNewProject_Click);
    addItem(file, "mnuFileOpenProject", "Open &Translation Project...",
            &frmText::mnuFileOpenProject_Click);
    buildStateKeys();
}

void frmText::buildStateKeys() {
    const auto editorKey = [this](const char* name, const char* text, QKeySequence keys,
                                  void (frmEditor::*command)()) {
        auto* action = new QAction(QString::fromUtf8(text), this);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(keys);
        // Pressed in the editor's window only: the action is given to no other.
        action->setShortcutContext(Qt::WindowShortcut);
        action->setProperty(ShortcutWhereProperty, QStringLiteral("String editor"));
        connect(action, &QAction::triggered, this, [this, command] {
            if (editor_)
                (editor_.data()->*command)();
        });
        return action;
    };
    editorReviewed_ = editorKey("actEditorReviewed", "Mark reviewed, or take the mark back",
                                QKeySequence(Qt::CTRL | Qt::Key_R), &frmEditor::toggleReviewed);
    editorNote_ = editorKey("actEditorNote", "To the note", QKeySequence(Qt::CTRL | Qt::Key_N),
                            &frmEditor::editNote);
}

void frmText::addStateKeys(frmEditor& editor) {
    editor.addAction(editorReviewed_);
    editor.addAction(editorNote_);
}

void frmText::showRecentProjects() {
    const std::vector<std::string>& recent = session_.project().recentProjects();
    if (recent.empty())
        return;
    QAction* first = mnuFileRecent_->actions().isEmpty() ? nullptr : mnuFileRecent_->actions()[0];
    for (std::size_t i = 0; i < recent.size(); ++i) {
        const QString path = fromNative(recent[i]);
        auto* action = new QAction(
            QFileInfo(path).fileName() + QStringLiteral(" (translation project)"), mnuFileRecent_);
        action->setObjectName(QStringLiteral("mnuFileRecentProject%1").arg(i + 1));
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (!session_.files().info(nativePath(path)).exists) {
                session_.project().forgetRecent(nativePath(path));
                prompts_.notify(this, caption(),
                                QStringLiteral("The translation project %1 is no longer there, "
                                               "so it was taken off the recent files.")
                                    .arg(path),
                                Prompts::Icon::Information);
                return;
            }
            openProject(path);
        });
        mnuFileRecent_->insertAction(first, action);
    }
    if (first)
        mnuFileRecent_->insertSeparator(first);
}

void frmText::mnuFileNewProject_Click() {
    const DocumentOrigin& origin = session_.origin();
    const bool version2 = session_.document().IsVersion2;
    const int target = origin.FromArchive ? ItemLanguage(version2, origin.ArchiveItem) : -1;
    if (target < 0) {
        prompts_.notify(this, caption(),
                        QStringLiteral("A translation project is made for a bank of a text "
                                       "archive: open the bank you translate with File > Open "
                                       "from HQR first."),
                        Prompts::Icon::Information);
        return;
    }
    QStringList languages;
    for (int language = 0; language < TextArchiveLanguages(version2); ++language)
        languages << languageName(language);
    // English is the source of most translations; a translation of English takes another.
    const int offered = target == 0 ? 1 : 0;
    const int source = prompts_.chooseItem(
        this, caption(),
        QStringLiteral("The project translates into %1. Which language does it translate from?")
            .arg(languageName(target)),
        languages, offered);
    if (source < 0)
        return;
    if (source == target) {
        prompts_.notify(this, caption(),
                        QStringLiteral("A project translates from another language than %1.")
                            .arg(languageName(target)),
                        Prompts::Icon::Stop);
        return;
    }
    const QString archive = fromNative(origin.ArchivePath());
    const QString chosen = prompts_.saveFileName(
        this, {QStringLiteral("New translation project"), ProjectFilter, QStringLiteral("zyp"),
               QFileInfo(archive).absolutePath() + QLatin1Char('/') +
                   languageName(target).toLower() + QStringLiteral(".zyp"),
               Prompts::FileKind::Project});
    if (chosen.isEmpty())
        return;
    TranslationProject project;
    project.archive = ProjectRelativePath(nativePath(chosen), origin.ArchivePath());
    project.game = version2 ? 2 : 1;
    project.sourceLanguage = source;
    project.targetLanguage = target;
    if (const Status created = session_.project().create(nativePath(chosen), std::move(project));
        !created) {
        prompts_.notify(this, caption(), fromNative(created.message()), Prompts::Icon::Stop);
        return;
    }
    session_.project().rememberRecent(nativePath(chosen));
}

void frmText::mnuFileOpenProject_Click() {
    const QString chosen = prompts_.openFileName(
        this, {QStringLiteral("Open translation project"), ProjectFilter, QStringLiteral("zyp"),
               fromNative(session_.project().path()), Prompts::FileKind::Project});
    if (!chosen.isEmpty())
        openProject(chosen);
}

bool frmText::openProject(const QString& path) {
    // The open document's states belong to the project open now.
    if (!askSaveChanges(session_, prompts_, this))
        return false;
    ProjectSession& project = session_.project();
    if (const Status opened = project.open(nativePath(path)); !opened) {
        prompts_.notify(this, caption(), fromNative(opened.message()), Prompts::Icon::Stop);
        return false;
    }
    project.rememberRecent(nativePath(path));
    if (!project.problems().empty())
        prompts_.notify(this, caption(),
                        QStringLiteral("%1 lines of %2 could not be read and were skipped; the "
                                       "first: %3")
                            .arg(project.problems().size())
                            .arg(path, fromNative(project.problems().front().message)),
                        Prompts::Icon::Information);
    if (project.archive().place != ArchivePlace::Found && !findMovedArchive())
        return true;
    // Its archive's banks, to choose the one to translate.
    const std::string archive = project.archive().path;
    if (session_.origin().FromArchive && session_.origin().ArchivePath() == archive)
        return true;
    ArchiveIndex index;
    if (readChosenArchiveIndex(session_, prompts_, this, archive, index)) {
        session_.openDocument().Flow.SaveMode = false;
        itemDialog()->openFor(archive, std::move(index));
    }
    return true;
}

bool frmText::findMovedArchive() {
    ProjectSession& project = session_.project();
    const QString missing = fromNative(project.archive().path);
    const QString chosen = prompts_.openFileName(
        this, {QStringLiteral("Where is the archive %1 of this project now?")
                   .arg(QFileInfo(missing).fileName()),
               ArchiveFilter, QStringLiteral("hqr"), missing, Prompts::FileKind::Archive});
    if (chosen.isEmpty())
        return false;
    project.setArchive(nativePath(chosen));
    if (const Status saved = project.save(); !saved) {
        prompts_.notify(this, caption(),
                        QStringLiteral("The project now names %1, but it could not be written: "
                                       "%2")
                            .arg(chosen, fromNative(saved.message())),
                        Prompts::Icon::Stop);
    }
    return project.archive().place == ArchivePlace::Found;
}

} // namespace zyn
