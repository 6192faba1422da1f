#pragma once

// The translation project the editor works in, for the whole run and every bank of its
// language: the project file's records (state, note and source hash of each entry), where the
// file is, and the glossary it names. The application owns one beside the document session;
// windows read it and change it only through it, and follow it through its signals.

#include "base/filesystem.h"
#include "base/result.h"
#include "project/glossary.h"
#include "project/projectfile.h"
#include "project/termmatch.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

class ProjectSession final : public QObject {
    Q_OBJECT
public:
    explicit ProjectSession(FileSystem& files, QObject* parent = nullptr);
    // The file system asked for at each use, for an owner whose file system may be replaced.
    explicit ProjectSession(std::function<FileSystem&()> files, QObject* parent = nullptr);
    ~ProjectSession() override;

    FileSystem& files() const { return files_(); }
    bool isOpen() const { return project_.has_value(); }
    // The open project; only while isOpen().
    const TranslationProject& project() const { return *project_; }
    // The project file's path as the program opens it; "" while none is open.
    const std::string& path() const { return path_; }
    // The lines of the file that could not be read when it was opened, each skipped.
    const std::vector<ProjectProblem>& problems() const { return problems_; }
    // Counts the projects opened, created and closed: a change recorded for one project is not
    // undone into another.
    int generation() const { return generation_; }
    // Records changed since the project was opened or last saved.
    bool isModified() const { return modified_; }

    // A new project at path, written at once so that it is there to be opened next time.
    Status create(const std::string& path, TranslationProject project);
    // The project at path, and the glossary it names (a glossary that cannot be read leaves
    // the project open without terms; glossaryProblems() says why).
    Status open(const std::string& path);
    void close();
    // Writes the records through the safe writer.
    Status save();

    // Where the project's archive is, and whether it is there.
    ArchiveLocation archive() const;
    // The archive moved: the project now names path (relative to the project file).
    void setArchive(const std::string& path);

    // The record of an entry of a bank ("FR_012.DIA"), or nullptr.
    const EntryRecord* record(const std::string& bank, int entry) const;
    // Sets or removes an entry's record: marks the project modified and says so.
    void setRecord(const std::string& bank, int entry, std::optional<EntryRecord> record);
    // Every record of a bank, or nullptr.
    const BankRecords* bankRecords(const std::string& bank) const;

    // The projects opened last, newest first (File > Recent files); the settings keep them.
    const std::vector<std::string>& recentProjects() const { return recent_; }
    void setRecentProjects(std::vector<std::string> paths);
    // The project at path opened or created: first in the list, once.
    void rememberRecent(const std::string& path);
    void forgetRecent(const std::string& path);

    // The glossary's file as the program opens it; "" for none.
    std::string glossaryPath() const;
    const Glossary& glossary() const { return glossary_; }
    // The terms indexed for lookup; nullptr while the glossary has none.
    const TermIndex* terms() const { return terms_.get(); }
    const std::vector<std::string>& glossaryProblems() const { return glossaryProblems_; }
    // A changed glossary: indexed again and said; saveGlossary() writes it.
    void setGlossary(Glossary glossary);
    // Writes the glossary beside the project (named by the project, else "glossary.tsv" in
    // the project's folder, or "fr-glossary.tsv" for fr.zyp when that is taken; recorded in
    // the project).
    Status saveGlossary();
    // glossary written beside the project first and only then made the project's, the project
    // file saved too when it did not name a glossary yet; on failure nothing changes.
    Status storeGlossary(Glossary glossary);

signals:
    // Opened, created, closed, or its header changed.
    void projectChanged();
    // A record of bank changed (bank as the project names it).
    void recordChanged(const QString& bank, int entry);
    void glossaryChanged();
    void recentProjectsChanged();

private:
    void readGlossary();
    std::string newGlossaryName() const;

    std::function<FileSystem&()> files_;
    std::optional<TranslationProject> project_;
    std::string path_;
    std::vector<ProjectProblem> problems_;
    bool modified_ = false;
    int generation_ = 0;
    Glossary glossary_;
    std::unique_ptr<TermIndex> terms_;
    std::vector<std::string> glossaryProblems_;
    std::vector<std::string> recent_;
};

} // namespace zyn
