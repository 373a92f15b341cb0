#pragma once
// Replacing a file as a whole: the bytes are gathered in memory and, at Commit, written to a
// temporary file in the target's folder at once; only when that write, the sync to disk and the
// close have succeeded is it renamed over the target. On any failure the temporary file is removed
// and the target keeps every byte it had: a full disk never leaves a file empty or cut. Every file
// the program writes goes through here.
//
// A link is followed: the file it points to is replaced and the link stays. An existing file keeps
// its permission bits; a new one gets 0666 less the umask.

#include <QByteArray>
#include <QString>

class AtomicFile {
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();  // an uncommitted file is discarded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False when it cannot be created (a missing folder, no right to
    // write there) or the target exists and is no writable regular file.
    bool Open();
    // Adds the bytes to what Commit writes (a first write shares them); false when not open.
    bool Write(const QByteArray& bytes);
    // Writes, syncs, closes and renames over the target. False, and the target untouched, on any
    // failure.
    bool Commit();
    // Bytes written since Open.
    qint64 Size() const { return m_bytes.size(); }
    // Why the last step failed.
    QString ErrorString() const { return m_error; }

private:
    bool Fail(const char* step, int error);
    bool Fail(const QString& why);
    void Discard();

    QString m_path;  // the file replaced: the target of a link
    QString m_temp;
    int m_fd = -1;
    QByteArray m_bytes;
    QString m_error;  // empty until a step fails
};

// Replaces the file with the bytes through AtomicFile. False, with the reason in *error when given,
// when they could not all be written; the file is then unchanged.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
