// Start-up on program directories that a broken disk, an older version or a hostile hand left
// behind: the older archive layout with any statistics depth, damaged draws, a syndicate file
// and a settings file far larger than any real one.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/conversion.h"
#include "archive/fechas.h"
#include "archive/registro.h"
#include "session/ajustes.h"
#include "syndicates/archivopenas.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTreeView>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kHoy(2026, 1, 10);

std::vector<Sorteo> jueves(int cuantos)
{
    std::vector<Sorteo> v;
    const QDate desde(2025, 1, 2);
    for (int i = 0; i < cuantos; ++i)
        v.push_back(sorteoDe(desde.addDays(7 * i), 1 + i % 40));
    return v;
}

// The draws as the previous version wrote them: 24-byte records, no Joker.
QByteArray antiguos(const std::vector<Sorteo> &v)
{
    QByteArray bytes;
    for (const Sorteo &s : v)
        bytes += s.aBytes().left(Sorteo::kLongitudAntigua);
    return bytes;
}

void escribeAjustes(const CarpetaPrueba &c, int profundidad)
{
    Ajustes a;
    a.profundidad = static_cast<qint16>(profundidad);
    a.ponWeb(QStringLiteral("www.bolarium.es"));
    c.escribe(QStringLiteral("nums.ini"), a.aBytes());
}
} // namespace

class TstArranqueHostil : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    EscritorioPrueba *escritorio = nullptr;

    int avisos(const QString &titulo) const { return escritorio->conTitulo(titulo); }
    QString texto(const QString &titulo) const
    {
        for (const auto &m : escritorio->mensajes)
            if (m.titulo == titulo)
                return m.texto;
        return {};
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio = EscritorioPrueba::instala(kHoy);
    }
    void cleanup()
    {
        Escritorio::sustituye(nullptr);
        carpeta.reset();
    }

    void unArchivoAntiguoSeConvierteSeaCualSeaLaProfundidad_data()
    {
        QTest::addColumn<int>("profundidad");
        QTest::newRow("1 mes") << 1;
        QTest::newRow("6 meses") << 6;
        QTest::newRow("24 meses") << 24;
        QTest::newRow("0") << 0;
    }
    void unArchivoAntiguoSeConvierteSeaCualSeaLaProfundidad()
    {
        QFETCH(int, profundidad);
        const std::vector<Sorteo> v = jueves(10);
        carpeta->escribe(QStringLiteral("numeros.dat"), antiguos(v));
        carpeta->escribePenas(
            {penaDe(QStringLiteral("Oficina"), QStringLiteral("Jueves"), QDate(2024, 1, 1))});
        escribeAjustes(*carpeta, profundidad);
        QVERIFY(conversion::esAntiguo(carpeta->archivo(QStringLiteral("numeros.dat"))));

        Principal p(carpeta->ruta());
        QCOMPARE(avisos(u("Actualización de datos")), 1);
        QCOMPARE(avisos(u("Error de lectura")), 0);
        const QByteArray ahora = carpeta->lee(QStringLiteral("numeros.dat"));
        QCOMPARE(ahora.size(), qsizetype(10 * Sorteo::kLongitud));
        QCOMPARE(ArchivoSorteos::deserializa(ahora), v); // Joker numbers 0, as sorteoDe makes
        QCOMPARE(p.sesion().proximosorteo(), 11);
        QVERIFY(!QFile::exists(carpeta->archivo(QStringLiteral("numeros.tmp"))));
    }

    // The clock set years back (a flat battery) does not make the draws held since then
    // impossible: the user hears once that the clock seems wrong.
    void unRelojAtrasadoNoDanaLosSorteos()
    {
        escritorio->reloj = QDateTime(QDate(2015, 1, 1), QTime(12, 0));
        carpeta->escribeSorteos(jueves(3));
        Principal p(carpeta->ruta());
        QCOMPARE(avisos(u("Sorteos dañados")), 0);
        QCOMPARE(avisos(u("Fecha del ordenador")), 1);
        QCOMPARE(p.sesion().proximosorteo(), 4);
    }

    void losSorteosDanadosSeOmitenYSeDiceUnaVez()
    {
        std::vector<Sorteo> v = jueves(8);
        v[2].numeros = {5, 5, 6, 7, 8, 9};
        v[4].complementario = 99;
        v[7].reintegro = -1;
        carpeta->escribeSorteos(v);
        const QByteArray antes = carpeta->lee(QStringLiteral("numeros.dat"));

        Principal p(carpeta->ruta());
        QCOMPARE(avisos(u("Sorteos dañados")), 1);
        QVERIFY2(texto(u("Sorteos dañados")).contains(u("3 sorteos dañados")),
                 qPrintable(texto(u("Sorteos dañados"))));
        QCOMPARE(avisos(u("Error de lectura")), 0);
        QCOMPARE(p.sesion().proximosorteo(), 6);
        // The newest real draw is the one the header names, not the damaged one after it.
        QCOMPARE(p.sesion().sorteoActual(), v[6]);
        QCOMPARE(control<QLabel>(p, "Label9_3")->text(), fechas::textoLargo(v[6].fecha));
        // The draw list shows only the real ones.
        QCOMPARE(control<QTreeView>(p, "ListView3")->model()->rowCount(), 5);
        QCOMPARE(carpeta->lee(QStringLiteral("numeros.dat")), antes);

        // Activating the window again says nothing more.
        p.sesion().sorteos().reabre();
        QCOMPARE(p.sesion().avisosApertura().size(), size_t(0));
    }

    void unArchivoDePenasEnormeSeRechazaConSuLimite()
    {
        carpeta->escribeSorteos(jueves(5));
        const QString ruta = carpeta->archivo(QStringLiteral("apuestas.dat"));
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(200) << 20));
        }
        QElapsedTimer reloj;
        reloj.start();
        {
            Principal p(carpeta->ruta());
            QVERIFY2(reloj.elapsed() < 10000, qPrintable(QString::number(reloj.elapsed())));
            QCOMPARE(avisos(u("Archivo de peñas demasiado grande")), 1);
            QVERIFY(texto(u("Archivo de peñas demasiado grande")).contains(u("2000 peñas")));
            QCOMPARE(p.sesion().penas().cuenta(), 0);
        }
        QCOMPARE(QFileInfo(ruta).size(), qint64(200) << 20);
    }

    void unAjustesIniEnormeNoDetieneElArranque()
    {
        carpeta->escribeSorteos(jueves(5));
        const QString ruta = carpeta->archivo(QStringLiteral("ajustes.ini"));
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[operador]\nsitio=http://127.0.0.1:1\n");
            QVERIFY(f.resize(qint64(200) << 20));
        }
        QElapsedTimer reloj;
        reloj.start();
        {
            Principal p(carpeta->ruta());
            QVERIFY2(reloj.elapsed() < 10000, qPrintable(QString::number(reloj.elapsed())));
            QCOMPARE(p.sesion().sitios().operadorSitio, u("https://www.loteriasyapuestas.es"));
        }
        QCOMPARE(QFileInfo(ruta).size(), qint64(200) << 20);
    }
};

QTEST_MAIN(TstArranqueHostil)
#include "tst_arranquehostil.moc"
