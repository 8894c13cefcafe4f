#pragma once

#include <QByteArray>
#include <QString>

// Every whole record of the store, in file order, read in one go; empty when there is no store
// yet. Raises the classic error when the store cannot be read.
QByteArray ReadStoreRecords(const QString &loginFile);

// The records whose Deleted field is 0, in order.
QByteArray LiveRecords(const QByteArray &records);
