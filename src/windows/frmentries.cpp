#include "windows/frmentries.h"

#include "session/documentspelling.h"
#include "session/projectsession.h"
#include "session/sessionglossary.h"
#include "windows/entrytypes.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace zyn {

namespace {

// Line breaks shown as a mark, so that every entry takes one line of the list.
QString oneLine(const DisplayCodec& codec, const std::string& bytes) {
    return codec.toOneLine(bytes, QStringLiteral(" \u00B6 "));
}

QString typeName(std::uint8_t code) {
    const EntryTypeInfo* type = findEntryType(code);
    if (!type)
        return QString::number(code);
    return QString::fromLatin1(type->caption).remove(QLatin1Char('&'));
}

QString statusText(const EntryStatus& status) {
    QStringList parts;
    if (status.untranslated)
        parts << QStringLiteral("untranslated");
    if (status.changed)
        parts << QStringLiteral("changed");
    if (!status.fits())
        parts << QStringLiteral("does not fit");
    if (status.misspelled)
        parts << QStringLiteral("spelling");
    if (status.suggestion)
        parts << QStringLiteral("suggestion");
    return parts.join(QStringLiteral(", "));
}

QString countOf(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromLatin1(count == 1 ? one : many));
}

// A note's mark in its column: a pencil.
const QString NoteMark = QStringLiteral("\u270E");

} // namespace

EntryModel::EntryModel(DocumentSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
    refresh();
}

void EntryModel::refresh() {
    beginResetModel();
    status_.assign(static_cast<std::size_t>(session_.entryCount()), {});
    for (int i = 0; i < session_.entryCount(); ++i)
        status_[static_cast<std::size_t>(i)] = session_.status(i);
    endResetModel();
}

void EntryModel::refreshEntries(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, rowCount() - 1);
    if (first > last)
        return;
    for (int i = first; i <= last; ++i)
        status_[static_cast<std::size_t>(i)] = session_.status(i);
    emit dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void EntryModel::refreshSuggestions() {
    for (int i = 0; i < rowCount(); ++i) {
        bool& suggestion = status_[static_cast<std::size_t>(i)].suggestion;
        if (suggestion != session_.suggested(i)) {
            suggestion = !suggestion;
            emit dataChanged(index(i, 0), index(i, ColumnCount - 1));
        }
    }
}

int EntryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(status_.size());
}

int EntryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EntryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int i = index.row();
    const TextDocument& doc = session_.document();
    if (role == Qt::ToolTipRole && index.column() == Status && !status(i).fits())
        return status(i).linesCut == 1 ? QStringLiteral("1 line cut off")
                                       : QStringLiteral("%1 lines cut off").arg(status(i).linesCut);
    if (role == Qt::ToolTipRole && index.column() == Note && status(i).hasNote)
        return QString::fromStdString(session_.note(i));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return i + 1;
    case Type:
        return doc.IsVersion2 ? typeName(doc.EntryType[static_cast<std::size_t>(i)]) : QString();
    case Text:
        return oneLine(session_.codec(), session_.entryAsShown(i));
    case Reference: {
        const std::string* reference = session_.referenceText(i);
        return reference ? oneLine(session_.codec(), *reference) : QString();
    }
    case Status:
        return statusText(status(i));
    case State: {
        const std::string_view caption = StateCaption(status(i).state);
        return QString::fromLatin1(caption.data(), qsizetype(caption.size()));
    }
    case Note:
        return status(i).hasNote ? NoteMark : QString();
    default:
        return {};
    }
}

QVariant EntryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[] = {"No.",    "Type",  "Text", "Reference",
                                        "Status", "State", "Note"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(names[section]) : QVariant();
}

frmEntries::frmEntries(DocumentSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    setObjectName(QStringLiteral("frmEntries"));
    setWindowTitle(QStringLiteral("Entries"));

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("txtFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    status_ = new QComboBox(this);
    status_->setObjectName(QStringLiteral("cboStatus"));
    status_->addItems({QStringLiteral("All"), QStringLiteral("Untranslated"),
                       QStringLiteral("Translated"), QStringLiteral("Changed"),
                       QStringLiteral("Does not fit"), QStringLiteral("Suggestion"),
                       QStringLiteral("Spelling"), QStringLiteral("Needs review"),
                       QStringLiteral("Reviewed"), QStringLiteral("With note")});
    auto* top = new QHBoxLayout;
    top->addWidget(filter_, 1);
    top->addWidget(status_);

    model_ = new EntryModel(session, this);
    proxy_ = new EntryFilter(session, this);
    proxy_->setSourceModel(model_);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("lstEntries"));
    view_->setModel(proxy_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 4);
    // The two texts share what the other columns, as wide as what they hold, leave: the
    // status stays whole in a narrow list too. The type's name is cut short: its number tells
    // the type.
    QHeaderView* columns = view_->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(EntryModel::Type, QHeaderView::Interactive);
    view_->setColumnWidth(EntryModel::Type,
                          view_->fontMetrics().horizontalAdvance(QStringLiteral("001: Normal")) +
                              16);
    columns->setSectionResizeMode(EntryModel::Text, QHeaderView::Stretch);
    columns->setSectionResizeMode(EntryModel::Reference, QHeaderView::Stretch);
    view_->installEventFilter(this);
    // The list, not the filter field, has the keys when the window is first shown.
    view_->setFocus();

    counts_ = new QLabel(this);
    counts_->setObjectName(QStringLiteral("lblCounts"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    layout->addWidget(counts_);

    connect(filter_, &QLineEdit::textChanged, this, &frmEntries::applyFilter);
    connect(status_, &QComboBox::currentIndexChanged, this, &frmEntries::applyFilter);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChosen(current); });
    connect(view_, &QAbstractItemView::doubleClicked, this, &frmEntries::editSelected);
    connect(&session, &DocumentSession::documentReplaced, this, &frmEntries::documentChanged);
    connect(&session, &DocumentSession::versionChanged, this, &frmEntries::documentChanged);
    // The character set changes how texts read and how long they are.
    connect(&session, &DocumentSession::displayChanged, this, &frmEntries::documentChanged);
    connect(&session, &DocumentSession::referenceReplaced, this, &frmEntries::documentChanged);
    connect(&session, &DocumentSession::statesReplaced, this, &frmEntries::documentChanged);
    connect(&session.spelling(), &DocumentSpelling::changed, this, &frmEntries::documentChanged);
    connect(&session, &DocumentSession::entriesChanged, this, &frmEntries::entriesChanged);
    connect(&session, &DocumentSession::memoryReplaced, this, [this] { entriesChanged(0, -1); });
    connect(&session.project(), &ProjectSession::glossaryChanged, this, &frmEntries::updateCounts);
    connect(&session, &DocumentSession::currentEntryChanged, this, &frmEntries::selectEntry);
    documentChanged();
}

void frmEntries::takeKeys() {
    // A floating dock is a window of its own, which must be the active one first.
    window()->activateWindow();
    view_->setFocus(Qt::ShortcutFocusReason);
}

bool frmEntries::hasKeys() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && isAncestorOf(focus) && isVisible();
}

int frmEntries::currentEntry() const {
    const QModelIndex current = proxy_->mapToSource(view_->currentIndex());
    return current.isValid() ? current.row() : -1;
}

bool frmEntries::event(QEvent* event) {
    // The main window's keys stay on in its tool windows; these are the list's own, so that
    // they move the list and edit its rows, not the main window's entry.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_F2:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return true;
        case Qt::Key_F:
            if (key->modifiers() == Qt::ControlModifier) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

bool frmEntries::eventFilter(QObject* watched, QEvent* event) {
    // Home and End go to the first and last row shown; the table would go to a column.
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Home || key == Qt::Key_End) {
            if (const int rows = proxy_->rowCount(); rows > 0)
                view_->setCurrentIndex(proxy_->index(key == Qt::Key_Home ? 0 : rows - 1, 0));
            return true;
        }
    }
    // Coming to rows that do not show the current entry, the first one shown is taken, so that
    // Enter edits what the list shows.
    if (watched == view_ && event->type() == QEvent::FocusIn && !view_->currentIndex().isValid() &&
        proxy_->rowCount() > 0)
        view_->setCurrentIndex(proxy_->index(0, 0));
    return QWidget::eventFilter(watched, event);
}

void frmEntries::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F && event->modifiers() == Qt::ControlModifier) {
        filter_->setFocus(Qt::ShortcutFocusReason);
        filter_->selectAll();
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && filter_->hasFocus()) {
        // Done filtering: back to the rows.
        view_->setFocus(Qt::OtherFocusReason);
    } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && status_->hasFocus()) {
        // A status chosen: the current row, or else the first row it shows, is edited.
        view_->setFocus(Qt::OtherFocusReason);
        if (!view_->currentIndex().isValid() && proxy_->rowCount() > 0)
            view_->setCurrentIndex(proxy_->index(0, 0));
        editSelected();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2) {
        editSelected();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void frmEntries::editSelected() {
    const int entry = currentEntry();
    if (entry < 0)
        return;
    session_.setCurrentEntry(entry);
    session_.requestEdit();
}

void frmEntries::showEvent(QShowEvent* event) {
    applyFilter();
    QWidget::showEvent(event);
}

void frmEntries::hideEvent(QHideEvent* event) {
    // Closed, the list filters nothing the translation loop goes through; behind another dock's
    // tab or with the main window minimised it is not closed.
    const bool closed = isHidden() || (parentWidget() && parentWidget()->isHidden());
    if (!event->spontaneous() && closed)
        session_.setEntryFilter({}, StatusFilter::All);
    QWidget::hideEvent(event);
}

void frmEntries::documentChanged() {
    model_->refresh();
    updateCounts();
    selectEntry(session_.currentEntry());
}

void frmEntries::entriesChanged(int first, int last) {
    model_->refreshEntries(first, last);
    // A translation made here may be the memory's match for entries anywhere.
    model_->refreshSuggestions();
    // A row the filter shows may not show any more, or the other way round; that moves no
    // entry.
    following_ = true;
    proxy_->invalidate();
    following_ = false;
    updateCounts();
    selectEntry(session_.currentEntry());
}

void frmEntries::selectEntry(int entry) {
    const QModelIndex row = proxy_->mapFromSource(model_->index(entry, 0));
    if (row == view_->currentIndex())
        return;
    following_ = true;
    if (row.isValid()) {
        view_->setCurrentIndex(row);
        view_->scrollTo(row);
    } else {
        // No current row either: a row the filter left current would not report being chosen.
        view_->selectionModel()->clear();
    }
    following_ = false;
}

void frmEntries::rowChosen(const QModelIndex& current) {
    if (following_ || !current.isValid())
        return;
    const int entry = proxy_->mapToSource(current).row();
    if (entry != session_.currentEntry())
        session_.setCurrentEntry(entry);
}

StatusFilter frmEntries::statusFilter() const {
    return static_cast<StatusFilter>(status_->currentIndex());
}

void frmEntries::setStatusFilter(StatusFilter filter) {
    status_->setCurrentIndex(static_cast<int>(filter));
}

void frmEntries::applyFilter() {
    // When the current row is filtered out the view moves to a neighbour; that is no choice of
    // the user's and must not move the main window.
    following_ = true;
    session_.setEntryFilter(filter_->text(), statusFilter());
    proxy_->refilter();
    following_ = false;
    selectEntry(session_.currentEntry());
}

void frmEntries::updateCounts() {
    StateTally states;
    int cut = 0;
    for (int i = 0; i < model_->rowCount(); ++i) {
        const EntryStatus& status = model_->status(i);
        states.add(status.state);
        cut += status.linesCut > 0 ? 1 : 0;
    }
    QStringList said{
        countOf(states.count(EntryState::Translated), "translated", "translated"),
        countOf(states.count(EntryState::NeedsReview), "needs review", "need review"),
        countOf(states.count(EntryState::Reviewed), "reviewed", "reviewed"),
        countOf(states.count(EntryState::Untranslated), "untranslated", "untranslated"),
        countOf(cut, "does not fit", "do not fit")};
    if (const std::optional<int> lacking = EntriesLackingTerms(session_))
        said << countOf(*lacking, "lacks a glossary term", "lack glossary terms");
    counts_->setText(said.join(QStringLiteral(", ")));
}

} // namespace zyn
