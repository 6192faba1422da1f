#pragma once

// What the editor remembers between runs, in its file in the user's configuration folder: the
// keyboard group and the character set, the user's own substitutions, the files opened last, the
// reference chosen for each document, the last folder of each kind of file, where the main window,
// the string editor, the character map and the item dialog were and how large, the main window's
// docks (where each is, floating or not, shown or not), and the entry list's columns and filter.
// Each is written when it changes and read where the program starts or a window first shows; one
// that no longer applies (a folder or file that is gone, a window off every screen) is dropped
// without a word. Without a setting everything starts as it always has. No window knows of this:
// it follows the session, and watches the windows come and go by their names.

#include "windows/prompts.h"

#include <QObject>
#include <QSettings>
#include <QString>

class QWidget;

namespace zyn {

class DocumentSession;

class EditorSettings final : public QObject {
    Q_OBJECT
public:
    // Reads the files opened last into the session's program state.
    explicit EditorSettings(DocumentSession& session, QObject* parent = nullptr);
    ~EditorSettings() override;

    // $XDG_CONFIG_HOME/zyntexteditor/settings.conf (~/.config when it is not set).
    static QString fileName();
    // $XDG_DATA_HOME/zyntexteditor/recovery (~/.local/share when it is not set): where each
    // editor keeps its recovery file.
    static QString recoveryFolder();

    // After the main window's load step: the keyboard group and the character set, and from
    // then on the windows' places.
    void restore();

    // The folder a file of this kind was last chosen in, or "". title is the dialog's, which
    // older editors kept the folder under.
    QString lastFolder(Prompts::FileKind kind, const QString& title);
    void setLastFolder(Prompts::FileKind kind, const QString& chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeRecentFiles();
    void writeDisplay();
    void referenceChosen();
    // The reference remembered for the document just opened, read again.
    void rememberReference();
    // The translation memory's sources the user added, and from then on as they change.
    void readMemorySources();
    // The translation projects opened last, kept as written as the list changes.
    void readRecentProjects();
    // The user's substitution pairs and whether base letters are allowed, and from then on as
    // they change.
    void readSubstitutions();
    // The language the last bank was compared with, and from then on as it changes.
    void readSourceLanguage();
    void placeWindow(QWidget& window);
    void restoreEntryList(QWidget& list);
    void keepPlace(QWidget& window);

    DocumentSession& session_;
    QSettings settings_;
};

// File dialogs that start in the folder last chosen in them.
class RememberingPrompts final : public Prompts {
public:
    RememberingPrompts(Prompts& prompts, EditorSettings& settings)
        : prompts_(prompts), settings_(settings) {}

    Answer askYesNo(QWidget* parent, const QString& title, const QString& text,
                    Answer preferred = Answer::Yes) override {
        return prompts_.askYesNo(parent, title, text, preferred);
    }
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) override {
        return prompts_.askYesNoCancel(parent, title, text);
    }
    void notify(QWidget* parent, const QString& title, const QString& text, Icon icon) override {
        prompts_.notify(parent, title, text, icon);
    }
    QString openFileName(QWidget* parent, const FileDialog& dialog) override {
        return remember(dialog, prompts_.openFileName(parent, inFolder(dialog)));
    }
    QString saveFileName(QWidget* parent, const FileDialog& dialog) override {
        return remember(dialog, prompts_.saveFileName(parent, inFolder(dialog)));
    }
    int chooseItem(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& items, int current) override {
        return prompts_.chooseItem(parent, title, text, items, current);
    }

private:
    FileDialog inFolder(FileDialog dialog);
    QString remember(const FileDialog& dialog, const QString& chosen);

    Prompts& prompts_;
    EditorSettings& settings_;
};

} // namespace zyn
