#include "checking/premiomultiple.h"

namespace premios {

namespace {
// Copied row by row from the prize table of multiple bets; a test derives every count from
// the combinations the bet stands for and compares them with these.
std::vector<FilaPremio> construyeTabla()
{
    std::vector<FilaPremio> t = {
        {503,
         2,
         Comp::Cualquiera,
         {4, 0, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."}}},
        {503,
         3,
         Comp::Cualquiera,
         {41, 3, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 41 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 3 apuestas de 4 aciertos."}}},
        {503,
         4,
         Comp::No,
         {0, 42, 2, 0, 0},
         {{4, "¡¡ Premio !! Tienes 42 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 2 apuestas de 5 aciertos."}}},
        {503,
         4,
         Comp::Si,
         {0, 42, 0, 0, 2},
         {{4, "¡¡ Premio !! Tienes 42 apuestas de 4 aciertos."},
          {7, "¡¡ Premio !! Tienes 2 apuesta de 5 aciertos + C."}}},
        {503,
         5,
         Comp::Cualquiera,
         {0, 0, 42, 1, 1},
         {{5, "¡¡ Premio !! Tienes 42 apuestas de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {501,
         3,
         Comp::Cualquiera,
         {4, 0, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."}}},
        {501,
         4,
         Comp::Cualquiera,
         {4, 3, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 3 apuestas de 4 aciertos."}}},
        {501,
         5,
         Comp::No,
         {0, 5, 2, 0, 0},
         {{4, "¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 2 apuestas de 5 aciertos."}}},
        {501,
         5,
         Comp::Si,
         {0, 5, 1, 0, 1},
         {{4, "¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."}}},
        {501,
         6,
         Comp::No,
         {0, 0, 6, 1, 0},
         {{5, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {501,
         6,
         Comp::Si,
         {0, 0, 0, 1, 6},
         {{7, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {502,
         3,
         Comp::Cualquiera,
         {10, 0, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 10 apuestas de 3 aciertos."}}},
        {502,
         4,
         Comp::Cualquiera,
         {16, 6, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 16 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 6 apuestas de 4 aciertos."}}},
        {502,
         5,
         Comp::No,
         {10, 15, 3, 0, 0},
         {{3, "¡¡ Premio !! Tienes 10 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 15 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 3 apuestas de 5 aciertos."}}},
        {502,
         5,
         Comp::Si,
         {10, 15, 2, 0, 1},
         {{3, "¡¡ Premio !! Tienes 10 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 15 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 2 apuesta de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."}}},
        {502,
         6,
         Comp::No,
         {0, 15, 12, 1, 0},
         {{4, "¡¡ Premio !! Tienes 15 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 12 apuestas de 5 aciertos."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {502,
         6,
         Comp::Si,
         {0, 15, 6, 1, 6},
         {{4, "¡¡ Premio !! Tienes 15 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {504,
         3,
         Comp::Cualquiera,
         {20, 0, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 20 apuestas de 3 aciertos."}}},
        {504,
         4,
         Comp::Cualquiera,
         {40, 10, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 40 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 10 apuestas de 4 aciertos."}}},
        {504,
         5,
         Comp::No,
         {40, 30, 4, 0, 0},
         {{3, "¡¡ Premio !! Tienes 40 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 30 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 4 apuestas de 5 aciertos."}}},
        {504,
         5,
         Comp::Si,
         {40, 30, 3, 0, 1},
         {{3, "¡¡ Premio !! Tienes 40 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 30 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 3 apuesta de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."}}},
        {504,
         6,
         Comp::No,
         {20, 45, 18, 1, 0},
         {{3, "¡¡ Premio !! Tienes 20 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 45 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 18 apuestas de 5 aciertos."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {504,
         6,
         Comp::Si,
         {20, 45, 12, 1, 6},
         {{3, "¡¡ Premio !! Tienes 20 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 45 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 12 apuestas de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {505,
         3,
         Comp::Cualquiera,
         {35, 0, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 35 apuestas de 3 aciertos."}}},
        {505,
         4,
         Comp::Cualquiera,
         {80, 15, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 80 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 15 apuestas de 4 aciertos."}}},
        {505,
         5,
         Comp::No,
         {100, 50, 5, 0, 0},
         {{3, "¡¡ Premio !! Tienes 100 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 50 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 5 apuestas de 5 aciertos."}}},
        {505,
         5,
         Comp::Si,
         {100, 50, 4, 0, 1},
         {{3, "¡¡ Premio !! Tienes 100 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 50 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 4 apuesta de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."}}},
        {505,
         6,
         Comp::No,
         {80, 90, 24, 1, 0},
         {{3, "¡¡ Premio !! Tienes 80 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 90 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 24 apuestas de 5 aciertos."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {505,
         6,
         Comp::Si,
         {80, 90, 18, 1, 6},
         {{3, "¡¡ Premio !! Tienes 80 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 90 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 18 apuestas de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {506,
         3,
         Comp::Cualquiera,
         {56, 0, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 56 apuestas de 3 aciertos."}}},
        {506,
         4,
         Comp::Cualquiera,
         {140, 21, 0, 0, 0},
         {{3, "¡¡ Premio !! Tienes 140 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 21 apuestas de 4 aciertos."}}},
        {506,
         5,
         Comp::No,
         {200, 75, 6, 0, 0},
         {{3, "¡¡ Premio !! Tienes 200 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 75 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos."}}},
        {506,
         5,
         Comp::Si,
         {200, 75, 5, 0, 1},
         {{3, "¡¡ Premio !! Tienes 200 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 75 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 5 apuesta de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."}}},
        {506,
         6,
         Comp::No,
         {200, 150, 30, 1, 0},
         {{3, "¡¡ Premio !! Tienes 200 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 150 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 30 apuestas de 5 aciertos."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
        {506,
         6,
         Comp::Si,
         {200, 150, 24, 1, 6},
         {{3, "¡¡ Premio !! Tienes 200 apuestas de 3 aciertos."},
          {4, "¡¡ Premio !! Tienes 150 apuestas de 4 aciertos."},
          {5, "¡¡ Premio !! Tienes 24 apuestas de 5 aciertos."},
          {7, "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C."},
          {6, "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos."}}},
    };
    int id = 6;
    for (FilaPremio &f : t) {
        f.primerMensaje = id;
        id += static_cast<int>(f.mensajes.size());
    }
    return t;
}

std::vector<Mensaje> construyeCatalogo()
{
    std::vector<Mensaje> c(1);
    const auto sencilla = [&c](int categoria, const char *texto) {
        c.push_back({QString::fromUtf8(texto), categoria});
    };
    sencilla(3, "¡¡ Premio !! Has acertado 3 números.");
    sencilla(4, "¡¡ Premio !! Has acertado 4 números.");
    sencilla(5, "¡¡ Premio !! Has acertado 5 números.");
    sencilla(7, "¡¡ Premio !! 5 + COMPLEMENTARIO");
    sencilla(6, "¡¡ Premio !! Has acertado 6 números.");
    for (const FilaPremio &f : tabla())
        for (const MensajeMultiple &m : f.mensajes)
            c.push_back({QString::fromUtf8(m.texto), m.categoria});
    return c;
}
} // namespace

const std::vector<FilaPremio> &tabla()
{
    static const std::vector<FilaPremio> t = construyeTabla();
    return t;
}

const FilaPremio *premiomultiple(int codigo, int aciertos, bool complementario)
{
    for (const FilaPremio &f : tabla()) {
        if (f.codigo != codigo || f.aciertos != aciertos)
            continue;
        if (f.complementario == Comp::Cualquiera ||
            (f.complementario == Comp::Si) == complementario)
            return &f;
    }
    return nullptr;
}

const Mensaje &mensaje(int id)
{
    static const std::vector<Mensaje> catalogo = construyeCatalogo();
    if (id < 0 || id >= static_cast<int>(catalogo.size()))
        return catalogo[0];
    return catalogo[static_cast<size_t>(id)];
}

int totalMensajes()
{
    int n = 6;
    for (const FilaPremio &f : tabla())
        n += static_cast<int>(f.mensajes.size());
    return n;
}

int mensajeSencilla(int aciertos, bool complementario)
{
    switch (aciertos) {
    case 3:
        return 1;
    case 4:
        return 2;
    case 5:
        return complementario ? 4 : 3;
    case 6:
        return 5;
    default:
        return 0;
    }
}

quint32 colorCategoria(int categoria)
{
    switch (categoria) {
    case 3:
        return 0x00C000;
    case 4:
        return 0x0000FF;
    case 5:
        return 0x400040;
    case 6:
        return 0xFF0000;
    case 7:
        return 0xC04000;
    default:
        return 0x000000;
    }
}

} // namespace premios
