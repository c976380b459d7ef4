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

quint64 mascaraNumeros(const qint16 *numeros, int cuantos)
{
    quint64 m = 0;
    for (int i = 0; i < cuantos; ++i) {
        const qint16 n = numeros[i];
        if (n < 1 || n > 49 || (m & (quint64(1) << n)))
            return 0;
        m |= quint64(1) << n;
    }
    return m;
}

quint64 Sorteo::bitComplementario() const
{
    if (complementario < 1 || complementario > 49)
        return 0;
    const quint64 b = quint64(1) << complementario;
    return (mascaraNumeros(numeros.data(), 6) & b) ? 0 : b;
}

bool Sorteo::esValido() const
{
    if (ganadores() == 0 || bitComplementario() == 0)
        return false;
    if (reintegro < 0 || reintegro > 9)
        return false;
    return std::isfinite(joker) && joker >= 0 && joker <= 9999999 && joker == std::floor(joker);
}
