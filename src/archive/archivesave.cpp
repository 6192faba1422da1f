#include "archive/archivesave.h"

#include "document/programstate.h"

namespace zyn {

Status SaveIntoArchive(ProgramState& state) {
    return Status::failure(ErrorKind::Unsupported,
                           "Saving into the archive " + state.ArchivePath + " is not available.");
}

} // namespace zyn
