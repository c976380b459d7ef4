#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/leebase.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "reports/basedatos.h"
#include "reports/dinero.h"
#include "reports/informes.h"
#include "reports/listado.h"
#include "reports/motor.h"
#include "reports/vistainforme.h"
#include "session/ajustes.h"
#include "widgets/imagen.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPdfDocument>
#include <QPointer>
#include <QTest>
#include <QTreeView>

namespace {
const QDate kHoy(2026, 4, 2);
const QLocale kEspanol(QLocale::Spanish, QLocale::Spain);

// A simple syndicate of n bets; bet b is b..b+5.
Pena sencilla(const QString &nombre, const QString &dias, int n, const QDate &desde = {2025, 1, 1})
{
    Pena p = penaDe(nombre, dias, desde);
    p.tipo = static_cast<qint16>(n);
    for (int b = 1; b <= n; ++b)
        for (int i = 1; i <= 6; ++i)
            p.numero(b, i) = static_cast<qint16>(b + i - 1);
    return p;
}

Pena multiple(int codigo, const QString &dias = QStringLiteral("Jueves"))
{
    Pena p = penaDe(QStringLiteral("MULTIPLE"), dias, {2025, 1, 1});
    p.tipo = static_cast<qint16>(codigo);
    for (int i = 1; i <= cuantos(codigo); ++i)
        p.numero(1, i) = static_cast<qint16>(i * 4);
    return p;
}

Pena reducida()
{
    Pena p = penaDe(QStringLiteral("REDUCIDA"), QStringLiteral("Jueves y Sábado"), {2025, 1, 1});
    const qint16 elegidos[8] = {3, 11, 17, 25, 30, 41, 44, 48};
    p.tablaN = 8;
    p.tablaG = 4;
    for (int i = 0; i < 8; ++i)
        p.elegidos[static_cast<size_t>(i)] = elegidos[i];
    p.tipo = 2;
    for (int i = 0; i < 6; ++i) {
        p.numero(1, i + 1) = elegidos[i];
        p.numero(2, i + 1) = elegidos[i + 2];
    }
    return p;
}

// 40 draws on Thursdays and Saturdays from 1 January 2026.
std::vector<Sorteo> cuarentaSorteos()
{
    std::vector<Sorteo> s;
    for (QDate d(2026, 1, 1); s.size() < 40; d = d.addDays(1))
        if (d.dayOfWeek() == 4 || d.dayOfWeek() == 6)
            s.push_back(sorteoDe(d, static_cast<int>(s.size() % 40) + 1));
    return s;
}

QString textoPdf(const QString &ruta)
{
    QPdfDocument documento;
    if (documento.load(ruta) != QPdfDocument::Error::None)
        return {};
    QString texto;
    for (int p = 0; p < documento.pageCount(); ++p)
        texto += documento.getAllText(p).text() + QLatin1Char('\n');
    return texto;
}
} // namespace

class TstInformes : public QObject {
    Q_OBJECT

    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<CarpetaPrueba> carpeta;

    QString base() const { return QDir(carpeta->ruta()).filePath(QStringLiteral("Bolarium.mdb")); }
    void precio(float euros) const
    {
        Ajustes a;
        a.precio = euros;
        a.ponWeb(QStringLiteral("127.0.0.1"));
        QVERIFY(a.escribe(carpeta->archivo(QStringLiteral("nums.ini"))) == Escritura::Hecha);
    }
    QList<QVariantList> filaPena() const
    {
        return leeBase(base(),
                       QString::fromUtf8("SELECT \"Nombre\", \"Diasajugar\", \"Dinero\", "
                                         "\"Dia1\", \"Dia2\", \"Aciertos\", \"Sorteos\", "
                                         "\"3\", \"4\", \"5\", \"5C\", \"6\" FROM \"Peña\""))
            .filas;
    }
    QStringList penanums() const
    {
        QStringList r;
        for (const auto &f :
             leeBase(base(),
                     QString::fromUtf8("SELECT \"Numeros\" FROM \"Peñanums\" ORDER BY rowid"))
                 .filas)
            r.append(f.value(0).toString());
        return r;
    }
    static QString texto(Principal &w, const QString &nombre)
    {
        return w.findChild<QLabel *>(nombre)->text();
    }
    // The report button of the manager (Image2_1) or of the creation tab (Image2_0), pressed
    // whether or not it shows greyed.
    static void informe(Principal &w, const char *boton)
    {
        emit control<Imagen>(w, boton)->clicked();
    }
    static QList<qreal> grafico(Principal &w)
    {
        auto *serie = qobject_cast<QBarSeries *>(
            control<QChartView>(w, "MSChart3")->chart()->series().value(0));
        QList<qreal> r;
        for (QBarSet *s : serie->barSets())
            r.append(s->at(0));
        return r;
    }

private slots:
    void init()
    {
        QLocale::setDefault(kEspanol);
        escritorio = EscritorioPrueba::instala(kHoy);
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio->pdfSalida = carpeta->archivo(QStringLiteral("impreso.pdf"));
    }
    void cleanup()
    {
        QList<QPointer<QWidget>> ventanas;
        for (QWidget *w : QApplication::topLevelWidgets())
            ventanas.append(w);
        for (const QPointer<QWidget> &w : ventanas)
            if (qobject_cast<VistaInforme *>(w.data()))
                delete w;
        carpeta.reset();
        Escritorio::sustituye(nullptr);
    }

    // ---- money report ------------------------------------------------------------------------

    void elDineroDeUnaSemana_data()
    {
        QTest::addColumn<Pena>("pena");
        QTest::addColumn<float>("precio");
        QTest::addColumn<float>("dinero");
        QTest::addColumn<QString>("etiqueta");
        QTest::newRow("10 apuestas los dos días")
            << sencilla(QStringLiteral("A"), QString::fromUtf8("Jueves y Sábado"), 10) << 1.0f
            << 20.0f << QStringLiteral("20 euros.");
        QTest::newRow("10 apuestas el jueves")
            << sencilla(QStringLiteral("A"), QStringLiteral("Jueves"), 10) << 1.0f << 10.0f
            << QStringLiteral("10 euros.");
        QTest::newRow("múltiple de 8 un día") << multiple(502, QString::fromUtf8("Sábado")) << 1.0f
                                              << 28.0f << QStringLiteral("28 euros.");
        QTest::newRow("precio con céntimos")
            << sencilla(QStringLiteral("A"), QString::fromUtf8("Jueves y Sábado"), 3) << 0.75f
            << 4.5f << QStringLiteral("4,5 euros.");
        QTest::newRow("reducida de 2 apuestas")
            << reducida() << 1.0f << 4.0f << QStringLiteral("4 euros.");
        QTest::newRow("10 apuestas los tres días")
            << sencilla(QStringLiteral("A"), QString::fromUtf8("Todos los días"), 10) << 1.0f
            << 30.0f << QStringLiteral("30 euros.");
        QTest::newRow("10 apuestas lunes y jueves")
            << sencilla(QStringLiteral("A"), QStringLiteral("Lunes y Jueves"), 10) << 1.0f << 20.0f
            << QStringLiteral("20 euros.");
        QTest::newRow("sólo el lunes") << multiple(502, QStringLiteral("Lunes")) << 1.0f << 28.0f
                                       << QStringLiteral("28 euros.");
        QTest::newRow("días que no se juegan")
            << sencilla(QStringLiteral("A"), QStringLiteral("Martes"), 10) << 1.0f << 0.0f
            << QStringLiteral("0 euros.");
    }
    void elDineroDeUnaSemana()
    {
        QFETCH(Pena, pena);
        QFETCH(float, precio);
        QFETCH(float, dinero);
        QFETCH(QString, etiqueta);
        QCOMPARE(dinero::apuestaSemanal(pena, precio), dinero);
        QCOMPARE(dinero::textoEuros(dinero, kEspanol), etiqueta);
    }

    void laFilaDeLaPena()
    {
        Pena p = sencilla(QStringLiteral("LOS DE SIEMPRE"), QStringLiteral("Jueves"), 2);
        p.premio(3) = 11;
        p.premio(4) = 12;
        p.premio(5) = 13;
        p.premio(6) = 14;
        p.premio(7) = 15;
        informes::FilaPena f =
            dinero::filaPena(p, 1, QStringLiteral("12,5 %"), QStringLiteral("40"));
        QCOMPARE(f.nombre, QStringLiteral("LOS DE SIEMPRE      ")); // with its blanks
        QCOMPARE(f.diasajugar, QStringLiteral("Jueves"));
        QCOMPARE(f.dia2, p.creacion); // never counted: the creation date
        QCOMPARE(f.sorteos, 40.0);
        // "5C" is the five-plus-complementary counter, "6" the six-hit one.
        QCOMPARE(f.premios, (std::array<qint16, 5>{11, 12, 13, 15, 14}));
        p.contado = p.creacion + 30;
        QCOMPARE(dinero::filaPena(p, 1, {}, QStringLiteral("-")).dia2, p.creacion + 30);
        QCOMPARE(dinero::filaPena(p, 1, {}, QStringLiteral("-")).sorteos, 0.0);
        QCOMPARE(dinero::valorDe(QStringLiteral(" 17 ")), 17.0);
        QCOMPARE(dinero::valorDe(QString()), 0.0);
    }

    // ---- syndicate listing -------------------------------------------------------------------

    void textoYAltoDeLaLista()
    {
        const qint16 n[6] = {3, 5, 11, 17, 25, 30};
        QCOMPARE(listado::textoApuesta(n, 6), QStringLiteral(" 3- 5-11-17-25-30"));
        QCOMPARE(listado::altoLista(3), 775);
        QCOMPARE(listado::altoLista(1), 325);
        QCOMPARE(listado::altoLista(14), 3150);
        QCOMPARE(listado::altoLista(15), 3225);
        QCOMPARE(listado::altoLista(22), 4800);
        QCOMPARE(listado::altoLista(23), 4935);
        QCOMPARE(listado::unDecimal(12.5, kEspanol), QStringLiteral("12,5"));
        QCOMPARE(listado::unDecimal(100, kEspanol), QStringLiteral("100"));
        QCOMPARE(listado::unDecimal(100.0 / 3, kEspanol), QStringLiteral("33,3"));
        QCOMPARE(listado::unDecimal(0.25, kEspanol), QStringLiteral("0,2")); // half to even
        QCOMPARE(listado::unDecimal(1250, kEspanol), QStringLiteral("1250"));
    }

    void lasFichasDeCadaTipo()
    {
        const std::vector<Sorteo> sorteos = cuarentaSorteos();
        listado::Ficha f = listado::ficha(
            {sencilla(QStringLiteral("A"), QStringLiteral("Jueves"), 3)}, 1, sorteos, kEspanol);
        QCOMPARE(f.error, 0);
        QCOMPARE(f.apuestas, (QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6"),
                                          QStringLiteral(" 2- 3- 4- 5- 6- 7"),
                                          QStringLiteral(" 3- 4- 5- 6- 7- 8")}));
        QCOMPARE(f.altoTwips, 775);
        QCOMPARE(f.tipo, QStringLiteral("-Apuestas sencillas."));
        QCOMPARE(f.elegidos, QString());
        QCOMPARE(f.jugados, QStringLiteral("20")); // the Thursdays
        QCOMPARE(f.efectividad, QStringLiteral("0 %"));

        f = listado::ficha({multiple(504)}, 1, sorteos, kEspanol);
        QCOMPARE(f.apuestas, QStringList{QStringLiteral(" 4- 8-12-16-20-24-28-32-36")});
        QCOMPARE(f.tipo, QString::fromUtf8("-Apuesta múltiple de 9 nºs."));

        f = listado::ficha({reducida()}, 1, sorteos, kEspanol);
        QCOMPARE(f.tipo, QString::fromUtf8("-Reducida de 8 nºs al 4:"));
        QCOMPARE(f.elegidos, QStringLiteral("3-11-17-25-30-41-44-48"));
        QCOMPARE(f.apuestas.size(), 2);
    }

    void efectividadYSorteosJugados()
    {
        Pena p =
            sencilla(QStringLiteral("A"), QString::fromUtf8("Jueves y Sábado"), 1, {2025, 12, 1});
        p.premio(3) = 4;
        p.premio(4) = 1;
        listado::Ficha f = listado::ficha({p}, 1, cuarentaSorteos(), kEspanol);
        QCOMPARE(f.jugados, QStringLiteral("40"));
        QCOMPARE(f.efectividad, QStringLiteral("12,5 %"));
        QCOMPARE(f.sinPremio, 35);
        QCOMPARE(f.premios, 5);
        // Created after half the draws: only the later ones count.
        p.creacion = cuarentaSorteos()[20].fecha;
        QCOMPARE(listado::ficha({p}, 1, cuarentaSorteos(), kEspanol).jugados, QStringLiteral("20"));
        // An empty archive.
        f = listado::ficha({p}, 1, {}, kEspanol);
        QCOMPARE(f.jugados, QStringLiteral("0"));
        QCOMPARE(f.efectividad, QStringLiteral("100 %"));
        QCOMPARE(f.sinPremio, 0);
        p.premios = {};
        QCOMPARE(listado::ficha({p}, 1, {}, kEspanol).efectividad, QStringLiteral("-"));
        // No syndicates at all.
        f = listado::ficha({}, 1, cuarentaSorteos(), kEspanol);
        QVERIFY(f.vacia);
        QCOMPARE(f.jugados, QStringLiteral("-"));
        QCOMPARE(f.efectividad, QStringLiteral("-"));
    }

    void unRegistroImposibleNoSeMuestra()
    {
        Pena p = sencilla(QStringLiteral("A"), QStringLiteral("Jueves"), 3);
        for (qint16 tipo : {qint16(0), qint16(206), qint16(500), qint16(507), qint16(-3)}) {
            p.tipo = tipo;
            QCOMPARE(listado::ficha({p}, 1, {}, kEspanol).error, listado::kRegistroMalo);
        }
        p.tipo = 3;
        p.tablaN = 21;
        QCOMPARE(listado::ficha({p}, 1, {}, kEspanol).error, listado::kRegistroMalo);
        p.tablaN = 0;
        QCOMPARE(listado::ficha({p}, 2, {}, kEspanol).error, listado::kRegistroMalo);
    }

    // ---- the syndicate manager ---------------------------------------------------------------

    void alMostrarUnaPenaSeRellenanLaListaYLaBase()
    {
        precio(1);
        Pena p = sencilla(QStringLiteral("LOS DE SIEMPRE"), QString::fromUtf8("Jueves y Sábado"), 3,
                          {2025, 12, 1});
        p.premio(3) = 4;
        p.premio(7) = 1;
        // Already counted up to the newest draw, so the checking at start-up adds nothing.
        const std::vector<Sorteo> sorteos = cuarentaSorteos();
        p.contado = sorteos.back().fecha;
        carpeta->escribePenas({p, multiple(504)});
        carpeta->escribeSorteos(sorteos);
        // Today after the newest draw: a clock behind it would be told of.
        escritorio->reloj = QDateTime(fechas::dia(sorteos.back().fecha).addDays(1), QTime(12, 0));
        Principal w(carpeta->ruta());
        gestor(w).muestrapena(1);

        QAbstractItemModel *m = w.findChild<QTreeView *>(QStringLiteral("ListView5"))->model();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->data(m->index(0, 0)).toString(), QStringLiteral(" 1- 2- 3- 4- 5- 6"));
        QCOMPARE(control<QTreeView>(w, "ListView5")->property("altoTwips").toInt(), 775);
        QCOMPARE(texto(w, QStringLiteral("Label3_0")), QStringLiteral("4"));
        QCOMPARE(texto(w, QStringLiteral("Label3_4")), QStringLiteral("1"));
        QCOMPARE(texto(w, QStringLiteral("Label17")), QStringLiteral("40"));
        QCOMPARE(texto(w, QStringLiteral("Label16")), QStringLiteral("12,5 %"));
        QCOMPARE(grafico(w), (QList<qreal>{35, 5}));
        QCOMPARE(texto(w, QStringLiteral("Label28")), QStringLiteral("-Apuestas sencillas."));
        QCOMPARE(texto(w, QStringLiteral("Label37")), QStringLiteral("6 euros."));

        QCOMPARE(penanums(), (QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6"),
                                          QStringLiteral(" 2- 3- 4- 5- 6- 7"),
                                          QStringLiteral(" 3- 4- 5- 6- 7- 8")}));
        const auto filas = filaPena();
        QCOMPARE(filas.size(), 1);
        QCOMPARE(filas[0], (QVariantList{QStringLiteral("LOS DE SIEMPRE      "),
                                         QString::fromUtf8("Jueves y Sábado"), 6.0,
                                         QStringLiteral("2025-12-01"), QStringLiteral("2026-05-16"),
                                         QStringLiteral("12,5 %"), 40.0, qint64(4), qint64(0),
                                         qint64(0), qint64(1), qint64(0)}));
        // Without the password the file is not even a database.
        QCOMPARE(leeBase(base(), QString::fromUtf8("SELECT * FROM \"Peña\""), nullptr).codigo,
                 SQLITE_NOTADB);

        // The next syndicate replaces every row.
        gestor(w).muestrapena(2);
        QCOMPARE(penanums(), QStringList{QStringLiteral(" 4- 8-12-16-20-24-28-32-36")});
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(texto(w, QStringLiteral("Label28")),
                 QString::fromUtf8("-Apuesta múltiple de 9 nºs."));
        QCOMPARE(filaPena()[0][2], QVariant(84.0));
        QCOMPARE(gestor(w).penaMostrada(), w.sesion().penas().lee(2));
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void unaReducidaYUnArchivoVacio()
    {
        carpeta->escribePenas({reducida()});
        Principal w(carpeta->ruta());
        gestor(w).muestrapena(1);
        QCOMPARE(texto(w, QStringLiteral("Label28")),
                 QString::fromUtf8("-Reducida de 8 nºs al 4:"));
        QCOMPARE(texto(w, QStringLiteral("Label29")), QStringLiteral("3-11-17-25-30-41-44-48"));
        QCOMPARE(texto(w, QStringLiteral("Label17")), QStringLiteral("0"));
        QCOMPARE(texto(w, QStringLiteral("Label16")), QStringLiteral("-"));
        QCOMPARE(grafico(w), (QList<qreal>{0, 0}));
        // A new installation plays at 1 € a bet: four bets a week.
        QCOMPARE(texto(w, QStringLiteral("Label37")), QStringLiteral("4 euros."));
    }

    void sinPenasSoloSeLimpianLasCifras()
    {
        Principal w(carpeta->ruta());
        gestor(w).muestrapena(1);
        QCOMPARE(texto(w, QStringLiteral("Label17")), QStringLiteral("-"));
        QCOMPARE(texto(w, QStringLiteral("Label16")), QStringLiteral("-"));
        QCOMPARE(control<QTreeView>(w, "ListView5")->model()->rowCount(), 0);
        QCOMPARE(penanums(), QStringList());
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void unRegistroCorruptoSeAvisa()
    {
        Pena p = sencilla(QStringLiteral("A"), QStringLiteral("Jueves"), 3);
        p.tipo = 300;
        carpeta->escribePenas({p});
        Principal w(carpeta->ruta());
        escritorio->mensajes.clear(); // the manager already showed it once at start-up
        gestor(w).muestrapena(1);
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].texto,
                 QString::fromUtf8("Posiblemente el fichero de apuestas está corrupto. Error 9"));
        QCOMPARE(escritorio->mensajes[0].titulo, QString::fromUtf8("¡Vaya hombre!"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Exclamacion);
    }

    void sinBaseDeInformesLaPenaSeMuestraIgual()
    {
        QVERIFY(QDir(carpeta->ruta()).mkdir(QStringLiteral("Bolarium.mdb")));
        carpeta->escribePenas({sencilla(QStringLiteral("A"), QStringLiteral("Jueves"), 3)});
        Principal w(carpeta->ruta());
        escritorio->mensajes.clear();
        gestor(w).muestrapena(1);
        QCOMPARE(control<QTreeView>(w, "ListView5")->model()->rowCount(), 3);
        QCOMPARE(escritorio->mensajes.size(), 1);
        const QString texto = escritorio->mensajes[0].texto;
        QVERIFY2(texto.startsWith(QString::fromUtf8("En el lugar de la base de datos de informes ") +
                                  QDir::toNativeSeparators(informes::rutaBase(carpeta->ruta())) +
                                  QString::fromUtf8(" hay algo que no es un archivo")),
                 qPrintable(texto));
        QVERIFY(!texto.contains(QString::fromUtf8("Reinstale")));
    }

    // A database another program holds is named as locked, and left as it is: it is not made
    // again under that program.
    void unaBaseBloqueadaSeNombra()
    {
        carpeta->escribePenas({sencilla(QStringLiteral("A"), QStringLiteral("Jueves"), 3)});
        Principal w(carpeta->ruta());
        BaseDatos otro;
        QVERIFY(informes::abre(otro, carpeta->ruta()));
        QVERIFY(otro.ejecuta(QStringLiteral("BEGIN EXCLUSIVE")));
        const QByteArray antes = carpeta->lee(QStringLiteral("Bolarium.mdb"));
        escritorio->mensajes.clear();
        gestor(w).muestrapena(1);
        QCOMPARE(control<QTreeView>(w, "ListView5")->model()->rowCount(), 3);
        QCOMPARE(escritorio->mensajes.size(), 1);
        const QString texto = escritorio->mensajes[0].texto;
        QVERIFY2(texto.startsWith(QString::fromUtf8("La base de datos de informes ") +
                                  QDir::toNativeSeparators(informes::rutaBase(carpeta->ruta())) +
                                  QString::fromUtf8(" está bloqueada")),
                 qPrintable(texto));
        QCOMPARE(carpeta->lee(QStringLiteral("Bolarium.mdb")), antes);
        otro.deshace();
        // Once it is free again the syndicate is written as before, without a word.
        escritorio->mensajes.clear();
        gestor(w).muestrapena(1);
        QVERIFY(escritorio->mensajes.isEmpty());
        QCOMPARE(penanums().size(), 3);
    }

    // The other causes a write can fail for are named too, never as a missing file.
    void causasDeUnaBaseQueNoSeEscribe_data()
    {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("causa");
        QTest::newRow("sólo lectura") << 8 << QString::fromUtf8("de sólo lectura");
        QTest::newRow("disco lleno") << 13 << QString::fromUtf8("el disco está lleno");
        QTest::newRow("otra") << 11 << QString::fromUtf8("(database disk image is malformed)");
    }
    void causasDeUnaBaseQueNoSeEscribe()
    {
        QFETCH(int, codigo);
        QFETCH(QString, causa);
        const QString texto = informes::textoFallo(
            carpeta->ruta(), {codigo, QStringLiteral("database disk image is malformed")});
        QVERIFY2(texto.contains(QDir::toNativeSeparators(informes::rutaBase(carpeta->ruta()))),
                 qPrintable(texto));
        QVERIFY2(texto.contains(causa), qPrintable(texto));
        QVERIFY(texto.endsWith(QStringLiteral("Error %1").arg(codigo)));
    }

    // ---- the report engine -------------------------------------------------------------------

    void laPlantillaSeRellenaYSeEscapa()
    {
        informes::Contenido c;
        c.pena.nombre = QStringLiteral("<B&B>");
        c.pena.dinero = 20;
        c.pena.premios = {1, 2, 3, 4, 5};
        c.penanums = {QStringLiteral(" 1- 2- 3- 4- 5- 6"), QStringLiteral("10-11-12-13-14-15")};
        c.numeros = {{7, 30}, {3, 29}};
        c.sorteos = {fechas::serial(QDate(2025, 6, 5)), fechas::serial(kHoy), 88,
                     QString::fromUtf8("Jueves y sábado.")};
        const auto r = informes::renderiza(
            QString::fromUtf8("{{#Peña}}{{Nombre}}|{{Dinero}}|{{5C}}|{{6}}{{/Peña}}"
                              "{{#Peñanums}}[{{Apuesta}}:{{Numeros}}]{{/Peñanums}}"
                              "{{#Numeros}}({{Orden}} {{Numero}} {{Veces}}){{/Numeros}}"
                              "{{#Sorteos}}{{Dia1}}-{{Dia2}}-{{Total}}{{/Sorteos}}{{Hoy}}"),
            c, kEspanol, kHoy);
        QCOMPARE(r.error, 0);
        QCOMPARE(r.html,
                 QStringLiteral("&lt;B&amp;B&gt;|20|4|5[1: 1- 2- 3- 4- 5- 6][2:10-11-12-13-14-15]"
                                "(1 7 30)(2 3 29)05/06/2025-02/04/2026-8802/04/2026"));
        const auto mala =
            informes::renderiza(QStringLiteral("{{#Peña}} sin cerrar"), c, kEspanol, kHoy);
        QCOMPARE(mala.error, informes::kPlantillaMala);
        QVERIFY(mala.html.isEmpty());
    }

    void elDineroProvisionalDelInforme()
    {
        // Through the database and the shipped report: gross, tax and net, the winning draws
        // with "pendiente" for an amount not known, and a negative balance that is provisional
        // is not painted as a loss.
        const informes::FilaGanancias g{12000000, 5000, -5000, 1, 50, 200, 1200000, 10800000, 1};
        const std::vector<informes::FilaPremiado> premiados = {
            {fechas::serial(QDate(2026, 3, 5)), QStringLiteral("3ª"), QString(), -1},
            {fechas::serial(QDate(2026, 2, 5)), QString::fromUtf8("2 × 5ª"),
             QStringLiteral("reintegro"), 1200}};
        const std::vector<informes::FilaSocio> socios = {
            {QStringLiteral("Ana"), 1, 0, 5000, -5000}};
        QVERIFY(informes::escribeGanancias(carpeta->ruta(), g, premiados, socios));
        informes::Contenido leido;
        QVERIFY(informes::lee(carpeta->ruta(), leido));
        QCOMPARE(leido.ganancias, g);
        QCOMPARE(leido.premiados, premiados);
        const informes::Informe r = informes::prepara(carpeta->ruta(), 1, kEspanol, kHoy);
        QCOMPARE(r.error, 0);
        for (const char *t :
             {"120.000,00 €", "Retención provisional", "12.000,00 €", "108.000,00 €",
              "Balance provisional", "1 premio de importe pendiente",
              "<td>05/03/2026</td><td>3ª</td><td></td><td align=\"right\">pendiente",
              "<td>2 × 5ª</td><td>reintegro</td><td align=\"right\">12,00 €"})
            QVERIFY2(r.html.contains(QString::fromUtf8(t)), t);
        QVERIFY(!r.html.contains(QStringLiteral("#ff0000")));
    }

    void elInformeDeLaPenaSeImprimeEnPdf()
    {
        precio(1);
        Pena p = sencilla(QStringLiteral("LOS DE SIEMPRE"), QString::fromUtf8("Jueves y Sábado"), 3,
                          {2025, 12, 1});
        p.premio(3) = 4;
        p.premio(4) = 1;
        p.contado = cuarentaSorteos().back().fecha; // nothing left for the checking to count
        carpeta->escribePenas({p});
        carpeta->escribeSorteos(cuarentaSorteos());
        Principal w(carpeta->ruta());
        gestor(w).muestrapena(1);
        informe(w, "Image2_1");
        auto *vista = w.findChild<VistaInforme *>(QStringLiteral("VistaInforme"));
        QVERIFY(vista);
        QVERIFY(vista->isVisible());
        QVERIFY(vista->imprime());
        const QString texto = textoPdf(escritorio->pdfSalida);
        QVERIFY2(texto.contains(QStringLiteral("LOS DE SIEMPRE")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("6 euros")));
        QVERIFY(texto.contains(QStringLiteral("12,5 %")));
        QVERIFY(texto.contains(QStringLiteral("01/12/2025")));
        QVERIFY(texto.contains(QStringLiteral("2- 3- 4- 5- 6- 7")));
        QVERIFY(texto.contains(QStringLiteral("3- 4- 5- 6- 7- 8")));

        // Exported to a PDF of the user's choosing; cancelling writes nothing.
        escritorio->destinoElegido = carpeta->archivo(QStringLiteral("exportado"));
        QVERIFY(vista->exportaPdf());
        QVERIFY(textoPdf(carpeta->archivo(QStringLiteral("exportado.pdf")))
                    .contains(QStringLiteral("LOS DE SIEMPRE")));
        escritorio->destinoElegido.clear();
        QVERIFY(!vista->exportaPdf());
        escritorio->impresoraAceptada = false;
        QFile::remove(escritorio->pdfSalida);
        QVERIFY(!vista->imprime());
        QVERIFY(!QFile::exists(escritorio->pdfSalida));
    }

    void elInformeEstadisticoSeImprimeEnPdf()
    {
        const std::vector<Sorteo> sorteos = cuarentaSorteos();
        carpeta->escribeSorteos(sorteos);
        Principal w(carpeta->ruta());
        QVERIFY(w.sesion().frecuencias(6));
        informe(w, "Image2_0");
        auto *vista = w.findChild<VistaInforme *>(QStringLiteral("VistaInforme"));
        QVERIFY(vista);
        QVERIFY(vista->imprime());
        const QString texto = textoPdf(escritorio->pdfSalida);
        QVERIFY2(texto.contains(QString::fromUtf8("Informe estadístico")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("01/01/2026")));
        QVERIFY(texto.contains(fechas::textoCorto(sorteos.back().fecha)));
        QVERIFY(texto.contains(QString::fromUtf8("Lunes, jueves y sábado.")));
        QVERIFY(texto.contains(QStringLiteral("40")));
        // Text taken back from a PDF has its runs of blanks collapsed.
        QVERIFY2(texto.simplified().contains(stats::textoSorteo(sorteos.back()).simplified()),
                 qPrintable(texto));
        for (int i = 0; i < 6; ++i)
            QVERIFY(texto.contains(
                QString::number(w.sesion().masfrecuentes()[static_cast<size_t>(i)])));
    }

    void losErroresDelInforme()
    {
        Principal w(carpeta->ruta());
        // A report file that is not a template.
        carpeta->escribe(QStringLiteral("Bolarium1.net"), "{{#Peña}} sin cerrar");
        informe(w, "Image2_1");
        QVERIFY(!w.findChild<VistaInforme *>());
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].texto,
                 QString::fromUtf8("Error 93. No es posible mostrar el informe. Si el error "
                                   "persiste, reinstalar el programa puede ser la solución."));
        QCOMPARE(escritorio->mensajes[0].titulo, QStringLiteral("Error"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Informacion);
        // A report file that is gone: the copy built into the program still shows the report.
        QFile::remove(carpeta->archivo(QStringLiteral("Bolarium1.net")));
        informe(w, "Image2_1");
        QVERIFY(w.findChild<VistaInforme *>());
        QCOMPARE(escritorio->mensajes.size(), 1);
    }
};

QTEST_MAIN(TstInformes)
#include "tst_informes.moc"
