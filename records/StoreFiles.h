#pragma once

#include <QString>

// What stands on the disk where the settings store keeps its files, looked
// at without opening anything: a FIFO opened blocks, and a device or a
// folder written over is lost to its owner.
namespace StoreFiles {

// The game writes a few kilobytes at most; a file many times that size is
// not one it wrote, and reading it would hold the window for seconds.
constexpr qint64 kLargestStore = 64 * 1024;

struct TStoreFile {
    enum class TKind {
        Missing,   // nothing there yet: reads give the defaults, a write makes it
        Regular,   // a regular file, or a link to one
        NotAFile,  // a device, FIFO, socket or folder, or a link to one
        TooLarge,  // larger than kLargestStore
    };
    TKind Kind = TKind::Missing;
    // Where reads and writes go: the store's own path, or for a link the
    // path it leads to, so that a write replaces the file behind the link
    // and the link stays.
    QString Path;
};

TStoreFile Inspect(const QString& location);

// A lock file (QLockFile) a copy of the game takes beside the store.
enum class TLock {
    Free,     // nothing there now
    Held,     // taken by a live process of this host, or being taken now
    Blocked,  // something there that is no lock and cannot go: a folder with files in it
};

// Clears the lock at `path` unless a live process of this host holds it.
// Whatever else stands there is no lock any copy of the game holds: a dead
// process's, another host's, an empty or damaged file, a link, a FIFO, an
// empty folder. Those are removed (a link itself, never what it leads to).
TLock ClearDeadLock(const QString& path);

}  // namespace StoreFiles
