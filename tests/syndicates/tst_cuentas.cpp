// cuentas.dat: the members' payments, their times in a syndicate and where its prizes go, kept
// through renames, deletions, failed writes and a full disk.
#include "apoyo/carpetaprueba.h"
#include "apoyo/discolleno.h"
#include "archive/fechas.h"
#include "archive/registro.h"
#include "session/sesion.h"
#include "syndicates/cuentas.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kHoy(2026, 1, 20);
const QDate kJueves(2026, 1, 8);

double dia(int a, int m, int d)
{
    return fechas::serial(QDate(a, m, d));
}

CuentasPena cuentasDe(const Pena &p, int pagos = 1)
{
    CuentasPena c = CuentasPena::de(p);
    c.permanencias = {{u("JOSÉ"), dia(2025, 1, 2), dia(2025, 6, 30)},
                      {u("ANA"), dia(2025, 3, 1), 0}};
    for (int i = 0; i < pagos; ++i)
        c.pagos.push_back({u("ANA"), dia(2025, 3, 1) + i, 1250 + i, u("Cuota nº %1").arg(i + 1)});
    c.destino = Destino::Bote;
    return c;
}

std::unique_ptr<Sesion> abre(const QString &carpeta)
{
    auto s = std::make_unique<Sesion>(carpeta, [] { return QDateTime(kHoy, QTime(10, 0)); });
    s->abreArchivos();
    s->leeajustes();
    s->empieza();
    return s;
}

QByteArray lee(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstCuentas : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { archivos::fuerzaFallo(Escritura::Hecha); }

    // 128 bytes a fact, field by field; read back, the same accounts, and written again the
    // same bytes.
    void registrosByteAByte()
    {
        const Pena p = penaDe(u("LA PEÑA"), u("Jueves"), kJueves);
        const CuentasPena c = cuentasDe(p);
        const QByteArray b = c.registros();
        QCOMPARE(b.size(), 4 * CuentasPena::kLongitud);
        const char *permanencia = b.constData();
        const char *pago = permanencia + 2 * CuentasPena::kLongitud;
        const char *destino = pago + CuentasPena::kLongitud;
        QCOMPARE(qFromLittleEndian<qint16>(permanencia), qint16(2));
        QCOMPARE(b.mid(10, 20), p.nombre);
        QCOMPARE(b.mid(30, 30), QByteArray("JOS\xC9").leftJustified(30, ' '));
        QCOMPARE(registro::leeDouble(permanencia + 60), dia(2025, 1, 2));
        QCOMPARE(registro::leeDouble(permanencia + 68), dia(2025, 6, 30));
        QCOMPARE(registro::leeDouble(permanencia + 2), p.creacion);
        QCOMPARE(qFromLittleEndian<qint16>(pago), qint16(1));
        QCOMPARE(qFromLittleEndian<qint64>(pago + 76), qint64(1250));
        QCOMPARE(QByteArray(pago + 86, 40), QByteArray("Cuota n\xBA 1").leftJustified(40, ' '));
        QCOMPARE(QByteArray(pago + 126, 2), QByteArray(2, '\0'));
        QCOMPARE(qFromLittleEndian<qint16>(destino), qint16(3));
        QCOMPARE(qFromLittleEndian<qint16>(destino + 84), qint16(1));
        QCOMPARE(QByteArray(destino + 30, 30), QByteArray(30, ' '));

        std::vector<CuentasPena> leidas;
        std::vector<QByteArray> danados;
        ArchivoCuentas::lee(b, leidas, danados);
        QVERIFY(danados.empty());
        QCOMPARE(leidas.size(), size_t(1));
        QCOMPARE(leidas.front(), c);
        QCOMPARE(leidas.front().registros(), b);

        // What cannot come back as it went is refused before anything is written.
        CuentasPena mala = c;
        mala.pagos.front().nota = QString(41, QLatin1Char('x'));
        QVERIFY(!mala.escribible());
        mala = c;
        mala.pagos.front().centimos = 0;
        QVERIFY(!mala.escribible());
        mala = c;
        mala.permanencias.front().hasta = mala.permanencias.front().desde - 1;
        QVERIFY(!mala.escribible());
        mala = c;
        mala.pagos.front().fecha += 0.5;
        QVERIFY(!mala.escribible());
        QVERIFY(cuentas::avisoNota(u("Cuota de enero")) == std::nullopt);
        QVERIFY(cuentas::avisoNota(QString(41, QLatin1Char('x'))).has_value());
        QVERIFY(cuentas::avisoNota(u("Cuota ☺")).has_value());
    }

    // A record the program cannot use is not shown, and every rewrite gives its bytes back;
    // a folder where the file should be is never replaced.
    void danadosConservadosByteAByte()
    {
        CarpetaPrueba c;
        const Pena a = penaDe(u("A"), u("Jueves"), kJueves);
        const QByteArray buenos = cuentasDe(a).registros();
        QByteArray tipo = buenos.left(CuentasPena::kLongitud);
        qToLittleEndian<qint16>(9, tipo.data());
        QByteArray sinImporte = buenos.mid(2 * CuentasPena::kLongitud, CuentasPena::kLongitud);
        qToLittleEndian<qint64>(0, sinImporte.data() + 76);
        QByteArray mediaFecha = buenos.mid(2 * CuentasPena::kLongitud, CuentasPena::kLongitud);
        registro::escribeDouble(mediaFecha.data() + 60, dia(2025, 3, 1) + 0.25);
        const QByteArray danados = tipo + sinImporte + mediaFecha;
        c.escribe(u("cuentas.dat"), buenos + danados + QByteArray("cola"));

        ArchivoCuentas f(cuentas::rutaArchivo(c.ruta()));
        QCOMPARE(f.abre(), Escritura::Hecha);
        QCOMPARE(f.danados(), 3);
        QCOMPARE(f.registros().size(), size_t(1));
        QCOMPARE(*f.busca(a), cuentasDe(a));

        const Pena b = penaDe(u("B"), u("Sábado"), kJueves);
        QCOMPARE(f.pon(cuentasDe(b, 2)), Escritura::Hecha);
        QCOMPARE(lee(f.ruta()), buenos + cuentasDe(b, 2).registros() + danados);

        CarpetaPrueba otra;
        QVERIFY(QDir(otra.ruta()).mkdir(u("cuentas.dat")));
        ArchivoCuentas carpeta(cuentas::rutaArchivo(otra.ruta()));
        QCOMPARE(carpeta.abre(), Escritura::Fallo);
        QCOMPARE(carpeta.pon(cuentasDe(a)), Escritura::Fallo);
        QVERIFY(QFileInfo(carpeta.ruta()).isDir());
    }

    // pon replaces one syndicate's facts, an empty one removes them; quita, sigue and
    // renombraSocio touch only what they name, and the disk always reads as memory.
    void ponQuitaSigueRenombra()
    {
        CarpetaPrueba c;
        ArchivoCuentas f(cuentas::rutaArchivo(c.ruta()));
        QCOMPARE(f.abre(), Escritura::Hecha);
        const Pena a = penaDe(u("A"), u("Jueves"), kJueves);
        const Pena b = penaDe(u("B"), u("Jueves"), kJueves);
        Pena a2 = a;
        a2.nombre = penaDe(u("A NUEVA"), u("Jueves"), kJueves).nombre;
        QCOMPARE(f.pon(cuentasDe(a)), Escritura::Hecha);
        QCOMPARE(f.pon(cuentasDe(b, 3)), Escritura::Hecha);
        CuentasPena menos = cuentasDe(a);
        menos.pagos.clear();
        QCOMPARE(f.pon(menos), Escritura::Hecha);
        QCOMPARE(*f.busca(a), menos);

        // A renamed syndicate takes its accounts; one that has its own keeps them.
        QCOMPARE(f.sigue({{a, a2}, {b, a2}}), Escritura::Hecha);
        QVERIFY(!f.busca(a));
        QCOMPARE(f.busca(a2)->permanencias, menos.permanencias);
        QCOMPARE(f.busca(b)->pagos.size(), size_t(3));

        QCOMPARE(f.renombraSocio(b, u("ANA"), u("ANA MARÍA")), Escritura::Hecha);
        QCOMPARE(f.busca(b)->pagos.front().socio, u("ANA MARÍA"));
        QCOMPARE(f.busca(b)->permanencias.back().socio, u("ANA MARÍA"));
        QCOMPARE(f.busca(a2)->permanencias.back().socio, u("ANA"));

        QCOMPARE(f.quita(a2), Escritura::Hecha);
        QVERIFY(!f.busca(a2));
        ArchivoCuentas g(f.ruta());
        QCOMPARE(g.abre(), Escritura::Hecha);
        QCOMPARE(g.registros(), f.registros());

        QCOMPARE(f.pon(CuentasPena::de(b)), Escritura::Hecha);
        QVERIFY(f.registros().empty());
        QCOMPARE(lee(f.ruta()), QByteArray());
    }

    // The session follows a renamed syndicate and forgets a deleted one; a failed rewrite (a
    // program killed before its new file took the place of the old) leaves the accounts as
    // they were, on the disk and in memory, and the next start reads them.
    void sesionSigueYSobreviveAFallos()
    {
        CarpetaPrueba c;
        const Pena a = penaDe(u("A"), u("Jueves"), kJueves);
        const Pena b = penaDe(u("B"), u("Jueves"), kJueves);
        c.escribePenas({a, b});
        auto s = abre(c.ruta());
        QSignalSpy cambios(s.get(), &Sesion::cuentasCambiadas);
        QCOMPARE(s->guardaCuentas(cuentasDe(a)), Escritura::Hecha);
        QCOMPARE(s->guardaCuentas(cuentasDe(b, 2)), Escritura::Hecha);
        QCOMPARE(cambios.size(), 2);
        const QByteArray antes = c.lee(u("cuentas.dat"));

        archivos::fuerzaFallo(Escritura::Fallo);
        QCOMPARE(s->guardaCuentas(cuentasDe(a, 5)), Escritura::Fallo);
        archivos::fuerzaFallo(Escritura::Hecha);
        QCOMPARE(*s->archivoCuentas().busca(a), cuentasDe(a));
        QCOMPARE(c.lee(u("cuentas.dat")), antes);
        QCOMPARE(cambios.size(), 2);
        s = abre(c.ruta());
        QCOMPARE(*s->archivoCuentas().busca(a), cuentasDe(a));
        QCOMPARE(QDir(c.ruta()).entryList({u("cuentas*")}, QDir::Files),
                 QStringList{u("cuentas.dat")});

        Pena a2 = a;
        a2.nombre = penaDe(u("A NUEVA"), u("Jueves"), kJueves).nombre;
        QCOMPARE(s->guardaPena(1, a2), Escritura::Hecha);
        QVERIFY(!s->archivoCuentas().busca(a));
        QCOMPARE(s->archivoCuentas().busca(a2)->pagos, cuentasDe(a).pagos);
        QCOMPARE(s->eliminaPena(1).cuentas, Escritura::Hecha);
        QVERIFY(!s->archivoCuentas().busca(a2));
        s = abre(c.ruta());
        QCOMPARE(s->archivoCuentas().registros().size(), size_t(1));
        QCOMPARE(*s->archivoCuentas().busca(b), cuentasDe(b, 2));
    }

    // A disk that fills up: the rewrite fails whole, the file and the session's copy stay as
    // they were, no temporary file is left behind, and the next start tells of no damage.
    void discoLleno()
    {
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        const Pena a = penaDe(u("A"), u("Jueves"), kJueves);
        c.escribePenas({a});
        auto s = abre(c.ruta());
        QCOMPARE(s->guardaCuentas(cuentasDe(a)), Escritura::Hecha);
        const QByteArray antes = c.lee(u("cuentas.dat"));
        disco.llena();
        QVERIFY(s->guardaCuentas(cuentasDe(a, 3000)) != Escritura::Hecha);
        disco.libera();
        QCOMPARE(*s->archivoCuentas().busca(a), cuentasDe(a));
        QCOMPARE(c.lee(u("cuentas.dat")), antes);
        QCOMPARE(QDir(c.ruta()).entryList({u("cuentas*")}, QDir::Files),
                 QStringList{u("cuentas.dat")});
        s = abre(c.ruta());
        QCOMPARE(s->archivoCuentas().danados(), 0);
        for (const Sesion::Aviso &aviso : s->avisosApertura())
            QVERIFY(!aviso.texto.contains(u("cuentas.dat")));
        QCOMPARE(*s->archivoCuentas().busca(a), cuentasDe(a));
    }
};

QTEST_MAIN(TstCuentas)
#include "tst_cuentas.moc"
