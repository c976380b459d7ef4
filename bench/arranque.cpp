// The program's start as the user sees it: the real draw history and 10, 100 or 1,000
// syndicates in a program directory, the splash window opened and "Entrar" pressed at once,
// timed to the first paint of the main window. Beside it, in the same run and alternately, a
// bare Qt main window of the same shape (menus, five tabs, lists, labels) is timed from its
// construction to its first paint; the ratio of the two medians is the figure that holds from
// one machine to another. The machine's load goes with them, since the cores are shared.
#include "app/presentacion.h"
#include "app/principal.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "syndicates/pena.h"
#include "widgets/escritorio.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>
#include <random>

namespace {

// The history as the user has it: the full one when it is here, the shipped one otherwise.
QString historico()
{
    const QString real = QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat");
    return QFileInfo::exists(real) ? real
                                   : QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/numeros-inicial.dat");
}

// No dialog may stop a timed start: every message is dropped and every question says no, so
// that nothing asks the network for the prize amounts.
class EscritorioMudo : public Escritorio {
public:
    explicit EscritorioMudo(const QDateTime &ahora) : ahora_(ahora) {}
    QDateTime ahora() const override { return ahora_; }
    bool pregunta(const QString &, const QString &, Icono) override { return false; }
    void aviso(const QString &, const QString &, Icono) override {}
    QString eligeArchivo(const QString &, const QString &, const QString &) override { return {}; }
    bool eligeImpresora(QPrinter &) override { return false; }
    QString eligeDestino(const QString &, const QString &, const QString &) override { return {}; }
    void abreDireccion(const QUrl &) override {}
    bool notifica(const QString &, const QString &, const QString &) override { return false; }

private:
    QDateTime ahora_;
};

// Seeded syndicates of every kind: simple ones of 1 to 50 bets (most), a few of 205, reduced
// ones and multiples; a third play on Thursdays, a third on Saturdays, a third on both, and
// their creation dates are spread over the history.
std::vector<Pena> penas(const std::vector<Sorteo> &sorteos, int cuantas)
{
    std::mt19937 azar(2026);
    std::vector<qint16> todos(49);
    std::iota(todos.begin(), todos.end(), qint16(1));
    const auto elige = [&azar](std::vector<qint16> de, int n) {
        std::shuffle(de.begin(), de.end(), azar);
        de.resize(size_t(n));
        return de;
    };
    const auto apuestas = [&](Pena &p, int n, const std::vector<qint16> &de) {
        p.tipo = qint16(n);
        for (int k = 1; k <= n; ++k) {
            const std::vector<qint16> numeros = elige(de, 6);
            for (int q = 0; q < 6; ++q)
                p.numero(k, q + 1) = numeros[size_t(q)];
        }
    };
    const QString dias[] = {QStringLiteral("Jueves"), QString::fromUtf8("Sábado"),
                            QString::fromUtf8("Jueves y Sábado")};
    std::vector<Pena> v;
    for (int j = 0; j < cuantas; ++j) {
        Pena p;
        p.ponNombre(QStringLiteral("PENA %1").arg(j, 4, 10, QLatin1Char('0')));
        p.ponDias(dias[j % 3]);
        p.creacion =
            j % 4 == 0 ? sorteos.front().fecha - 1 : sorteos[azar() % sorteos.size()].fecha;
        const int clase = j % 20;
        if (clase < 14) {
            apuestas(p, 1 + int(azar() % 50), todos);
        } else if (clase < 15) {
            apuestas(p, Pena::kApuestas, todos);
        } else if (clase < 17) {
            p.tablaN = qint16(10 + int(azar() % 10));
            apuestas(p, 12 + int(azar() % 20), elige(todos, p.tablaN));
        } else {
            static constexpr qint16 codigos[] = {501, 502, 506};
            p.tipo = codigos[clase - 17];
            const std::vector<qint16> n = elige(todos, cuantos(p.tipo));
            for (size_t q = 0; q < n.size(); ++q)
                p.numero(1, int(q) + 1) = n[q];
        }
        v.push_back(p);
    }
    return v;
}

// A program directory with the history, the tables and `cuantas` syndicates.
struct Carpeta {
    QTemporaryDir dir;
    QDateTime ahora;
    int sorteos = 0;

    bool prepara(int cuantas)
    {
        QFile historia(historico());
        if (!dir.isValid() || !historia.open(QIODevice::ReadOnly))
            return false;
        const std::vector<Sorteo> todos = ArchivoSorteos::deserializa(historia.readAll());
        if (todos.empty())
            return false;
        QFile::copy(historico(), dir.filePath(QStringLiteral("numeros.dat")));
        QFile::copy(QStringLiteral(BOLARIUM_DATOS_PROGRAMA "/tablas.bin"),
                    dir.filePath(QStringLiteral("tablas.bin")));
        QFile apuestas(dir.filePath(QStringLiteral("apuestas.dat")));
        if (!apuestas.open(QIODevice::WriteOnly))
            return false;
        for (const Pena &p : penas(todos, cuantas))
            apuestas.write(p.aBytes());
        apuestas.close();
        // Every site at a local port where nothing listens: the start never reaches the
        // internet.
        QSettings ini(dir.filePath(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("operador/sitio"), QStringLiteral("http://127.0.0.1:9"));
        ini.setValue(QStringLiteral("operador/sitiopdf"), QStringLiteral("http://127.0.0.1:9"));
        ini.setValue(QStringLiteral("autor/web"), QStringLiteral("127.0.0.1:9"));
        ini.sync();
        ahora = QDateTime(fechas::dia(todos.back().fecha).addDays(1), QTime(12, 0));
        sorteos = int(todos.size());
        return true;
    }
};

// Notes the first paint of any widget of the window named `nombre`.
class PrimerPintado : public QObject {
public:
    explicit PrimerPintado(QString nombre) : nombre_(std::move(nombre))
    {
        qApp->installEventFilter(this);
    }
    ~PrimerPintado() override { qApp->removeEventFilter(this); }
    bool pintada() const { return pintada_; }

    // Runs the event loop until the window was painted (or a minute passed: a broken start
    // must not hang the run).
    bool espera()
    {
        QElapsedTimer limite;
        limite.start();
        while (!pintada_ && limite.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return pintada_;
    }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (!pintada_ && evento->type() == QEvent::Paint && objeto->isWidgetType() &&
            static_cast<QWidget *>(objeto)->window()->objectName() == nombre_)
            pintada_ = true;
        return false;
    }

private:
    QString nombre_;
    bool pintada_ = false;
};

// One start of the program: the splash window, "Entrar" at once, the main window painted.
// Returns the seconds it took, or a negative value when the main window never painted.
double arrancaPrograma(const Carpeta &carpeta, QSize *tamano)
{
    PrimerPintado pintado(QStringLiteral("Principal"));
    QElapsedTimer reloj;
    reloj.start();
    auto *presentacion = new Presentacion(carpeta.dir.path());
    presentacion->show();
    presentacion->Command1_Click();
    const bool pintada = pintado.espera();
    const double segundos = double(reloj.nsecsElapsed()) / 1e9;
    QPointer<Principal> principal = presentacion->principal();
    if (principal && tamano)
        *tamano = principal->size();
    delete principal.data();
    delete presentacion;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return pintada ? segundos : -1;
}

// The rows of a bare list: a number for each cell, made when the view asks for it, as the
// program's own models do.
class Filas : public QAbstractTableModel {
public:
    Filas(int filas, QObject *padre) : QAbstractTableModel(padre), filas_(filas) {}
    int rowCount(const QModelIndex &padre) const override { return padre.isValid() ? 0 : filas_; }
    int columnCount(const QModelIndex &padre) const override { return padre.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex &i, int rol) const override
    {
        return rol == Qt::DisplayRole ? QVariant(QString::number(i.row() * 4 + i.column()))
                                      : QVariant();
    }

private:
    int filas_;
};

// A bare Qt main window of the same shape: a menu bar, a header of labels, five tabs with two
// lists each; the syndicate manager's list has a row for each syndicate and the statistics'
// one a row for each draw, as the program's do.
double arrancaDesnuda(const QSize &tamano, int penas, int sorteos)
{
    PrimerPintado pintado(QStringLiteral("Desnuda"));
    QElapsedTimer reloj;
    reloj.start();
    auto *ventana = new QMainWindow;
    ventana->setObjectName(QStringLiteral("Desnuda"));
    for (const char *menu : {"&General", "&Peñas", "&Sorteos", "&Ver", "A&yuda"}) {
        QMenu *m = ventana->menuBar()->addMenu(QString::fromUtf8(menu));
        for (int i = 0; i < 6; ++i)
            m->addAction(QStringLiteral("Orden %1").arg(i));
    }
    auto *central = new QWidget(ventana);
    auto *capa = new QVBoxLayout(central);
    for (int i = 0; i < 4; ++i)
        capa->addWidget(new QLabel(QStringLiteral("Cabecera %1").arg(i), central));
    auto *pestanas = new QTabWidget(central);
    const char *const titulos[] = {"General", "Último sorteo", "Gestor de peñas", "Estadísticas",
                                   "Crear Combinación"};
    for (int t = 0; t < 5; ++t) {
        const char *titulo = titulos[t];
        auto *pestana = new QWidget;
        auto *dentro = new QVBoxLayout(pestana);
        for (int l = 0; l < 2; ++l) {
            const int filas = l == 1 ? 0 : t == 2 ? penas : t == 3 ? sorteos : 0;
            auto *lista = new QTreeView(pestana);
            lista->setUniformRowHeights(true);
            lista->setModel(new Filas(filas, lista));
            dentro->addWidget(lista);
        }
        dentro->addWidget(new QLabel(QStringLiteral("Total"), pestana));
        pestanas->addTab(pestana, QString::fromUtf8(titulo));
    }
    capa->addWidget(pestanas, 1);
    ventana->setCentralWidget(central);
    ventana->resize(tamano);
    ventana->show();
    const bool pintada = pintado.espera();
    const double segundos = double(reloj.nsecsElapsed()) / 1e9;
    delete ventana;
    return pintada ? segundos : -1;
}

double mediana(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

double cargaMaquina()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().split(' ').value(0).toDouble() : -1;
}

void BM_Arranque(benchmark::State &estado)
{
    const int cuantas = int(estado.range(0));
    Carpeta carpeta;
    if (!carpeta.prepara(cuantas)) {
        estado.SkipWithError("No está el histórico de sorteos");
        return;
    }
    Escritorio::sustituye(std::make_unique<EscritorioMudo>(carpeta.ahora));
    // A first start untimed: it makes the report database and warms the file cache.
    QSize tamano(1200, 720);
    if (arrancaPrograma(carpeta, &tamano) < 0) {
        estado.SkipWithError("La ventana principal no se pintó");
        return;
    }
    arrancaDesnuda(tamano, cuantas, carpeta.sorteos);
    std::vector<double> programa, desnuda;
    const double carga = cargaMaquina();
    for (auto _ : estado) {
        const double d = arrancaDesnuda(tamano, cuantas, carpeta.sorteos);
        const double p = arrancaPrograma(carpeta, nullptr);
        if (p < 0 || d < 0) {
            estado.SkipWithError("Una ventana no se pintó");
            break;
        }
        desnuda.push_back(d);
        programa.push_back(p);
        estado.SetIterationTime(p);
    }
    const double mp = mediana(programa);
    const double md = mediana(desnuda);
    estado.counters["programa_ms"] = mp * 1e3;
    estado.counters["desnuda_ms"] = md * 1e3;
    estado.counters["razon"] = md > 0 ? mp / md : 0;
    estado.counters["carga"] = (carga + cargaMaquina()) / 2;
    Escritorio::sustituye(nullptr);
}
BENCHMARK(BM_Arranque)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->ArgName("penas")
    ->UseManualTime()
    ->Iterations(7)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    aplicacion.setApplicationName(QStringLiteral("Bolarium"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
