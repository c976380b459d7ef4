#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>

// Little-endian field access for the fixed-record files, and the Windows-1252 text that
// their name and text fields hold. Records are never copied as C++ structs.
namespace registro {

inline qint16 leeInt16(const char *p)
{
    return qFromLittleEndian<qint16>(p);
}
inline void escribeInt16(char *p, qint16 v)
{
    qToLittleEndian<qint16>(v, p);
}

inline float leeFloat(const char *p)
{
    const quint32 bits = qFromLittleEndian<quint32>(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
inline void escribeFloat(char *p, float v)
{
    quint32 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToLittleEndian<quint32>(bits, p);
}

inline double leeDouble(const char *p)
{
    const quint64 bits = qFromLittleEndian<quint64>(p);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
inline void escribeDouble(char *p, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToLittleEndian<quint64>(bits, p);
}

// Windows-1252 bytes to text; the five undefined bytes map to the C1 control of the same value.
QString desde1252(QByteArray bytes);
// Text to Windows-1252; false (and nothing usable) when a character has no single-byte form.
bool a1252(const QString &texto, QByteArray &salida);
// A fixed-width field: the text in Windows-1252, cut to the width and filled with blanks.
// Characters without a single-byte form become '?' (callers that must refuse them use a1252).
QByteArray campo1252(const QString &texto, int ancho);

} // namespace registro
