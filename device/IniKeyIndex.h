#pragma once
// FindIniValue's wrap-around key search over one file, answered from an index of the file's
// section and key lines built in one read: each search costs a lookup instead of a pass, so a file
// whose keys stand in another order than they are asked for loads as fast as one in order.

#include <QHash>
#include <QString>

#include <utility>
#include <vector>

class IniLineSource;

class IniKeyIndex {
public:
    // Reads every line of the file once. The searches then start as FindIniValue's do on a file
    // just opened, with no current section.
    explicit IniKeyIndex(IniLineSource& file);

    // What FindIniValue(value, file, section, key) gives for the same sequence of searches,
    // g_IniSection included; the key is never empty (a line without "=" matches no search here).
    bool Find(QString& value, const QString& section, const QString& key);

private:
    struct Hit {
        int line;
        QString value;
    };
    using Hits = std::vector<Hit>;
    // The first hit at or after the line; nullptr when none.
    static const Hit* FirstFrom(const Hits* hits, int line);
    const Hit* Search(const QString& section, const QString& key, int from, bool wrapped) const;

    // Hits by section and key; the section is kLeading for the lines before the first section line,
    // which belong to no section until a search has wrapped round, then to the file's last section.
    static constexpr int kLeading = -1;
    QHash<std::pair<int, QString>, Hits> m_hits;
    QHash<QString, int> m_sectionIds;
    QString m_lastSection;  // the name the last section line sets; empty when none
    int m_lineCount = 0;
    int m_next = 0;          // the line the next search starts at
    bool m_wrapped = false;  // a search has gone round the end once
};
