#include "web/pagina.h"

#include <array>
#include <cstring>

namespace {
// Windows-1252 letter pairs besides a-z and the Latin-1 block.
constexpr std::array<unsigned char, 256> tablaMayusculas()
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        t[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 32);
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)
            t[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 32);
    t[0x9A] = 0x8A; // š
    t[0x9C] = 0x8C; // œ
    t[0x9E] = 0x8E; // ž
    t[0xFF] = 0x9F; // ÿ
    return t;
}
constexpr std::array<unsigned char, 256> kMayusculas = tablaMayusculas();
} // namespace

unsigned char mayuscula(unsigned char c)
{
    return kMayusculas[c];
}

QByteArray mayusculas(const QByteArray &texto)
{
    QByteArray r(texto.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i)
        r[i] = static_cast<char>(kMayusculas[static_cast<unsigned char>(texto[i])]);
    return r;
}

QByteArray Pagina::enmarca(const QByteArray &texto)
{
    QByteArray r;
    r.reserve(texto.size() + texto.count('"') + 4);
    r.append('"');
    for (char c : texto) {
        r.append(c);
        if (c == '"')
            r.append('"');
    }
    r.append("\"\r\n");
    return r;
}

// The marker is looked for one window of its length at a time, the window sliding one
// character on. A window is only compared once the next one would still fit in the data,
// so a marker that ends on the very last character is never found. When it is not found the
// read position is left where the sliding stopped, near the end.
bool Pagina::buscaMarca(const QByteArray &empieza)
{
    const qint64 n = datos_.size();
    const qint64 l = empieza.size();
    if (posicion_ < 1)
        throw ErrorEjecucion("posición de lectura no válida");
    if (l == 0)
        return true;
    if (posicion_ + l - 1 > n)
        throw ErrorEjecucion("lectura más allá del final");
    const QByteArray marca = mayusculas(empieza);
    const auto *m = reinterpret_cast<const unsigned char *>(marca.constData());
    const auto *d = reinterpret_cast<const unsigned char *>(datos_.constData());
    const unsigned char primera = m[0];
    // Last window start that is compared: its successor must still fit.
    const qint64 ultimo = n - l;
    for (qint64 s = posicion_; s <= ultimo; ++s) {
        if (kMayusculas[d[s - 1]] != primera)
            continue;
        qint64 k = 1;
        while (k < l && kMayusculas[d[s - 1 + k]] == m[k])
            ++k;
        if (k == l) {
            posicion_ = s + l;
            return true;
        }
    }
    posicion_ = n - l + 2;
    return false;
}

QByteArray Pagina::recoge(const QByteArray &final, bool quitaEspacios, bool espacioABarra)
{
    const qint64 n = datos_.size();
    const qint64 b = final.size();
    const QByteArray finalMayus = mayusculas(final);
    QByteArray texto;
    for (;;) {
        if (posicion_ < 1 || posicion_ + b - 1 > n)
            throw ErrorEjecucion("lectura más allá del final");
        const char *leido = datos_.constData() + posicion_ - 1;
        const char primero = *leido;
        ++posicion_;
        if (std::memcmp(leido, final.constData(), static_cast<size_t>(b)) == 0 ||
            std::memcmp(leido, finalMayus.constData(), static_cast<size_t>(b)) == 0)
            break;
        // The read that started on the second-to-last character ends the collection.
        if (posicion_ >= n)
            break;
        if (primero == ' ') {
            if (quitaEspacios)
                continue;
            if (espacioABarra) {
                texto.append('/');
                continue;
            }
        }
        texto.append(primero);
    }
    return texto;
}

QByteArray Pagina::busca(const QByteArray &empieza, const QByteArray &final, int espacios)
{
    if (!buscaMarca(empieza))
        return {};
    return recoge(final, espacios == 1, false);
}

QByteArray Pagina::busca3(const QByteArray &empieza, const QByteArray &final)
{
    if (!buscaMarca(empieza))
        return {};
    return recoge(final, false, true);
}

QByteArray Pagina::busca2(const QByteArray &empieza, const QByteArray &final)
{
    if (!buscaMarca(empieza))
        return {};
    const qint64 n = datos_.size();
    const qint64 b = final.size();
    const QByteArray finalMayus = mayusculas(final);
    QByteArray texto;
    for (;;) {
        // The end of the data before the terminator: nothing usable was found.
        if (posicion_ + b - 1 > n)
            return {};
        const char *leido = datos_.constData() + posicion_ - 1;
        ++posicion_;
        if (std::memcmp(leido, final.constData(), static_cast<size_t>(b)) == 0 ||
            std::memcmp(leido, finalMayus.constData(), static_cast<size_t>(b)) == 0)
            return texto;
        texto.append(*leido);
    }
}

QByteArray raros(const QByteArray &carla)
{
    // The counter of the original loop was a 16-bit integer; such a text is not an amount.
    if (carla.size() > 32767)
        throw ErrorEjecucion("texto demasiado largo");
    QByteArray r;
    r.reserve(carla.size());
    for (char c : carla) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 33 && u <= 122)
            r.append(c);
    }
    return r;
}

double valorNumero(const QByteArray &texto)
{
    double valor = 0;
    for (char c : texto) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (c < '0' || c > '9')
            break;
        if (valor < 1e18)
            valor = valor * 10 + (c - '0');
    }
    return valor;
}
