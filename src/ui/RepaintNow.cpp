#include "ui/RepaintNow.h"

#include <QCoreApplication>

void RepaintNow()
{
    QCoreApplication::processEvents();
}
