// New draws without a click, against the stand-in site and with the clock of the test desktop
// moved by hand: on opening, at 22:30 of a draw day, never twice nor over unsaved bets, quietly
// when nothing comes; and the desktop notice of a prize, once per draw.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "printing/configurar.h"
#include "simulacion/sitiosimulado.h"
#include "syndicates/crea.h"
#include "web/descarga.h"
#include "widgets/imagen.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
const QDate kLunes(2026, 12, 7);
const QDate kJueves(2026, 12, 10);

QDateTime el(const QDate &dia, int hora, int minuto = 0)
{
    return QDateTime(dia, QTime(hora, minuto));
}

// Every draw day of the last weeks up to `hasta`.
std::vector<Sorteo> sorteosHasta(const QDate &hasta)
{
    std::vector<Sorteo> r;
    for (QDate d = QDate(2026, 11, 2); d <= hasta; d = d.addDays(1))
        if (fechas::bitDia(fechas::serial(d)) & fechas::diasDeSorteo(fechas::serial(d)))
            r.push_back(sorteoDe(d, 20 + static_cast<int>(r.size()) % 20));
    return r;
}
} // namespace

class TstBajadaAutomatica : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<SitioSimulado> sitio;
    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<Principal> principal;

    Principal &abre(const QDateTime &ahora)
    {
        escritorio->reloj = ahora;
        principal = std::make_unique<Principal>(carpeta->ruta());
        control<QTimer>(*principal, "Timer1")->setInterval(24 * 3600 * 1000);
        control<QTimer>(*principal, "bajadaAutomatica")->stop();
        return *principal;
    }
    Descarga &descarga() { return *ultimo(*principal).descarga(); }
    // Each answer is read at the tick after it arrives.
    void terminaDescarga()
    {
        for (int i = 0; i < 60 && descarga().activa(); ++i) {
            QTRY_VERIFY(descarga().pasodescarga == 3 || !descarga().activa());
            ultimo(*principal).Timer1_Timer();
        }
        QVERIFY(!descarga().activa());
    }
    // The minute's tick at `ahora`; whether it started a download.
    bool tic(const QDateTime &ahora)
    {
        escritorio->reloj = ahora;
        principal->bajadaAutomatica_Timer();
        return descarga().activa();
    }
    double ultimoArchivado() const
    {
        ArchivoSorteos a(carpeta->archivo(QStringLiteral("numeros.dat")));
        a.abre();
        return a.sorteos().back().fecha;
    }
    QString estado() const { return control<QLabel>(*principal, "Label6")->text(); }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio = EscritorioPrueba::instala(kJueves);
        // The syndicate's bet 1..6 against Thursday's 3..8: four hits, 56,78 € on the site.
        carpeta->escribeSorteos(sorteosHasta(kLunes));
        carpeta->escribePenas(
            {penaDe(QStringLiteral("OFICINA"), QStringLiteral("Jueves"), QDate(2026, 1, 1))});
        sitio = std::make_unique<SitioSimulado>();
        for (const Sorteo &s : sorteosHasta(kLunes))
            sitio->sorteos.push_back({s});
        sitio->sorteos.push_back({sorteoDe(kJueves, 3)});
        QVERIFY(sitio->escucha());
        sitio->configura(carpeta->ruta(), QStringLiteral("servicio"));
    }
    void cleanup()
    {
        principal.reset();
        sitio.reset();
        carpeta.reset();
    }

    void unaVezALas2230YUnAvisoDelPremio()
    {
        abre(el(kJueves, 20));
        QVERIFY(!tic(el(kJueves, 22, 29)));
        QCOMPARE(sitio->peticionesServicio(), 0);
        QVERIFY(tic(el(kJueves, 22, 30)));
        terminaDescarga();
        QCOMPARE(ultimoArchivado(), fechas::serial(kJueves));
        QVERIFY(escritorio->mensajes.isEmpty());
        QCOMPARE(escritorio->notificaciones.size(), 1);
        QCOMPARE(escritorio->notificaciones[0].texto,
                 QString::fromUtf8(
                     "Peña OFICINA: 4 aciertos en el sorteo del jueves 10/12/2026 — 56,78 €"));
        const int pedidas = sitio->peticionesServicio();
        QVERIFY(!tic(el(kJueves, 22, 45)));
        QCOMPARE(sitio->peticionesServicio(), pedidas);

        // A click on the notice: the manager, on that syndicate.
        escritorio->pulsaNotificacion();
        QCOMPARE(control<QTabWidget>(*principal, "SSTab1")->currentIndex(), 2);
        QCOMPARE(principal->sesion().penasel(), 1);

        // Downloading again, by hand, brings no second notice for the same draw, even in
        // another run of the program.
        principal.reset();
        carpeta->escribeSorteos(sorteosHasta(kLunes));
        abre(el(kJueves, 23));
        QTest::mouseClick(control<Imagen>(*principal, "Picture2"), Qt::LeftButton);
        terminaDescarga();
        QCOMPARE(ultimoArchivado(), fechas::serial(kJueves));
        QCOMPARE(escritorio->notificaciones.size(), 1);
    }

    void esperaAQueSeGuardenOSeDescartenLasApuestas()
    {
        Principal &p = abre(el(kJueves, 20));
        p.sesion().ponModocrea(0);
        p.abreCrea();
        QTest::mouseClick(control<QWidget>(*p.crea(), "Image1_0"), Qt::LeftButton);
        QVERIFY(p.crea()->edicion().trabajoPendiente());
        QVERIFY(!tic(el(kJueves, 22, 30)));
        QVERIFY(!tic(el(kJueves, 22, 31)));
        QCOMPARE(sitio->peticionesServicio(), 0);
        p.cierraCrea(); // the bets are thrown away: the download goes at once
        QTRY_VERIFY(descarga().activa());
        terminaDescarga();
        QCOMPARE(ultimoArchivado(), fechas::serial(kJueves));
    }

    void alAbrirSinPulsarNada_data()
    {
        QTest::addColumn<bool>("conRed");
        QTest::newRow("con red") << true;
        QTest::newRow("sin red") << false;
    }
    void alAbrirSinPulsarNada()
    {
        QFETCH(bool, conRed);
        if (!conRed)
            sitio.reset(); // nothing listens there any more
        Principal &p = abre(el(kJueves.addDays(1), 10));
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QTRY_VERIFY(descarga().activa() || !estado().isEmpty());
        terminaDescarga();
        // Nothing new, or no network: the status line says it, no message box.
        QVERIFY2(escritorio->mensajes.isEmpty(), qPrintable(escritorio->textos().join(u'\n')));
        if (conRed) {
            QCOMPARE(ultimoArchivado(), fechas::serial(kJueves));
            QVERIFY2(estado().startsWith(Descarga::finalizada()), qPrintable(estado()));
        } else {
            QCOMPARE(ultimoArchivado(), fechas::serial(kLunes));
            QVERIFY2(estado().contains(QString::fromUtf8("SIN CONEXIÓN")), qPrintable(estado()));
        }
    }

    void laConfiguracionLasApaga()
    {
        Principal &p = abre(el(kJueves, 20));
        p.confi_Click();
        auto *configurar = qobject_cast<Configurar *>([] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("Configurar"))
                    return w;
            return static_cast<QWidget *>(nullptr);
        }());
        QVERIFY(configurar);
        auto *bajar = control<QCheckBox>(*configurar, "bajarAlAbrir");
        auto *avisos = control<QCheckBox>(*configurar, "avisosEscritorio");
        QVERIFY(bajar->isChecked() && avisos->isChecked());
        bajar->click();
        avisos->click();
        QVERIFY(!Preferencias::lee(carpeta->ruta()).bajarAlAbrir);
        QVERIFY(!tic(el(kJueves, 22, 30)));
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QCoreApplication::processEvents();
        QCOMPARE(sitio->peticionesServicio(), 0);
        // By hand the download still works, without a notice.
        QTest::mouseClick(control<Imagen>(p, "Picture2"), Qt::LeftButton);
        terminaDescarga();
        QCOMPARE(ultimoArchivado(), fechas::serial(kJueves));
        QVERIFY(escritorio->notificaciones.isEmpty());
    }

    void unRechazoSeDiceUnaVezAlDia()
    {
        sitio->resultados = SitioSimulado::Modo::Error;
        sitio->codigoError = 403;
        abre(el(kJueves, 20));
        escritorio->respuestas = {false, false};
        for (const QDateTime &cuando : {el(kJueves, 22, 30), el(kJueves, 23, 30)}) {
            escritorio->reloj = cuando;
            QVERIFY(ultimo(*principal).bajaSola());
            terminaDescarga();
        }
        QCOMPARE(escritorio->mensajes.size(), 1);
        QVERIFY(escritorio->mensajes[0].pregunta);
        QVERIFY2(estado().contains(u"RECHAZADO"), qPrintable(estado()));
        QCOMPARE(Preferencias::lee(carpeta->ruta()).rechazoAvisado, kJueves);
        escritorio->reloj = el(kJueves.addDays(1), 9);
        QVERIFY(ultimo(*principal).bajaSola());
        terminaDescarga();
        QCOMPARE(escritorio->mensajes.size(), 2);
    }
};

QTEST_MAIN(TstBajadaAutomatica)
#include "tst_bajadaautomatica.moc"
