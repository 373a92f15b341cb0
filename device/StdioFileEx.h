#pragma once
// Line-oriented text file that reads code-page text or UTF-16LE text with a byte-order mark, and
// writes either code-page text or UTF-16LE (flag modeWriteUnicode), byte for byte as given: "\r\n"
// in the text reaches the file as CR LF and nothing else is translated.
// Writing always goes to a temporary file in the same folder that Close() renames over the
// target (AtomicFile), so an interrupted or failed write never leaves a truncated file behind.

#include "device/AtomicFile.h"
#include "device/CodePage.h"
#include "device/IniLineSource.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>

class CStdioFileEx : public IniLineSource {
public:
    // Open flags (the values of the Windows file class they mirror).
    static constexpr uint32_t modeRead = 0x0000;
    static constexpr uint32_t modeWrite = 0x0001;
    static constexpr uint32_t modeReadWrite = 0x0002;
    static constexpr uint32_t shareDenyWrite = 0x0020;
    static constexpr uint32_t modeCreate = 0x1000;
    static constexpr uint32_t typeText = 0x4000;
    static constexpr uint32_t typeBinary = 0x8000;
    static constexpr uint32_t modeWriteUnicode = 0x20000;  // write UTF-16LE with a byte-order mark
    // Longest piece of a code-page line returned by one ReadString (a longer line comes in pieces).
    static constexpr qsizetype kMaxAnsiPiece = 4095;

    CStdioFileEx() = default;
    ~CStdioFileEx() override;
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    // Text mode for reading (flags & 0x5001 == typeText) checks the byte-order mark: a UTF-16 file
    // is then read as UTF-16 (typeBinary). Any write flag opens for writing (whole-file replace).
    bool Open(const QString& path, uint32_t flags);
    // Reads from bytes in memory, with the same byte-order-mark rule as Open.
    bool OpenBuffer(const QByteArray& bytes, uint32_t flags);
    // True when the file starts with the bytes FF FE.
    static bool IsFileUnicode(const QString& path);

    bool ReadString(QString& line) override;
    void SeekToBegin() override;
    // False when the file is not open for writing. The text is kept in memory until Close, which
    // writes it at once: a write that fails makes Close fail, the target left as it was.
    bool WriteString(const QString& text);
    qint64 GetPosition() const;
    bool IsOpen() const { return m_device != nullptr || m_out != nullptr; }
    // Ends reading; for writing, replaces the target with what was written. False on any failure.
    bool Close();
    // Why the last Open or Close for writing failed.
    QString ErrorString() const { return m_error; }

    bool isUnicode = false;
    uint32_t openFlags = 0;
    uint32_t codePage = kCodePageSystem;

private:
    bool ReadUtf16Line(QString& line);
    bool ReadAnsiPiece(QString& line);
    void AdjustForByteOrderMark(uint32_t& flags, bool startsWithBom);

    std::unique_ptr<QIODevice> m_device;  // reading
    std::unique_ptr<AtomicFile> m_out;    // writing; discarded unless Close commits it
    QString m_error;
};
