#include "device/CodePage.h"

bool IsValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (n - i <= extra) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000)) return false;
        if (cp >= 0xD800 && cp <= 0xDFFF) return false;
        if (cp > 0x10FFFF) return false;
        i += extra + 1;
    }
    return true;
}

QByteArray EncodeSystemCodePage(QStringView text)
{
    // Compose first, so that "e" + combining accent still becomes the single byte it has here.
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QByteArray out;
    out.reserve(composed.size());
    const qsizetype n = composed.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = composed.at(i).unicode();
        if (c < 0x100) {
            out.append(static_cast<char>(c));
            continue;
        }
        // One "#" per character: a surrogate pair is a single character.
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(composed.at(i + 1).unicode())) ++i;
        out.append('#');
    }
    return out;
}

QString DecodeSystemCodePage(QByteArrayView bytes)
{
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}

QByteArray EncodeCodePage(QStringView text, uint32_t codePage)
{
    if (codePage == kCodePageUtf8) return text.toUtf8();
    return EncodeSystemCodePage(text);
}

QString DecodeCodePage(QByteArrayView bytes, uint32_t codePage)
{
    if (codePage == kCodePageUtf8) return QString::fromUtf8(bytes);
    return DecodeSystemCodePage(bytes);
}
