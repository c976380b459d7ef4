// A syndicate's accounts over the real history: members who leave and join, stakes and prizes
// split by the shares in force on each draw, payments, balances, the pot kept or shared out,
// the statements and the summary to paste.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "reports/cuentas.h"

#include <QTest>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

double dia(const QDate &d)
{
    return fechas::serial(d);
}

// Played from 1/1/2025 on Thursdays. LUIS leaves on 30/4/2025 and RAFA joins on 1/9/2025; ANA
// has no record of her time (in from the start) and PEPA is in from the first day, for ever.
const QDate kCreacion(2025, 1, 1);
const QDate kSeVa(2025, 4, 30);
const QDate kLlega(2025, 9, 1);
} // namespace

class TstCuentas : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void textosDelSaldo()
    {
        QCOMPARE(saldos::textoSaldo(-1200), u("Debe 12,00 €"));
        QCOMPARE(saldos::textoSaldo(350), u("A favor 3,50 €"));
        QCOMPARE(saldos::textoSaldo(0), u("Al día"));
        QCOMPARE(saldos::textoSaldo(-123456), u("Debe 1.234,56 €"));
    }

    void tresSociosQueCambianSobreElHistoricoReal()
    {
        const QString ruta = CarpetaPrueba::historicoReal();
        if (ruta.isEmpty())
            QSKIP("no real history here");
        ArchivoSorteos archivo(ruta);
        archivo.abre();

        // The first Thursday draw of each period: the syndicate's three bets are their numbers,
        // so that each of them wins the 1ª category there and nowhere else.
        std::vector<Sorteo> jueves;
        for (const Sorteo &s : archivo.sorteos())
            if (fechas::dia(s.fecha) >= kCreacion && fechas::dia(s.fecha).dayOfWeek() == 4)
                jueves.push_back(s);
        const auto primero = [&](const QDate &desde) {
            for (const Sorteo &s : jueves)
                if (fechas::dia(s.fecha) > desde)
                    return s;
            return Sorteo();
        };
        const Sorteo x = primero(kCreacion), z = primero(kSeVa), y = primero(kLlega);
        QVERIFY(y.fecha > 0);
        Pena p = penaDe(u("LOS CUATRO"), u("Jueves"), kCreacion);
        p.tipo = 3;
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < 6; ++i)
                p.numero(k + 1, i + 1) = (k == 0 ? x : k == 1 ? z : y).numeros[size_t(i)];

        // Every other prize of those draws is known and worth nothing; the 1ª of x is 1.000,01 €
        // (a cent left over for four shares), that of y 900 € and that of z not known yet.
        std::vector<ImportesSorteo> importes;
        for (const Sorteo &s : jueves) {
            ImportesSorteo i;
            i.fecha = s.fecha;
            i.centimos = {0, 0, 0, 0, 0, 0};
            if (s.fecha == x.fecha)
                i.centimos[1] = 100001;
            if (s.fecha == y.fecha)
                i.centimos[1] = 90000;
            if (s.fecha == z.fecha)
                i.centimos[1] = -1;
            importes.push_back(i);
        }
        CarpetaPrueba c;
        c.escribe(u("premios.dat"), ArchivoImportes::serializa(importes));
        ArchivoImportes enDisco(importes::rutaArchivo(c.ruta()));
        enDisco.abre();
        const ganancias::Historia h(archivo.sorteos(), enDisco);
        const ganancias::Ganancias g = ganancias::calcula(h, p, 100, -1, true);

        qint64 n[3] = {0, 0, 0}; // draws with 4, 3 and 4 shares in
        for (const ganancias::Jugada &j : g.detalle)
            ++n[fechas::dia(j.fecha) <= kSeVa ? 0 : fechas::dia(j.fecha) < kLlega ? 1 : 2];
        QVERIFY(n[0] > 10 && n[1] > 10 && n[2] > 10);
        QCOMPARE(g.gasto, 300 * (n[0] + n[1] + n[2]));
        QCOMPARE(g.neto(), qint64(190001));
        QCOMPARE(g.desconocidos, 1);

        SociosPena socios = SociosPena::de(p);
        socios.socios = {{u("ANA"), 1}, {u("LUIS"), 1}, {u("PEPA"), 2}, {u("RAFA"), 1}};
        CuentasPena cuentas = CuentasPena::de(p);
        cuentas.permanencias = {{u("LUIS"), dia(kCreacion), dia(kSeVa)},
                                {u("PEPA"), dia(kCreacion), 0},
                                {u("RAFA"), dia(kLlega), 0}};
        cuentas.pagos = {{u("ANA"), dia(kCreacion), 5000, u("Enero")},
                         {u("LUIS"), dia(kCreacion), 3000, QString()},
                         {u("PEPA"), dia(kCreacion), 20000, QString()},
                         {u("ANA"), dia(kLlega), 5000, u("Septiembre")},
                         {u("RAFA"), dia(kLlega), 1000, QString()},
                         {u("TONI"), dia(kCreacion), 500, u("Antes de irse")}};

        // What each member staked and won, by hand: 300 cents a draw as 75/75/150 among four
        // shares and 100/200 among three; the prize of x as 25.001/25.000/50.000 (the cent
        // left over to the first member), that of y as 22.500/45.000/22.500.
        struct Esperado {
            const char *nombre;
            qint64 pagado, jugado, premios;
            bool provisional;
        };
        const Esperado esperados[] = {
            {"ANA", 10000, 75 * n[0] + 100 * n[1] + 75 * n[2], 25001 + 22500, true},
            {"LUIS", 3000, 75 * n[0], 25000, false},
            {"PEPA", 20000, 150 * n[0] + 200 * n[1] + 150 * n[2], 50000 + 45000, true},
            {"RAFA", 1000, 75 * n[2], 22500, false},
            {"TONI", 500, 0, 0, false}};
        const qint64 pagado = 34500;
        for (Destino destino : {Destino::Bote, Destino::Reparten}) {
            cuentas.destino = destino;
            const saldos::Estado e = saldos::calcula(g, socios, cuentas);
            QCOMPARE(e.socios.size(), std::size(esperados));
            qint64 jugado = 0, premios = 0, suma = 0;
            for (const Esperado &esperado : esperados) {
                const saldos::CuentaSocio *s = e.socio(u(esperado.nombre));
                QVERIFY2(s, esperado.nombre);
                QCOMPARE(s->pagado, esperado.pagado);
                QCOMPARE(s->jugado, esperado.jugado);
                QCOMPARE(s->premios, esperado.premios);
                QCOMPARE(s->saldo(), esperado.pagado + esperado.premios - esperado.jugado);
                QCOMPARE(s->provisional, esperado.provisional);
                jugado += s->jugado;
                premios += s->premios;
                suma += s->saldo();
                // The statement ends on the balance, line by line from the payments and draws.
                const saldos::Extracto x = saldos::extracto(g, socios, cuentas, s->nombre);
                QCOMPARE(x.titulo, u("Extracto de ") + s->nombre);
                QCOMPARE(x.saldo, s->saldo());
                QCOMPARE(x.provisional, s->provisional);
                for (size_t i = 1; i < x.lineas.size(); ++i)
                    QVERIFY(x.lineas[i - 1].fecha <= x.lineas[i].fecha);
            }
            QCOMPARE(e.socio(u("TONI"))->participaciones, 0);
            QCOMPARE(jugado, g.gasto);
            QCOMPARE(premios, g.neto());
            QCOMPARE(e.pagado, pagado);
            QCOMPARE(e.sorteosSinSocios, 0);
            QVERIFY(e.provisional);
            // Kept in the pot, the pot is everybody's balances together; shared out, the
            // prizes are owed to the members and leave it.
            const qint64 bote = pagado + 190001 - g.gasto - (destino == Destino::Bote ? 0 : 190001);
            QCOMPARE(e.bote(), bote);
            if (destino == Destino::Bote)
                QCOMPARE(e.bote(), suma);
            const saldos::Extracto todo = saldos::extractoPena(g, socios, cuentas, u("LOS CUATRO"));
            QCOMPARE(todo.saldo, bote);
            QCOMPARE(todo.titulo, u("Extracto de la peña LOS CUATRO"));
        }

        // LUIS's statement: his payment, then his part of every draw until he left.
        const saldos::Extracto luis = saldos::extracto(g, socios, cuentas, u("LUIS"));
        QCOMPARE(luis.lineas.size(), size_t(1 + n[0]));
        QCOMPARE(luis.lineas[0].concepto, u("Pago"));
        QCOMPARE(luis.lineas[0].abono, qint64(3000));
        QCOMPARE(luis.lineas[1].concepto, u("Sorteo del jueves ") + fechas::textoCorto(x.fecha));
        QCOMPARE(luis.lineas[1].cargo, qint64(75));
        QCOMPARE(luis.lineas[1].abono, qint64(25000));
        QCOMPARE(luis.lineas[1].saldo, qint64(3000 - 75 + 25000));
        QVERIFY(fechas::dia(luis.lineas.back().fecha) <= kSeVa);
        const saldos::Extracto ana = saldos::extracto(g, socios, cuentas, u("ANA"));
        QCOMPARE(ana.lineas[0].concepto, u("Pago: Enero"));

        const QString resumen =
            saldos::resumenTexto(saldos::calcula(g, socios, cuentas), u("LOS CUATRO"));
        const qint64 luisSaldo = 3000 + 25000 - 75 * n[0];
        QVERIFY2(resumen.contains(u("\nLUIS: ") + saldos::textoSaldo(luisSaldo) + u("\n")),
                 qPrintable(resumen));
        QVERIFY(resumen.contains(u("\nPEPA: ")) && resumen.contains(u("(provisional)")));
        QVERIFY(resumen.contains(u("\nBote de la peña: ")));

        // Money handed to members: LUIS gets his prize, TONI his payment back. Shared out, a
        // prize handed over was already out of the pot; money given back leaves it. Kept in the
        // pot, both leave it. Either way each balance drops by what they were handed.
        {
            CuentasPena conEntregas = cuentas;
            conEntregas.pagos.push_back({u("LUIS"), dia(kLlega), -25000, u("Su premio")});
            conEntregas.pagos.push_back({u("TONI"), dia(kLlega), -500, QString()});
            for (Destino destino : {Destino::Reparten, Destino::Bote}) {
                cuentas.destino = conEntregas.destino = destino;
                const saldos::Estado antes = saldos::calcula(g, socios, cuentas);
                const saldos::Estado e = saldos::calcula(g, socios, conEntregas);
                QCOMPARE(e.pagado, antes.pagado);
                QCOMPARE(e.entregado, qint64(25500));
                QCOMPARE(e.socio(u("LUIS"))->saldo(), antes.socio(u("LUIS"))->saldo() - 25000);
                QCOMPARE(e.socio(u("TONI"))->saldo(), qint64(0));
                QCOMPARE(e.bote(), antes.bote() - (destino == Destino::Reparten ? 500 : 25500));
                const saldos::Extracto x =
                    saldos::extractoPena(g, socios, conEntregas, u("LOS CUATRO"));
                QCOMPARE(x.saldo, e.bote());
                const saldos::Extracto luis = saldos::extracto(g, socios, conEntregas, u("LUIS"));
                QCOMPARE(luis.saldo, e.socio(u("LUIS"))->saldo());
                QCOMPARE(luis.lineas.back().concepto, u("Entregado: Su premio"));
                QCOMPARE(luis.lineas.back().cargo, qint64(25000));

                // The spreadsheet: a line per member and the syndicate's, with the pot.
                const QStringList lineas = QString::fromUtf8(saldos::aCsv({{u("LOS;CUATRO"), e}}))
                                               .split(u("\r\n"), Qt::SkipEmptyParts);
                QCOMPARE(lineas.size(), int(e.socios.size()) + 2);
                QVERIFY(lineas[2].startsWith(u("\"LOS;CUATRO\";LUIS;1;30,00;250,00;")));
                QVERIFY(lineas.last().endsWith(u(";Bote de la peña;;345,00;255,00;") +
                                               ganancias::textoCsv(e.jugado) + u(";") +
                                               ganancias::textoCsv(e.premios) + u(";") +
                                               ganancias::textoCsv(e.bote()) + u(";provisional")));
            }
        }

        // Nobody in on the first draws: their money is the syndicate's alone.
        cuentas.permanencias.push_back({u("ANA"), dia(kLlega), 0});
        cuentas.permanencias[1].desde = dia(kLlega);
        cuentas.permanencias.erase(cuentas.permanencias.begin());
        socios.socios.erase(socios.socios.begin() + 1);
        const saldos::Estado e = saldos::calcula(g, socios, cuentas);
        QCOMPARE(e.sorteosSinSocios, int(n[0] + n[1]));
        QCOMPARE(e.jugadoSinSocios, 300 * (n[0] + n[1]));
        QCOMPARE(e.premiosSinSocios, qint64(100001));
        QCOMPARE(e.socio(u("ANA"))->jugado, 75 * n[2]);
        QVERIFY(!e.socio(u("ANA"))->provisional);
    }
};

QTEST_GUILESS_MAIN(TstCuentas)
#include "tst_cuentas.moc"
