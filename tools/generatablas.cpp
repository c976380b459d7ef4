// Builds the reduction tables shipped in data/tablas.bin, and proves each one before writing it.
//
//   generatablas <archivo> [--hilos H]   every table, written to <archivo> (e.g. data/tablas.bin)
//   generatablas <n> <g>                 one table, printed
//
// Everything is deterministic: the searches use fixed seeds and count moves, never time, so the
// same build writes the same file on any machine, whatever the number of threads.

#include "archive/escritura.h"
#include "reduced/generador.h"
#include "reduced/verificador.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kMaximo = 205; // bets a syndicate record can hold
constexpr int nMinimo = 7;
constexpr int nMaximo = 20; // chosen numbers a syndicate record can hold
constexpr int garantias[] = {3, 4, 5};

long long combinaciones6(int n)
{
    long long c = 1;
    for (int i = 0; i < 6; ++i)
        c = c * (n - i) / (i + 1);
    return c;
}

struct Trabajo {
    int n, g;
    std::vector<generador::Apuesta> tabla;
    int voraz = 0;
    double segundos = 0;
};

std::mutex salidaErrores;

void resuelve(Trabajo &t)
{
    const auto inicio = std::chrono::steady_clock::now();
    t.voraz = int(generador::voraz(t.n, t.g).size());
    t.tabla = generador::mejorTabla(t.n, t.g);
    t.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    std::lock_guard<std::mutex> cerrojo(salidaErrores);
    std::fprintf(stderr, "%2d al %d: voraz %3d, final %3d (%.1f s)\n", t.n, t.g, t.voraz,
                 int(t.tabla.size()), t.segundos);
}

void escribeTabla(QByteArray &sal, int n, int g, const std::vector<generador::Apuesta> &tabla)
{
    char linea[32];
    std::snprintf(linea, sizeof linea, "%02d\r\n%d aciertos\r\n%d\r\n", n, g, int(tabla.size()));
    sal += linea;
    for (const auto &a : tabla) {
        std::snprintf(linea, sizeof linea, "%02d%02d%02d%02d%02d%02d\r\n", a[0], a[1], a[2], a[3],
                      a[4], a[5]);
        sal += linea;
    }
}

int todas(const char *ruta, int hilos)
{
    std::vector<Trabajo> trabajos;
    for (int n = nMinimo; n <= nMaximo; ++n)
        for (int g : garantias)
            trabajos.push_back({n, g, {}, 0, 0});
    // The largest searches first, so that the threads finish together.
    std::vector<std::size_t> orden(trabajos.size());
    for (std::size_t i = 0; i < orden.size(); ++i)
        orden[i] = orden.size() - 1 - i;
    std::atomic<std::size_t> siguiente{0};
    auto obrero = [&] {
        for (std::size_t i; (i = siguiente++) < orden.size();)
            resuelve(trabajos[orden[i]]);
    };
    std::vector<std::thread> grupo;
    for (int h = 1; h < hilos; ++h)
        grupo.emplace_back(obrero);
    obrero();
    for (auto &h : grupo)
        h.join();

    QByteArray sal;
    std::printf(" N  G    K  voraz\n");
    for (int n = nMinimo; n <= nMaximo; ++n) {
        for (int g : garantias) {
            const Trabajo &t = trabajos[std::size_t((n - nMinimo) * 3 + (g - 3))];
            const int k = int(t.tabla.size());
            if (verificador::garantia(n, t.tabla) < g) {
                std::fprintf(stderr, "La tabla de %d al %d no alcanza su garantía\n", n, g);
                return 1;
            }
            // Offered only when it fits a syndicate, saves bets against playing every
            // combination, and no table of a higher guarantee for the same n is as small.
            bool dominada = false;
            for (int g2 : garantias) {
                const Trabajo &otra = trabajos[std::size_t((n - nMinimo) * 3 + (g2 - 3))];
                if (g2 > g && otra.tabla.size() <= t.tabla.size())
                    dominada = true;
            }
            if (k > kMaximo || k >= combinaciones6(n) || dominada)
                continue;
            escribeTabla(sal, n, g, t.tabla);
            std::printf("%2d  %d  %3d  %5d\n", n, g, k, t.voraz);
        }
    }
    if (archivos::escribe(QString::fromLocal8Bit(ruta), sal) != Escritura::Hecha) {
        std::fprintf(stderr, "No se pudo escribir %s\n", ruta);
        return 1;
    }
    return 0;
}

int una(int n, int g)
{
    Trabajo t{n, g, {}, 0, 0};
    resuelve(t);
    std::printf("%d números al %d: %d apuestas (voraz %d), garantía comprobada %d\n", n, g,
                int(t.tabla.size()), t.voraz, verificador::garantia(n, t.tabla));
    for (const auto &a : t.tabla)
        std::printf("%02d%02d%02d%02d%02d%02d\n", a[0], a[1], a[2], a[3], a[4], a[5]);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) != "--hilos") {
        const int n = std::atoi(argv[1]);
        const int g = std::atoi(argv[2]);
        if (n < 6 || n > nMaximo || g < 1 || g > 6) {
            std::fprintf(stderr, "n ha de ir de 6 a %d y g de 1 a 6\n", nMaximo);
            return 2;
        }
        return una(n, g);
    }
    if (argc == 2 || (argc == 4 && std::string(argv[2]) == "--hilos")) {
        const int hilos = argc == 4 ? std::atoi(argv[3]) : 1;
        return todas(argv[1], hilos < 1 ? 1 : hilos);
    }
    std::fprintf(stderr, "uso: generatablas <archivo> [--hilos H] | generatablas <n> <g>\n");
    return 2;
}
