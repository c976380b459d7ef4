// The results tab and the syndicate summary of the main window, driven as a user would.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "checking/modeloresultados.h"
#include "session/sesion.h"
#include "syndicates/archivopenas.h"
#include "widgets/imagen.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using comprobacion::TipoFila;

namespace {
const QDate kJueves1(2026, 1, 1);
const QDate kSabado(2026, 1, 3);
const QDate kJueves2(2026, 1, 8);
const QDate kJueves3(2026, 1, 15);
const QDate kHoy(2026, 1, 16);

Pena sencilla(const QString &nombre, const QString &dias,
              const std::vector<std::array<int, 6>> &apuestas, const QDate &desde)
{
    Pena p = penaDe(nombre, dias, desde);
    p.tipo = static_cast<qint16>(apuestas.size());
    for (size_t k = 0; k < apuestas.size(); ++k)
        for (int q = 0; q < 6; ++q)
            p.numero(int(k) + 1, q + 1) = static_cast<qint16>(apuestas[k][size_t(q)]);
    return p;
}

Pena multiple(const QString &nombre, int codigo, const std::vector<int> &numeros,
              const QDate &desde)
{
    Pena p = penaDe(nombre, QString::fromUtf8("Jueves y Sábado"), desde);
    p.tipo = static_cast<qint16>(codigo);
    for (size_t q = 0; q < numeros.size(); ++q)
        p.numero(1, int(q) + 1) = static_cast<qint16>(numeros[q]);
    return p;
}

QAbstractItemModel *modelo(Principal &p, const char *nombre)
{
    auto *vista = p.findChild<QAbstractItemView *>(QString::fromLatin1(nombre));
    return vista ? vista->model() : nullptr;
}

QVariant dato(QAbstractItemModel *m, int fila, int columna, int rol = Qt::DisplayRole)
{
    return m->data(m->index(fila, columna), rol);
}

std::vector<TipoFila> tipos(QAbstractItemModel *m)
{
    std::vector<TipoFila> t;
    for (int f = 0; f < m->rowCount(); ++f)
        t.push_back(TipoFila(dato(m, f, 0, ModeloResultados::kRolTipo).toInt()));
    return t;
}

// What a syndicate record says on disk now.
Pena enDisco(const CarpetaPrueba &carpeta, int j)
{
    ArchivoPenas archivo(carpeta.archivo(QStringLiteral("apuestas.dat")));
    archivo.abre();
    return archivo.lee(j);
}

// A piece of text on a page of a PDF: where it starts, in millimetres.
QRectF donde(QPdfDocument &pdf, int pagina, const QString &texto)
{
    const QString todo = pdf.getAllText(pagina).text();
    const qsizetype i = todo.indexOf(texto);
    if (i < 0)
        return {};
    const QRectF puntos =
        pdf.getSelectionAtIndex(pagina, int(i), int(texto.size())).boundingRectangle();
    const double mm = 25.4 / 72;
    return {puntos.x() * mm, puntos.y() * mm, puntos.width() * mm, puntos.height() * mm};
}

// Dark pixels of a box of a page rendered at `porMm` pixels a millimetre.
int tinta(const QImage &pagina, const QRectF &mm, double porMm)
{
    const QRect r = QRectF(mm.topLeft() * porMm, mm.size() * porMm).toAlignedRect();
    int oscuros = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (pagina.valid(x, y) && qAlpha(pagina.pixel(x, y)) > 128 &&
                qGray(pagina.pixel(x, y)) < 128)
                ++oscuros;
    return oscuros;
}

const auto E = TipoFila::Espacio;
const auto CP = TipoFila::CabeceraPena;
const auto CS = TipoFila::CabeceraSorteo;
const auto A = TipoFila::Apuesta;
const auto M = TipoFila::Mensaje;
} // namespace

class TstVentana : public QObject {
    Q_OBJECT
    std::unique_ptr<CarpetaPrueba> carpeta;
    EscritorioPrueba *escritorio = nullptr;

    // Three draws (the Saturday one with 10..15), two simple syndicates and a multiple.
    void preparaTres()
    {
        carpeta->escribeSorteos(
            {sorteoDe(kJueves1, 1), sorteoDe(kSabado, 10), sorteoDe(kJueves2, 1)});
        const QDate desde(2025, 12, 1);
        carpeta->escribePenas({
            sencilla(QStringLiteral("ANA"), QString::fromUtf8("Jueves y Sábado"),
                     {{1, 2, 3, 4, 40, 41}, {20, 21, 22, 23, 24, 25}}, desde),
            sencilla(QStringLiteral("LUIS"), QStringLiteral("Jueves"), {{1, 2, 3, 30, 31, 32}},
                     desde),
            multiple(QStringLiteral("MULTI"), 501, {1, 2, 3, 4, 5, 49, 30}, desde),
        });
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        escritorio = EscritorioPrueba::instala(kHoy);
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio->pdfSalida = carpeta->archivo(QStringLiteral("listado.pdf"));
    }
    void cleanup()
    {
        carpeta.reset();
        Escritorio::sustituye(nullptr);
    }

    void arranqueMuestraLaUltimaJornada()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        QAbstractItemModel *sencillas = modelo(p, "ListView2");
        QCOMPARE(tipos(sencillas), (std::vector<TipoFila>{E, CP, CS, A, A, E, CP, CS, A}));
        QCOMPARE(sencillas->columnCount(), 8);
        QCOMPARE(dato(sencillas, 1, 7).toString(), QString::fromUtf8("PEÑA ANA                 "));
        QCOMPARE(dato(sencillas, 1, 7, Qt::ForegroundRole).value<QColor>(), QColor(128, 0, 0));
        QCOMPARE(dato(sencillas, 2, 7).toString(), QStringLiteral("08/01/2026 Jueves"));
        QCOMPARE(dato(sencillas, 2, 7, Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
        QCOMPARE(dato(sencillas, 3, 1).toString(), QStringLiteral("1"));
        QCOMPARE(dato(sencillas, 3, 4, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(!dato(sencillas, 3, 5, Qt::ForegroundRole).isValid());
        QCOMPARE(dato(sencillas, 3, 7).toString(),
                 QString::fromUtf8("¡¡ Premio !! Has acertado 4 números."));
        QCOMPARE(dato(sencillas, 3, 7, Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
        QVERIFY(!dato(sencillas, 4, 7).isValid()); // no prize: no seventh cell
        QVERIFY(!dato(sencillas, 0, 1).isValid()); // the spacer has no cells

        QAbstractItemModel *multiples = modelo(p, "ListView4");
        QCOMPARE(tipos(multiples), (std::vector<TipoFila>{E, CP, CS, A, M, M}));
        QCOMPARE(multiples->columnCount(), 13);
        QCOMPARE(dato(multiples, 3, 6).toString(), QStringLiteral("49"));
        QVERIFY(!dato(multiples, 3, 6, Qt::ForegroundRole).isValid());
        QCOMPARE(dato(multiples, 3, 8).toString(), QString());
        QCOMPARE(dato(multiples, 3, 12).toString(),
                 QString::fromUtf8("¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."));
        QCOMPARE(dato(multiples, 5, 12).toString(),
                 QString::fromUtf8("¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."));
        QCOMPARE(dato(multiples, 5, 12, Qt::ForegroundRole).value<QColor>(), QColor(192, 64, 0));

        QVERIFY(!control<QTableView>(p, "ListView2")->isHidden());
        QVERIFY(control<QTableView>(p, "ListView4")->isHidden());
        QCOMPARE(control<QScrollBar>(p, "HScroll1")->maximum(), 3);
        QCOMPARE(control<QLineEdit>(p, "Text3")->text(), QStringLiteral("1"));
        // The list shows the newest draw, but every draw was counted, and the totals say so at
        // once.
        QCOMPARE(enDisco(*carpeta, 1).premio(4), qint16(2));
        QCOMPARE(enDisco(*carpeta, 2).premio(3), qint16(2));
        const Pena m = enDisco(*carpeta, 3);
        QCOMPARE(
            (std::array<int, 5>{m.premio(3), m.premio(4), m.premio(5), m.premio(6), m.premio(7)}),
            (std::array<int, 5>{0, 10, 2, 0, 2}));
        QCOMPARE(control<QLabel>(p, "Label13")->text(), QStringLiteral("18"));
        // The manager's details of the first syndicate show its counters as counted, too.
        QCOMPARE(control<QLabel>(p, "Label3_1")->text(), QStringLiteral("2"));
    }

    void ventanaYFiltros()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        const QByteArray antes = carpeta->lee(QStringLiteral("apuestas.dat"));
        resultados(p).HScroll1_Scroll(2); // dragging only shows the value
        QCOMPARE(control<QLineEdit>(p, "Text3")->text(), QStringLiteral("2"));
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 9);

        control<QScrollBar>(p, "HScroll1")->setValue(3);
        QCOMPARE(control<QLineEdit>(p, "Text3")->text(), QStringLiteral("3"));
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 9 + 5 + 9);
        QCOMPARE(modelo(p, "ListView4")->rowCount(), 6 + 4 + 6);
        // Every draw was counted at the start: a wider window counts none again.
        QCOMPARE(carpeta->lee(QStringLiteral("apuestas.dat")), antes);

        control<QCheckBox>(p, "Check2")->setChecked(true);
        QCOMPARE(tipos(modelo(p, "ListView2")),
                 (std::vector<TipoFila>{E, CP, CS, A, E, CP, CS, A, E, CP, CS, A, E, CP, CS, A}));
        QCOMPARE(modelo(p, "ListView4")->rowCount(), 6 + 6);
        QCOMPARE(carpeta->lee(QStringLiteral("apuestas.dat")), antes);
    }

    // Without a mouse: the count of draws is typed (Enter applies it) or the bar moved with the
    // keys; what does not fit is put right and said.
    void sorteosAComprobarConElTeclado()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        auto *caja = control<QLineEdit>(p, "Text3");
        auto *barra = control<QScrollBar>(p, "HScroll1");
        QVERIFY(!caja->isReadOnly());
        QCOMPARE(barra->focusPolicy(), Qt::StrongFocus);
        const auto escribe = [caja](const QString &texto) {
            caja->selectAll();
            QTest::keyClicks(caja, texto);
            QTest::keyClick(caja, Qt::Key_Return);
        };

        escribe(QStringLiteral("2"));
        QCOMPARE(barra->value(), 2);
        QCOMPARE(p.sesion().sorteosAComprobar(), 2);
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 9 + 5);
        QVERIFY(escritorio->mensajes.isEmpty());

        struct Caso {
            QString tecleado;
            int queda;
            QString dicho;
        };
        const Caso casos[] = {
            {QStringLiteral("50"), 3,
             QString::fromUtf8("«50» no vale: el archivo tiene 3 sorteos. Se comprobarán los "
                               "últimos 3 sorteos.")},
            {QStringLiteral("0"), 1,
             QString::fromUtf8("«0» no vale: hay que comprobar al menos 1 sorteo. Se comprobará "
                               "el último sorteo.")},
            {QStringLiteral("dos"), 1,
             QString::fromUtf8("«dos» no es un número. Escriba cuántos sorteos quiere comprobar, "
                               "de 1 a 3.")},
        };
        for (const Caso &c : casos) {
            escritorio->mensajes.clear();
            escribe(c.tecleado);
            QCOMPARE(barra->value(), c.queda);
            QCOMPARE(caja->text(), QString::number(c.queda));
            QCOMPARE(p.sesion().sorteosAComprobar(), c.queda);
            QCOMPARE(escritorio->textos(), QStringList{c.dicho});
            QCOMPARE(escritorio->mensajes.first().titulo, QStringLiteral("Sorteos a comprobar"));
        }
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 9);

        escritorio->mensajes.clear();
        QTest::keyClick(barra, Qt::Key_Right);
        QCOMPARE(caja->text(), QStringLiteral("2"));
        QCOMPARE(p.sesion().sorteosAComprobar(), 2);
        QTest::keyClick(barra, Qt::Key_End);
        QCOMPARE(caja->text(), QStringLiteral("3"));
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 9 + 5 + 9);
        QTest::keyClick(barra, Qt::Key_PageDown);
        QCOMPARE(p.sesion().sorteosAComprobar(), 1);
        QTest::keyClick(barra, Qt::Key_PageUp);
        QCOMPARE(caja->text(), QStringLiteral("3"));
        QVERIFY(escritorio->mensajes.isEmpty());

        // Leaving the box applies what was typed, as Enter does.
        p.show();
        QVERIFY(QTest::qWaitForWindowActive(&p));
        caja->setFocus();
        caja->selectAll();
        QTest::keyClicks(caja, QStringLiteral("2"));
        barra->setFocus();
        QCOMPARE(p.sesion().sorteosAComprobar(), 2);
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void historicoSinContar()
    {
        carpeta->escribeSorteos(
            {sorteoDe(kJueves1, 1), sorteoDe(kSabado, 10), sorteoDe(kJueves2, 1)});
        carpeta->escribePenas(
            {sencilla(QStringLiteral("NUEVA"), QString::fromUtf8("Jueves y Sábado"),
                      {{1, 2, 3, 4, 5, 6}}, QDate(2026, 1, 5))});
        Principal p(carpeta->ruta());
        control<QScrollBar>(p, "HScroll1")->setValue(3);
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 4);
        p.sesion().ponAvisoNuevos(QStringLiteral("1 sorteo")); // a download just stored one
        control<QCheckBox>(p, "Check1")->setChecked(true);
        QVERIFY(control<QLabel>(p, "Label59")->text().isEmpty());
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 4 + 4 + 4);
        QCOMPARE(enDisco(*carpeta, 1).premio(6), qint16(1));
    }

    void selectorDePenas()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        QCOMPARE(control<QComboBox>(p, "Combo2")->count(), 4);
        QCOMPARE(control<QComboBox>(p, "Combo2")->currentText(),
                 QString::fromUtf8("TODAS LAS PEÑAS"));
        // A new draw arrives; picking one syndicate counts it for that one only.
        QCOMPARE(p.sesion().sorteos().agrega({sorteoDe(kJueves3, 1)}), Escritura::Hecha);
        p.sesion().recuenta();
        const QByteArray ana = enDisco(*carpeta, 1).aBytes();
        const QByteArray multi = enDisco(*carpeta, 3).aBytes();
        control<QComboBox>(p, "Combo2")->setCurrentIndex(2);
        QCOMPARE(tipos(modelo(p, "ListView2")), (std::vector<TipoFila>{E, CP, CS, A}));
        QCOMPARE(dato(modelo(p, "ListView2"), 1, 7).toString(),
                 QString::fromUtf8("PEÑA LUIS                "));
        QCOMPARE(modelo(p, "ListView4")->rowCount(), 0);
        QCOMPARE(enDisco(*carpeta, 2).premio(3), qint16(3));
        QCOMPARE(enDisco(*carpeta, 2).contado, fechas::serial(kJueves3));
        QCOMPARE(enDisco(*carpeta, 1).aBytes(), ana);
        QCOMPARE(enDisco(*carpeta, 3).aBytes(), multi);
        QCOMPARE(resultados(p).cambiocombo(), 0);

        // Picking the multiple shows its list.
        control<QComboBox>(p, "Combo2")->setCurrentIndex(3);
        QVERIFY(!control<QTableView>(p, "ListView4")->isHidden());
        QVERIFY(control<QTableView>(p, "ListView2")->isHidden());
        QCOMPARE(modelo(p, "ListView4")->rowCount(), 6);
        QCOMPARE(enDisco(*carpeta, 3).premio(4), qint16(15));
        QCOMPARE(enDisco(*carpeta, 1).aBytes(), ana);
    }

    void avisoDePremioParpadea()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        QVERIFY(!control<QTimer>(p, "Timer3")->isActive());    // no download: no alert
        p.sesion().ponAvisoNuevos(QStringLiteral("1 sorteo")); // a download just stored one
        resultados(p).comprueba(1);
        QVERIFY(control<QTimer>(p, "Timer3")->isActive());
        QCOMPARE(p.sesion().avisopremio(), 3);
        QCOMPARE(control<QTimer>(p, "Timer3")->interval(), 800);
        resultados(p).Timer3_Timer();
        QCOMPARE(control<QPushButton>(p, "Command1_0")->text(), QStringLiteral("P R E M I O"));
        QCOMPARE(control<QPushButton>(p, "Command1_1")->text(), QStringLiteral("P R E M I O"));
        resultados(p).Timer3_Timer();
        QCOMPARE(control<QPushButton>(p, "Command1_0")->text(), QStringLiteral("S E N C I L L A"));
        QCOMPARE(control<QPushButton>(p, "Command1_1")->text(),
                 QString::fromUtf8("M Ú L T I P L E"));
        p.sesion().ponAvisopremio(2); // only the multiples won: only their button blinks
        resultados(p).Timer3_Timer();
        QCOMPARE(control<QPushButton>(p, "Command1_0")->text(), QStringLiteral("S E N C I L L A"));
        QCOMPARE(control<QPushButton>(p, "Command1_1")->text(), QStringLiteral("P R E M I O"));

        // Switching lists stops it.
        control<QPushButton>(p, "Command1_1")->click();
        QVERIFY(!control<QTimer>(p, "Timer3")->isActive());
        QVERIFY(control<QLabel>(p, "Label59")->text().isEmpty());
        QCOMPARE(control<QPushButton>(p, "Command1_1")->text(),
                 QString::fromUtf8("M Ú L T I P L E"));
        QVERIFY(!control<QTableView>(p, "ListView4")->isHidden());
        QVERIFY(control<QTableView>(p, "ListView2")->isHidden());
        // The shown list again: nothing changes.
        resultados(p).Command1_Click(1);
        QVERIFY(!control<QTableView>(p, "ListView4")->isHidden());
        resultados(p).Command1_Click(0);
        QVERIFY(!control<QTableView>(p, "ListView2")->isHidden());
        QVERIFY(control<QTableView>(p, "ListView4")->isHidden());

        // Other windows clear a list through its model.
        QAbstractItemModel *sencillas = modelo(p, "ListView2");
        QVERIFY(sencillas->removeRows(0, 3));
        QCOMPARE(tipos(sencillas), (std::vector<TipoFila>{A, A, E, CP, CS, A}));
        QVERIFY(sencillas->removeRows(0, sencillas->rowCount()));
        QCOMPARE(sencillas->rowCount(), 0);
    }

    void listadoImpreso()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        control<QCheckBox>(p, "Check2")->setChecked(true);
        QTest::mouseClick(control<Imagen>(p, "Image5"), Qt::LeftButton);
        QVERIFY(!resultados(p).imprimiendo());
        QVERIFY(escritorio->mensajes.isEmpty());
        QPdfDocument pdf;
        QCOMPARE(pdf.load(escritorio->pdfSalida), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 2);

        const QRectF titulo = donde(pdf, 0, QStringLiteral("PEÑAS SENCILLAS / REDUCIDAS"));
        const QRectF sorteo = donde(pdf, 0, QStringLiteral("Sorteo del 08/01/2026"));
        const QRectF ana = donde(pdf, 0, QString::fromUtf8("PEÑA ANA"));
        const QRectF luis = donde(pdf, 0, QString::fromUtf8("PEÑA LUIS"));
        const QRectF premio = donde(pdf, 0, QString::fromUtf8("Has acertado 4 números."));
        QVERIFY(titulo.isValid() && sorteo.isValid() && ana.isValid() && luis.isValid() &&
                premio.isValid());
        QVERIFY(qAbs(titulo.x() - 50) < 1.5);
        QVERIFY(qAbs(sorteo.x() - 20) < 1.5);
        QVERIFY(qAbs(ana.x() - 30) < 1.5);
        QVERIFY(qAbs(luis.x() - 30) < 1.5);
        QVERIFY(titulo.y() > 38 && titulo.y() < 50);
        QVERIFY(titulo.y() < sorteo.y() && sorteo.y() < ana.y() && ana.y() < premio.y() &&
                premio.y() < luis.y());
        // Only the winning bet of ANA is in it.
        QVERIFY(pdf.getAllText(0).text().contains(QStringLiteral("1-2-3-4-5-6")));
        QVERIFY(!pdf.getAllText(0).text().contains(QStringLiteral("25")));

        const QRectF multiples = donde(pdf, 1, QString::fromUtf8("PEÑAS MÚLTIPLES"));
        QVERIFY(qAbs(multiples.x() - 70) < 1.5);
        const QRectF segundo =
            donde(pdf, 1, QString::fromUtf8("¡¡ Premio !! Tienes 1 apuesta de 5 aciertos."));
        QVERIFY2(qAbs(segundo.x() - 83.3) < 1.5, qPrintable(QString::number(segundo.x())));
    }

    // The printed listing keeps off the paper's edges, its text is of a readable size and the
    // numbers a bet hit stand out in bold.
    void listadoConMargenesYAciertosEnNegrita()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        control<QCheckBox>(p, "Check2")->setChecked(true);
        QTest::mouseClick(control<Imagen>(p, "Image5"), Qt::LeftButton);
        QPdfDocument pdf;
        QCOMPARE(pdf.load(escritorio->pdfSalida), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 2);

        constexpr double kPorMm = 8;
        constexpr double kBorde = 12; // mm of every edge left blank, the logo's side too
        std::vector<QImage> paginas;
        for (int i = 0; i < pdf.pageCount(); ++i) {
            const QSizeF mm = pdf.pagePointSize(i) * 25.4 / 72;
            const QImage pagina = pdf.render(i, (mm * kPorMm).toSize());
            QVERIFY(tinta(pagina, QRectF(0, 0, mm.width(), mm.height()), kPorMm) > 0);
            const QRectF bandas[4] = {{0, 0, mm.width(), kBorde},
                                      {0, mm.height() - kBorde, mm.width(), kBorde},
                                      {0, 0, kBorde, mm.height()},
                                      {mm.width() - kBorde, 0, kBorde, mm.height()}};
            for (const QRectF &banda : bandas) {
                const QRect r = QRectF(banda.topLeft() * kPorMm, banda.size() * kPorMm)
                                    .toAlignedRect()
                                    .intersected(pagina.rect());
                QPoint manchado(-1, -1);
                for (int y = r.top(); y <= r.bottom() && manchado.x() < 0; ++y)
                    for (int x = r.left(); x <= r.right() && manchado.x() < 0; ++x)
                        if (qAlpha(pagina.pixel(x, y)) > 0 && qGray(pagina.pixel(x, y)) <= 250)
                            manchado = QPoint(x, y);
                QVERIFY2(manchado.x() < 0, qPrintable(QStringLiteral("página %1, %2 mm, %3 mm")
                                                          .arg(i + 1)
                                                          .arg(manchado.x() / kPorMm)
                                                          .arg(manchado.y() / kPorMm)));
            }
            paginas.push_back(pagina);
        }

        // ANA's winning bet 1 2 3 4 40 41 against the draw 1..6: its 1 and 4 in bold, those of
        // 41 and 40 not, and each of its lines a line of a letter of at least 9 points.
        const QString texto = pdf.getAllText(0).text();
        const qsizetype pena = texto.indexOf(QString::fromUtf8("PEÑA ANA"));
        QVERIFY(pena >= 0);
        const QRegularExpressionMatch apuesta =
            QRegularExpression(QStringLiteral("(1)\\s+2\\s+3\\s+(4)\\s+(4)0\\s+4(1)"))
                .match(texto, pena);
        QVERIFY2(apuesta.hasMatch(), qPrintable(texto));
        const auto caja = [&](int grupo) {
            return pdf.getSelectionAtIndex(0, int(apuesta.capturedStart(grupo)), 1)
                .boundingRectangle();
        };
        const auto tintaMm = [&](int grupo) {
            const QRectF r = caja(grupo);
            const double mm = 25.4 / 72;
            return tinta(paginas[0], QRectF(r.topLeft() * mm, r.size() * mm), kPorMm);
        };
        QVERIFY2(tintaMm(1) > 1.15 * tintaMm(4),
                 qPrintable(QStringLiteral("%1 %2").arg(tintaMm(1)).arg(tintaMm(4))));
        QVERIFY2(tintaMm(2) > 1.15 * tintaMm(3),
                 qPrintable(QStringLiteral("%1 %2").arg(tintaMm(2)).arg(tintaMm(3))));
        // From the foot of the heading's letters to the foot of the bet's numbers: one line,
        // at least 1.1 times the letter's size.
        const QRectF cabecera = pdf.getSelectionAtIndex(0, int(pena), 1).boundingRectangle();
        const double interlineaMm = (caja(1).bottom() - cabecera.bottom()) * 25.4 / 72;
        QVERIFY2(interlineaMm > 9 * 1.1 * 25.4 / 72, qPrintable(QString::number(interlineaMm)));
    }

    void listadoVacioOCancelado()
    {
        carpeta->escribeSorteos({sorteoDe(kJueves1, 30)});
        carpeta->escribePenas({sencilla(QStringLiteral("ANA"), QStringLiteral("Jueves"),
                                        {{1, 2, 3, 4, 5, 6}}, QDate(2025, 1, 1))});
        Principal p(carpeta->ruta());
        control<QCheckBox>(p, "Check2")->setChecked(true);
        resultados(p).Image5_Click();
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].texto,
                 QString::fromUtf8("Listado vacío. No hay datos para imprimir,"));
        QCOMPARE(escritorio->mensajes[0].titulo, QStringLiteral("No hay datos"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Informacion);
        QVERIFY(!QFile::exists(escritorio->pdfSalida));
        QVERIFY(!resultados(p).imprimiendo());

        // Cancelling the dialog prints nothing and says nothing.
        control<QCheckBox>(p, "Check2")->setChecked(false);
        escritorio->impresoraAceptada = false;
        resultados(p).Image5_Click();
        QCOMPARE(escritorio->mensajes.size(), 1);
        QVERIFY(!QFile::exists(escritorio->pdfSalida));
        QVERIFY(!resultados(p).imprimiendo());
    }

    // "Guardar como PDF" makes the same listing as printing, in a file; a cancelled dialog or
    // an empty listing leaves no file.
    void listadoEnPdf()
    {
        preparaTres();
        Principal p(carpeta->ruta());
        auto *boton = control<Imagen>(p, "guardaPdf");
        QCOMPARE(boton->text(), QString::fromUtf8("Guardar como PDF"));
        QCOMPARE(boton->toolTip(),
                 QString::fromUtf8("Guardar el listado de resultados en un archivo PDF"));
        const QString destino = carpeta->archivo(QStringLiteral("resultados.pdf"));

        QTest::mouseClick(boton, Qt::LeftButton); // the save dialog cancelled
        QVERIFY(!QFile::exists(destino));
        QVERIFY(escritorio->mensajes.isEmpty());

        escritorio->destinoElegido = destino;
        QTest::mouseClick(boton, Qt::LeftButton);
        QVERIFY(escritorio->mensajes.isEmpty());
        QVERIFY(!resultados(p).imprimiendo());
        QVERIFY(!QFile::exists(escritorio->pdfSalida)); // nothing went to the printer
        QFile archivo(destino);
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        QCOMPARE(archivo.read(4), QByteArray("%PDF"));
        archivo.close();
        QPdfDocument pdf;
        QCOMPARE(pdf.load(destino), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), 2);
        QVERIFY(qAbs(donde(pdf, 0, QStringLiteral("PEÑAS SENCILLAS / REDUCIDAS")).x() - 50) < 1.5);
        QVERIFY(pdf.getAllText(0).text().contains(QStringLiteral("Sorteo del 08/01/2026")));
        QVERIFY(donde(pdf, 1, QString::fromUtf8("PEÑAS MÚLTIPLES")).isValid());
        pdf.close();

        // A newest draw nobody wins and only prizes wanted: the empty-listing message, and the
        // file chosen is not touched.
        QVERIFY(QFile::remove(destino));
        control<QCheckBox>(p, "Check2")->setChecked(true);
        escritorio->mensajes.clear();
        QCOMPARE(p.sesion().sorteos().agrega({sorteoDe(QDate(2026, 1, 10), 40)}), Escritura::Hecha);
        p.sesion().recuenta();
        QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(escritorio->textos(),
                 QStringList{QString::fromUtf8("Listado vacío. No hay datos para imprimir,")});
        QVERIFY(!QFile::exists(destino));
    }

    // A listing of many pages is only printed or saved once the user says yes, and the pages
    // it says are the pages it takes.
    void listadoLargoPregunta()
    {
        std::vector<std::array<int, 6>> apuestas;
        for (int k = 0; k < 205; ++k)
            apuestas.push_back(
                {1 + k % 44, 2 + k % 44, 3 + k % 44, 4 + k % 44, 5 + k % 44, 6 + k % 44});
        std::vector<Sorteo> sorteos;
        for (QDate dia(2025, 9, 4); sorteos.size() < 30; dia = dia.addDays(7))
            sorteos.push_back(sorteoDe(dia, 1 + int(sorteos.size()) % 40));
        carpeta->escribeSorteos(sorteos);
        carpeta->escribePenas({sencilla(QStringLiteral("GRANDE"), QStringLiteral("Jueves"),
                                        apuestas, QDate(2025, 1, 1))});
        // After the newest draw: a clock behind the archive would be told first.
        escritorio->reloj = QDateTime(fechas::dia(sorteos.back().fecha).addDays(1), QTime(12, 0));
        Principal p(carpeta->ruta());
        control<QScrollBar>(p, "HScroll1")->setValue(30);
        const QString destino = carpeta->archivo(QStringLiteral("largo.pdf"));
        escritorio->destinoElegido = destino;

        escritorio->respuestas = {false};
        resultados(p).guardaPdf_Click();
        QCOMPARE(escritorio->mensajes.size(), 1);
        const EscritorioPrueba::Mensaje pregunta = escritorio->mensajes[0];
        QVERIFY(pregunta.pregunta);
        QCOMPARE(pregunta.titulo, QString::fromUtf8("Listado muy largo"));
        QCOMPARE(pregunta.icono, Escritorio::Icono::Pregunta);
        const QRegularExpressionMatch paginas =
            QRegularExpression(
                QString::fromUtf8("^El listado de resultados ocupa (\\d+) páginas\\. "
                                  "¿Quiere guardarlo\\?$"))
                .match(pregunta.texto);
        QVERIFY2(paginas.hasMatch(), qPrintable(pregunta.texto));
        QVERIFY(paginas.captured(1).toInt() > 50);
        QVERIFY(!QFile::exists(destino));

        escritorio->respuestas = {false};
        resultados(p).Image5_Click();
        QCOMPARE(escritorio->mensajes.size(), 2);
        QCOMPARE(escritorio->mensajes[1].texto,
                 QString::fromUtf8("El listado de resultados ocupa %1 páginas. ¿Quiere imprimirlo?")
                     .arg(paginas.captured(1)));
        QVERIFY(!QFile::exists(escritorio->pdfSalida));
        QVERIFY(!resultados(p).imprimiendo());

        resultados(p).guardaPdf_Click(); // and yes
        QPdfDocument pdf;
        QCOMPARE(pdf.load(destino), QPdfDocument::Error::None);
        QCOMPARE(pdf.pageCount(), paginas.captured(1).toInt());
    }

    void listadoSinSorteos()
    {
        Principal p(carpeta->ruta());
        resultados(p).Image5_Click();
        QCOMPARE(escritorio->textos(),
                 QStringList{QString::fromUtf8("Listado vacío. No hay datos para imprimir,")});
        QVERIFY(!QFile::exists(escritorio->pdfSalida));
        QCOMPARE(modelo(p, "ListView2")->rowCount(), 0);
    }

    void resumenSinPenas()
    {
        Principal p(carpeta->ruta());
        QCOMPARE(control<QComboBox>(p, "Combo2")->currentText(),
                 QString::fromUtf8("TODAS LAS PEÑAS"));
        QCOMPARE(control<QComboBox>(p, "Combo2")->count(), 1);
        QCOMPARE(control<QComboBox>(p, "Combo2")->itemText(0),
                 QString::fromUtf8("No hay Peñas creadas"));
        QAbstractItemModel *lista = modelo(p, "ListView1");
        QCOMPARE(lista->rowCount(), 1);
        QCOMPARE(dato(lista, 0, 0).toString(), QString::fromUtf8("VACÍO"));
        QCOMPARE(control<QLineEdit>(p, "Text4")->text(),
                 QString::fromUtf8("¡Nunca has acertado nada!"));
        QCOMPARE(control<QLineEdit>(p, "Text5")->text(), QString());
        QCOMPARE(control<QLabel>(p, "Label13")->text(), QStringLiteral("0"));
        QCOMPARE(control<QLabel>(p, "Label9_2")->text(), QStringLiteral("0"));
        for (const char *nombre : {"Command2", "Command3", "Command7"})
            QVERIFY(!p.findChild<QPushButton *>(QString::fromLatin1(nombre))->isEnabled());
        QVERIFY(!p.findChild<Imagen *>(QStringLiteral("Image2_1"))->isEnabled());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(p.findChild<QLabel *>(QStringLiteral("Label3_%1").arg(i))->text(),
                     QStringLiteral("0"));
        auto *grafico = p.findChild<QChartView *>(QStringLiteral("MSChart2"));
        QVERIFY(grafico);
        auto *serie = qobject_cast<QBarSeries *>(grafico->chart()->series().value(0));
        QCOMPARE(serie->barSets()[0]->at(0), 1.0);
        QCOMPARE(serie->barSets()[1]->at(0), 0.0);
        gestor(p).ListView1_ItemClick(1);
        QCOMPARE(p.sesion().penasel(), 0);
    }

    // The window keeps its size whatever the syndicate shown, and fits a 1280×720 screen.
    void laVentanaNoCreceConLaPena()
    {
        std::vector<std::array<int, 6>> apuestas;
        for (int k = 0; k < 205; ++k)
            apuestas.push_back(
                {1 + k % 44, 2 + k % 44, 3 + k % 44, 4 + k % 44, 5 + k % 44, 6 + k % 44});
        carpeta->escribeSorteos({sorteoDe(kJueves1, 10)});
        carpeta->escribePenas(
            {sencilla(QStringLiteral("CORTA"), QStringLiteral("Jueves"), {apuestas[0]}, kJueves1),
             sencilla(QStringLiteral("LARGA"), QStringLiteral("Jueves"), apuestas, kJueves1)});
        Principal p(carpeta->ruta());
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        const QSize antes = p.size();
        for (int r : {2, 1, 2}) {
            gestor(p).ListView1_ItemClick(r + 1);
            QCoreApplication::processEvents();
            QCOMPARE(p.size(), antes);
        }
        QVERIFY(p.minimumSizeHint().width() <= 1280);
        QVERIFY(p.minimumSizeHint().height() <= 720 - 30); // and the title bar
    }

    void resumenConDecimales()
    {
        // One prize (in the newest draw) over three played draws.
        carpeta->escribeSorteos(
            {sorteoDe(kJueves1, 10), sorteoDe(kSabado, 10), sorteoDe(kJueves2, 1)});
        carpeta->escribePenas(
            {sencilla(QStringLiteral("PEPE"), QString::fromUtf8("Jueves y Sábado"),
                      {{1, 2, 3, 30, 31, 32}}, QDate(2025, 1, 1)),
             multiple(QStringLiteral("GRANDE"), 506, {40, 41, 42, 43, 44, 45, 46, 47, 48, 20, 21},
                      QDate(2025, 1, 1))});
        Principal p(carpeta->ruta());
        QCOMPARE(control<QLabel>(p, "Label13")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLineEdit>(p, "Text4")->text(),
                 QStringLiteral("33,3% de efectividad en premios"));
        QCOMPARE(control<QLineEdit>(p, "Text5")->text(), QStringLiteral("en 3 sorteos"));
        QCOMPARE(control<QLabel>(p, "Label9_2")->text(), QStringLiteral("2"));
        QAbstractItemModel *lista = modelo(p, "ListView1");
        QCOMPARE(lista->rowCount(), 2);
        QCOMPARE(dato(lista, 1, 1).toString(), QStringLiteral("462"));
        QCOMPARE(dato(lista, 0, 3).toString(), QStringLiteral("Jueves y Sábado").leftJustified(15));
        auto *grafico = p.findChild<QChartView *>(QStringLiteral("MSChart2"));
        auto *serie = qobject_cast<QBarSeries *>(grafico->chart()->series().value(0));
        QCOMPARE(serie->barSets()[0]->at(0), 2.0);
        QCOMPARE(serie->barSets()[1]->at(0), 1.0);
        for (const char *nombre : {"Command2", "Command3", "Command7"})
            QVERIFY(p.findChild<QPushButton *>(QString::fromLatin1(nombre))->isEnabled());
        QVERIFY(p.findChild<Imagen *>(QStringLiteral("Image2_1"))->isEnabled());
        gestor(p).ListView1_ItemClick(2);
        QCOMPARE(p.sesion().penasel(), 2);
    }

    void archivoReal()
    {
        const QString real = CarpetaPrueba::historicoReal();
        if (real.isEmpty())
            QSKIP("No está el archivo real de sorteos");
        QFile::remove(carpeta->archivo(QStringLiteral("numeros.dat")));
        QVERIFY(QFile::copy(real, carpeta->archivo(QStringLiteral("numeros.dat"))));
        escritorio->reloj = QDateTime(QDate(2026, 8, 20), QTime(12, 0));
        // The first draw, 17/10/1985: 3 11 13 15 34 35, complementary 27.
        std::vector<std::array<int, 6>> apuestas = {{3, 11, 13, 15, 34, 27}};
        for (int k = 1; k < 205; ++k)
            apuestas.push_back(
                {1 + k % 44, 2 + k % 44, 3 + k % 44, 4 + k % 44, 5 + k % 44, 6 + k % 44});
        Pena reducida = sencilla(QStringLiteral("REDUCIDA"), QStringLiteral("Jueves"),
                                 {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, QDate(1985, 10, 1));
        reducida.tablaN = 12;
        carpeta->escribePenas(
            {sencilla(QStringLiteral("DESDE EL PRINCIPIO"), QString::fromUtf8("Jueves y Sábado"),
                      apuestas, QDate(1985, 10, 1)),
             reducida,
             multiple(QStringLiteral("ONCE"), 506, {3, 11, 13, 15, 34, 35, 27, 1, 2, 4, 5},
                      QDate(1985, 10, 1))});
        Principal p(carpeta->ruta());
        const QByteArray contados = carpeta->lee(QStringLiteral("apuestas.dat"));
        QCOMPARE(control<QScrollBar>(p, "HScroll1")->maximum(), p.sesion().sorteos().cuenta());

        int jueves = 0, sabados = 0;
        for (const Sorteo &s : p.sesion().sorteos().sorteos()) {
            jueves += diasemana(s.fecha) == QStringLiteral("Jueves");
            sabados += diasemana(s.fecha) == QString::fromUtf8("Sábado");
        }
        control<QScrollBar>(p, "HScroll1")->setValue(control<QScrollBar>(p, "HScroll1")->maximum());
        QAbstractItemModel *sencillas = modelo(p, "ListView2");
        QCOMPARE(sencillas->rowCount(), (jueves + sabados) * (3 + 205) + jueves * (3 + 2));
        // The oldest draw comes last; its first bet has five numbers and the complementary.
        int cabecera = sencillas->rowCount() - 1;
        while (TipoFila(dato(sencillas, cabecera, 0, ModeloResultados::kRolTipo).toInt()) !=
               TipoFila::CabeceraSorteo)
            --cabecera;
        cabecera -= 3 + 205; // the simple syndicate's block comes before the reduced one's
        QCOMPARE(dato(sencillas, cabecera, 7).toString(), QStringLiteral("17/10/1985 Jueves"));
        QCOMPARE(dato(sencillas, cabecera + 1, 7).toString(),
                 QString::fromUtf8("¡¡ Premio !! 5 + COMPLEMENTARIO"));
        QAbstractItemModel *multiples = modelo(p, "ListView4");
        QCOMPARE(dato(multiples, multiples->rowCount() - 5, 12).toString(),
                 QString::fromUtf8("¡¡ Premio !! Tienes 200 apuestas de 3 aciertos."));
        // Widening the window to the whole history counted nothing again.
        QCOMPARE(carpeta->lee(QStringLiteral("apuestas.dat")), contados);
    }

    // A user with a Monday syndicate and a Thursday-and-Saturday one, on the real history up to
    // Saturday 15/08/2026, that same evening.
    void lunesConElHistoricoReal()
    {
        const QString real = CarpetaPrueba::historicoReal();
        if (real.isEmpty())
            QSKIP("No está el archivo real de sorteos");
        QFile origen(real);
        QVERIFY(origen.open(QIODevice::ReadOnly));
        std::vector<Sorteo> sorteos;
        const QDate sabado(2026, 8, 15);
        while (!origen.atEnd()) {
            const Sorteo s = Sorteo::desdeBytes(origen.read(Sorteo::kLongitud).constData());
            if (s.fecha <= fechas::serial(sabado))
                sorteos.push_back(s);
        }
        carpeta->escribeSorteos(sorteos);
        const QDate desde(2026, 1, 1);
        std::array<int, 8> dias{};
        for (const Sorteo &s : sorteos)
            if (!(s.fecha < fechas::serial(desde)))
                ++dias[size_t(fechas::numeroDia(s.fecha))];
        carpeta->escribePenas(
            {sencilla(QStringLiteral("LUNES"), QStringLiteral("Lunes"), {{1, 2, 3, 4, 5, 6}},
                      desde),
             sencilla(QStringLiteral("FINDE"), QString::fromUtf8("Jueves y Sábado"),
                      {{1, 2, 3, 4, 5, 6}}, desde)});
        escritorio->reloj = QDateTime(sabado, QTime(22, 30));
        Principal p(carpeta->ruta());
        QCOMPARE(control<QLabel>(p, "Label9_5")->text(),
                 QStringLiteral("Lunes, 17 de agosto del 2026"));
        QCOMPARE(control<QLabel>(p, "Label9_7")->text(), QString::fromUtf8("Faltan 2 días"));
        QCOMPARE(control<QLineEdit>(p, "Text5")->text(),
                 QStringLiteral("en %1 sorteos").arg(dias[2] + dias[5] + dias[7]));

        gestor(p).ListView1_ItemClick(2);
        QCOMPARE(control<QLabel>(p, "Label17")->text(), QString::number(dias[5] + dias[7]));
        gestor(p).ListView1_ItemClick(1);
        QCOMPARE(control<QLabel>(p, "Label17")->text(), QString::number(dias[2]));

        // Every draw since January: the Monday syndicate's block only under Monday headings.
        control<QScrollBar>(p, "HScroll1")->setValue(dias[2] + dias[5] + dias[7]);
        QAbstractItemModel *lista = modelo(p, "ListView2");
        // A block opens with its syndicate's heading, then the draw's.
        bool esLunes = false;
        int lunes = 0, finde = 0;
        for (int f = 0; f < lista->rowCount(); ++f) {
            const auto tipo = TipoFila(dato(lista, f, 0, ModeloResultados::kRolTipo).toInt());
            const QString texto = dato(lista, f, 7).toString();
            if (tipo == TipoFila::CabeceraPena)
                esLunes = texto.contains(QStringLiteral("LUNES"));
            if (tipo == TipoFila::CabeceraSorteo) {
                QCOMPARE(texto.endsWith(QStringLiteral(" Lunes")), esLunes);
                (esLunes ? lunes : finde) += 1;
            }
        }
        QCOMPARE(lunes, dias[2]);
        QCOMPARE(finde, dias[5] + dias[7]);
    }
};

QTEST_MAIN(TstVentana)
#include "tst_ventana.moc"
