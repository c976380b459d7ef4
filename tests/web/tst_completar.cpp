// "Completar importes de premios" against the stand-in service: every year of an archive
// without amounts, oldest first, paced by the window's ticks, resumable after a cancel.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "simulacion/sitiosimulado.h"
#include "web/completar.h"
#include "web/descarga.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {
const QDate kHoy(2026, 3, 10);

std::vector<Sorteo> sorteosEntre(const QDate &desde, const QDate &hasta)
{
    std::vector<Sorteo> r;
    for (QDate d = desde; d <= hasta; d = d.addDays(1)) {
        const double s = fechas::serial(d);
        if (fechas::bitDia(s) & fechas::diasDeSorteo(s))
            r.push_back(sorteoDe(d, 1 + static_cast<int>(r.size()) % 40));
    }
    return r;
}

QString anioPedido(const QString &peticion)
{
    const qsizetype i = peticion.indexOf(QStringLiteral("fechaInicioInclusiva="));
    return i < 0 ? QString() : peticion.mid(i + 21, 4);
}
} // namespace

class TstCompletar : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<SitioSimulado> sitio;
    EscritorioPrueba *escritorio = nullptr;
    std::vector<Sorteo> archivo;

    CompletarImportes *ventana() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *c = qobject_cast<CompletarImportes *>(w); c && c->isVisible())
                return c;
        return nullptr;
    }
    QStringList aniosPedidos() const
    {
        QStringList r;
        for (const QString &p : sitio->peticiones)
            if (!anioPedido(p).isEmpty())
                r << anioPedido(p);
        return r;
    }
    // Ticks until the window stops asking, checking that no tick sends more than one request.
    void hastaElFinal(CompletarImportes &c, int maximo = 100)
    {
        for (int i = 0; i < maximo && c.enMarcha(); ++i) {
            QTRY_VERIFY(c.descarga()->pasodescarga == 3 || !c.enMarcha());
            const int antes = sitio->peticionesServicio();
            c.Timer_Timer();
            QVERIFY(sitio->peticionesServicio() <= antes + 1);
        }
        QVERIFY(!c.enMarcha());
    }
    ArchivoImportes importes() const
    {
        ArchivoImportes a(importes::rutaArchivo(carpeta->ruta()));
        a.abre();
        return a;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        sitio = std::make_unique<SitioSimulado>();
        escritorio = EscritorioPrueba::instala(kHoy);
        archivo = sorteosEntre(QDate(2012, 11, 1), QDate(2015, 2, 28));
        carpeta->escribeSorteos(archivo);
        for (const Sorteo &s : archivo)
            sitio->sorteos.push_back({s});
        QVERIFY(sitio->escucha());
        sitio->configura(carpeta->ruta(), QStringLiteral("servicio"));
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<CompletarImportes *>(w))
                delete w;
        sitio.reset();
        carpeta.reset();
    }

    void completaCadaAnioYSigueTrasCancelar()
    {
        // 2013 already complete: it is not asked for.
        std::vector<ImportesSorteo> conocidos;
        for (const Sorteo &s : archivo)
            if (fechas::dia(s.fecha).year() == 2013) {
                ImportesSorteo r;
                r.fecha = s.fecha;
                r.centimos = {100, 200, 300, 400, 500, 600};
                conocidos.push_back(r);
            }
        carpeta->escribe(QStringLiteral("premios.dat"), ArchivoImportes::serializa(conocidos));
        Principal p(carpeta->ruta());
        QVERIFY(escritorio->mensajes.isEmpty());
        const int sinImportes = p.sesion().sorteosSinImportes();
        QCOMPARE(sinImportes, static_cast<int>(archivo.size() - conocidos.size()));

        control<QAction>(p, "completarImportes")->trigger();
        CompletarImportes *c = ventana();
        QVERIFY(c);
        QTRY_COMPARE(c->descarga()->pasodescarga, 3);
        QCOMPARE(aniosPedidos(), QStringList{QStringLiteral("2012")});
        c->Timer_Timer(); // 2012 read, 2014 asked
        QTRY_COMPARE(aniosPedidos().size(), 2);
        c->cancelar_Click();
        QVERIFY(!c->enMarcha());
        const QString resumen = control<QLabel>(*c, "resumenImportes")->text();
        const int de2012 =
            static_cast<int>(std::count_if(archivo.begin(), archivo.end(), [](auto &s) {
                return fechas::dia(s.fecha).year() == 2012;
            }));
        QCOMPARE(resumen, QStringLiteral("%1 sorteos completados, %2 siguen sin importe. La "
                                         "próxima vez se seguirá desde el año 2014.")
                              .arg(de2012)
                              .arg(sinImportes - de2012));
        QCOMPARE(control<QPushButton>(*c, "cancelarImportes")->text(), QStringLiteral("Cerrar"));

        // Again: from 2014, through 2015, without asking 2012 or 2013.
        sitio->peticiones.clear();
        control<QAction>(p, "completarImportes")->trigger();
        c = ventana();
        hastaElFinal(*c);
        QCOMPARE(aniosPedidos(), (QStringList{QStringLiteral("2014"), QStringLiteral("2015")}));
        QCOMPARE(control<QLabel>(*c, "resumenImportes")->text(),
                 QStringLiteral("%1 sorteos completados, 0 siguen sin importe.")
                     .arg(sinImportes - de2012));
        QCOMPARE(control<QProgressBar>(*c, "progresoImportes")->value(),
                 control<QProgressBar>(*c, "progresoImportes")->maximum());
        // Every draw has the categories of its era; 2013's own amounts were not touched.
        const ArchivoImportes guardados = importes();
        for (const Sorteo &s : archivo)
            QVERIFY(importes::completo(guardados.busca(s.fecha), s.fecha));
        QCOMPARE(guardados.busca(conocidos[0].fecha)->centimos[0], qint64(100));
        // Before the special category, five amounts make a draw complete.
        QVERIFY(!guardados.busca(archivo.front().fecha)->conoce(0));
        QCOMPARE(p.sesion().sorteosSinImportes(), 0);
        QVERIFY(escritorio->mensajes.isEmpty());

        // Nothing left: nothing is asked.
        sitio->peticiones.clear();
        control<QAction>(p, "completarImportes")->trigger();
        QVERIFY(!ventana()->enMarcha());
        QCOMPARE(control<QLabel>(*ventana(), "resumenImportes")->text(),
                 QStringLiteral("Todos los sorteos del archivo tienen sus importes de premios."));
        QVERIFY(sitio->peticiones.isEmpty());
    }

    // A first start copies the history and offers the amounts; Yes starts asking at once.
    void primerArranqueLoOfrece()
    {
        CarpetaPrueba nueva;
        QFile::copy(carpeta->archivo(QStringLiteral("numeros.dat")),
                    nueva.archivo(QStringLiteral("numeros-inicial.dat")));
        sitio->configura(nueva.ruta(), QStringLiteral("servicio"));
        escritorio->respuestas = {true};
        Principal p(nueva.ruta());
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].titulo, QStringLiteral("Completar importes de premios"));
        QVERIFY(ventana() && ventana()->enMarcha());
        QTRY_COMPARE(sitio->peticionesServicio(), 1);
        QCOMPARE(aniosPedidos(), QStringList{QStringLiteral("2012")});
    }
};

QTEST_MAIN(TstCompletar)
#include "tst_completar.moc"
