#include "archive/sorteo.h"
#include "archive/registro.h"

#include <cmath>

Sorteo Sorteo::desdeBytes(const char *datos)
{
    Sorteo s = desdeBytesAntiguos(datos);
    s.joker = registro::leeDouble(datos + 24);
    return s;
}

Sorteo Sorteo::desdeBytesAntiguos(const char *datos)
{
    Sorteo s;
    for (int i = 0; i < 6; ++i)
        s.numeros[i] = registro::leeInt16(datos + 2 * i);
    s.complementario = registro::leeInt16(datos + 12);
    s.reintegro = registro::leeInt16(datos + 14);
    s.fecha = registro::leeDouble(datos + 16);
    return s;
}

void Sorteo::escribeEn(char *destino) const
{
    for (int i = 0; i < 6; ++i)
        registro::escribeInt16(destino + 2 * i, numeros[i]);
    registro::escribeInt16(destino + 12, complementario);
    registro::escribeInt16(destino + 14, reintegro);
    registro::escribeDouble(destino + 16, fecha);
    registro::escribeDouble(destino + 24, joker);
}

QByteArray Sorteo::aBytes() const
{
    QByteArray bytes(kLongitud, '\0');
    escribeEn(bytes.data());
    return bytes;
}

bool Sorteo::contiene(int numero) const
{
    for (qint16 n : numeros)
        if (n == numero)
            return true;
    return false;
}

bool Sorteo::esValido() const
{
    quint64 vistos = 0;
    for (qint16 n : numeros) {
        if (n < 1 || n > 49 || (vistos & (quint64(1) << n)))
            return false;
        vistos |= quint64(1) << n;
    }
    if (complementario < 1 || complementario > 49 || (vistos & (quint64(1) << complementario)))
        return false;
    if (reintegro < 0 || reintegro > 9)
        return false;
    return std::isfinite(joker) && joker >= 0 && joker <= 9999999 && joker == std::floor(joker);
}
