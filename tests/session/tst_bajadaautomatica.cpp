// When the program brings draws by itself, the choices and memories it keeps for that in
// ajustes.ini, and the line that tells of a syndicate's prize.
#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "reports/premiados.h"
#include "session/ajustes.h"
#include "session/bajadaautomatica.h"

#include <QtTest>

namespace {
QDateTime en(int dia, int hora, int minuto = 0, int mes = 12, int anio = 2026)
{
    return QDateTime(QDate(anio, mes, dia), QTime(hora, minuto));
}
double dia(int d, int mes = 12, int anio = 2026)
{
    return fechas::serial(QDate(anio, mes, d));
}
} // namespace

class TstBajadaAutomatica : public QObject {
    Q_OBJECT
private slots:
    // December 2026: Monday 7, Thursday 10, Saturday 12 are draw days.
    void toca_data()
    {
        QTest::addColumn<QDateTime>("ahora");
        QTest::addColumn<double>("archivado"); // newest archived draw
        QTest::addColumn<bool>("pendientes");  // its amounts
        QTest::addColumn<QDateTime>("ultima"); // last download (or the start)
        QTest::addColumn<bool>("toca");
        const QDateTime tarde = en(10, 20);
        QTest::newRow("antes de las 22:30") << en(10, 22, 29) << dia(7) << false << tarde << false;
        QTest::newRow("a las 22:30") << en(10, 22, 30) << dia(7) << false << tarde << true;
        QTest::newRow("ya bajado a las 22:30")
            << en(10, 22, 45) << dia(7) << false << en(10, 22, 30) << false;
        QTest::newRow("traído a mano con importes")
            << en(10, 22, 30) << dia(10) << false << tarde << false;
        QTest::newRow("traído a mano sin importes")
            << en(10, 22, 30) << dia(10) << true << tarde << true;
        QTest::newRow("9:00 con importes pendientes")
            << en(11, 9) << dia(10) << true << en(10, 22, 30) << true;
        QTest::newRow("9:00 completo") << en(11, 9) << dia(10) << false << en(10, 22, 30) << false;
        QTest::newRow("8:59") << en(11, 8, 59) << dia(10) << true << en(10, 22, 30) << false;
        QTest::newRow("9:00 sin el sorteo")
            << en(11, 9) << dia(7) << false << en(10, 22, 30) << true;
        QTest::newRow("miércoles: no hay sorteo")
            << en(9, 22, 30) << dia(7) << true << en(8, 12) << false;
        QTest::newRow("el programa abrió después")
            << en(11, 10) << dia(7) << false << en(11, 9, 30) << false;
        QTest::newRow("nunca bajado") << en(12, 23) << dia(10) << false << QDateTime() << true;
        // Before 11/07/2022 Monday was no draw day.
        QTest::newRow("lunes de 2021")
            << en(5, 22, 30, 7, 2021) << dia(3, 7, 2021) << false << en(5, 20, 7, 2021) << false;
    }
    void toca()
    {
        QFETCH(QDateTime, ahora);
        QFETCH(double, archivado);
        QFETCH(bool, pendientes);
        QFETCH(QDateTime, ultima);
        QFETCH(bool, toca);
        QCOMPARE(bajadaautomatica::toca(ahora, archivado, pendientes, ultima), toca);
    }

    void faltaAlAbrir()
    {
        using bajadaautomatica::faltaSorteo;
        // Thursday's draw an hour after it is held, not before.
        QVERIFY(!faltaSorteo(en(10, 22, 29), dia(7)));
        QVERIFY(faltaSorteo(en(10, 22, 30), dia(7)));
        QVERIFY(faltaSorteo(en(11, 8), dia(7)));
        QVERIFY(!faltaSorteo(en(11, 8), dia(10)));
        // The archive's stored moment may carry a time of day.
        QVERIFY(!faltaSorteo(en(11, 8), dia(10) + 0.9));
        QVERIFY(faltaSorteo(en(11, 8), 0)); // an empty archive
        QCOMPARE(bajadaautomatica::ultimoCelebrado(en(9, 12)), dia(7));
    }

    void preferenciasEnAjustesIni()
    {
        CarpetaPrueba c;
        QCOMPARE(Preferencias::lee(c.ruta()), Preferencias());
        // Whatever else the file holds stays as it was, CR LF included.
        const QByteArray antes = "[operador]\r\nsitio=http://127.0.0.1:9\r\n[programa]\r\n"
                                 "bajaralabrir=1\r\n; nota del usuario\r\n[autor]\r\nweb=x\r\n";
        c.escribe(QStringLiteral("ajustes.ini"), antes);
        Preferencias p;
        p.bajarAlAbrir = false;
        p.rechazoAvisado = QDate(2026, 12, 10);
        p.sorteoAvisado = QDate(2026, 12, 10);
        QCOMPARE(p.escribe(c.ruta()), Escritura::Hecha);
        QCOMPARE(Preferencias::lee(c.ruta()), p);
        const QByteArray despues = c.lee(QStringLiteral("ajustes.ini"));
        QVERIFY(despues.startsWith("[operador]\r\nsitio=http://127.0.0.1:9\r\n[programa]\r\n"
                                   "bajaralabrir=0\r\n; nota del usuario\r\n"));
        QVERIFY(despues.contains("[autor]\r\nweb=x\r\n"));
        QCOMPARE(despues.count("bajaralabrir"), 1);
        // A value nobody can read keeps the program's own choice.
        c.escribe(QStringLiteral("ajustes.ini"), "[programa]\nbajaralabrir=quizá\n"
                                                 "avisosescritorio=no\nsorteoavisado=ayer\n");
        const Preferencias raras = Preferencias::lee(c.ruta());
        QVERIFY(raras.bajarAlAbrir);
        QVERIFY(!raras.avisosEscritorio);
        QVERIFY(!raras.sorteoAvisado.isValid());
    }

    void lineaDelPremio()
    {
        premiados::Premio p;
        p.pena = QStringLiteral("OFICINA");
        p.jugada.fecha = dia(10);
        p.jugada.premiadas[4] = 1; // 4th category
        p.jugada.premio = 7754;
        QCOMPARE(premiados::linea(p),
                 QString::fromUtf8(
                     "Peña OFICINA: 4 aciertos en el sorteo del jueves 10/12/2026 — 77,54 €"));
        p.jugada.premiadas[5] = 2;
        p.jugada.reintegros = 1;
        p.jugada.jokers[juego::kJokerReintegro] = 1;
        p.jugada.desconocido = true;
        QCOMPARE(premiados::textoAciertos(p.jugada),
                 QString::fromUtf8("4 aciertos, 2 × 3 aciertos, reintegro, reintegro del Joker"));
        QCOMPARE(premiados::textoImporte(p.jugada), QString::fromUtf8("77,54 € (provisional)"));
        p.jugada.premio = 0;
        QCOMPARE(premiados::textoImporte(p.jugada), QStringLiteral("importe pendiente"));
        QVERIFY(premiados::hayPremio(p.jugada));
        QVERIFY(!premiados::hayPremio(ganancias::Jugada()));
    }
};

QTEST_GUILESS_MAIN(TstBajadaAutomatica)
#include "tst_bajadaautomatica.moc"
