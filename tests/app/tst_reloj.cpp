// The program's clock: every draw rule is reckoned on Madrid's clock, whatever the machine's
// time zone (this program also runs as app/tst_reloj/<zone> with TZ set to a zone far east and
// one far west of Madrid), and a clock set back loses no draw.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "syndicates/casilla.h"
#include "syndicates/crea.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

// A real instant, given in UTC, as the machine's clock holds it: in the machine's own zone.
QDateTime instante(const QDate &dia, const QTime &hora)
{
    return QDateTime(dia, hora, Qt::UTC).toLocalTime();
}

const QDate kJueves(2026, 1, 8);
const QDate kSabado(2026, 1, 10);
} // namespace

class TstReloj : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    EscritorioPrueba *escritorio = nullptr;

    int avisos(const QString &titulo) const { return escritorio->conTitulo(titulo); }
    // The clock the program would read at this instant on this machine.
    void ponInstante(const QDateTime &momento) { escritorio->reloj = juego::enMadrid(momento); }

private slots:
    void initTestCase()
    {
        // The zone the run asked for is the one the machine's clock is in.
        const QByteArray zona = qgetenv("TZ");
        const QDateTime enero = instante(kJueves, QTime(12, 0));
        if (zona == "Pacific/Kiritimati")
            QCOMPARE(enero.offsetFromUtc(), 14 * 3600);
        else if (zona == "America/Los_Angeles")
            QCOMPARE(enero.offsetFromUtc(), -8 * 3600);
        QVERIFY(QTimeZone(QByteArrayLiteral("Europe/Madrid")).isValid());
    }
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio = EscritorioPrueba::instala(kJueves);
    }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        Escritorio::sustituye(nullptr);
        carpeta.reset();
    }

    void elRelojEsElDeMadrid_data()
    {
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<QDateTime>("madrid");
        QTest::newRow("invierno") << QDateTime(kJueves, QTime(20, 0), Qt::UTC)
                                  << QDateTime(kJueves, QTime(21, 0));
        QTest::newRow("verano") << QDateTime(QDate(2026, 7, 9), QTime(19, 0), Qt::UTC)
                                << QDateTime(QDate(2026, 7, 9), QTime(21, 0));
        QTest::newRow("madrugada") << QDateTime(kJueves, QTime(23, 30), Qt::UTC)
                                   << QDateTime(kJueves.addDays(1), QTime(0, 30));
    }
    void elRelojEsElDeMadrid()
    {
        QFETCH(QDateTime, utc);
        QFETCH(QDateTime, madrid);
        const QDateTime hora = juego::enMadrid(utc.toLocalTime());
        QCOMPARE(hora.date(), madrid.date());
        QCOMPARE(hora.time(), madrid.time());
        QCOMPARE(hora.toMSecsSinceEpoch(), utc.toMSecsSinceEpoch());

        // The desktop's real clock reads Madrid's hour too.
        Escritorio::sustituye(nullptr);
        const QDateTime ahora = Escritorio::actual().ahora();
        QCOMPARE(ahora.offsetFromUtc(),
                 QTimeZone(QByteArrayLiteral("Europe/Madrid")).offsetFromUtc(ahora));
    }

    // The header's next draw and countdown follow Madrid's day: on a Thursday evening in Madrid
    // (already Friday far east) that Thursday's draw is still to come; early on Friday in
    // Madrid (still Thursday far west) the next one is Saturday's; early on Thursday in Madrid
    // (still Wednesday far west) it is today's.
    void elProximoSorteoEsElDeMadrid_data()
    {
        QTest::addColumn<QDateTime>("momento");
        QTest::addColumn<QDate>("proximo");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<QString>("trasMedianoche");
        QTest::newRow("jueves 21:15 en Madrid")
            << instante(kJueves, QTime(20, 15)) << kJueves << u("¡Hoy sorteo!") << u("Falta 1 día");
        QTest::newRow("viernes 00:30 en Madrid")
            << instante(kJueves, QTime(23, 30)) << kSabado << u("Falta 1 día") << u("¡Hoy sorteo!");
        QTest::newRow("jueves 07:00 en Madrid")
            << instante(kJueves, QTime(6, 0)) << kJueves << u("¡Hoy sorteo!") << u("Falta 1 día");
    }
    void elProximoSorteoEsElDeMadrid()
    {
        QFETCH(QDateTime, momento);
        QFETCH(QDate, proximo);
        QFETCH(QString, cuenta);
        QFETCH(QString, trasMedianoche);
        carpeta->escribeSorteos({sorteoDe(kJueves.addDays(-5)), sorteoDe(kJueves.addDays(-3))});
        ponInstante(momento);
        Principal p(carpeta->ruta());
        QCOMPARE(control<QLabel>(p, "Label9_5")->text(),
                 fechas::textoLargo(fechas::serial(proximo)));
        QCOMPARE(control<QLabel>(p, "Label9_7")->text(), cuenta);

        // Left open across Madrid's midnight, the header turns with the day by itself.
        auto *medianoche = p.findChild<QTimer *>(QStringLiteral("relojDia"));
        QVERIFY(medianoche && medianoche->isActive());
        const QDateTime ahora = Escritorio::actual().ahora();
        QDateTime despues = ahora;
        despues.setDate(ahora.date().addDays(1));
        despues.setTime(QTime(0, 0, 1));
        const qint64 falta = ahora.msecsTo(despues);
        QVERIFY(qAbs(medianoche->interval() - falta) < 2000);
        ponInstante(momento.addMSecs(falta));
        p.relojDia_Timer();
        QCOMPARE(control<QLabel>(p, "Label9_7")->text(), trasMedianoche);
        QVERIFY(medianoche->isActive()); // and again for the next one
    }

    // A syndicate saved at one real instant plays the same draws in every zone: a few minutes
    // before the draw's 21:30 in Madrid it plays that evening's draw, a few after it does not.
    // "Juega desde" offers Madrid's today at most.
    void unaPenaJuegaLoMismoEnTodasLasZonas_data()
    {
        QTest::addColumn<QDateTime>("momento");
        QTest::addColumn<QTime>("enMadrid");
        QTest::addColumn<bool>("juega");
        QTest::newRow("21:15 en Madrid")
            << instante(kJueves, QTime(20, 15)) << QTime(21, 15) << true;
        QTest::newRow("21:45 en Madrid")
            << instante(kJueves, QTime(20, 45)) << QTime(21, 45) << false;
    }
    void unaPenaJuegaLoMismoEnTodasLasZonas()
    {
        QFETCH(QDateTime, momento);
        QFETCH(QTime, enMadrid);
        QFETCH(bool, juega);
        carpeta->escribeSorteos({sorteoDe(kJueves.addDays(-7)), sorteoDe(kJueves)});
        ponInstante(momento);
        Principal p(carpeta->ruta());
        Sesion &sesion = p.sesion();
        sesion.ponModocrea(0);
        p.abreCrea();
        Crea *crea = p.findChild<Crea *>();
        if (!crea)
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *c = qobject_cast<Crea *>(w); c && c->isVisible())
                    crea = c;
        QVERIFY(crea);
        QCOMPARE(control<QDateEdit>(*crea, "juegaDesde")->maximumDate(), kJueves);
        for (int n = 1; n <= 6; ++n)
            QTest::mouseClick(control<Casilla>(*crea, QStringLiteral("Image1_%1").arg(n - 1)),
                              Qt::LeftButton);
        QTest::keyClicks(control<QLineEdit>(*crea, "Text1"), QStringLiteral("OFICINA"));
        QTest::mouseClick(control<QRadioButton>(*crea, "Option1"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(*crea, "Command1"), Qt::LeftButton);

        QCOMPARE(sesion.penas().cuenta(), 1);
        const Pena pena = sesion.penas().lee(1);
        QCOMPARE(pena.creacion, fechas::serial(kJueves) + enMadrid.msecsSinceStartOfDay() / 864e5);
        QCOMPARE(pena.juega(fechas::serial(kJueves)), juega);
        QVERIFY(!pena.juega(fechas::serial(kJueves.addDays(-7))));
        sesion.recuenta();
        QCOMPARE(sesion.sorteosjugados(), juega ? 1 : 0);
    }

    // The clock set back to 2025 (a flat battery) keeps every draw of the real history through
    // a start and a rewrite of the archive, and says once a start that the clock seems wrong.
    void unRelojEn2025ConservaTodoElHistorico()
    {
        const QString historico = CarpetaPrueba::historicoReal();
        if (historico.isEmpty())
            QSKIP("the real draw history is not here");
        QFile f(historico);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray real = f.readAll();
        const int cuantos = static_cast<int>(real.size() / Sorteo::kLongitud);
        QCOMPARE(cuantos, 4176);
        carpeta->escribe(QStringLiteral("numeros.dat"), real);
        escritorio->reloj = QDateTime(QDate(2025, 1, 2), QTime(10, 0));
        const QString titulo = u("Fecha del ordenador");
        {
            Principal p(carpeta->ruta());
            QCOMPARE(avisos(u("Sorteos dañados")), 0);
            QCOMPARE(avisos(titulo), 1);
            for (const auto &m : escritorio->mensajes)
                if (m.titulo == titulo) {
                    QCOMPARE(m.icono, Escritorio::Icono::Informacion);
                    QVERIFY2(m.texto.contains(QStringLiteral("02/01/2025")) &&
                                 m.texto.contains(QStringLiteral("17/08/2026")),
                             qPrintable(m.texto));
                }
            QCOMPARE(p.sesion().sorteos().cuenta(), cuantos);
            QCOMPARE(p.sesion().proximosorteo(), cuantos + 1);
            QCOMPARE(fechas::dia(p.sesion().sorteoActual().fecha), QDate(2026, 8, 17));

            // A rewrite keeps every draw but the one deleted.
            QCOMPARE(p.sesion().borraSorteo(1), Escritura::Hecha);
            QCOMPARE(carpeta->lee(QStringLiteral("numeros.dat")), real.mid(Sorteo::kLongitud));
            QCOMPARE(avisos(titulo), 1);
        }
        Principal otra(carpeta->ruta());
        QCOMPARE(otra.sesion().sorteos().cuenta(), cuantos - 1);
        QCOMPARE(avisos(titulo), 2);
        QCOMPARE(avisos(u("Sorteos dañados")), 0);
    }
};

QTEST_MAIN(TstReloj)
#include "tst_reloj.moc"
