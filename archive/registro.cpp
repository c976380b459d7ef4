#include "archive/registro.h"

namespace {
// Windows-1252 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
const char16_t kAlto[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool codifica(QChar c, char &byte)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || (u >= 0x80 && u < 0xA0 && kAlto[u - 0x80] == 0)) {
        byte = static_cast<char>(u);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kAlto[i] == u) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}
} // namespace

namespace registro {

QString desde1252(QByteArray bytes)
{
    QString texto;
    texto.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kAlto[u - 0x80] != 0)
            texto.append(QChar(kAlto[u - 0x80]));
        else
            texto.append(QChar(char16_t(u)));
    }
    return texto;
}

bool a1252(const QString &texto, QByteArray &salida)
{
    salida.clear();
    salida.reserve(texto.size());
    for (QChar c : texto) {
        char b;
        if (!codifica(c, b))
            return false;
        salida.append(b);
    }
    return true;
}

QByteArray campo1252(const QString &texto, int ancho)
{
    QByteArray salida;
    for (QChar c : texto) {
        if (salida.size() >= ancho)
            break;
        char b;
        salida.append(codifica(c, b) ? b : '?');
    }
    salida.append(QByteArray(ancho - salida.size(), ' '));
    return salida;
}

} // namespace registro
