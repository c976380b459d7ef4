// The whole history on the results tab of the real main window: 100 syndicates of every kind
// against every draw of the real archive, as a user moves the draw count to its end, ticks
// "Histórico" and scrolls the list down to the oldest draw. Each step is timed from the user's
// action to the list painted; the process's peak resident memory goes with it as a counter.
#include "app/presentacion.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "checking/comprobacion.h"
#include "checking/impresionlistado.h"
#include "syndicates/pena.h"
#include "widgets/escritorio.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QPointer>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kHistorico = QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat");

// No dialog may stop a timed step: every message is dropped and every question says yes.
class EscritorioMudo : public Escritorio {
public:
    explicit EscritorioMudo(const QDateTime &ahora) : ahora_(ahora) {}
    QDateTime ahora() const override { return ahora_; }
    bool pregunta(const QString &, const QString &, Icono) override { return true; }
    void aviso(const QString &, const QString &, Icono) override {}
    QString eligeArchivo(const QString &, const QString &, const QString &) override { return {}; }
    bool eligeImpresora(QPrinter &) override { return false; }
    QString eligeDestino(const QString &, const QString &, const QString &) override { return {}; }
    void abreDireccion(const QUrl &) override {}

private:
    QDateTime ahora_;
};

double megas(long kilobytes)
{
    return double(kilobytes) / 1024.0;
}

// Highest resident memory of the process so far.
double picoMB()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return megas(uso.ru_maxrss);
}

// Resident memory now, to see whether it follows the number of rows.
double residenteMB()
{
    QFile estado(QStringLiteral("/proc/self/statm"));
    if (!estado.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> campos = estado.readAll().split(' ');
    return campos.size() > 1 ? megas(campos[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024)) : 0;
}

// 100 seeded random syndicates: 40 of 205 bets, 20 of 50, ten reduced ones of 10 to 19 numbers,
// ten multiples each of 7, 8 and 11 numbers. A third play on Thursdays, a third on Saturdays, a
// third on both; half were made before the first draw, the others at some draw of the history,
// so that "Histórico" has older draws to add.
std::vector<Pena> penas(const std::vector<Sorteo> &sorteos)
{
    std::mt19937 azar(2026);
    std::vector<qint16> todos(49);
    std::iota(todos.begin(), todos.end(), qint16(1));
    const auto elige = [&azar](std::vector<qint16> de, int cuantos) {
        std::shuffle(de.begin(), de.end(), azar);
        de.resize(size_t(cuantos));
        return de;
    };
    const auto apuestas = [&](Pena &p, int cuantas, const std::vector<qint16> &de) {
        p.tipo = qint16(cuantas);
        for (int k = 1; k <= cuantas; ++k) {
            const std::vector<qint16> n = elige(de, 6);
            for (int q = 0; q < 6; ++q)
                p.numero(k, q + 1) = n[size_t(q)];
        }
    };
    const QString dias[] = {QStringLiteral("Jueves"), QString::fromUtf8("Sábado"),
                            QString::fromUtf8("Jueves y Sábado")};
    std::vector<Pena> v;
    for (int j = 0; j < 100; ++j) {
        Pena p;
        p.ponNombre(QStringLiteral("PENA %1").arg(j, 3, 10, QLatin1Char('0')));
        p.ponDias(dias[j % 3]);
        p.creacion =
            j % 2 == 0 ? sorteos.front().fecha - 1 : sorteos[azar() % sorteos.size()].fecha;
        if (j < 40) {
            apuestas(p, Pena::kApuestas, todos);
        } else if (j < 60) {
            apuestas(p, 50, todos);
        } else if (j < 70) {
            p.tablaN = qint16(10 + (j - 60));
            apuestas(p, 12 + 3 * (j - 60), elige(todos, p.tablaN));
        } else {
            static constexpr qint16 codigos[] = {501, 502, 506};
            p.tipo = codigos[(j - 70) / 10];
            const std::vector<qint16> n = elige(todos, cuantos(p.tipo));
            for (size_t q = 0; q < n.size(); ++q)
                p.numero(1, int(q) + 1) = n[q];
        }
        v.push_back(p);
    }
    return v;
}

// The program directory and the main window over it, made once for every benchmark.
struct Programa {
    QTemporaryDir carpeta;
    QPointer<Presentacion> presentacion;
    QPointer<QWidget> ventana;
    QScrollBar *sorteos = nullptr;
    QCheckBox *historico = nullptr;
    QCheckBox *soloPremio = nullptr;
    QTableView *lista = nullptr;
    QTableView *multiples = nullptr;

    bool prepara()
    {
        QFile historia(kHistorico);
        if (!historia.open(QIODevice::ReadOnly))
            return false;
        const std::vector<Sorteo> todos = ArchivoSorteos::deserializa(historia.readAll());
        if (todos.empty())
            return false;
        QFile::copy(kHistorico, carpeta.filePath(QStringLiteral("numeros.dat")));
        QFile::copy(QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/tablas.bin"),
                    carpeta.filePath(QStringLiteral("tablas.bin")));
        QFile apuestas(carpeta.filePath(QStringLiteral("apuestas.dat")));
        apuestas.open(QIODevice::WriteOnly);
        for (const Pena &p : penas(todos))
            apuestas.write(p.aBytes());
        apuestas.close();
        // Both sites at a local port where nothing listens: no step reaches the internet.
        QSettings ini(carpeta.filePath(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("operador/sitio"), QStringLiteral("http://127.0.0.1:9"));
        ini.setValue(QStringLiteral("operador/sitiopdf"), QStringLiteral("http://127.0.0.1:9"));
        ini.setValue(QStringLiteral("autor/web"), QStringLiteral("127.0.0.1:9"));
        ini.sync();

        const QDate dia = fechas::dia(todos.back().fecha).addDays(1);
        Escritorio::sustituye(std::make_unique<EscritorioMudo>(QDateTime(dia, QTime(12, 0))));
        // As the program starts: the first window opens the main one.
        presentacion = new Presentacion(carpeta.path());
        presentacion->Command1_Click();
        QCoreApplication::processEvents();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("Principal"))
                ventana = w;
        if (!ventana)
            return false;
        sorteos = ventana->findChild<QScrollBar *>(QStringLiteral("HScroll1"));
        historico = ventana->findChild<QCheckBox *>(QStringLiteral("Check1"));
        soloPremio = ventana->findChild<QCheckBox *>(QStringLiteral("Check2"));
        lista = ventana->findChild<QTableView *>(QStringLiteral("ListView2"));
        multiples = ventana->findChild<QTableView *>(QStringLiteral("ListView4"));
        return sorteos && historico && soloPremio && lista && multiples;
    }

    // What the user sees after an action: pending layouts done and the list painted.
    void pinta() const
    {
        QCoreApplication::processEvents();
        lista->viewport()->repaint();
        benchmark::DoNotOptimize(lista->viewport()->grab());
    }

    // Sets the controls without timing it.
    void pon(int n, bool conHistorico, bool soloPremios) const
    {
        soloPremio->setChecked(soloPremios);
        historico->setChecked(conHistorico);
        sorteos->setValue(n);
        lista->scrollToTop();
        pinta();
    }

    int filas() const { return lista->model()->rowCount() + multiples->model()->rowCount(); }
};

Programa *programa()
{
    static Programa *p = [] {
        auto *nuevo = new Programa;
        if (!nuevo->prepara()) {
            delete nuevo;
            return static_cast<Programa *>(nullptr);
        }
        return nuevo;
    }();
    return p;
}

void anotaMemoria(benchmark::State &estado, const Programa &p)
{
    estado.counters["filas"] = double(p.filas());
    estado.counters["pico_MB"] = picoMB();
    estado.counters["residente_MB"] = residenteMB();
}

// The draw count moved from the newest draw to the whole history.
void BM_TodoElHistorico(benchmark::State &estado)
{
    Programa *p = programa();
    if (!p) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    const bool soloPremios = estado.range(0) != 0;
    for (auto _ : estado) {
        p->pon(1, false, soloPremios);
        QElapsedTimer reloj;
        reloj.start();
        p->sorteos->setValue(p->sorteos->maximum());
        p->pinta();
        estado.SetIterationTime(double(reloj.nsecsElapsed()) / 1e9);
    }
    anotaMemoria(estado, *p);
}
BENCHMARK(BM_TodoElHistorico)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("soloPremios")
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// "Histórico" ticked with the whole history on screen.
void BM_HistoricoEncima(benchmark::State &estado)
{
    Programa *p = programa();
    if (!p) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    for (auto _ : estado) {
        p->pon(p->sorteos->maximum(), false, false);
        QElapsedTimer reloj;
        reloj.start();
        p->historico->setChecked(true);
        p->pinta();
        estado.SetIterationTime(double(reloj.nsecsElapsed()) / 1e9);
    }
    anotaMemoria(estado, *p);
}
BENCHMARK(BM_HistoricoEncima)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// From the newest rows to the oldest ones in one move of the list's scroll bar.
void BM_HastaElFinal(benchmark::State &estado)
{
    Programa *p = programa();
    if (!p) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    p->pon(p->sorteos->maximum(), true, false);
    for (auto _ : estado) {
        p->lista->scrollToTop();
        p->pinta();
        QElapsedTimer reloj;
        reloj.start();
        p->lista->scrollToBottom();
        p->pinta();
        estado.SetIterationTime(double(reloj.nsecsElapsed()) / 1e9);
    }
    anotaMemoria(estado, *p);
}
BENCHMARK(BM_HastaElFinal)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Resident memory with windows of a growing number of draws (the rows grow with them).
void BM_MemoriaSegunFilas(benchmark::State &estado)
{
    Programa *p = programa();
    if (!p) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    const int n = std::min(int(estado.range(0)), p->sorteos->maximum());
    for (auto _ : estado) {
        QElapsedTimer reloj;
        reloj.start();
        p->pon(n, true, false);
        estado.SetIterationTime(double(reloj.nsecsElapsed()) / 1e9);
    }
    anotaMemoria(estado, *p);
}
BENCHMARK(BM_MemoriaSegunFilas)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(100000)
    ->ArgName("sorteos")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// What the question before a long listing costs: the pages of the whole history's listing
// counted, from the rows of both passes, without painting them.
void BM_PaginasDelListado(benchmark::State &estado)
{
    QFile historia(kHistorico);
    if (!historia.open(QIODevice::ReadOnly)) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    const std::vector<Sorteo> sorteos = ArchivoSorteos::deserializa(historia.readAll());
    comprobacion::Opciones o;
    o.n = int(sorteos.size());
    o.historico = true;
    o.soloPremios = estado.range(0) != 0;
    const comprobacion::Pasada s = comprobacion::comprueba(sorteos, penas(sorteos), o);
    const comprobacion::Pasada m = comprobacion::compruebamultiples(sorteos, *s.penas, o);
    comprobacion::LineasListado lineas(s.listado, m.listado);
    QBuffer salida;
    salida.open(QIODevice::WriteOnly);
    QPdfWriter hoja(&salida);
    hoja.setResolution(1200);
    hoja.setPageSize(QPageSize(QPageSize::A4));
    int paginas = 0;
    for (auto _ : estado)
        benchmark::DoNotOptimize(paginas = listado::paginas(hoja, lineas));
    estado.counters["paginas"] = paginas;
    estado.counters["pico_MB"] = picoMB();
}
BENCHMARK(BM_PaginasDelListado)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("soloPremios")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const int resultado = 0;
    if (Programa *p = programa()) {
        delete p->ventana;
        delete p->presentacion;
        delete p;
    }
    Escritorio::sustituye(nullptr);
    return resultado;
}
