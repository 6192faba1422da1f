#include "session/projectsession.h"

#include "flows/pocatalog.h"
#include "project/glossaryfile.h"

namespace zyn {

namespace {

constexpr std::size_t MostRecentProjects = 4;

} // namespace

ProjectSession::ProjectSession(FileSystem& files, QObject* parent)
    : ProjectSession([&files]() -> FileSystem& { return files; }, parent) {}

ProjectSession::ProjectSession(std::function<FileSystem&()> files, QObject* parent)
    : QObject(parent), files_(std::move(files)) {}

ProjectSession::~ProjectSession() = default;

Status ProjectSession::create(const std::string& path, TranslationProject project) {
    if (Status written = WriteProjectFile(files_(), path, project); !written)
        return written;
    project_ = std::move(project);
    path_ = path;
    ++generation_;
    problems_.clear();
    modified_ = false;
    readGlossary();
    emit projectChanged();
    return {};
}

Status ProjectSession::open(const std::string& path) {
    auto read = ReadProjectFile(files_(), path);
    if (!read)
        return read.status();
    project_ = std::move(read->project);
    ++generation_;
    problems_ = std::move(read->problems);
    path_ = path;
    modified_ = false;
    readGlossary();
    emit projectChanged();
    return {};
}

void ProjectSession::close() {
    if (!project_)
        return;
    project_.reset();
    ++generation_;
    path_.clear();
    problems_.clear();
    modified_ = false;
    glossary_ = {};
    terms_.reset();
    glossaryProblems_.clear();
    emit projectChanged();
    emit glossaryChanged();
}

Status ProjectSession::save() {
    if (!project_)
        return {};
    if (Status written = WriteProjectFile(files_(), path_, *project_); !written)
        return written;
    modified_ = false;
    return {};
}

ArchiveLocation ProjectSession::archive() const {
    if (!project_)
        return {};
    return LocateArchive(files_(), path_, *project_);
}

void ProjectSession::setArchive(const std::string& path) {
    if (!project_)
        return;
    project_->archive = ProjectRelativePath(path_, path);
    modified_ = true;
    emit projectChanged();
}

const EntryRecord* ProjectSession::record(const std::string& bank, int entry) const {
    return project_ ? project_->record(bank, entry) : nullptr;
}

void ProjectSession::setRecord(const std::string& bank, int entry,
                               std::optional<EntryRecord> record) {
    if (!project_)
        return;
    const EntryRecord* before = project_->record(bank, entry);
    if ((before == nullptr && !record) || (before && record && *before == *record))
        return;
    project_->setRecord(bank, entry, std::move(record));
    modified_ = true;
    emit recordChanged(QString::fromStdString(bank), entry);
}

const BankRecords* ProjectSession::bankRecords(const std::string& bank) const {
    if (!project_)
        return nullptr;
    const auto found = project_->banks.find(bank);
    return found == project_->banks.end() ? nullptr : &found->second;
}

void ProjectSession::setRecentProjects(std::vector<std::string> paths) {
    recent_ = std::move(paths);
    emit recentProjectsChanged();
}

void ProjectSession::rememberRecent(const std::string& path) {
    std::erase(recent_, path);
    recent_.insert(recent_.begin(), path);
    if (recent_.size() > MostRecentProjects)
        recent_.resize(MostRecentProjects);
    emit recentProjectsChanged();
}

void ProjectSession::forgetRecent(const std::string& path) {
    if (std::erase(recent_, path) > 0)
        emit recentProjectsChanged();
}

std::string ProjectSession::glossaryPath() const {
    if (!project_ || project_->glossary.empty())
        return {};
    return ResolveProjectPath(path_, project_->glossary);
}

void ProjectSession::readGlossary() {
    glossary_ = {};
    terms_.reset();
    glossaryProblems_.clear();
    if (const std::string file = glossaryPath(); !file.empty()) {
        auto read = ReadGlossaryFile(files_(), file, PoLanguageCode(project_->sourceLanguage),
                                     PoLanguageCode(project_->targetLanguage));
        if (!read)
            glossaryProblems_.push_back(read.message());
        else {
            glossary_ = std::move(read->glossary);
            glossaryProblems_ = std::move(read->problems);
        }
    }
    if (!glossary_.terms.empty())
        terms_ = std::make_unique<TermIndex>(glossary_.terms);
    emit glossaryChanged();
}

void ProjectSession::setGlossary(Glossary glossary) {
    glossary_ = std::move(glossary);
    terms_ = glossary_.terms.empty() ? nullptr : std::make_unique<TermIndex>(glossary_.terms);
    emit glossaryChanged();
}

Status ProjectSession::saveGlossary() {
    if (!project_)
        return Status::failure(ErrorKind::Unsupported, "No translation project is open.");
    if (project_->glossary.empty()) {
        project_->glossary = newGlossaryName();
        modified_ = true;
        emit projectChanged();
    }
    return WriteGlossaryFile(files_(), glossaryPath(), glossary_);
}

std::string ProjectSession::newGlossaryName() const {
    // Another project of the same folder may have taken the plain name already.
    if (!files_().info(ResolveProjectPath(path_, "glossary.tsv")).exists)
        return "glossary.tsv";
    std::string stem = path_.substr(path_.find_last_of('/') + 1);
    if (const std::size_t dot = stem.find_last_of('.'); dot != std::string::npos && dot > 0)
        stem.erase(dot);
    return stem + "-glossary.tsv";
}

Status ProjectSession::storeGlossary(Glossary glossary) {
    if (!project_)
        return Status::failure(ErrorKind::Unsupported, "No translation project is open.");
    const bool named = !project_->glossary.empty();
    const std::string name = named ? project_->glossary : newGlossaryName();
    const std::string file = ResolveProjectPath(path_, name);
    if (Status written = WriteGlossaryFile(files_(), file, glossary); !written)
        return written;
    if (!named) {
        // Without its name in the project file the next run would not find the glossary.
        project_->glossary = name;
        if (Status saved = WriteProjectFile(files_(), path_, *project_); !saved) {
            project_->glossary.clear();
            return saved;
        }
        modified_ = false;
        emit projectChanged();
    }
    setGlossary(std::move(glossary));
    return {};
}

} // namespace zyn
