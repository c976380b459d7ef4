// A large, varied case of both passes pinned down as a whole: every cell of both results lists
// with its colour and font, the counters written back and the printed listing, each reduced
// to a digest. The digests were taken from a version of the lists that built every row up
// front, so a different way of making the rows must still show exactly the same lists.
#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "checking/comprobacion.h"
#include "checking/modeloresultados.h"

#include <QColor>
#include <QCryptographicHash>
#include <QFont>
#include <QTest>
#include <malloc.h>
#include <random>

using namespace comprobacion;

namespace {

// mt19937's outputs are fixed by the standard; the library's distributions are not, so the
// case is drawn with plain remainders.
class Azar {
public:
    explicit Azar(quint32 semilla) : motor_(semilla) {}
    int hasta(int n) { return int(motor_() % quint32(n)); }
    // `cuantos` different numbers 1..49, in the order drawn.
    std::vector<qint16> numeros(int cuantos, const std::vector<qint16> &de = {})
    {
        std::vector<qint16> v = de;
        if (v.empty())
            for (qint16 n = 1; n <= 49; ++n)
                v.push_back(n);
        for (size_t i = 0; i + 1 < v.size(); ++i)
            std::swap(v[i], v[i + size_t(hasta(int(v.size() - i)))]);
        v.resize(size_t(cuantos));
        return v;
    }

private:
    std::mt19937 motor_;
};

// 160 draws on Thursdays and Saturdays from 2023, some Mondays, a Wednesday, and a few
// damaged records.
std::vector<Sorteo> sorteos()
{
    Azar azar(18);
    std::vector<Sorteo> v;
    QDate dia(2023, 1, 5);
    for (int i = 0; i < 160; ++i) {
        Sorteo s;
        const std::vector<qint16> n = azar.numeros(7);
        std::copy_n(n.begin(), 6, s.numeros.begin());
        s.complementario = n[6];
        s.reintegro = qint16(azar.hasta(10));
        if (i % 53 == 7)
            s.numeros[2] = s.numeros[1]; // a number twice
        if (i % 61 == 11)
            s.complementario = s.numeros[0];
        QDate fecha = dia;
        if (i % 17 == 5)
            fecha = dia.addDays(-3); // Monday
        if (i == 90)
            fecha = dia.addDays(-1); // Wednesday: nobody plays
        s.fecha = fechas::serial(fecha);
        v.push_back(s);
        dia = dia.addDays(dia.dayOfWeek() == 4 ? 2 : 5);
    }
    return v;
}

Pena pena(const QString &nombre, const QString &dias, const QDate &creada)
{
    Pena p;
    p.ponNombre(nombre);
    p.ponDias(dias);
    p.creacion = fechas::serial(creada);
    return p;
}

// Syndicates of every kind, days and age, several already counted up to some draw, one with
// a few unusable bets.
std::vector<Pena> penas(const std::vector<Sorteo> &archivo)
{
    Azar azar(2026);
    const QString js = QString::fromUtf8("Jueves y Sábado");
    std::vector<Pena> v;
    const auto sencilla = [&](const QString &nombre, const QString &dias, const QDate &creada,
                              int apuestas, const std::vector<qint16> &de = {}) {
        Pena p = pena(nombre, dias, creada);
        p.tipo = qint16(apuestas);
        for (int k = 1; k <= apuestas; ++k) {
            const std::vector<qint16> n = azar.numeros(6, de);
            for (int q = 0; q < 6; ++q)
                p.numero(k, q + 1) = n[size_t(q)];
        }
        v.push_back(p);
        return &v.back();
    };
    sencilla(QStringLiteral("GRANDE"), js, QDate(2022, 6, 1), 120);
    sencilla(QStringLiteral("JUEVES"), QStringLiteral("Jueves"), QDate(2023, 9, 1), 30);
    sencilla(QString::fromUtf8("SÁBADO"), QString::fromUtf8("Sábado"), QDate(2024, 1, 1), 25);
    sencilla(QStringLiteral("LUNES"), QStringLiteral("Lunes"), QDate(2023, 1, 1), 8);
    sencilla(QStringLiteral("TODOS"), QString::fromUtf8("Todos los días"), QDate(2023, 5, 1), 12);
    Pena *reducida =
        sencilla(QStringLiteral("REDUCIDA"), js, QDate(2023, 3, 1), 40, azar.numeros(12));
    reducida->tablaN = 12;
    Pena *danada = sencilla(QStringLiteral("DAÑADA"), js, QDate(2022, 1, 1), 20);
    danada->numero(3, 2) = 0;
    danada->numero(7, 6) = 50;
    danada->numero(11, 1) = danada->numero(11, 2);
    sencilla(QStringLiteral("UNA"), js, QDate(2023, 1, 1), 1, {1, 2, 3, 4, 5, 6});
    const int codigos[] = {501, 502, 503, 504, 505, 506, 501, 503};
    for (int i = 0; i < 8; ++i) {
        Pena p = pena(QStringLiteral("MULTIPLE %1").arg(i), i % 2 ? js : QStringLiteral("Jueves"),
                      QDate(2023, 1 + i, 1));
        p.tipo = qint16(codigos[i]);
        const std::vector<qint16> n = azar.numeros(cuantos(p.tipo));
        for (size_t q = 0; q < n.size(); ++q)
            p.numero(1, int(q) + 1) = n[q];
        v.push_back(p);
    }
    // Some already counted up to a draw in the middle of the archive.
    for (size_t j = 0; j < v.size(); j += 3)
        v[j].contado = archivo[size_t(60 + 5 * j)].fecha;
    return v;
}

void anade(QCryptographicHash &h, const QString &texto)
{
    h.addData(texto.toUtf8());
    h.addData(QByteArrayView("\x1f", 1));
}

// Every cell of a list as its view reads it.
QByteArray resumenLista(const QAbstractItemModel &m)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    anade(h, QString::number(m.rowCount()) + QLatin1Char('x') + QString::number(m.columnCount()));
    for (int f = 0; f < m.rowCount(); ++f) {
        anade(h, m.data(m.index(f, 0), ModeloResultados::kRolTipo).toString() + QLatin1Char('/') +
                     m.data(m.index(f, 0), ModeloResultados::kRolAciertos).toString());
        for (int c = 0; c < m.columnCount(); ++c) {
            const QModelIndex i = m.index(f, c);
            const QVariant texto = m.data(i, Qt::DisplayRole);
            const QVariant color = m.data(i, Qt::ForegroundRole);
            const QVariant fuente = m.data(i, Qt::FontRole);
            anade(h, (texto.isValid() ? texto.toString() : QStringLiteral("~")) + QLatin1Char('|') +
                         (color.isValid() ? color.value<QColor>().name() : QStringLiteral("-")) +
                         QLatin1Char('|') +
                         (fuente.isValid() ? (fuente.value<QFont>().bold() ? QStringLiteral("B")
                                                                           : QStringLiteral("n"))
                                           : QStringLiteral("-")));
        }
    }
    return h.result().toHex();
}

QByteArray resumenPenas(const std::vector<Pena> &v)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const Pena &p : v)
        h.addData(p.aBytes());
    return h.result().toHex();
}

QByteArray resumenImpresion(const std::vector<LineaImpresion> &lineas)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    anade(h, QString::number(lineas.size()));
    for (const LineaImpresion &l : lineas)
        anade(
            h,
            QStringLiteral("%1 %2 %3 %4 ").arg(int(l.tipo)).arg(l.x).arg(l.tamano).arg(l.negrita) +
                l.texto);
    return h.result().toHex();
}

struct Digestos {
    QByteArray sencillas, multiples, penas, impresion;
};

// Both passes as the results tab runs them, the multiples after the simple ones.
Digestos pasa(int n, bool historico, bool soloPremios, const QString &seleccion)
{
    const std::vector<Sorteo> archivo = sorteos();
    Opciones o;
    o.n = n;
    o.historico = historico;
    o.soloPremios = soloPremios;
    o.seleccion = seleccion;
    const Pasada s = comprueba(archivo, penas(archivo), o);
    const Pasada m = compruebamultiples(archivo, *s.penas, o);
    ModeloResultados sencillas(false), multiples(true);
    sencillas.pon(s.listado);
    multiples.pon(m.listado);
    std::vector<LineaImpresion> lineas;
    LineasListado listado(s.listado, m.listado);
    for (LineaImpresion l; listado.siguiente(l);)
        lineas.push_back(l);
    return {resumenLista(sencillas), resumenLista(multiples), resumenPenas(*m.penas),
            resumenImpresion(lineas)};
}

// A row as the lists show it, in one line of text.
QString textoCeldas(const Celdas &c)
{
    QString t = QStringLiteral("%1 %2 %3 %4 %5 %6 ")
                    .arg(int(c.tipo))
                    .arg(c.numeros)
                    .arg(c.rojos)
                    .arg(c.color)
                    .arg(c.aciertos)
                    .arg(c.hayTexto);
    for (qint16 v : c.valor)
        t += QString::number(v) + QLatin1Char(',');
    return t + c.texto;
}

// Bytes the heap holds now.
size_t enUso()
{
    return mallinfo2().uordblks;
}

} // namespace

class TstListadoGrande : public QObject {
    Q_OBJECT
private slots:
    // Rows read in any order, from both lists in turn and by block, are the rows read in order:
    // the draws whose blocks are made again on demand never lend one draw's rows to another.
    void filasEnCualquierOrden()
    {
        const std::vector<Sorteo> archivo = sorteos();
        for (const bool soloPremios : {false, true}) {
            Opciones o;
            o.n = 160;
            o.historico = true;
            o.soloPremios = soloPremios;
            const Pasada s = comprueba(archivo, penas(archivo), o);
            const Pasada m = compruebamultiples(archivo, *s.penas, o);
            std::vector<QString> enOrden[2];
            const Listado *listas[2] = {s.listado.get(), m.listado.get()};
            for (int l = 0; l < 2; ++l)
                for (int f = 0; f < listas[l]->cuenta(); ++f)
                    enOrden[l].push_back(textoCeldas(listas[l]->celdas(f)));
            QVERIFY(enOrden[0].size() > 1000 && enOrden[1].size() > 100);
            Azar azar(5);
            for (int vez = 0; vez < 3000; ++vez) {
                const int l = azar.hasta(2);
                const int f = azar.hasta(int(enOrden[l].size()));
                QCOMPARE(textoCeldas(listas[l]->celdas(f)), enOrden[l][size_t(f)]);
                // A block, read alone, starts where the list has its spacer.
                const size_t b = size_t(azar.hasta(int(listas[l]->bloques.size())));
                const Bloque bloque = listas[l]->bloques[b];
                QCOMPARE(int(listas[l]->fila(int(bloque.fila)).tipo), int(TipoFila::Espacio));
                QCOMPARE(int(listas[l]->filaDe(b, 1).tipo), int(TipoFila::CabeceraPena));
                QCOMPARE(listas[l]->filaDe(b, 2).sorteo, bloque.sorteo);
            }
        }
    }

    // A thousand multiples over fifteen thousand draws ask for more rows than a list holds: the
    // list stops at the cap, its last row is whole, and what the list keeps does not grow with
    // the draws times the syndicates (it used to keep 16 bytes for each block).
    void milPenasHastaElTope()
    {
        std::vector<Sorteo> archivo;
        QDate dia(1950, 1, 5);
        for (int i = 0; i < 15100; ++i) {
            archivo.push_back(sorteoDe(dia, 1 + i % 40));
            dia = dia.addDays(dia.dayOfWeek() == 4 ? 2 : 5);
        }
        std::vector<Pena> v;
        for (int j = 0; j < 1000; ++j) {
            Pena p = pena(QStringLiteral("M%1").arg(j), QString::fromUtf8("Jueves y Sábado"),
                          QDate(1950, 1, 1));
            p.tipo = 503; // five numbers
            for (int q = 1; q <= 5; ++q)
                p.numero(1, q) = qint16(1 + (j + 7 * q) % 49);
            p.contado = archivo.back().fecha;
            v.push_back(p);
        }
        Opciones o;
        const auto retiene = [&](int n, std::shared_ptr<const Listado> &listado) {
            o.n = n;
            const size_t antes = enUso();
            listado = compruebamultiples(archivo, v, o).listado;
            return qint64(enUso()) - qint64(antes);
        };
        std::shared_ptr<const Listado> corto, largo;
        const qint64 poco = retiene(1500, corto);
        const qint64 mucho = retiene(15100, largo);
        QCOMPARE(corto->cuenta(), 1500 * 1000 * 4);
        QVERIFY(!corto->incompleto);
        QVERIFY(largo->incompleto);
        QVERIFY(largo->cuenta() <= int(kMaximoFilas));
        QVERIFY(largo->cuenta() > int(kMaximoFilas) - 8);
        const TipoFila ultima = largo->celdas(largo->cuenta() - 1).tipo;
        QVERIFY(ultima == TipoFila::Apuesta || ultima == TipoFila::Mensaje);
        // Ten times the draws: a few bytes more for each draw, nothing for each block.
        QVERIFY2(mucho - poco < (qint64(2) << 20),
                 qPrintable(QStringLiteral("%1 bytes más").arg(mucho - poco)));
    }

    void mismasFilas_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("historico");
        QTest::addColumn<bool>("soloPremios");
        QTest::addColumn<QString>("seleccion");
        QTest::addColumn<QByteArray>("sencillas");
        QTest::addColumn<QByteArray>("multiples");
        QTest::addColumn<QByteArray>("penas");
        QTest::addColumn<QByteArray>("impresion");
        const QString todas;
        QTest::newRow("todo") << 160 << false << false << todas
                              << QByteArray("282159d8cac57fad38489c419c7c4623dee4af47")
                              << QByteArray("ff4d93745f73a9a6b98e83e8f13cd9109b0004c3")
                              << QByteArray("98692798c252ccc75fe3a2beef8f8f90c1d85c76")
                              << QByteArray("58d90cf3daa329892cd627e283c762aabf3b8c5b");
        QTest::newRow("todo e histórico") << 160 << true << false << todas
                                          << QByteArray("10abf7b8f7f6f0c38c73859846b8bebf41e524d0")
                                          << QByteArray("edf8a9dc832bd91ff1a01e041b3d9c566e25daba")
                                          << QByteArray("98692798c252ccc75fe3a2beef8f8f90c1d85c76")
                                          << QByteArray("5deadef14bd2f4d6534724ed30d0e3c6d3dc5fe0");
        QTest::newRow("sólo premios") << 160 << false << true << todas
                                      << QByteArray("f3a6ee481ba714d3a9cf1594c6e0703cbc0171a4")
                                      << QByteArray("6fc2f826f705fefd22551170d0dc19decec24886")
                                      << QByteArray("98692798c252ccc75fe3a2beef8f8f90c1d85c76")
                                      << QByteArray("113803056aa683c8863c9b0ec28c01fe24a98436");
        QTest::newRow("sólo premios e histórico")
            << 160 << true << true << todas
            << QByteArray("63fde3e5a6bfb46058c5922002a4f8bd0cdee229")
            << QByteArray("82b8871e9a2cdc4b04704e509a3bc85887b9e475")
            << QByteArray("98692798c252ccc75fe3a2beef8f8f90c1d85c76")
            << QByteArray("0a5620b78648691e7a53f86714e4560a52e0d1a3");
        QTest::newRow("cuarenta sorteos") << 40 << false << false << todas
                                          << QByteArray("4ed55b7105c91ab62aa74f7017f81f964618ffc9")
                                          << QByteArray("e414daac2298a31c684aefbe5bf8fc7b5671cb0c")
                                          << QByteArray("98692798c252ccc75fe3a2beef8f8f90c1d85c76")
                                          << QByteArray("719396e9f99e86a869a870d3bb6efaac5eb4f24a");
        QTest::newRow("una peña") << 160 << true << false << QString::fromUtf8("REDUCIDA")
                                  << QByteArray("a3eb69aebb8e5cd1ac0d8d4d7bb0f6d9c05b47b4")
                                  << QByteArray("09a868857bd6d0844d3be9c9b97a30b575449a64")
                                  << QByteArray("b56c5b6dc5ec2c13bdf689625245373a6472346f")
                                  << QByteArray("c3035998f04970660f9545846fe83866be224f35");
        QTest::newRow("una múltiple") << 100 << false << true << QStringLiteral("MULTIPLE 3")
                                      << QByteArray("87ee05e76e0b29235578a049728573a83940ca14")
                                      << QByteArray("f7d8cbe3c6d9b90cee07a4fcf4ec105b5e168bd6")
                                      << QByteArray("16a868f5470e460afd9829b83ed82b755acb64a8")
                                      << QByteArray("ddccbc32dcb29ee5f7bbf07dd38a7e5b3c2abc1e");
    }
    void mismasFilas()
    {
        QFETCH(int, n);
        QFETCH(bool, historico);
        QFETCH(bool, soloPremios);
        QFETCH(QString, seleccion);
        QFETCH(QByteArray, sencillas);
        QFETCH(QByteArray, multiples);
        QFETCH(QByteArray, penas);
        QFETCH(QByteArray, impresion);
        Pena nombre;
        if (!seleccion.isNull())
            nombre.ponNombre(seleccion);
        const Digestos r =
            pasa(n, historico, soloPremios, seleccion.isNull() ? QString() : nombre.nombreTexto());
        QCOMPARE(r.sencillas, sencillas);
        QCOMPARE(r.multiples, multiples);
        QCOMPARE(r.penas, penas);
        QCOMPARE(r.impresion, impresion);
        // The counters take every draw not counted yet, whatever number the lists show.
        if (n < 160)
            QCOMPARE(pasa(160, historico, soloPremios,
                          seleccion.isNull() ? QString() : nombre.nombreTexto())
                         .penas,
                     penas);
    }
};

QTEST_MAIN(TstListadoGrande)
#include "tst_listadogrande.moc"
