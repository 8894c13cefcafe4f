#pragma once

class QSaveFile;

// Commits only a whole file. QSaveFile::commit renames the new file into place even when its
// buffered data could not all be written (a full disk), so the buffer is flushed and checked
// first; on failure the new file is dropped and false returned.
bool FlushAndCommit(QSaveFile &out);
