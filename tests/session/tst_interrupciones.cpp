// Draws that arrive many at once, and a download cut short between two of its files: every
// prize reaches the counters once and every amount reaches premios.dat, as when the same draws
// come one by one without a hitch. Played on the real history.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "archive/intercambio.h"
#include "session/sesion.h"
#include "syndicates/archivopenas.h"

#include <QtTest>
#include <random>

namespace {
// More than 30 days after the newest real draw: the last days a download asks again for
// their amounts hold none of the draws.
const QDate kHoy(2026, 10, 1);

std::vector<Sorteo> historico()
{
    ArchivoSorteos archivo(CarpetaPrueba::historicoReal());
    archivo.abre();
    return archivo.sorteos();
}

// Syndicates of each kind that win now and then, made in a fixed way: simple ones of 205 bets
// on every day and of 60 on Thursdays and Saturdays, multiples of 11 and of 5 numbers. Made
// on `creada`, counted up to `contado`.
std::vector<Pena> penas(const QDate &creada, double contado)
{
    std::mt19937 azar(29);
    const auto numeros = [&azar](Pena &p, int apuesta, int cuantos) {
        std::vector<qint16> v;
        for (qint16 n = 1; n <= 49; ++n)
            v.push_back(n);
        for (int i = 0; i < cuantos; ++i) {
            std::swap(v[size_t(i)], v[size_t(i) + azar() % (49 - size_t(i))]);
            p.numero(apuesta, i + 1) = v[size_t(i)];
        }
    };
    const auto pena = [&](const char *nombre, const QString &dias, int tipo) {
        Pena p = penaDe(QString::fromLatin1(nombre), dias, creada);
        p.tipo = qint16(tipo);
        p.contado = contado;
        if (tipo > 500)
            numeros(p, 1, cuantos(tipo));
        else
            for (int k = 1; k <= tipo; ++k)
                numeros(p, k, 6);
        return p;
    };
    const QString todos = QString::fromUtf8("Todos los días");
    return {pena("TODOS", todos, 205), pena("FINDE", QString::fromUtf8("Jueves y Sábado"), 60),
            pena("ONCE", todos, 506), pena("CINCO", QStringLiteral("Jueves"), 503)};
}

QByteArray dosCifras(int n)
{
    return QByteArray::number(n).rightJustified(2, '0');
}

// An answer of the results service with these draws, newest first as the service lists them;
// with `importes`, a breakdown whose amounts differ from draw to draw.
QByteArray respuesta(const std::vector<Sorteo> &sorteos, bool importes)
{
    QByteArrayList entradas;
    for (auto i = sorteos.rbegin(); i != sorteos.rend(); ++i) {
        const Sorteo &s = *i;
        const QDate dia = fechas::dia(s.fecha);
        QByteArrayList numeros;
        for (qint16 n : s.numeros)
            numeros.append(dosCifras(n));
        QByteArray escrutinio;
        if (importes) {
            const QByteArray d = QByteArray::number(dia.day());
            escrutinio = R"json(
              {"tipo": "Especial (6 Aciertos + R) ", "categoria": 1, "premio": "0", "ganadores": "0"},
              {"tipo": "1ª (6 Aciertos) ", "categoria": 2, "premio": "0", "ganadores": "0"},
              {"tipo": "2ª (5 Aciertos + C) ", "categoria": 3, "premio": "7)json" +
                         d + R"json(654,32", "ganadores": "1"},
              {"tipo": "3ª (5 Aciertos) ", "categoria": 4, "premio": "2)json" +
                         d + R"json(45,67", "ganadores": "9"},
              {"tipo": "4ª (4 Aciertos) ", "categoria": 5, "premio": ")json" +
                         d + R"json(,50", "ganadores": "700"},
              {"tipo": "5ª (3 Aciertos) ", "categoria": 6, "premio": "8", "ganadores": "9000"},
              {"tipo": "Reintegro", "categoria": 7, "premio": "1", "ganadores": "90000"})json";
        }
        entradas.append(R"json({"fecha_sorteo": ")json" + dia.toString(Qt::ISODate).toLatin1() +
                        R"json( 21:40:00", "combinacion": ")json" + numeros.join(" - ") + " C(" +
                        dosCifras(s.complementario) + ") R(" + QByteArray::number(s.reintegro) +
                        R"json()", "joker": {"gameid": "LAJO", "combinacion": ")json" +
                        QByteArray::number(qint64(s.joker)).rightJustified(7, '0') +
                        R"json("}, "escrutinio": [)json" + escrutinio + "]}");
    }
    return '[' + entradas.join(",\n") + ']';
}

std::unique_ptr<Sesion> abre(const CarpetaPrueba &c)
{
    auto s = std::make_unique<Sesion>(c.ruta(), [] { return QDateTime(kHoy, QTime(10, 0)); });
    s->abreArchivos();
    s->leeajustes();
    s->empieza();
    return s;
}

// A download whose one answer is `respuesta`, as the "Último sorteo" tab runs it.
void descarga(Sesion &s, const QByteArray &respuesta)
{
    s.empiezaDescarga();
    s.recibe(respuesta, kHoy);
    s.cierraRecepcion();
    s.terminaDescarga();
}

// Each syndicate's counters and counted-up-to date as apuestas.dat holds them.
QStringList contadores(const CarpetaPrueba &c)
{
    ArchivoPenas archivo(c.archivo(QStringLiteral("apuestas.dat")));
    archivo.abre();
    QStringList v;
    for (const Pena &p : archivo.penas())
        v.append(QStringLiteral("%1: %2 %3 %4 %5 %6 hasta %7")
                     .arg(p.nombreTexto().trimmed())
                     .arg(p.premio(3))
                     .arg(p.premio(4))
                     .arg(p.premio(5))
                     .arg(p.premio(6))
                     .arg(p.premio(7))
                     .arg(fechas::textoCorto(p.contado)));
    return v;
}

int premiosContados(const CarpetaPrueba &c)
{
    ArchivoPenas archivo(c.archivo(QStringLiteral("apuestas.dat")));
    archivo.abre();
    int total = 0;
    for (const Pena &p : archivo.penas())
        for (int k = 3; k <= 7; ++k)
            total += p.premio(k);
    return total;
}
} // namespace

class TstInterrupciones : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (CarpetaPrueba::historicoReal().isEmpty())
            QSKIP("No está el histórico real de sorteos");
    }
    void cleanup() { archivos::fuerzaFallo(Escritura::Hecha); }

    // Thirty newer draws imported from a file at once, or archived while nothing counted them
    // (a crash after numeros.dat) and found at the next start, give the counters of the same
    // draws downloaded one by one, whatever few draws the results lists show.
    void importadosContadosComoDescargados()
    {
        const std::vector<Sorteo> todos = historico();
        const std::vector<Sorteo> antes(todos.begin(), todos.end() - 30);
        const std::vector<Sorteo> nuevos(todos.end() - 30, todos.end());
        const auto prepara = [&](const CarpetaPrueba &c) {
            c.escribeSorteos(antes);
            c.escribePenas(penas(QDate(2025, 1, 1), antes.back().fecha));
        };

        CarpetaPrueba descargada;
        prepara(descargada);
        {
            auto s = abre(descargada);
            for (const Sorteo &n : nuevos)
                descarga(*s, respuesta({n}, false));
            QCOMPARE(s->sorteos().cuenta(), int(todos.size()));
        }
        const QStringList esperados = contadores(descargada);
        // Enough prizes that one draw's worth could not pass for thirty.
        QVERIFY2(premiosContados(descargada) > 100, qPrintable(esperados.join(QLatin1Char('\n'))));

        CarpetaPrueba importada;
        prepara(importada);
        QTemporaryDir fuera;
        const QString csv = fuera.filePath(QStringLiteral("nuevos.csv"));
        QCOMPARE(intercambio::exporta(nuevos, csv), Escritura::Hecha);
        {
            auto s = abre(importada);
            QCOMPARE(s->sorteosAComprobar(), 1);
            QCOMPARE(s->importaSorteos(csv).anadidos, 30);
        }
        QCOMPARE(contadores(importada), esperados);

        CarpetaPrueba arrancada;
        prepara(arrancada);
        arrancada.escribeSorteos(todos);
        abre(arrancada);
        QCOMPARE(contadores(arrancada), esperados);
        // A start that finds nothing new counts nothing twice.
        abre(arrancada);
        QCOMPARE(contadores(arrancada), esperados);
    }

    // A download stopped at each of its writes in turn (a full disk from there on, as a kill
    // would leave it), then the program started again and the next download: the counters,
    // the archive and the amounts are those of the download that ran whole.
    void descargaCortadaEnCadaEscritura()
    {
        const std::vector<Sorteo> todos = historico();
        const std::vector<Sorteo> antes(todos.begin(), todos.end() - 3);
        const std::vector<Sorteo> nuevos(todos.end() - 3, todos.end());
        const QStringList archivos = {QStringLiteral("numeros.dat"), QStringLiteral("premios.dat"),
                                      QStringLiteral("ganadores.dat"),
                                      QStringLiteral("apuestas.dat")};
        // The newest archived draw came with its amounts, as from an earlier download.
        const auto prepara = [&](const CarpetaPrueba &c) {
            c.escribeSorteos(antes);
            c.escribePenas(penas(QDate(2026, 1, 1), antes.back().fecha));
            descarga(*abre(c), respuesta({antes.back()}, true));
        };
        const auto lee = [&archivos](const CarpetaPrueba &c) {
            QByteArrayList v;
            for (const QString &a : archivos)
                v.append(c.lee(a));
            return v;
        };

        CarpetaPrueba entera;
        prepara(entera);
        descarga(*abre(entera), respuesta(nuevos, true));
        const QByteArrayList esperados = lee(entera);
        QVERIFY(premiosContados(entera) > 0);

        for (int tras = 0;; ++tras) {
            QVERIFY2(tras < 10, "la descarga no termina de escribir");
            CarpetaPrueba c;
            prepara(c);
            bool completa = false;
            {
                auto s = abre(c);
                archivos::fuerzaFallo(Escritura::Fallo, tras);
                descarga(*s, respuesta(nuevos, true));
                // The counted-up-to dates in memory are never ahead of the disk's counters.
                ArchivoPenas enDisco(c.archivo(QStringLiteral("apuestas.dat")));
                QCOMPARE(enDisco.abre(), Escritura::Hecha);
                QCOMPARE(s->penas().penas(), enDisco.penas());
                archivos::fuerzaFallo(Escritura::Hecha);
                completa = lee(c) == esperados;
            }
            auto s = abre(c);
            // The next download asks again for every archived draw still without its amounts.
            const auto [desde, hasta] = s->diasPorPedir();
            std::vector<Sorteo> pedidos;
            for (const Sorteo &n : todos) {
                const QDate dia = fechas::dia(n.fecha);
                if (dia >= desde && dia <= hasta)
                    pedidos.push_back(n);
            }
            for (const Sorteo &n : s->sorteos().sorteos())
                if (!importes::completo(s->importes().busca(n.fecha), n.fecha))
                    QVERIFY2(fechas::dia(n.fecha) >= desde || n.fecha < antes.back().fecha,
                             qPrintable(fechas::textoCorto(n.fecha)));
            descarga(*s, respuesta(pedidos, true));
            s.reset();
            const QByteArrayList despues = lee(c);
            for (qsizetype i = 0; i < archivos.size(); ++i)
                QVERIFY2(
                    despues[i] == esperados[i],
                    qPrintable(QStringLiteral("%1 tras %2 escrituras").arg(archivos[i]).arg(tras)));
            if (completa)
                break;
        }
    }
};

QTEST_GUILESS_MAIN(TstInterrupciones)
#include "tst_interrupciones.moc"
