#include "device/IniKeyIndex.h"

#include "device/IniLineSource.h"
#include "device/PathUtils.h"

#include <algorithm>

IniKeyIndex::IniKeyIndex(IniLineSource& file)
{
    file.SeekToBegin();
    int section = kLeading;
    QString line;
    for (; file.ReadString(line); ++m_lineCount) {
        if (line.startsWith(QLatin1Char('['))) {
            // ParseSectionName's name: up to the first "]", empty without one.
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            m_lastSection = close > 0 ? line.mid(1, close - 1) : QString();
            auto id = m_sectionIds.constFind(m_lastSection);
            if (id == m_sectionIds.cend()) id = m_sectionIds.insert(m_lastSection, int(m_sectionIds.size()));
            section = *id;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        m_hits[{section, line.left(eq)}].push_back({m_lineCount, line.mid(eq + 1)});
    }
}

const IniKeyIndex::Hit* IniKeyIndex::FirstFrom(const Hits* hits, int line)
{
    if (!hits) return nullptr;
    const auto it = std::lower_bound(hits->begin(), hits->end(), line, [](const Hit& h, int l) { return h.line < l; });
    return it == hits->end() ? nullptr : &*it;
}

const IniKeyIndex::Hit* IniKeyIndex::Search(const QString& section, const QString& key, int from, bool wrapped) const
{
    // The leading lines come before every other: they win when they belong to the section.
    const QString& leadingSection = wrapped ? m_lastSection : QString();
    if (leadingSection == section) {
        const auto it = m_hits.constFind({kLeading, key});
        if (const Hit* h = FirstFrom(it == m_hits.cend() ? nullptr : &*it, from)) return h;
    }
    const auto id = m_sectionIds.constFind(section);
    if (id == m_sectionIds.cend()) return nullptr;
    const auto it = m_hits.constFind({*id, key});
    return FirstFrom(it == m_hits.cend() ? nullptr : &*it, from);
}

bool IniKeyIndex::Find(QString& value, const QString& section, const QString& key)
{
    const Hit* hit = Search(section, key, m_next, m_wrapped);
    if (!hit) {
        m_wrapped = true;
        hit = Search(section, key, 0, true);
    }
    if (!hit) {
        // Both passes read to the end: the last section line set the section.
        m_next = m_lineCount;
        if (g_IniSection != m_lastSection) g_IniSection = m_lastSection;
        return false;
    }
    m_next = hit->line + 1;
    if (g_IniSection != section) g_IniSection = section;
    value = hit->value;
    return true;
}
