#pragma once

#include <QString>
#include <QStringList>

class EStoreError;

// What the player reads, in the current language, about a write of the
// settings file that was refused: which file, why, what to do about it, and
// every value in `unwritten` that was not written.
QString StoreErrorText(const EStoreError& error, const QStringList& unwritten);
// The same for the values of `error` alone.
QString StoreErrorText(const EStoreError& error);
