#include "transfer/SaveFileCommit.h"

#include <QSaveFile>

bool FlushAndCommit(QSaveFile &out)
{
    if (!out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}
