// The whole checking of 4,000 draws against 100 syndicates of every kind, rows included, and
// beside it the bare hit counting with bit masks that it is built on.
#include "checking/comprobacion.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <bit>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSorteos = 4000;

// The newest 4,000 draws of the real history when it is here, else made-up ones on the
// same days.
const std::vector<Sorteo> &sorteos()
{
    static const std::vector<Sorteo> lista = [] {
        QFile real(QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat"));
        if (real.open(QIODevice::ReadOnly)) {
            std::vector<Sorteo> todos = ArchivoSorteos::deserializa(real.readAll());
            if (todos.size() >= size_t(kSorteos))
                return std::vector<Sorteo>(todos.end() - kSorteos, todos.end());
        }
        std::mt19937 azar(1985);
        std::vector<Sorteo> inventados;
        QDate dia(1988, 1, 7);
        for (int i = 0; i < kSorteos; ++i) {
            std::vector<qint16> bolas(49);
            std::iota(bolas.begin(), bolas.end(), qint16(1));
            std::shuffle(bolas.begin(), bolas.end(), azar);
            Sorteo s;
            std::copy_n(bolas.begin(), 6, s.numeros.begin());
            std::sort(s.numeros.begin(), s.numeros.end());
            s.complementario = bolas[6];
            s.reintegro = qint16(azar() % 10);
            s.fecha = fechas::serial(dia);
            inventados.push_back(s);
            dia = dia.addDays(dia.dayOfWeek() == 4 ? 2 : 5);
        }
        return inventados;
    }();
    return lista;
}

// 40 simple syndicates of 205 bets, 30 reduced ones of 10 to 20 numbers, and five multiples of
// every size; a third of them play on Thursdays, a third on Saturdays, a third on both.
const std::vector<Pena> &penas()
{
    static const std::vector<Pena> lista = [] {
        std::mt19937 azar(2024);
        const auto apuesta = [&azar](const std::vector<qint16> &de, int cuantos) {
            std::vector<qint16> v = de;
            std::shuffle(v.begin(), v.end(), azar);
            v.resize(size_t(cuantos));
            return v;
        };
        std::vector<qint16> todos(49);
        std::iota(todos.begin(), todos.end(), qint16(1));
        const QString dias[] = {QStringLiteral("Jueves"), QString::fromUtf8("Sábado"),
                                QString::fromUtf8("Jueves y Sábado")};
        const double creacion = sorteos().front().fecha - 1;
        std::vector<Pena> v;
        for (int j = 0; j < 100; ++j) {
            Pena p;
            p.ponNombre(QStringLiteral("PENA %1").arg(j));
            p.ponDias(dias[j % 3]);
            p.creacion = creacion;
            if (j < 40) {
                p.tipo = Pena::kApuestas;
                for (int k = 1; k <= p.tipo; ++k) {
                    const std::vector<qint16> n = apuesta(todos, 6);
                    for (int q = 0; q < 6; ++q)
                        p.numero(k, q + 1) = n[size_t(q)];
                }
            } else if (j < 70) {
                p.tablaN = qint16(10 + (j - 40) % 11);
                const std::vector<qint16> elegidos = apuesta(todos, p.tablaN);
                p.tipo = qint16(std::min(205, 12 * (1 + (j - 40) % 17)));
                for (int k = 1; k <= p.tipo; ++k) {
                    const std::vector<qint16> n = apuesta(elegidos, 6);
                    for (int q = 0; q < 6; ++q)
                        p.numero(k, q + 1) = n[size_t(q)];
                }
            } else {
                p.tipo = qint16(501 + (j - 70) % 6);
                const std::vector<qint16> n = apuesta(todos, cuantos(p.tipo));
                for (size_t q = 0; q < n.size(); ++q)
                    p.numero(1, int(q) + 1) = n[q];
            }
            v.push_back(p);
        }
        return v;
    }();
    return lista;
}

void BM_ComprobacionCompleta(benchmark::State &estado)
{
    comprobacion::Opciones o;
    o.n = kSorteos;
    o.soloPremios = estado.range(0) != 0;
    size_t filas = 0;
    for (auto _ : estado) {
        const comprobacion::Pasada s = comprobacion::comprueba(sorteos(), penas(), o);
        const comprobacion::Pasada m = comprobacion::compruebamultiples(sorteos(), penas(), o);
        filas = size_t(s.listado->cuenta() + m.listado->cuenta());
        benchmark::DoNotOptimize(filas);
    }
    estado.counters["filas"] = double(filas);
}
BENCHMARK(BM_ComprobacionCompleta)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("soloPremios")
    ->Unit(benchmark::kMillisecond);

// The same hits, counted with nothing else around them: masks ready, no rows, no records.
void BM_CuentaAciertos(benchmark::State &estado)
{
    struct Lista {
        int dias = 0;
        double creacion = 0;
        std::vector<quint64> mascaras;
    };
    std::vector<Lista> listas;
    for (const Pena &p : penas()) {
        Lista l;
        l.dias = diasjuego::mascara(p.diasTexto());
        l.creacion = p.creacion;
        const int apuestas = p.esMultiple() ? 1 : p.tipo;
        const int numeros = p.esMultiple() ? cuantos(p.tipo) : 6;
        for (int k = 1; k <= apuestas; ++k) {
            quint64 m = 0;
            for (int q = 1; q <= numeros; ++q)
                m |= quint64(1) << p.numero(k, q);
            l.mascaras.push_back(m);
        }
        listas.push_back(std::move(l));
    }
    struct Listo {
        quint64 ganadores = 0;
        int dia = 0;
        double fecha = 0;
    };
    std::vector<Listo> listos;
    for (const Sorteo &s : sorteos()) {
        Listo l;
        for (qint16 n : s.numeros)
            l.ganadores |= quint64(1) << n;
        l.dia = 1 << fechas::numeroDia(s.fecha);
        l.fecha = s.fecha;
        listos.push_back(l);
    }
    std::array<qint64, 7> aciertos{};
    quint8 porApuesta[Pena::kApuestas];
    for (auto _ : estado) {
        aciertos.fill(0);
        for (const Listo &s : listos)
            for (const Lista &l : listas)
                if ((l.dias & s.dia) && !(s.fecha < l.creacion)) {
                    comprobacion::cuentaAciertos(l.mascaras.data(), l.mascaras.size(), s.ganadores,
                                                 porApuesta);
                    for (size_t k = 0; k < l.mascaras.size(); ++k)
                        ++aciertos[porApuesta[k]];
                }
        benchmark::DoNotOptimize(aciertos);
    }
    qint64 total = 0;
    for (qint64 a : aciertos)
        total += a;
    estado.counters["apuestas"] = double(total);
}
BENCHMARK(BM_CuentaAciertos)->Unit(benchmark::kMillisecond);

// What a list view asks for when it shows a screenful of rows anywhere in the listing.
void BM_PantallaDeFilas(benchmark::State &estado)
{
    comprobacion::Opciones o;
    o.n = kSorteos;
    const comprobacion::Pasada s = comprobacion::comprueba(sorteos(), penas(), o);
    const comprobacion::Listado &l = *s.listado;
    std::mt19937 azar(7);
    for (auto _ : estado) {
        const int desde = int(azar() % quint32(l.cuenta() - 40));
        for (int f = desde; f < desde + 40; ++f)
            benchmark::DoNotOptimize(l.celdas(f));
    }
}
BENCHMARK(BM_PantallaDeFilas)->Unit(benchmark::kMicrosecond);

// The highest resident memory of a child process that runs `trabajo` from a copy of this one,
// in MB: each figure starts from the same process, whatever ran before it.
double picoEnHijo(const std::function<void()> &trabajo)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return 0;
    const pid_t hijo = fork();
    if (hijo == 0) {
        trabajo();
        rusage uso{};
        getrusage(RUSAGE_SELF, &uso);
        const long kilobytes = uso.ru_maxrss;
        [[maybe_unused]] const ssize_t escritos = write(tubo[1], &kilobytes, sizeof kilobytes);
        _exit(0);
    }
    long kilobytes = 0;
    if (hijo > 0) {
        [[maybe_unused]] const ssize_t leidos = read(tubo[0], &kilobytes, sizeof kilobytes);
        waitpid(hijo, nullptr, 0);
    }
    close(tubo[0]);
    close(tubo[1]);
    return double(kilobytes) / 1024.0;
}

// Ten times the history (the 4,000 draws again and again, 600 weeks apart) and 1,000
// syndicates that play every Thursday and Saturday: 500 simple ones of one to four bets and 500
// multiples, with their counters up to date, as after any ordinary pass. Small syndicates make
// the most blocks for the rows a list can hold.
struct MilPenas {
    std::vector<Sorteo> sorteos;
    std::vector<Pena> penas;
    MilPenas()
    {
        for (int vez = 0; vez < 10; ++vez)
            for (Sorteo s : ::sorteos()) {
                s.fecha += 4200.0 * vez;
                sorteos.push_back(s);
            }
        std::mt19937 azar(1000);
        std::vector<qint16> todos(49);
        std::iota(todos.begin(), todos.end(), qint16(1));
        for (int j = 0; j < 1000; ++j) {
            Pena p;
            p.ponNombre(QStringLiteral("PENA %1").arg(j));
            p.ponDias(QString::fromUtf8("Jueves y Sábado"));
            p.creacion = sorteos.front().fecha - 1;
            p.contado = sorteos.back().fecha;
            const int apuestas = j < 500 ? 1 + j % 4 : 1;
            p.tipo = qint16(j < 500 ? apuestas : 501 + j % 6);
            const int numeros = j < 500 ? 6 : cuantos(p.tipo);
            for (int k = 1; k <= apuestas; ++k) {
                std::shuffle(todos.begin(), todos.end(), azar);
                for (int q = 0; q < numeros; ++q)
                    p.numero(k, q + 1) = todos[size_t(q)];
            }
            penas.push_back(p);
        }
    }
};

// Peak memory of both passes over the whole of it, lists kept as the window keeps them,
// beside the peak of the bare hit counting over the same draws and bets.
void BM_MemoriaMilPenas(benchmark::State &estado)
{
    double pico = 0;
    double desnudo = 0;
    for (auto _ : estado) {
        pico = picoEnHijo([] {
            const MilPenas m;
            comprobacion::Opciones o;
            o.n = int(m.sorteos.size());
            const comprobacion::Pasada s = comprobacion::comprueba(m.sorteos, m.penas, o);
            const comprobacion::Pasada x = comprobacion::compruebamultiples(m.sorteos, m.penas, o);
            benchmark::DoNotOptimize(s.listado->cuenta() + x.listado->cuenta());
        });
        desnudo = picoEnHijo([] {
            const MilPenas m;
            std::vector<std::vector<quint64>> mascaras;
            for (const Pena &p : m.penas) {
                std::vector<quint64> v;
                const int apuestas = p.esMultiple() ? 1 : p.tipo;
                for (int k = 1; k <= apuestas; ++k)
                    v.push_back(p.mascara(k, p.esMultiple() ? cuantos(p.tipo) : 6));
                mascaras.push_back(std::move(v));
            }
            quint8 aciertos[Pena::kApuestas];
            qint64 total = 0;
            for (const Sorteo &s : m.sorteos)
                for (const std::vector<quint64> &v : mascaras) {
                    comprobacion::cuentaAciertos(v.data(), v.size(), s.ganadores(), aciertos);
                    total += aciertos[0];
                }
            benchmark::DoNotOptimize(total);
        });
    }
    estado.counters["pico_MB"] = pico;
    estado.counters["pico_desnudo_MB"] = desnudo;
}
BENCHMARK(BM_MemoriaMilPenas)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
