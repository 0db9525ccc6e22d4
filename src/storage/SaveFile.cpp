#include "storage/SaveFile.h"

#include <QSaveFile>

bool CommitSaveFile(QSaveFile& file)
{
    if (!file.isOpen())
        return false;
    if (!file.flush()) {
        file.cancelWriting();
        // Closing a cancelled save file only removes its temporary file.
        file.commit();
        return false;
    }
    return file.commit();
}
