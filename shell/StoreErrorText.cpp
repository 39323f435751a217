#include "shell/StoreErrorText.h"

#include <QDir>

#include "assets/Texts.h"
#include "records/SettingsStore.h"

QString StoreErrorText(const EStoreError& error, const QStringList& unwritten)
{
    const TTexts& texts = Texts();
    QString why;
    switch (error.Cause) {
        case EStoreError::TCause::Refused:
            why = texts.StoreRefused;
            break;
        case EStoreError::TCause::NotAFile:
            why = texts.StoreNotAFile;
            break;
        case EStoreError::TCause::TooLarge:
            why = texts.StoreTooLarge;
            break;
        case EStoreError::TCause::Locked:
            why = texts.StoreLocked;
            break;
    }
    QStringList lines{texts.StoreNotWritten.arg(QDir::toNativeSeparators(error.File)), why};
    if (error.Kept)
        lines.append(texts.StoreTriedAgain);
    if (!unwritten.isEmpty())
        lines.append(texts.StoreUnwritten.arg(unwritten.join(QStringLiteral(", "))));
    return lines.join(QLatin1Char('\n'));
}

QString StoreErrorText(const EStoreError& error)
{
    return StoreErrorText(error, error.Names);
}
