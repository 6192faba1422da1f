#pragma once

// Every message box and file dialog of the windows goes through this interface: the program
// shows Qt's dialogs, tests script the answers and read back what was shown.

#include <QString>
#include <QStringList>

class QWidget;

namespace zyn {

class Prompts {
public:
    enum class Icon { None, Information, Question, Stop };
    enum class Answer { Yes, No, Cancel };

    // What a file dialog chooses a file for: the folder chosen last is remembered for each.
    enum class FileKind {
        Text,
        Archive,
        Reference,
        MemorySource,
        Remapping,
        Ordinal,
        Project,
        Glossary
    };

    // A file dialog as the windows describe it. filter is in the "Description|pattern|..." form
    // the windows are written with; the Qt implementation translates it.
    struct FileDialog {
        QString title;
        QString filter;
        QString defaultExtension; // without the dot, e.g. "zyt"
        QString initialName;
        FileKind kind;
    };

    virtual ~Prompts() = default;

    // Question icon, Yes the default button unless preferred is No (a question whose Yes
    // throws work away).
    virtual Answer askYesNo(QWidget* parent, const QString& title, const QString& text,
                            Answer preferred = Answer::Yes) = 0;
    virtual Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) = 0;
    // A notice with an OK button.
    virtual void notify(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;

    // The chosen path, or an empty string when cancelled. The open dialog accepts only files
    // that exist; the save dialog asks before overwriting.
    virtual QString openFileName(QWidget* parent, const FileDialog& dialog) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialog& dialog) = 0;
    // One of items chosen from a list, items[current] offered first; -1 when cancelled.
    virtual int chooseItem(QWidget* parent, const QString& title, const QString& text,
                           const QStringList& items, int current) = 0;
};

// The dialog filter "Text (*.zyt)|*.zyt|All files (*.*)|*.*" in Qt's form
// "Text (*.zyt);;All files (*)"; a description without patterns in brackets gets them appended.
QString qtFilter(const QString& filter);

// Qt's message boxes and file dialogs.
class QtPrompts final : public Prompts {
public:
    Answer askYesNo(QWidget* parent, const QString& title, const QString& text,
                    Answer preferred = Answer::Yes) override;
    Answer askYesNoCancel(QWidget* parent, const QString& title, const QString& text) override;
    void notify(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    QString openFileName(QWidget* parent, const FileDialog& dialog) override;
    QString saveFileName(QWidget* parent, const FileDialog& dialog) override;
    int chooseItem(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& items, int current) override;
};

} // namespace zyn
