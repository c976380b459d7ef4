// "bolarium --comprobar": the check without windows against the stand-in site, its summary and
// exit codes, the lock it shares with the window, and the files it writes compared byte for
// byte with what the window's download writes from the same folder.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "session/instancia.h"
#include "session/lineaordenes.h"
#include "simulacion/sitiosimulado.h"
#include "web/descarga.h"
#include "web/servicio.h"
#include "widgets/imagen.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <memory>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kHoy(2026, 8, 18);   // a Tuesday
const QDate kUltimo(2026, 8, 6); // the newest draw of the archive

// Every draw day from July to kHoy; the new ones are made to hit the syndicates' bets.
std::vector<paginas::SorteoWeb> web()
{
    std::vector<paginas::SorteoWeb> r;
    for (QDate d(2026, 7, 1); d <= kHoy; d = d.addDays(1)) {
        const double s = fechas::serial(d);
        if (!(fechas::bitDia(s) & fechas::diasDeSorteo(s)))
            continue;
        // 3..8 hits four numbers of the bet 1..6, 4..9 three, 2..7 five; 20..25 none.
        const int primero = d == QDate(2026, 8, 13)   ? 3
                            : d == QDate(2026, 8, 15) ? 4
                            : d == QDate(2026, 8, 17) ? 2
                                                      : 20;
        paginas::SorteoWeb w{sorteoDe(d, primero)};
        w.sorteo.joker = 1234567; // the results pages take no draw without one
        // The newest draw's amounts come hours after its numbers.
        w.desgloseTardio = d == QDate(2026, 8, 17) ? 1 : 0;
        r.push_back(w);
    }
    return r;
}

std::vector<Sorteo> archivo()
{
    std::vector<Sorteo> r;
    for (const paginas::SorteoWeb &w : web())
        if (fechas::dia(w.sorteo.fecha) <= kUltimo)
            r.push_back(w.sorteo);
    return r;
}

std::vector<Pena> penas()
{
    Pena familia = penaDe(QStringLiteral("FAMILIA"), u("Lunes"), QDate(2020, 1, 1));
    for (int i = 1; i <= 6; ++i)
        familia.numero(1, i) = static_cast<qint16>(30 + i);
    return {penaDe(QStringLiteral("OFICINA"), u("Todos los días"), QDate(2020, 1, 1)), familia,
            // Made after every draw the check looks at.
            penaDe(QStringLiteral("NUEVA"), u("Jueves"), QDate(2026, 8, 20))};
}

const QStringList kArchivos{QStringLiteral("numeros.dat"), QStringLiteral("apuestas.dat"),
                            QStringLiteral("premios.dat"), QStringLiteral("ganadores.dat")};

struct Salida {
    int codigo = -1;
    QString salida;
    QString errores;
};
} // namespace

class TstLineaOrdenes : public QObject {
    Q_OBJECT

    std::unique_ptr<SitioSimulado> sitio;
    EscritorioPrueba *escritorio = nullptr;

    std::unique_ptr<CarpetaPrueba> carpeta(const QString &fuente = QStringLiteral("servicio"))
    {
        auto c = std::make_unique<CarpetaPrueba>();
        c->escribeSorteos(archivo());
        c->escribePenas(penas());
        sitio->configura(c->ruta(), fuente);
        return c;
    }
    // The module's entry, in this process, on the tests' clock.
    Salida ejecuta(const QStringList &argumentos)
    {
        Salida r;
        QTextStream salida(&r.salida);
        QTextStream errores(&r.errores);
        lineaordenes::Entorno entorno;
        entorno.reloj = [] { return QDateTime(kHoy, QTime(12, 0)); };
        entorno.carpeta = [](QString *) { return QString(); };
        r.codigo = lineaordenes::ejecuta(argumentos, entorno, salida, errores);
        return r;
    }
    // The real executable, with no display at all.
    static Salida programa(const QStringList &argumentos, const QString &casa)
    {
        QProcess proceso;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        for (const char *v : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            entorno.remove(QLatin1String(v));
        entorno.insert(QStringLiteral("HOME"), casa);
        entorno.insert(QStringLiteral("XDG_DATA_HOME"), casa);
        proceso.setProcessEnvironment(entorno);
        proceso.start(QStringLiteral(BOLARIUM_PROGRAMA), argumentos);
        Salida r;
        if (!proceso.waitForFinished(60000) || proceso.exitStatus() != QProcess::NormalExit)
            return r;
        r.codigo = proceso.exitCode();
        r.salida = QString::fromUtf8(proceso.readAllStandardOutput());
        r.errores = QString::fromUtf8(proceso.readAllStandardError());
        return r;
    }

private slots:
    void init()
    {
        sitio = std::make_unique<SitioSimulado>();
        sitio->sorteos = web();
        QVERIFY(sitio->escucha());
        escritorio = EscritorioPrueba::instala(kHoy);
    }
    void cleanup() { sitio.reset(); }

    // The same download from the same folder, by the window's button and by the command line,
    // leaves the same bytes in every data file; the summary says what each syndicate got.
    void igualQueLaVentana_data()
    {
        QTest::addColumn<QString>("fuente");
        QTest::newRow("servicio") << QStringLiteral("servicio");
        QTest::newRow("páginas") << QStringLiteral("pagina");
    }
    void igualQueLaVentana()
    {
        QFETCH(QString, fuente);
        const bool paginas = fuente == QStringLiteral("pagina");
        const auto ventana = carpeta(fuente);
        const auto linea = carpeta(fuente);
        {
            Principal principal(ventana->ruta());
            control<QTimer>(principal, "Timer1")->setInterval(24 * 3600 * 1000);
            Descarga &descarga = *ultimo(principal).descarga();
            QTest::mouseClick(control<Imagen>(principal, "Picture2"), Qt::LeftButton);
            for (int i = 0; i < 60 && descarga.activa(); ++i) {
                QTRY_VERIFY(descarga.pasodescarga == 3 || descarga.pasodescarga == 6 ||
                            !descarga.activa());
                if (descarga.pasodescarga == 6)
                    QTRY_VERIFY(!descarga.Inet2.ocupada());
                ultimo(principal).Timer1_Timer();
            }
            QVERIFY(!descarga.activa());
            QCOMPARE(escritorio->textos(), QStringList());
        }
        // The stand-in counts the late amounts down: the command line gets what the window got.
        sitio->sorteos = web();
        const Salida r =
            ejecuta({QStringLiteral("--comprobar"), QStringLiteral("--carpeta"), linea->ruta()});
        QCOMPARE(r.errores, QString());
        QCOMPARE(r.codigo, int(lineaordenes::kBien));
        for (const QString &nombre : kArchivos) {
            // The results pages bring no winners: neither writes ganadores.dat.
            QCOMPARE(QFile::exists(linea->archivo(nombre)),
                     QFile::exists(ventana->archivo(nombre)));
            if (QFile::exists(ventana->archivo(nombre)))
                QVERIFY2(ventana->lee(nombre) == linea->lee(nombre), qPrintable(nombre));
        }
        ArchivoSorteos a(linea->archivo(QStringLiteral("numeros.dat")));
        a.abre();
        QCOMPARE(fechas::dia(a.ultimo().fecha), QDate(2026, 8, 17));

        QVERIFY(r.salida.startsWith(u("Bolarium v.")));
        QVERIFY(r.salida.contains(u(": comprobación del martes 18/08/2026 a las 12:00.\n")));
        QVERIFY(r.salida.contains(u("\nSorteos nuevos: 5.\n")));
        QVERIFY(r.salida.contains(u("\nSorteo del jueves 13/08/2026: 3-4-5-6-7-8  C:49  R:3\n")));
        QVERIFY2(r.salida.contains(u("\nPeña OFICINA\n"
                                     "  sábado 08/08/2026: 0 aciertos, sin premio\n"
                                     "  lunes 10/08/2026: 0 aciertos, sin premio\n"
                                     "  jueves 13/08/2026: 4 aciertos — ")),
                 qPrintable(r.salida));
        if (paginas)
            return; // the amounts of the results pages are theirs to test
        // The newest draw's amounts come hours after its numbers: its prize is pending, and the
        // total counts what is known.
        const QString oficina = u("  jueves 13/08/2026: 4 aciertos — 56,78 €\n"
                                  "  sábado 15/08/2026: 3 aciertos — 8,00 €\n"
                                  "  lunes 17/08/2026: 5 aciertos — importe pendiente\n"
                                  "  Total: 64,78 € (provisional)\n");
        QVERIFY2(r.salida.contains(oficina), qPrintable(r.salida));
        QVERIFY(r.salida.contains(u("\nPeña FAMILIA\n"
                                    "  lunes 10/08/2026: 0 aciertos, sin premio\n"
                                    "  lunes 17/08/2026: 0 aciertos, sin premio\n"
                                    "  Total: 0,00 €\n")));
        QVERIFY(r.salida.endsWith(u("\nPeña NUEVA\n  No juega ninguno de estos sorteos.\n")));

        // A second check finds nothing new and looks at the newest draw, whose amounts came.
        const Salida otra =
            ejecuta({QStringLiteral("--comprobar"), QStringLiteral("--carpeta=") + linea->ruta()});
        QCOMPARE(otra.codigo, int(lineaordenes::kBien));
        QVERIFY(otra.salida.contains(u("\nSorteos nuevos: ninguno.\n")));
        QVERIFY(otra.salida.contains(u("\nPeña OFICINA\n  lunes 17/08/2026: 5 aciertos — "
                                       "2.345,67 €\n\n")));
    }

    // --sin-descarga asks nothing of the site and checks the newest archived draw.
    void sinDescarga()
    {
        const auto c = carpeta();
        const QByteArray antes = c->lee(QStringLiteral("numeros.dat"));
        const Salida r = ejecuta({QStringLiteral("--comprobar"), QStringLiteral("--sin-descarga"),
                                  QStringLiteral("--carpeta"), c->ruta()});
        QCOMPARE(r.codigo, int(lineaordenes::kBien));
        QCOMPARE(r.errores, QString());
        QCOMPARE(sitio->peticiones, QStringList());
        QCOMPARE(c->lee(QStringLiteral("numeros.dat")), antes);
        QVERIFY(r.salida.contains(u("\nSin descarga: se comprueba el sorteo más reciente del "
                                    "archivo.\nSorteo del jueves 06/08/2026: ")));
        QVERIFY(r.salida.contains(u("\nPeña OFICINA\n  jueves 06/08/2026: 0 aciertos, sin "
                                    "premio\n\nPeña FAMILIA\n  No juega ninguno de estos "
                                    "sorteos.\n")));
    }

    // A download that fails says why on the error output and ends with 1; the summary of what
    // the archive holds is printed all the same, and nothing is stored.
    void descargaFallida_data()
    {
        QTest::addColumn<int>("codigoHttp");
        QTest::newRow("HTTP 503") << 503;
        QTest::newRow("HTTP 403") << 403;
    }
    void descargaFallida()
    {
        QFETCH(int, codigoHttp);
        // Refused, there is no browser to offer: the address of the missing draws is given.
        const QString motivo = codigoHttp == 503
                                   ? servicio::textoHttp(QStringLiteral("127.0.0.1"), 503)
                                   : servicio::textoRechazado(QStringLiteral("127.0.0.1"), 403) +
                                         u(" Puede traer los sorteos con el navegador: abra ") +
                                         sitio->direccion();
        const auto c = carpeta();
        const QByteArray antes = c->lee(QStringLiteral("numeros.dat"));
        sitio->resultados = SitioSimulado::Modo::Error;
        sitio->codigoError = codigoHttp;
        const Salida r =
            ejecuta({QStringLiteral("--comprobar"), QStringLiteral("--carpeta"), c->ruta()});
        QCOMPARE(r.codigo, int(lineaordenes::kFallo));
        QVERIFY2(r.errores.contains(motivo), qPrintable(r.errores));
        QCOMPARE(r.errores.count(QLatin1Char('\n')), 1);
        QCOMPARE(c->lee(QStringLiteral("numeros.dat")), antes);
        QVERIFY(r.salida.contains(u("\nSorteos nuevos: ninguno.\nSorteo del jueves 06/08/2026")));
        QVERIFY(r.salida.contains(u("\nPeña OFICINA\n")));
    }

    // The real program: its help, the options it refuses without touching anything, and the
    // lock it shares with the window. It needs no display.
    void programaReal_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("salida");
        QTest::addColumn<QString>("errores");
        const QString ayuda = u("Escriba «bolarium --ayuda» para ver las opciones.\n");
        QTest::newRow("ayuda") << QStringList{QStringLiteral("--ayuda")} << 0
                               << lineaordenes::ayuda() << QString();
        QTest::newRow("opción desconocida")
            << QStringList{QStringLiteral("--comprobar"), QStringLiteral("--comprobr")} << 2
            << QString() << u("Opción desconocida: --comprobr.\n") + ayuda;
        QTest::newRow("falta la carpeta")
            << QStringList{QStringLiteral("--comprobar"), QStringLiteral("--carpeta")} << 2
            << QString() << u("Falta la carpeta de datos después de --carpeta.\n") + ayuda;
        QTest::newRow("sin --comprobar")
            << QStringList{QStringLiteral("--sin-descarga")} << 2 << QString()
            << u("Las opciones --sin-descarga y --carpeta sólo valen con --comprobar.\n") + ayuda;
        QTest::newRow("carpeta que no existe")
            << QStringList{QStringLiteral("--comprobar"), QStringLiteral("--carpeta"),
                           QStringLiteral("/no/existe/bolarium")}
            << 2 << QString()
            << u("La carpeta de datos /no/existe/bolarium no existe o no es una carpeta.\n");
    }
    void programaReal()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, codigo);
        QFETCH(QString, salida);
        QFETCH(QString, errores);
        QTemporaryDir casa;
        const Salida r = programa(argumentos, casa.path());
        QCOMPARE(r.errores, errores);
        QCOMPARE(r.salida, salida);
        QCOMPARE(r.codigo, codigo);
        QVERIFY(QDir(casa.path()).isEmpty());
    }

    void programaRealComprueba()
    {
        QTemporaryDir casa;
        const auto c = carpeta();
        const QStringList argumentos{QStringLiteral("--comprobar"),
                                     QStringLiteral("--sin-descarga"), QStringLiteral("--carpeta"),
                                     c->ruta()};
        {
            // While the window holds the folder, nothing is read or written.
            Instancia ventana(c->ruta());
            QVERIFY(ventana.bloquea());
            const QByteArray penas = c->lee(QStringLiteral("apuestas.dat"));
            const Salida r = programa(argumentos, casa.path());
            QCOMPARE(r.codigo, 1);
            QCOMPARE(r.salida, QString());
            QVERIFY2(r.errores.startsWith(u("Bolarium ya está abierto con la carpeta de datos ")),
                     qPrintable(r.errores));
            QCOMPARE(c->lee(QStringLiteral("apuestas.dat")), penas);
            QVERIFY(!QFile::exists(c->archivo(QStringLiteral("nums.ini"))));
        }
        const Salida r = programa(argumentos, casa.path());
        QCOMPARE(r.codigo, 0);
        QVERIFY(r.salida.contains(u("\nPeña OFICINA\n")));
        // The lock went with the program.
        Instancia despues(c->ruta());
        QVERIFY(despues.bloquea());
    }
};

QTEST_MAIN(TstLineaOrdenes)
#include "tst_lineaordenes.moc"
