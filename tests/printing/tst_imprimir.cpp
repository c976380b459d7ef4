#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "printing/configurar.h"
#include "printing/imprimir.h"
#include "printing/lectorpdf.h"
#include "printing/vistaprevia.h"

#include "archive/escritura.h"
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <QTest>
#include <memory>

namespace {

QString u(const char *t)
{
    return QString::fromUtf8(t);
}

// Bet b of a simple syndicate; bet 1 and bet 8 carry the numbers whose boxes are measured.
Pena penaSencilla(int apuestas)
{
    Pena p = penaDe(QStringLiteral("LOS DEL BAR"), QStringLiteral("Jueves"), QDate(2025, 1, 2));
    p.tipo = static_cast<qint16>(apuestas);
    for (int b = 1; b <= apuestas; ++b)
        for (int i = 1; i <= 6; ++i)
            p.numero(b, i) = static_cast<qint16>((b * 5 + i * 8) % 49 + 1);
    const qint16 primera[6] = {10, 1, 22, 33, 44, 45};
    const qint16 octava[6] = {2, 13, 24, 35, 46, 49};
    for (int i = 0; i < 6; ++i) {
        p.numero(1, i + 1) = primera[i];
        if (apuestas >= 8)
            p.numero(8, i + 1) = octava[i];
    }
    return p;
}

// A page on white paper, as a printer or a viewer shows it.
QImage sobreBlanco(const QImage &imagen)
{
    QImage r(imagen.size(), QImage::Format_RGB32);
    r.fill(Qt::white);
    QPainter(&r).drawImage(0, 0, imagen);
    return r;
}

// Share of the pixels that differ by more than a trace of anti-aliasing.
double diferencia(const QImage &a, const QImage &b)
{
    const int ancho = std::min(a.width(), b.width());
    const int alto = std::min(a.height(), b.height());
    if (std::abs(a.width() - b.width()) > 2 || std::abs(a.height() - b.height()) > 2)
        return 1;
    qint64 distintos = 0;
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))}) > 64)
                ++distintos;
        }
    return double(distintos) / (double(ancho) * alto);
}

} // namespace

class TstImprimir : public QObject {
    Q_OBJECT
    std::unique_ptr<CarpetaPrueba> carpeta;
    EscritorioPrueba *escritorio = nullptr;

    void ponDesplazamientos(float x, float y)
    {
        Ajustes a;
        a.desplazaX = x;
        a.desplazaY = y;
        a.precio = 1;
        a.profundidad = 12;
        a.ponWeb(QStringLiteral("www.ejemplo.es"));
        QCOMPARE(a.escribe(carpeta->archivo(QStringLiteral("nums.ini"))), Escritura::Hecha);
    }
    Ajustes guardados() const { return Ajustes::lee(carpeta->archivo(QStringLiteral("nums.ini"))); }
    QString pdf() const { return carpeta->archivo(QStringLiteral("salida.pdf")); }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        escritorio = EscritorioPrueba::instala();
        escritorio->pdfSalida = pdf();
        ponDesplazamientos(10, 50);
    }
    void cleanup()
    {
        Escritorio::sustituye(nullptr);
        carpeta.reset();
    }

    void ventanaConLosDatosDeLaPena()
    {
        Imprimir v(carpeta->ruta(), penaSencilla(9));
        QCOMPARE(v.objectName(), QStringLiteral("Imprimir"));
        QCOMPARE(v.windowTitle(), QStringLiteral("Imprimir boletos"));
        QCOMPARE(v.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 u("IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA:"));
        QCOMPARE(v.Label2->text(), QStringLiteral("LOS DEL BAR"));
        QCOMPARE(v.Label4->text(), QStringLiteral("9"));
        QCOMPARE(v.Label6->text(), QStringLiteral("2"));
        QCOMPARE(v.Label8->text(), QStringLiteral("Jueves"));
        QCOMPARE(v.findChild<QLineEdit *>(QStringLiteral("Text1_0"))->text(), QStringLiteral("10"));
        QCOMPARE(v.findChild<QLineEdit *>(QStringLiteral("Text1_1"))->text(), QStringLiteral("50"));
        QCOMPARE(v.findChild<QPushButton *>(QStringLiteral("Command2"))->toolTip(),
                 u("Imprime en papel normal una participación compatible con el sistema oficial!"));

        Pena m = penaSencilla(1);
        m.tipo = 506;
        Imprimir multiple(carpeta->ruta(), m);
        QCOMPARE(multiple.Label4->text(), QStringLiteral("1"));
        QCOMPARE(multiple.Label6->text(), QStringLiteral("1"));
    }

    void nueveApuestasEnDosBoletosOficiales()
    {
        Imprimir v(carpeta->ruta(), penaSencilla(9));
        v.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QCOMPARE(v.papelnormal, 0);
        const auto hojas = leePdf(pdf());
        QCOMPARE(hojas.size(), size_t(2));
        QCOMPARE(hojas[0].marcas().size(), size_t(48));
        QCOMPARE(hojas[1].marcas().size(), size_t(6));
        // Number 10 of block 1 on the first row, number 1 on the second, 49 of block 8 last.
        QVERIFY(hojas[0].hayMarca(10 + 3.8, 50));
        QVERIFY(hojas[0].hayMarca(10, 55));
        QVERIFY(hojas[0].hayMarca(10 + 146.1, 50 + 45));
        QVERIFY(!hojas[0].hayMarca(10 + 146.1, 50 + 40));
        // Bet 9 alone on the second slip, in block 1.
        for (const LetraPdf &x : hojas[1].marcas())
            QVERIFY(x.mm.left() < 10 + 18.7);
        // Heading at offset X + 5, offset Y - 7.
        const QRectF cabecera = hojas[0].donde(u("PEÑA LOS DEL BAR (1/2)"));
        QVERIFY(!cabecera.isNull());
        QVERIFY2(std::abs(cabecera.left() - 15) < 0.7 && cabecera.top() - 43 > -0.2 &&
                     cabecera.top() - 43 < 1.6,
                 qPrintable(QStringLiteral("%1 %2").arg(cabecera.left()).arg(cabecera.top())));
        QVERIFY(hojas[0].texto.contains(QStringLiteral("Bolarium v.3.4.995")));
        QVERIFY(!hojas[1].donde(u("PEÑA LOS DEL BAR (2/2)")).isNull());
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void multipleDeOnceConSuMarcaDeTamano()
    {
        Pena p = penaSencilla(1);
        p.tipo = 506;
        for (int i = 1; i <= 11; ++i)
            p.numero(1, i) = static_cast<qint16>(i * 4);
        Imprimir v(carpeta->ruta(), p);
        v.Command1_Click();
        const auto hojas = leePdf(pdf());
        QCOMPARE(hojas.size(), size_t(1));
        QCOMPARE(hojas[0].marcas().size(), size_t(12));
        QVERIFY(hojas[0].hayMarca(10 + 41.2, 50 + 55));
        QVERIFY(hojas[0].hayMarca(10 + 15.2, 50 + 5 * 4)); // number 44
        QVERIFY(hojas[0].hayMarca(10, 50 + 20));           // number 4
    }

    void juegoAdicionalMarcado()
    {
        Imprimir v(carpeta->ruta(), penaSencilla(3));
        v.findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true);
        v.Command1_Click();
        const auto hojas = leePdf(pdf());
        QCOMPARE(hojas.size(), size_t(1));
        QCOMPARE(hojas[0].marcas().size(), size_t(19));
        QVERIFY(hojas[0].hayMarca(10 + 130.9, 50 + 55));
    }

    void diecisieteApuestasEnPapelNormal()
    {
        Pena p = penaSencilla(17);
        p.ponDias(u("Jueves y Sábado"));
        Imprimir v(carpeta->ruta(), p);
        v.findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        QCOMPARE(v.papelnormal, 1);
        const auto hojas = leePdf(pdf());
        QCOMPARE(hojas.size(), size_t(2));
        QCOMPARE(hojas[0].marcas().size(), size_t(96));
        QCOMPARE(hojas[1].marcas().size(), size_t(6));
        // The offsets are for official slips only: the grid starts at 25.8, 45 (+104 below).
        QVERIFY(hojas[0].hayMarca(25.8 + 3.8, 45));
        QVERIFY(hojas[0].hayMarca(25.8 + 146.1, 45 + 45));
        QVERIFY(hojas[0].hayMarca(25.8, 104 + 45 + 25)); // number 5 of bet 9
        const QRectF arriba = hojas[0].donde(u("PEÑA LOS DEL BAR (1/3)"));
        const QRectF abajo = hojas[0].donde(u("PEÑA LOS DEL BAR (2/3)"));
        const QRectF tercera = hojas[1].donde(u("PEÑA LOS DEL BAR (3/3)"));
        QVERIFY(!arriba.isNull() && !abajo.isNull() && !tercera.isNull());
        QVERIFY(std::abs(arriba.left() - 32) < 0.7 && std::abs(arriba.top() - 37.8) < 0.8);
        QVERIFY(std::abs(abajo.top() - arriba.top() - 104) < 0.05);
        QVERIFY(std::abs(tercera.top() - arriba.top()) < 0.05);
        QVERIFY(hojas[0].texto.contains(u("Participación para:")));
        QVERIFY(hojas[0].texto.contains(u("JUEVES Y SÁBADO")));
        QVERIFY(hojas[0].texto.contains(QStringLiteral("BOLARIUM V.3.4.995")));
    }

    void dialogoCanceladoNoImprime()
    {
        escritorio->impresoraAceptada = false;
        Imprimir v(carpeta->ruta(), penaSencilla(9));
        v.Command1_Click();
        v.Command2_Click();
        QVERIFY(!QFile::exists(pdf()));
    }

    // The PDF holds the sheets of the preview's paper, the same pages the printer would get.
    void guardarComoPdf()
    {
        Pena p = penaSencilla(17);
        p.ponDias(u("Jueves y Sábado"));
        Imprimir v(carpeta->ruta(), p);
        v.Option1[1]->setChecked(true);
        QVERIFY(!v.guardaPdf()); // the save dialog is cancelled
        QVERIFY(!QFile::exists(carpeta->archivo(QStringLiteral("boletos.pdf"))));
        escritorio->destinoElegido = carpeta->archivo(QStringLiteral("boletos"));
        v.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
        const auto hojas = leePdf(carpeta->archivo(QStringLiteral("boletos.pdf")));
        QCOMPARE(hojas.size(), size_t(2));
        QCOMPARE(hojas[0].marcas().size(), size_t(96));
        QVERIFY(hojas[0].texto.contains(u("JUEVES Y SÁBADO")));
        QVERIFY(!QFile::exists(pdf())); // nothing went to the printer
    }

    // The desktop's own print dialog is not shown when there is no printer to choose.
    void sinImpresoraLoDice()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has a printer");
        struct SinDialogo : EscritorioPrueba {
            bool eligeImpresora(QPrinter &impresora) override
            {
                return Escritorio::eligeImpresora(impresora);
            }
        };
        auto *e = new SinDialogo;
        Escritorio::sustituye(std::unique_ptr<Escritorio>(e));
        Imprimir v(carpeta->ruta(), penaSencilla(9));
        v.Command1_Click();
        QVERIFY(!QFile::exists(pdf()));
        QCOMPARE(e->mensajes.size(), qsizetype(1));
        QVERIFY(e->mensajes[0].texto.startsWith(u("No hay ninguna impresora instalada.")));
        QVERIFY(e->mensajes[0].texto.contains(u("«Guardar como PDF»")));
    }

    void hojaDeAjusteEnUnaPagina()
    {
        Imprimir v(carpeta->ruta(), penaSencilla(2));
        v.findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        const auto hojas = leePdf(pdf());
        QCOMPARE(hojas.size(), size_t(1));
        // The heading names the offsets ("X = 10 mm"): count the marks under it.
        const auto marcas = hojas[0].marcas();
        QCOMPARE(std::count_if(marcas.begin(), marcas.end(),
                               [](const LetraPdf &l) { return l.mm.top() > 48; }),
                 long(8 * 49 + 7));
        QVERIFY(hojas[0].texto.contains(QStringLiteral("PRUEBA DE AJUSTE")));
        QVERIFY(hojas[0].hayMarca(10, 55));
        QVERIFY(hojas[0].hayMarca(10 + 146.1, 95));
        QVERIFY(hojas[0].hayMarca(10 + 41.2, 105));
    }

    void cajasDeDesplazamiento()
    {
        Imprimir v(carpeta->ruta(), penaSencilla(9));
        QSignalSpy cambios(&v, &Imprimir::ajustesCambiados);
        QLineEdit *x = v.findChild<QLineEdit *>(QStringLiteral("Text1_0"));
        QLineEdit *y = v.findChild<QLineEdit *>(QStringLiteral("Text1_1"));
        const QByteArray antes = carpeta->lee(QStringLiteral("nums.ini"));

        x->setText(QStringLiteral("abc"));
        QCOMPARE(x->text(), QStringLiteral("10"));
        QCOMPARE(y->text(), QStringLiteral("50"));
        QCOMPARE(carpeta->lee(QStringLiteral("nums.ini")), antes);

        x->clear();
        QCOMPARE(x->text(), QString());
        QCOMPARE(guardados().desplazaX, 10.0f);
        QVERIFY(escritorio->mensajes.isEmpty());
        QFocusEvent otraVentana(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(x, &otraVentana);
        QVERIFY(escritorio->mensajes.isEmpty());
        QFocusEvent otraCaja(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(x, &otraCaja);
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].texto,
                 u("Te has dejado una coordenada en blanco. Introduce un número válido."));
        QCOMPARE(escritorio->mensajes[0].titulo, QStringLiteral("EHEHEHH"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Critico);

        QTest::keyClicks(x, QStringLiteral("12,5"));
        QCOMPARE(guardados().desplazaX, 12.5f);
        y->setText(QStringLiteral("-3"));
        const Ajustes a = guardados();
        QCOMPARE(a.desplazaY, -3.0f);
        QCOMPARE(a.precio, 1.0f); // the rest of the record is kept
        QCOMPARE(a.profundidad, qint16(12));
        QCOMPARE(a.webTexto(), QStringLiteral("www.ejemplo.es"));
        QVERIFY(cambios.size() >= 2);
        v.Text1_LostFocus(1);
        QCOMPARE(escritorio->mensajes.size(), 1);

        // The next print and the preview use the new offsets.
        QCOMPARE(v.vista->paginas().front().textos.front().en.x, 17.5);
        v.Command1_Click();
        QVERIFY(leePdf(pdf()).front().hayMarca(12.5 + 3.8, -3));
    }

    void vistaPreviaDeLasHojas()
    {
        Imprimir v(carpeta->ruta(), penaSencilla(17));
        QCOMPARE(v.vista->cuenta(), 3);
        QCOMPARE(v.hojaVista->text(), QStringLiteral("Hoja 1 de 3"));
        QVERIFY(!v.anterior->isEnabled());
        v.siguiente->click();
        v.siguiente->click();
        QCOMPARE(v.hojaVista->text(), QStringLiteral("Hoja 3 de 3"));
        QVERIFY(!v.siguiente->isEnabled());
        v.findChild<QRadioButton *>(QStringLiteral("Option1_1"))->setChecked(true);
        QCOMPARE(v.vista->cuenta(), 2);
        QCOMPARE(v.hojaVista->text(), QStringLiteral("Hoja 2 de 2"));
        v.Check1->setChecked(true);
        QCOMPARE(v.vista->paginas()[0].marcas.size(), size_t(96 + 2));
        v.resize(800, 600);
        const QImage imagen = v.vista->grab().toImage();
        QVERIFY(!imagen.isNull());
        // Nothing printed while previewing.
        QVERIFY(!QFile::exists(pdf()));
    }

    // A participation comes out of the printer as the preview shows it: the grid with the
    // numbers of its boxes, the marks and the texts, all but the edges of letters alike.
    void participacionImpresaComoEnLaVistaPrevia()
    {
        Pena p = penaSencilla(17);
        p.ponDias(u("Jueves y Sábado"));
        Imprimir v(carpeta->ruta(), p);
        v.Option1[1]->setChecked(true);
        v.Command2->click();
        QPdfDocument documento;
        QCOMPARE(documento.load(pdf()), QPdfDocument::Error::None);
        QCOMPARE(documento.pageCount(), v.vista->cuenta());

        constexpr int kPorMm = 8;
        const QSize hoja(int(VistaPrevia::kAnchoHoja) * kPorMm,
                         int(VistaPrevia::kAltoHoja) * kPorMm);
        // The window's sheets in a preview of a known size; it keeps 6 pixels around the sheet.
        VistaPrevia previa;
        previa.ponPaginas(v.vista->paginas());
        previa.resize(hoja + QSize(12, 12));
        for (int i = 0; i < documento.pageCount(); ++i) {
            const QSizeF puntos = documento.pagePointSize(i);
            QVERIFY(std::abs(puntos.width() * 25.4 / 72 - VistaPrevia::kAnchoHoja) < 0.5);
            QVERIFY(std::abs(puntos.height() * 25.4 / 72 - VistaPrevia::kAltoHoja) < 0.5);
            previa.ponActual(i);
            const QImage enPantalla =
                sobreBlanco(previa.grab().toImage().copy(QRect(QPoint(6, 6), hoja)));
            // An A4 PDF page is a whole number of points, a hair narrower than 210 mm.
            const QImage enPapel = sobreBlanco(
                documento.render(i, QSize(qRound(puntos.width() * 25.4 / 72 * kPorMm),
                                          qRound(puntos.height() * 25.4 / 72 * kPorMm))));
            const double distintos = diferencia(enPantalla, enPapel);
            QVERIFY2(distintos < 0.01,
                     qPrintable(QString::number(distintos * 100) + QStringLiteral(" %")));
        }
        // Every box of both participations carries its number.
        QVERIFY(documento.getAllText(0).text().count(QStringLiteral("49")) >= 2 * 8);
    }

    void registroSinApuestasNoImprime()
    {
        Pena p = penaSencilla(1);
        p.tipo = 0;
        Imprimir v(carpeta->ruta(), p);
        QCOMPARE(v.Label6->text(), QStringLiteral("0"));
        QVERIFY(!v.Command1->isEnabled());
        v.Command1_Click();
        QVERIFY(!QFile::exists(pdf()));
        QCOMPARE(v.hojaVista->text(), QStringLiteral("Nada que imprimir"));
    }

    void configuracion()
    {
        Configurar v(carpeta->ruta());
        QCOMPARE(v.objectName(), QStringLiteral("Configurar"));
        QCOMPARE(v.windowTitle(), QStringLiteral("Configurar"));
        QCOMPARE(v.Text1->text(), QStringLiteral("1"));
        QCOMPARE(v.Text2->text(), QStringLiteral("12"));
        QSignalSpy cambios(&v, &Configurar::ajustesCambiados);

        v.Text1->setText(QStringLiteral("abc"));
        QCOMPARE(v.Text1->text(), QStringLiteral("1"));
        v.Text1->clear();
        QCOMPARE(guardados().precio, 1.0f);
        QTest::keyClicks(v.Text1, QStringLiteral("0,75"));
        QCOMPARE(guardados().precio, 0.75f);

        v.Text2->setText(QStringLiteral("abc"));
        QCOMPARE(v.Text2->text(), QStringLiteral("12"));
        QCOMPARE(guardados().profundidad, qint16(12));
        v.Text2->setText(QStringLiteral("1"));
        QCOMPARE(v.Text2->text(), QStringLiteral("1"));
        QCOMPARE(guardados().profundidad, qint16(2));
        emit v.Text2->editingFinished(); // the typing is over: the box shows what was stored
        QCOMPARE(v.Text2->text(), QStringLiteral("2"));
        v.Text2->setText(QStringLiteral("40"));
        QCOMPARE(guardados().profundidad, qint16(40));
        v.Text2->setText(QStringLiteral("99999"));
        QCOMPARE(v.Text2->text(), QStringLiteral("40"));
        v.Text2->clear();
        QCOMPARE(guardados().profundidad, qint16(40));
        QCOMPARE(cambios.last().first().value<Ajustes>().profundidad, qint16(40));

        const Ajustes a = guardados();
        QCOMPARE(a.desplazaX, 10.0f); // the other fields are kept
        QCOMPARE(a.webTexto(), QStringLiteral("www.ejemplo.es"));

        // A stored depth below 2 is raised by an empty box.
        Ajustes bajo = a;
        bajo.profundidad = 0;
        bajo.escribe(carpeta->archivo(QStringLiteral("nums.ini")));
        Configurar otra(carpeta->ruta());
        otra.Text2->clear();
        QCOMPARE(guardados().profundidad, qint16(2));

        v.show();
        v.Command1->click();
        QVERIFY(!v.isVisible());
    }

    void configuracionSinPermisoLoDiceUnaVez()
    {
        Configurar v(carpeta->ruta());
        const QByteArray antes = carpeta->lee(QStringLiteral("nums.ini"));
        archivos::fuerzaFallo(Escritura::SinPermiso);
        QTest::keyClicks(v.Text1, QStringLiteral("25"));
        archivos::fuerzaFallo(Escritura::Hecha);
        int avisos = 0;
        for (const auto &m : escritorio->mensajes)
            avisos += m.titulo == QStringLiteral("Error de permiso");
        QCOMPARE(avisos, 1);
        QCOMPARE(carpeta->lee(QStringLiteral("nums.ini")), antes);
    }

    // A price far from a slip's (150 € typed for 1,50) is asked about when the box is left:
    // "No" brings back the price before it, "Sí" keeps it and is not asked again.
    void unPrecioRaroSePregunta()
    {
        Configurar v(carpeta->ruta());
        v.Text1->clear();
        QTest::keyClicks(v.Text1, QStringLiteral("150"));
        QCOMPARE(guardados().precio, 150.0f);
        escritorio->respuestas = {false};
        emit v.Text1->editingFinished();
        QCOMPARE(escritorio->textos(),
                 QStringList{u("Un precio de 150 € por apuesta es poco habitual (una apuesta de "
                               "La Primitiva cuesta 1 €). ¿Es correcto?")});
        QCOMPARE(guardados().precio, 1.0f);
        QCOMPARE(v.Text1->text(), QStringLiteral("1"));

        v.Text1->setText(QStringLiteral("12"));
        escritorio->respuestas = {true};
        emit v.Text1->editingFinished();
        emit v.Text1->editingFinished();
        QCOMPARE(escritorio->mensajes.size(), 2);
        QCOMPARE(guardados().precio, 12.0f);
    }

    // A price of 0 is refused once the typing is over, with the reason, and the stored price
    // stays. A record of earlier versions with a price and a depth of 0 shows 1 € and 2
    // months, and is not written just for being shown.
    void configuracionRechazaPrecioCero()
    {
        Configurar v(carpeta->ruta());
        v.Text1->clear();
        QTest::keyClicks(v.Text1, QStringLiteral("0,"));
        QCOMPARE(guardados().precio, 1.0f);
        QTest::keyClicks(v.Text1, QStringLiteral("5"));
        QCOMPARE(guardados().precio, 0.5f);
        QVERIFY(escritorio->mensajes.isEmpty());

        v.Text1->setText(QStringLiteral("0"));
        QCOMPARE(guardados().precio, 0.5f);
        emit v.Text1->editingFinished();
        QCOMPARE(v.Text1->text(), QStringLiteral("0,5"));
        QCOMPARE(escritorio->textos(), QStringList{u("El precio por apuesta no puede ser 0: "
                                                     "nadie juega gratis. Se mantiene el precio "
                                                     "de 0,5 €.")});
        QCOMPARE(escritorio->mensajes[0].titulo, u("Precio no válido"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Exclamacion);
        emit v.Text1->editingFinished(); // leaving the box again finds nothing to refuse
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(guardados().precio, 0.5f);

        Ajustes cero = guardados();
        cero.precio = 0;
        cero.profundidad = 0;
        const QByteArray antiguo = cero.aBytes();
        carpeta->escribe(QStringLiteral("nums.ini"), antiguo);
        Configurar otra(carpeta->ruta());
        QCOMPARE(otra.Text1->text(), QStringLiteral("1"));
        QCOMPARE(otra.Text2->text(), QStringLiteral("2"));
        QCOMPARE(carpeta->lee(QStringLiteral("nums.ini")), antiguo);
    }
};

QTEST_MAIN(TstImprimir)
#include "tst_imprimir.moc"
