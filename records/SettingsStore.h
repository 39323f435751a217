#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

// A write the store refused: the system's message, and for the player why,
// where and what was not written.
class EStoreError : public std::runtime_error {
public:
    enum class TCause {
        Refused,   // the system refused: no room, no right to write, ...
        NotAFile,  // the store is a device, FIFO, socket or folder
        TooLarge,  // the store is larger than any the game writes
        Locked,    // another copy of the game kept its update lock for seconds
    };

    explicit EStoreError(const QString& message, TCause cause = TCause::Refused, QString file = {},
                         QStringList names = {})
        : std::runtime_error(message.toStdString()), Message(message), Cause(cause), File(std::move(file)),
          Names(std::move(names))
    {
    }
    QString Message;
    TCause Cause;
    QString File;       // the store file
    QStringList Names;  // the values not written
    bool Kept = false;  // an update kept to be tried again
};

// The per-user settings store `ini`: named text values in sections under the
// game's base path "Software\BlumoGames\Novagrid\V2". On Windows it is that
// registry key under the current user; elsewhere one INI file per user,
// <config>/BlumoGames/Novagrid/V2.ini, with each section as an INI group.
//
// Every operation opens the store, does its one read or write and closes it
// again: nothing is cached, so a value written is seen by the next read, also
// by another store object. Reads never fail and never create anything.
//
// Only a regular file is read or written, never opened otherwise: a store
// that is a device, FIFO, socket or folder, or larger than any the game
// writes (StoreFiles::kLargestStore), reads as empty and refuses every write.
// A store that is a link to a file is read and written there; the link stays.
class TSettingsStore {
public:
    using TValues = std::vector<std::pair<QString, QString>>;  // name, text

    // A value that is missing, or stored as something other than text (a
    // rectangle or size written by another tool), reads as `fallback`.
    QString ReadString(const QString& section, const QString& name, const QString& fallback) const;
    // Decimal text; anything else reads as `fallback`.
    int ReadInteger(const QString& section, const QString& name, int fallback) const;
    // A switch is an integer: any non-zero value is on.
    bool ReadBool(const QString& section, const QString& name, bool fallback) const;

    // Writes throw EStoreError only when the system refuses them. A refused
    // write leaves no trace, neither on disk nor in what later reads return;
    // values written before stay written and the file is never left half
    // written. A flaw elsewhere in the file (a byte-order mark, a line that
    // does not parse) is no reason to refuse.
    void WriteString(const QString& section, const QString& name, const QString& value) const;
    // All of `values` in one replace of the file: a kill or a refusal leaves
    // either every old value or every new one. A refusal names the first.
    void WriteStrings(const QString& section, const TValues& values) const;
    void WriteInteger(const QString& section, const QString& name, int value) const;
    void WriteBool(const QString& section, const QString& name, bool value) const;
    void DeleteValue(const QString& section, const QString& name) const;

    // Runs `update`, which reads values and writes new ones made from them,
    // as one step: no other copy of the game runs an update in between, so
    // neither loses what the other wrote. Waits a few seconds at most for
    // another copy's update to end, then throws EStoreError as a refused write
    // of the value `name` does; what `update` throws passes through. Updates
    // do not nest.
    //
    // A refused update is not lost: it is kept (EStoreError::Kept) and run
    // again before the next write or update of any store object, until it
    // goes through, and a last time by FinishPending. So `update` has to
    // own what it uses.
    void Update(const QString& name, const std::function<void()>& update) const;

    // At quit: runs every kept update a last time and forgets them all.
    // Returns, when some were still refused, the last refusal with the names
    // of all their values.
    static std::optional<EStoreError> FinishPending();

    // Where the store lives on this system.
    static QString Location();
};
