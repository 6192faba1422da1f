#pragma once

// The project window: every bank of the language being translated, with its counts by state and
// the checks' columns (BankStatus's, the numbers of `zyntext status`), a totals row and a
// progress bar by words. The banks are counted on a thread of their own and shown as they come;
// the open bank's row follows the session's document as the translator works. Enter or a
// double-click asks for a bank to be opened; the main window, which owns the open flow and
// holds this window in a dock, does it.

#include "project/bankcounts.h"
#include "project/consistency.h"

#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QTableView;

namespace zyn {

class DocumentSession;
class ProjectStatusModel;
class SpellChecker;
class TotalsLastProxy;
struct TextDocument;

class frmProject final : public QWidget {
    Q_OBJECT
public:
    explicit frmProject(DocumentSession& session, QWidget* parent = nullptr);
    ~frmProject() override;

    QTableView* lstBanks() const { return list_; }
    QLabel* lblStatus() const { return status_; }

    // The archive whose banks are listed ("" for none), whether every bank is counted, and
    // whether they are being counted.
    const std::string& archivePath() const { return key_.path; }
    bool filled() const;
    bool counting() const;
    // Counts the banks again when the archive, the languages or the project changed since the
    // last count, or none was made.
    void refresh();

    // The bank after (before) the open one in the order shown, and the next one after it with
    // entries to do; -1 for none.
    int neighbourBank(bool forward) const;
    int nextBankWithWork() const;

signals:
    void openBankRequested(int item);
    // Every bank of the archive is counted.
    void fillFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Fill;
    // What the rows are of: the archive, its game, the languages and the project.
    struct Key {
        std::string path;
        bool isVersion2 = false;
        int from = -1, to = -1;
        std::string project;
        int characterSet = 0;
        bool operator==(const Key&) const = default;
    };
    Key currentKey() const;
    void startFill(const Key& key);
    void stopFill();
    // The open bank's row from the session's document, the records and the source bank.
    void updateCurrentRow();
    void scheduleCurrentRow();
    void followSession();
    // The item of the open bank when it is one of the rows' archive and language, else -1.
    int openItem() const;
    // The rows in the order shown, totals left out, and their items.
    std::vector<BankCounts> shownRows(std::vector<int>& items) const;
    void activated(int item);
    // What the fill says, on this window's thread.
    void banksListed(int generation, const std::vector<std::pair<int, QString>>& banks);
    void bankCounted(int generation, int item, const BankCounts& counts);
    void consistencyCounted(int generation, std::shared_ptr<std::vector<ConsistencyEntry>> entries,
                            const std::map<int, int>& counts);
    // The open bank's source as the archive held it when it was opened.
    const TextDocument& sourceOf(int item);
    // The consistency column again, the open bank's entries as the session holds them: when
    // the session saves, so the column tells the texts saved.
    void recountConsistency();
    void fillEnded(int generation, std::shared_ptr<SpellChecker> checker, const QString& problem);

    DocumentSession& session_;
    QTableView* list_ = nullptr;
    QLabel* status_ = nullptr;
    ProjectStatusModel* model_ = nullptr;
    TotalsLastProxy* proxy_ = nullptr;
    Key key_;
    // Each fill's messages carry its number; those of a fill stopped since are dropped.
    int generation_ = 0;
    // The dictionary of the language, handed over by the fill that opened it.
    std::shared_ptr<SpellChecker> checker_;
    bool counted_ = false;
    QString problem_; // why the last count failed
    std::unique_ptr<Fill> fill_;
    // The source bank of the open one, as the archive held it when it was opened.
    std::unique_ptr<TextDocument> source_;
    int sourceItem_ = -1;
    // The translated entries of every bank, as the fill read them and saves changed them; the
    // consistency column's counts from them.
    std::shared_ptr<std::vector<ConsistencyEntry>> translated_;
    std::map<int, int> consistency_;
    bool rowPending_ = false;
};

} // namespace zyn
