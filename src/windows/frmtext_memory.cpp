// The translation memory's items of the Edit menu.

#include "session/documentsession.h"
#include "windows/frmmemorysources.h"
#include "windows/frmtext.h"
#include "windows/pathtext.h"

#include <QDialog>
#include <QMenu>

namespace zyn {

namespace {

// Entries listed in a message before the rest are only counted.
constexpr std::size_t ListedEntries = 20;

} // namespace

void frmText::buildMemoryItems(QMenu* edit) {
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEditSep3"));
    addItem(edit, "mnuEditFillFromMemory", "Fill from &memory",
            &frmText::mnuEditFillFromMemory_Click);
    addItem(edit, "mnuEditMemorySources", "Translation memory &sources...",
            &frmText::mnuEditMemorySources_Click);
}

void frmText::mnuEditFillFromMemory_Click() {
    const QString title = QStringLiteral("Fill from memory");
    if (!session_.document().hasEntries())
        return;
    // An entry's source is its reference text: without one nothing can be matched.
    if (!session_.referenceText(0)) {
        prompts_.notify(this, title,
                        QStringLiteral("An entry's source is its reference text: choose the "
                                       "text translated from first, with View > Compare with..."),
                        Prompts::Icon::Information);
        return;
    }
    const MemoryFill fill = session_.fillFromMemory();
    QString text = fill.filled == 1
                       ? QStringLiteral("1 entry was filled from the translation memory.")
                       : QStringLiteral("%1 entries were filled from the translation memory.")
                             .arg(fill.filled);
    if (!fill.left.empty()) {
        QStringList numbers;
        for (std::size_t i = 0; i < std::min(fill.left.size(), ListedEntries); ++i)
            numbers << QString::number(fill.left[i] + 1);
        if (fill.left.size() > ListedEntries)
            numbers << QStringLiteral("and %1 more").arg(fill.left.size() - ListedEntries);
        text += (fill.left.size() == 1
                     ? QStringLiteral("\n\nLeft alone, as the memory holds several different "
                                      "translations of its source: entry %1.")
                     : QStringLiteral("\n\nLeft alone, as the memory holds several different "
                                      "translations of their sources: entries %1."))
                    .arg(numbers.join(QStringLiteral(", ")));
    }
    prompts_.notify(this, title, text, Prompts::Icon::Information);
}

void frmText::mnuEditMemorySources_Click() {
    const std::vector<std::string> before = session_.memorySources();
    frmMemorySources dialog(session_, prompts_, this);
    if (dialog.exec() != QDialog::Accepted || session_.memorySources() == before)
        return;
    // The memory is built away from the window: a source that could not be read is said once
    // the build that read it is handed over.
    auto* once = new QObject(this);
    connect(&session_, &DocumentSession::memoryReplaced, once, [this, once] {
        once->deleteLater();
        disconnect(&session_, nullptr, once, nullptr);
        if (session_.memoryProblems().empty())
            return;
        QStringList lines;
        for (const std::string& problem : session_.memoryProblems())
            lines << fromNative(problem);
        prompts_.notify(this, QStringLiteral("Translation memory sources"),
                        QStringLiteral("Not read into the memory:\n\n") +
                            lines.join(QLatin1Char('\n')),
                        Prompts::Icon::Information);
    });
}

} // namespace zyn
