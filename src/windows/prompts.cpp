#include "windows/prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace zyn {

QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // Qt reads the patterns from the brackets of the description; make sure they are the
        // dialog's own patterns, and spell "*.*" as "*" so that files without a dot show.
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        const qsizetype bracket = description.lastIndexOf(QLatin1Char('('));
        if (bracket >= 0)
            description = description.left(bracket).trimmed();
        entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

QMessageBox::Icon qtIcon(Prompts::Icon icon) {
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::Stop:
        return QMessageBox::Critical;
    case Prompts::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

Prompts::Answer ask(QWidget* parent, const QString& title, const QString& text,
                    QMessageBox::StandardButtons buttons,
                    QMessageBox::StandardButton preferred = QMessageBox::Yes) {
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    box.setDefaultButton(preferred);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Prompts::Answer::Yes;
    case QMessageBox::No:
        return Prompts::Answer::No;
    default:
        // Esc or the close box: No where there is no Cancel, Cancel otherwise.
        return buttons.testFlag(QMessageBox::Cancel) ? Prompts::Answer::Cancel
                                                     : Prompts::Answer::No;
    }
}

QFileDialog* makeDialog(QWidget* parent, const Prompts::FileDialog& dialog) {
    auto* fileDialog = new QFileDialog(parent, dialog.title);
    fileDialog->setNameFilter(qtFilter(dialog.filter));
    fileDialog->setDefaultSuffix(dialog.defaultExtension);
    if (!dialog.initialName.isEmpty())
        fileDialog->selectFile(dialog.initialName);
    return fileDialog;
}

QString run(QFileDialog* fileDialog) {
    QString chosen;
    if (fileDialog->exec() == QDialog::Accepted && !fileDialog->selectedFiles().isEmpty())
        chosen = fileDialog->selectedFiles().constFirst();
    delete fileDialog;
    return chosen;
}

} // namespace

Prompts::Answer QtPrompts::askYesNo(QWidget* parent, const QString& title, const QString& text,
                                    Answer preferred) {
    return ask(parent, title, text, QMessageBox::Yes | QMessageBox::No,
               preferred == Answer::No ? QMessageBox::No : QMessageBox::Yes);
}

Prompts::Answer QtPrompts::askYesNoCancel(QWidget* parent, const QString& title,
                                          const QString& text) {
    return ask(parent, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void QtPrompts::notify(QWidget* parent, const QString& title, const QString& text, Icon icon) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtPrompts::openFileName(QWidget* parent, const FileDialog& dialog) {
    QFileDialog* fileDialog = makeDialog(parent, dialog);
    fileDialog->setAcceptMode(QFileDialog::AcceptOpen);
    fileDialog->setFileMode(QFileDialog::ExistingFile);
    return run(fileDialog);
}

QString QtPrompts::saveFileName(QWidget* parent, const FileDialog& dialog) {
    QFileDialog* fileDialog = makeDialog(parent, dialog);
    fileDialog->setAcceptMode(QFileDialog::AcceptSave);
    fileDialog->setFileMode(QFileDialog::AnyFile);
    return run(fileDialog);
}

int QtPrompts::chooseItem(QWidget* parent, const QString& title, const QString& text,
                          const QStringList& items, int current) {
    bool chosen = false;
    const QString item = QInputDialog::getItem(parent, title, text, items, current, false, &chosen);
    return chosen ? static_cast<int>(items.indexOf(item)) : -1;
}

} // namespace zyn
