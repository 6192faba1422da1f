#include "windows/frmproject.h"

#include "archive/itemnames.h"
#include "characters/wordletters.h"
#include "flows/archiveitemflow.h"
#include "flows/bankpairs.h"
#include "flows/pocatalog.h"
#include "project/languagechecks.h"
#include "project/languagestatus.h"
#include "project/projectfile.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "spelling/spellchecker.h"
#include "windows/pathtext.h"
#include "windows/projectstatusmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <unordered_map>

namespace zyn {

namespace {

// Everything a fill needs, copied: the session may change while the thread counts.
struct FillJob {
    FileSystem* files = nullptr;
    std::string path;
    bool isVersion2 = false;
    int from = 0, to = 0;
    std::optional<TranslationProject> project;
    std::vector<GlossaryTerm> terms;
    const CharacterSet* set = nullptr;
    bool gameFont = false;
    std::optional<TextFit> rule;
};

// The checks both the fill and the open bank's row count with.
BankChecks checksOf(const EntryFit* fit, SpellChecker* checker, const CharacterSet& set,
                    const TermIndex* terms) {
    BankChecks checks;
    checks.fit = fit;
    if (checker)
        checks.misspelled = HasUnknownWords(*checker, set.letters);
    checks.terms = terms;
    checks.letters = &set.letters;
    return checks;
}

// The fit rule over the letters codes show, each measured now: the session's rule measures
// through Qt's font metrics and keeps what it measured, which only its own thread may do.
TextFit measuredForCodes(const TextFit& rule, const LetterTable& letters) {
    std::unordered_map<char32_t, std::int32_t> advances;
    for (int code = 0; code < 256; ++code) {
        const char32_t letter = letters.letter(static_cast<std::uint8_t>(code));
        advances.emplace(letter, rule.advance(letter));
    }
    advances.emplace(U'\n', rule.advance(U'\n'));
    return TextFit(
        rule.fontLines(),
        [advances = std::move(advances)](char32_t c) {
            const auto found = advances.find(c);
            return found != advances.end() ? found->second : 0;
        },
        rule.box());
}

} // namespace

struct frmProject::Fill {
    std::atomic<bool> stop{false};
    std::thread thread;
};

frmProject::frmProject(DocumentSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("frmproject"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblProjectStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    model_ = new ProjectStatusModel(this);
    proxy_ = new TotalsLastProxy(this);
    proxy_->setSourceModel(model_);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("lstBanks"));
    list_->setModel(proxy_);
    list_->setSortingEnabled(true);
    list_->sortByColumn(-1, Qt::AscendingOrder);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->setItemDelegateForColumn(ProjectStatusModel::Progress, new ProgressDelegate(list_));
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(list_);
    connect(list_, &QTableView::activated, this, [this](const QModelIndex& index) {
        activated(index.data(ProjectStatusModel::ItemRole).toInt());
    });

    followSession();
    refresh();
}

frmProject::~frmProject() {
    stopFill();
}

void frmProject::followSession() {
    DocumentSession* session = &session_;
    ProjectSession* project = &session_.project();
    // A change of archive, language or project counts every bank again, once the window is
    // seen; the open bank's row follows the document.
    const auto changed = [this] {
        if (isVisible())
            refresh();
        scheduleCurrentRow();
    };
    connect(session, &DocumentSession::documentReplaced, this, [this, changed] {
        source_.reset();
        sourceItem_ = -1;
        changed();
    });
    connect(session, &DocumentSession::displayChanged, this, changed);
    connect(session, &DocumentSession::lastSourceLanguageChanged, this, changed);
    connect(project, &ProjectSession::projectChanged, this, changed);
    connect(project, &ProjectSession::glossaryChanged, this, [this, changed] {
        counted_ = false;
        changed();
    });
    connect(session, &DocumentSession::entriesChanged, this, &frmProject::scheduleCurrentRow);
    connect(session, &DocumentSession::referenceReplaced, this, &frmProject::scheduleCurrentRow);
    connect(session, &DocumentSession::originChanged, this, &frmProject::scheduleCurrentRow);
    connect(project, &ProjectSession::recordChanged, this, &frmProject::scheduleCurrentRow);
    // Saved (or undone back to what was saved): the texts held now are the saved ones.
    connect(session, &DocumentSession::cleanChanged, this, [this](bool clean) {
        if (clean)
            recountConsistency();
    });
}

void frmProject::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

frmProject::Key frmProject::currentKey() const {
    Key key;
    const ProjectSession& project = session_.project();
    const DocumentOrigin& origin = session_.origin();
    if (project.isOpen()) {
        const TranslationProject& open = project.project();
        key.path = project.archive().path;
        key.isVersion2 = open.game == 2;
        key.from = open.sourceLanguage;
        key.to = open.targetLanguage;
        key.project = project.path();
    } else if (origin.FromArchive) {
        key.isVersion2 = session_.document().IsVersion2;
        key.to = ItemLanguage(key.isVersion2, origin.ArchiveItem);
        key.from = session_.sourceLanguage();
        if (key.to >= 0)
            key.path = origin.FilePath;
    }
    key.characterSet = session_.characterSetIndex();
    return key;
}

bool frmProject::filled() const {
    return counted_ && problem_.isEmpty() && !fill_ && key_ == currentKey();
}

bool frmProject::counting() const {
    return fill_ != nullptr;
}

void frmProject::refresh() {
    const Key key = currentKey();
    if (key == key_ && (counted_ || fill_))
        return;
    startFill(key);
}

void frmProject::stopFill() {
    if (!fill_)
        return;
    fill_->stop = true;
    fill_->thread.join();
    fill_.reset();
}

void frmProject::startFill(const Key& key) {
    stopFill();
    key_ = key;
    counted_ = false;
    problem_.clear();
    checker_.reset();
    translated_.reset();
    consistency_.clear();
    const int generation = ++generation_;
    model_->setBanks({});
    if (key.path.empty()) {
        status_->setText(QStringLiteral("Open a bank of a text archive, or a translation "
                                        "project, to see every bank of its language."));
        return;
    }
    status_->setText(QStringLiteral("Counting the %1 banks from %2...")
                         .arg(QString::fromStdString(PoLanguagePrefix(key.to)),
                              QString::fromStdString(PoLanguagePrefix(key.from))));

    FillJob job;
    job.files = &session_.files();
    job.path = key.path;
    job.isVersion2 = key.isVersion2;
    job.from = key.from;
    job.to = key.to;
    if (session_.project().isOpen()) {
        job.project = session_.project().project();
        job.terms = session_.project().glossary().terms;
    }
    job.set = &session_.codec().characterSet();
    job.gameFont = session_.codec().gameFont();
    job.rule =
        measuredForCodes(session_.previewFit().rule(), DisplayLetters(*job.set, job.gameFont));

    fill_ = std::make_unique<Fill>();
    std::atomic<bool>& stop = fill_->stop;
    // The thread ends before this window does (stopFill), so its queued calls find it alive;
    // those of a fill stopped meanwhile carry an old generation and are dropped.
    fill_->thread = std::thread([this, generation, &stop, job = std::move(job)] {
        const auto post = [this](auto call) {
            QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
        };
        ArchiveIndex index;
        if (Status read = ReadArchiveIndex(*job.files, job.path, index); !read) {
            post([this, generation, problem = QString::fromStdString(read.message())] {
                fillEnded(generation, nullptr, problem);
            });
            return;
        }
        ArchiveFlow names;
        NameTextArchiveItems(names, job.isVersion2, false);
        std::vector<std::pair<int, QString>> banks;
        for (const BankPair& pair : DialogueBanks(index, job.isVersion2, job.from, job.to))
            banks.emplace_back(pair.target,
                               QString::fromLatin1(ArchiveItemName(names, pair.target)));
        post([this, generation, banks] { banksListed(generation, banks); });

        // A column that cannot be filled stays "-", as in the tool.
        std::shared_ptr<SpellChecker> checker;
        if (auto opened =
                SpellChecker::open(*job.files, job.to, DictionaryFolders(), PersonalWordFolder()))
            checker = std::move(*opened);
        const EntryFit fit{*job.rule, DisplayLetters(*job.set, job.gameFont)};
        const std::unique_ptr<TermIndex> terms =
            job.terms.empty() ? nullptr : std::make_unique<TermIndex>(job.terms);
        const BankChecks checks = checksOf(&fit, checker.get(), *job.set, terms.get());
        auto translated = std::make_shared<std::vector<ConsistencyEntry>>();
        const Status walked = ForEachBankStatus(
            *job.files, job.path, index, names, job.isVersion2, job.from, job.to,
            job.project ? &*job.project : nullptr, CodeClassesOf(job.set->letters), checks,
            [&](int item, BankCounts row) {
                if (stop)
                    return false;
                post([this, generation, item, row = std::move(row)] {
                    bankCounted(generation, item, row);
                });
                return !stop;
            },
            translated.get());
        // Every bank is needed for the consistency column: counted here once they are read.
        if (walked && !stop)
            post([this, generation, translated, counts = ConsistencyCountsByItem(*translated)] {
                consistencyCounted(generation, translated, counts);
            });
        post([this, generation, checker, problem = QString::fromStdString(walked.message())] {
            fillEnded(generation, checker, problem);
        });
    });
}

void frmProject::banksListed(int generation, const std::vector<std::pair<int, QString>>& banks) {
    if (generation != generation_)
        return;
    model_->setBanks(banks);
    model_->setCurrent(openItem());
}

void frmProject::bankCounted(int generation, int item, const BankCounts& counts) {
    if (generation != generation_)
        return;
    model_->setCounts(item, counts);
}

void frmProject::consistencyCounted(int generation,
                                    std::shared_ptr<std::vector<ConsistencyEntry>> entries,
                                    const std::map<int, int>& counts) {
    if (generation != generation_)
        return;
    translated_ = std::move(entries);
    consistency_ = counts;
    model_->setConsistency(consistency_);
}

void frmProject::recountConsistency() {
    const int item = openItem();
    if (!translated_ || fill_ || item < 0 || model_->rowOf(item) < 0)
        return;
    const std::string bank = ConsistencyBank(item);
    std::erase_if(*translated_, [&](const ConsistencyEntry& entry) { return entry.bank == bank; });
    const ProjectSession& project = session_.project();
    AddTranslatedEntries(
        bank, EntryTexts(sourceOf(item)), EntryTexts(session_.document()),
        project.isOpen() ? project.bankRecords(ProjectBankName(key_.isVersion2, item)) : nullptr,
        *translated_);
    consistency_ = ConsistencyCountsByItem(*translated_);
    model_->setConsistency(consistency_);
}

void frmProject::fillEnded(int generation, std::shared_ptr<SpellChecker> checker,
                           const QString& problem) {
    if (generation != generation_)
        return;
    if (fill_) {
        fill_->thread.join();
        fill_.reset();
    }
    checker_ = std::move(checker);
    // A failed count is not tried again until something changes.
    counted_ = true;
    problem_ = problem;
    const int banks = model_->rowCount() > 0 ? model_->rowCount() - 1 : 0;
    status_->setText(problem.isEmpty()
                         ? QStringLiteral("%1 of %2 from %3, in %4")
                               .arg(banks == 1 ? QStringLiteral("1 bank")
                                               : QStringLiteral("%1 banks").arg(banks),
                                    QString::fromStdString(PoLanguagePrefix(key_.to)),
                                    QString::fromStdString(PoLanguagePrefix(key_.from)),
                                    fromNative(key_.path))
                         : problem);
    updateCurrentRow();
    emit fillFinished();
}

int frmProject::openItem() const {
    const DocumentOrigin& origin = session_.origin();
    if (key_.path.empty() || !origin.FromArchive || origin.FilePath != key_.path ||
        session_.document().IsVersion2 != key_.isVersion2 ||
        ItemLanguage(key_.isVersion2, origin.ArchiveItem) != key_.to)
        return -1;
    return origin.ArchiveItem;
}

void frmProject::scheduleCurrentRow() {
    // Many signals come with one change: the row is counted once they are all in.
    if (rowPending_)
        return;
    rowPending_ = true;
    QTimer::singleShot(0, this, [this] {
        rowPending_ = false;
        updateCurrentRow();
    });
}

void frmProject::updateCurrentRow() {
    const int item = openItem();
    model_->setCurrent(item);
    // While the fill runs, the dictionary is the fill's; the row is counted when it ends.
    if (item < 0 || model_->rowOf(item) < 0 || fill_)
        return;
    const CharacterSet& set = session_.codec().characterSet();
    const EntryFit fit{session_.previewFit().rule(),
                       DisplayLetters(set, session_.codec().gameFont())};
    const ProjectSession& project = session_.project();
    const BankRecords* records =
        project.isOpen() ? project.bankRecords(ProjectBankName(key_.isVersion2, item)) : nullptr;
    const BankChecks checks =
        checksOf(&fit, checker_.get(), set, project.isOpen() ? project.terms() : nullptr);
    BankCounts counts =
        BankStatus(ProjectBankName(key_.isVersion2, item), sourceOf(item), session_.document(),
                   records, CodeClassesOf(set.letters), checks);
    if (translated_) {
        const auto found = consistency_.find(item);
        counts.consistency = found == consistency_.end() ? 0 : found->second;
    }
    model_->setCounts(item, counts);
}

const TextDocument& frmProject::sourceOf(int item) {
    const OpenDocument& state = session_.openDocument();
    const int sourceItem = SameBankInLanguage(key_.isVersion2, item, key_.from);
    if (!source_ || sourceItem_ != sourceItem) {
        // The source bank as the archive in memory holds it; read once per bank opened.
        sourceItem_ = sourceItem;
        source_ = std::make_unique<TextDocument>();
        if (sourceItem >= 0 && sourceItem < state.Archive.itemCount() &&
            !state.Archive.ItemData[std::size_t(sourceItem)].empty())
            if (auto loaded = LoadIndexedDocument(session_.files(), key_.path, state.Archive,
                                                  state.Flow, sourceItem, key_.isVersion2))
                source_ = std::move(*loaded);
    }
    return *source_;
}

std::vector<BankCounts> frmProject::shownRows(std::vector<int>& items) const {
    std::vector<BankCounts> rows;
    items.clear();
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        const QModelIndex index = proxy_->index(row, 0);
        const int item = index.data(ProjectStatusModel::ItemRole).toInt();
        if (item < 0)
            continue;
        items.push_back(item);
        rows.push_back(model_->countsAt(proxy_->mapToSource(index).row()));
    }
    return rows;
}

int frmProject::neighbourBank(bool forward) const {
    std::vector<int> items;
    const std::vector<BankCounts> rows = shownRows(items);
    const auto at = std::find(items.begin(), items.end(), openItem());
    const int row =
        NeighbourBank(static_cast<int>(items.size()),
                      at == items.end() ? -1 : static_cast<int>(at - items.begin()), forward);
    return row < 0 ? -1 : items[std::size_t(row)];
}

int frmProject::nextBankWithWork() const {
    std::vector<int> items;
    const std::vector<BankCounts> rows = shownRows(items);
    const auto at = std::find(items.begin(), items.end(), openItem());
    const int row =
        NextBankWithWork(rows, at == items.end() ? -1 : static_cast<int>(at - items.begin()));
    return row < 0 ? -1 : items[std::size_t(row)];
}

void frmProject::activated(int item) {
    if (item >= 0)
        emit openBankRequested(item);
}

} // namespace zyn
