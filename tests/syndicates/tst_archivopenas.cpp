#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "archive/registro.h"
#include "syndicates/archivopenas.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {
// A record of arbitrary bytes: reading and writing it must give back every one of them.
QByteArray bytesAlAzar(quint32 semilla)
{
    QRandomGenerator azar(semilla);
    QByteArray b(Pena::kLongitud, '\0');
    for (char &c : b)
        c = static_cast<char>(azar.bounded(256));
    return b;
}
} // namespace

class TstArchivoPenas : public QObject {
    Q_OBJECT
private slots:
    void registroByteAByte()
    {
        for (quint32 semilla : {1u, 2u, 3u}) {
            const QByteArray b = bytesAlAzar(semilla);
            QCOMPARE(Pena::desdeBytes(b.constData()).aBytes(), b);
        }
    }

    void camposEnSuSitio()
    {
        Pena p = penaDe(QString::fromUtf8("PEÑA DEL BAR"), QString::fromUtf8("Jueves y Sábado"),
                        QDate(2026, 1, 1));
        p.numero(205, 20) = 49;
        p.premio(7) = 3;
        p.tipo = 503;
        p.contado = 46030;
        const QByteArray b = p.aBytes();
        QCOMPARE(b.size(), 8307);
        QCOMPARE(b.left(20), QByteArray("PE\xd1"
                                        "A DEL BAR        "));
        QCOMPARE(registro::leeInt16(b.constData() + 64 + (204 * 20 + 19) * 2), qint16(49));
        QCOMPARE(registro::leeInt16(b.constData() + 8264 + 8), qint16(3));
        QCOMPARE(b.mid(8274, 15), QByteArray("Jueves y S\xe1"
                                             "bado"));
        QCOMPARE(registro::leeInt16(b.constData() + 8289), qint16(503));
        QCOMPARE(registro::leeDouble(b.constData() + 8291), 46023.0);
        QCOMPARE(registro::leeDouble(b.constData() + 8299), 46030.0);
        QCOMPARE(p.nombreTexto(), QString::fromUtf8("PEÑA DEL BAR        "));
        QVERIFY(p.esMultiple());
    }

    void texto1252()
    {
        QByteArray salida;
        QVERIFY(registro::a1252(QString::fromUtf8("€Ñ"), salida));
        QCOMPARE(salida, QByteArray("\x80\xd1"));
        QVERIFY(!registro::a1252(QString::fromUtf8("Ω"), salida));
        QCOMPARE(registro::desde1252(QByteArray("\x80\x81\xd1")), QString::fromUtf8("€\u0081Ñ"));
        QCOMPARE(registro::campo1252(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVW"), 20),
                 QByteArray("ABCDEFGHIJKLMNOPQRST"));
    }

    void diasQueJuega()
    {
        // A week with a draw on each day: Monday 12, Thursday 15 and Saturday 17 January 2026.
        const double lunes = fechas::serial(QDate(2026, 1, 12));
        const double semana[3] = {lunes, lunes + 3, lunes + 5};
        const struct {
            const char *dias;
            std::array<bool, 3> juega; // lunes, jueves, sábado
        } casos[] = {
            {"Jueves", {false, true, false}},
            {"Sábado", {false, false, true}},
            {"Jueves y Sábado", {false, true, true}},
            {"Lunes", {true, false, false}},
            {"Lunes y Jueves", {true, true, false}},
            {"Lunes y Sábado", {true, false, true}},
            {"Todos los días", {true, true, true}},
            {"Martes", {false, false, false}}, // edited by hand: plays nothing
            {"jueves", {false, false, false}},
        };
        for (const auto &c : casos) {
            Pena p = penaDe(QStringLiteral("A"), QString::fromUtf8(c.dias), QDate(2026, 1, 12));
            for (size_t d = 0; d < 3; ++d) {
                QVERIFY2(p.juega(semana[d]) == c.juega[d], c.dias);
                // A draw a week before the syndicate was made is played only for the history.
                QVERIFY(!p.juega(semana[d] - 7));
                QVERIFY(p.juega(semana[d] - 7, true) == c.juega[d]);
            }
            const int opcion = diasjuego::opcion(p.diasTexto());
            QCOMPARE(diasjuego::texto(opcion), opcion == 0 ? QString() : QString::fromUtf8(c.dias));
            QCOMPARE(diasjuego::porSemana(p.diasTexto()),
                     int(std::count(c.juega.begin(), c.juega.end(), true)));
        }
        // Monday draws did not exist before 11 July 2022; every text survives the 15-byte field.
        QCOMPARE(fechas::diasDeSorteo(fechas::serial(QDate(2022, 7, 9))),
                 fechas::kJueves | fechas::kSabado);
        QVERIFY(fechas::diasDeSorteo(fechas::serial(QDate(2022, 7, 11))) & fechas::kLunes);
        for (int k = 1; k <= diasjuego::kOpciones; ++k) {
            Pena p;
            p.ponDias(diasjuego::texto(k));
            QCOMPARE(diasjuego::opcion(Pena::desdeBytes(p.aBytes().constData()).diasTexto()), k);
        }
        QCOMPARE(diasjuego::enPalabras(QString::fromUtf8("Todos los días   ")),
                 QString::fromUtf8("Lunes, jueves y sábado"));
    }

    void eliminarLaSegundaDeTres()
    {
        CarpetaPrueba c;
        const QByteArray r1 = bytesAlAzar(11), r2 = bytesAlAzar(12), r3 = bytesAlAzar(13);
        c.escribe(QStringLiteral("apuestas.dat"), r1 + r2 + r3);
        ArchivoPenas a(c.archivo(QStringLiteral("apuestas.dat")));
        a.abre();
        QCOMPARE(a.cuenta(), 3);
        QCOMPARE(a.elimina(2), Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), r1 + r3);
        QCOMPARE(a.proximapena(), 3);
        QCOMPARE(a.elimina(1), Escritura::Hecha);
        QCOMPARE(a.elimina(1), Escritura::Hecha);
        QCOMPARE(QFileInfo(a.ruta()).size(), qint64(0));
        QCOMPARE(a.elimina(1), Escritura::Fallo);
    }

    void registroIncompletoNoEsUnaPena()
    {
        CarpetaPrueba c;
        const QByteArray r1 = bytesAlAzar(21);
        c.escribe(QStringLiteral("apuestas.dat"), r1 + QByteArray(100, 'x'));
        ArchivoPenas a(c.archivo(QStringLiteral("apuestas.dat")));
        a.abre();
        QCOMPARE(a.cuenta(), 1);
        QCOMPARE(a.restoParcial(), qint64(100));
        Pena nueva = penaDe(QStringLiteral("NUEVA"), QStringLiteral("Jueves"), QDate(2026, 1, 1));
        QCOMPARE(a.escribe(a.proximapena(), nueva), Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), r1 + nueva.aBytes());
    }

    void reseteoDeContadores()
    {
        CarpetaPrueba c;
        Pena p = penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), QDate(2020, 1, 2));
        p.premios = {1, 2, 3, 4, 5};
        p.contado = 44000;
        c.escribePenas({p, p});
        ArchivoPenas a(c.archivo(QStringLiteral("apuestas.dat")));
        a.abre();
        const double hoy = fechas::serial(QDate(2026, 3, 3));
        QCOMPARE(a.reseteaContadores(hoy), Escritura::Hecha);
        ArchivoPenas otra(a.ruta());
        otra.abre();
        for (const Pena &q : otra.penas()) {
            QCOMPARE(q.premios, (std::array<qint16, 5>{}));
            QCOMPARE(q.creacion, hoy);
            QCOMPARE(q.contado, 0.0);
            QCOMPARE(q.apuestas, p.apuestas);
        }
    }

    void sinPermisoNoSePierdeNada()
    {
        CarpetaPrueba c;
        c.escribePenas({penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), QDate(2026, 1, 1)),
                        penaDe(QStringLiteral("B"), QStringLiteral("Jueves"), QDate(2026, 1, 1))});
        const QByteArray antes = c.lee(QStringLiteral("apuestas.dat"));
        ArchivoPenas a(c.archivo(QStringLiteral("apuestas.dat")));
        a.abre();
        archivos::fuerzaFallo(Escritura::SinPermiso);
        QCOMPARE(a.elimina(1), Escritura::SinPermiso);
        QCOMPARE(a.reseteaContadores(1), Escritura::SinPermiso);
        archivos::fuerzaFallo(Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), antes);
        QCOMPARE(a.cuenta(), 2);
    }
};

QTEST_APPLESS_MAIN(TstArchivoPenas)
#include "tst_archivopenas.moc"
