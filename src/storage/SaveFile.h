#pragma once

class QSaveFile;

// Replaces the target of an open save file with what was written to it, and
// only when all of it reached the disk. QSaveFile::commit alone writes out
// its buffer while closing and does not notice when that fails: on a full
// disk it would put a cut-off file in place of the old one. Here the buffer
// is flushed first and a failure cancels the save (the old file stays). False
// when anything failed; the save file is closed either way.
bool CommitSaveFile(QSaveFile& file);
