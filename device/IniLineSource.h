#pragma once
// A source of text lines that can start over: what the project-file key search reads from.

#include <QString>
#include <QStringList>

class IniLineSource {
public:
    virtual ~IniLineSource() = default;
    // The next line without its line end; false at the end.
    virtual bool ReadString(QString& line) = 0;
    // Back to the first line.
    virtual void SeekToBegin() = 0;
};

// Lines already in memory (read once from a file), searched without touching the disk again.
class MemoryLineSource : public IniLineSource {
public:
    explicit MemoryLineSource(QStringList lines) : m_lines(std::move(lines)) {}
    bool ReadString(QString& line) override
    {
        if (m_next >= m_lines.size()) return false;
        line = m_lines.at(m_next++);
        return true;
    }
    void SeekToBegin() override { m_next = 0; }
    // The next line in place (no copy); nullptr at the end.
    const QString* Next() { return m_next < m_lines.size() ? &m_lines.at(m_next++) : nullptr; }

private:
    QStringList m_lines;
    qsizetype m_next = 0;
};
