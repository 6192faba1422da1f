#pragma once

// The document's files as every window meets them: the save question, File Save and Save As
// with their notices, the question before an archive item changed on disk is replaced, and a
// chosen text file or archive read with what it asks and reports. Each is told through the
// prompts, titled with the caption of the window that asks.

#include "flows/filesave.h"
#include "windows/prompts.h"

#include <QString>
#include <string>

class QWidget;

namespace zyn {

class DocumentRecovery;
class DocumentSession;
struct ArchiveIndex;
struct LoadedText;

// The text file dialogs' filter.
extern const QString TextFileFilter;

// Before the document is replaced or the program ends: false when the user cancels, or when the
// answer was Yes and the document could not be saved.
bool askSaveChanges(DocumentSession& session, Prompts& prompts, QWidget* asking);
// File Save: a read-only file is said so and Save As follows; true when the document was saved.
bool runFileSave(DocumentSession& session, Prompts& prompts, QWidget* asking);
// File Save As: the file dialog, then the save to the chosen file.
bool runFileSaveAs(DocumentSession& session, Prompts& prompts, QWidget* asking);
// The question of a save that finds its archive item changed on disk.
OverwriteQuestion askBeforeOverwriting(Prompts& prompts, QWidget* asking);

// Reads the text file at path after asking its version, the progress window up while a
// compressed file is expanded; the document is not touched.
bool readChosenTextFile(DocumentSession& session, Prompts& prompts, QWidget* asking,
                        const QString& path, bool refuseCompressed, LoadedText& loaded);
// Reads the index of the archive at path.
bool readChosenArchiveIndex(DocumentSession& session, Prompts& prompts, QWidget* asking,
                            const std::string& path, ArchiveIndex& index);

// At start: each recovery file that an editor which ended without saving left behind, named
// with its time, to restore (the first one restored ends the offer), discard or keep for a
// later start. A damaged one is said so and removed.
void offerRecovery(DocumentRecovery& recovery, Prompts& prompts, QWidget* asking);

} // namespace zyn
