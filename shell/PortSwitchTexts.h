#pragma once
// Texts of the port-switch list, which follow the composite board's two input sources: each
// source of a known connector type names one "Fixed to ..." and one "Auto(... Default)" entry,
// in English and in Chinese.

#include <QString>

struct PortSwitchTexts {
    QString fixedEnglish;
    QString autoEnglish;
    QString fixedChinese;
    QString autoChinese;
};

// Source 0 or 1 of the board with its type code (6 or 8); false for any other source or code.
bool PortSwitchTextsFor(int source, int typeCode, PortSwitchTexts& out);

// The text entries a source's pair becomes: 145 and 148 for source 0, 146 and 149 for source 1;
// -1 for any other source.
int PortSwitchFixedTextId(int source);
int PortSwitchAutoTextId(int source);
