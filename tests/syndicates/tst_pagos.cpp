// The members' payments, times and balances in the window "Socios", and their statements.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "printing/lectorpdf.h"
#include "session/sesion.h"
#include "syndicates/ventanasocios.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kJueves(2026, 1, 8);
const QDate kJueves2(2026, 1, 15);

Sorteo sorteo(const QDate &dia, std::array<int, 6> numeros)
{
    Sorteo s;
    for (size_t i = 0; i < 6; ++i)
        s.numeros[i] = static_cast<qint16>(numeros[i]);
    s.complementario = 7;
    s.reintegro = 3;
    s.fecha = fechas::serial(dia);
    return s;
}

QStringList fila(const QAbstractItemModel *m, int r)
{
    QStringList t;
    for (int c = 0; c < m->columnCount(); ++c)
        t << m->index(r, c).data().toString();
    return t;
}

QString textoPdf(const QString &ruta)
{
    QString t;
    for (const PaginaPdf &p : leePdf(ruta))
        t += p.texto + QLatin1Char('\n');
    return t;
}
} // namespace

class TstPagos : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init()
    {
        escritorio = EscritorioPrueba::instala(QDate(2026, 1, 20));
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    }
    void cleanup() { Escritorio::sustituye(nullptr); }

    // UNO, made on the first Thursday, plays two Thursdays at 5 € a bet: the first wins a 5ª of
    // 8,00 €, the second nothing. Ana and Luis hold a share each.
    void pagosFechasYExtractos()
    {
        CarpetaPrueba c;
        const Pena uno = penaDe(u("UNO"), u("Jueves"), kJueves);
        c.escribePenas({uno});
        c.escribeSorteos({sorteo(kJueves, {1, 2, 3, 30, 31, 32}), // 3 hits
                          sorteo(kJueves2, {10, 11, 12, 30, 31, 32})});
        ImportesSorteo importes;
        importes.fecha = fechas::serial(kJueves);
        importes.centimos = {-1, -1, -1, -1, -1, 800};
        c.escribe(QStringLiteral("premios.dat"), ArchivoImportes::serializa({importes}));
        Sesion s(c.ruta(), [] { return QDateTime(QDate(2026, 1, 20), QTime(12, 0)); });
        s.abreArchivos();
        s.leeajustes();
        Ajustes a = s.ajustes();
        a.precio = 5.0f;
        s.ponAjustes(a);
        SociosPena socios = SociosPena::de(uno);
        socios.socios = {{u("Ana"), 1}, {u("Luis"), 1}};
        QCOMPARE(s.guardaSocios(socios), Escritura::Hecha);

        Socios v(s, uno);
        v.show();
        auto *lista = control<QTreeView>(v, "listaSocios");
        auto *pagos = control<QTreeView>(v, "ListViewPagos");
        auto *fecha = control<QDateEdit>(v, "fechaPago");
        auto *importe = control<QLineEdit>(v, "importePago");
        auto *nota = control<QLineEdit>(v, "notaPago");
        auto *anadir = control<QPushButton>(v, "anadirPago");
        auto *desde = control<QDateEdit>(v, "socioDesde");
        auto *hasta = control<QDateEdit>(v, "socioHasta");
        auto *sigue = control<QCheckBox>(v, "socioSigue");
        auto *guardarSocio = control<QPushButton>(v, "anadirSocio");
        const auto enArchivo = [&] { return *s.archivoCuentas().busca(uno); };

        // Nobody paid yet: each owes half of the stakes less half of the prize.
        QCOMPARE(fila(lista->model(), 1), (QStringList{u("Luis"), u("1"), u("Debe 1,00 €")}));
        QCOMPARE(qobject_cast<QStandardItemModel *>(lista->model())->item(1, 2)->foreground(),
                 QBrush(QColor(255, 0, 0)));

        // A member with no time recorded is in from the syndicate's first day, and stays.
        v.listaSocios_Click(0);
        QCOMPARE(desde->date(), kJueves);
        QVERIFY(sigue->isChecked());
        QCOMPARE(control<QPushButton>(v, "extractoSocio")->text(), u("Extracto de Ana"));

        // Amounts with comma or point; what is not an amount in euros is refused and named.
        for (const char *malo : {"1.250", "12,505", "0", "doce"}) {
            escritorio->mensajes.clear();
            importe->setText(u(malo));
            QTest::mouseClick(anadir, Qt::LeftButton);
            QCOMPARE(escritorio->mensajes.size(), 1);
        }
        QVERIFY(!s.archivoCuentas().busca(uno));
        fecha->setDate(QDate(2026, 1, 5));
        importe->setText(u("12,5"));
        nota->setText(u("Cuota de enero"));
        QTest::mouseClick(anadir, Qt::LeftButton);
        fecha->setDate(QDate(2026, 1, 12));
        importe->setText(u("3.05 €"));
        QTest::mouseClick(anadir, Qt::LeftButton);
        QCOMPARE(pagos->model()->rowCount(), 2);
        QCOMPARE(fila(pagos->model(), 0),
                 (QStringList{u("05/01/2026"), u("12,50 €"), u("Cuota de enero")}));
        QCOMPARE(enArchivo().pagos,
                 (std::vector<Pago>{
                     {u("Ana"), fechas::serial(QDate(2026, 1, 5)), 1250, u("Cuota de enero")},
                     {u("Ana"), fechas::serial(QDate(2026, 1, 12)), 305, {}}}));

        // A payment picked is edited in place; deleting one asks, and "No" keeps it.
        pagos->setCurrentIndex(pagos->model()->index(0, 0));
        QCOMPARE(importe->text(), u("12,50"));
        QCOMPARE(anadir->text(), u("Guardar pago"));
        importe->setText(u("10"));
        QTest::mouseClick(anadir, Qt::LeftButton);
        QCOMPARE(enArchivo().pagos.size(), size_t(2));
        QCOMPARE(enArchivo().pagos[0].centimos, qint64(1000));
        QCOMPARE(enArchivo().pagos[0].nota, u("Cuota de enero"));
        QCOMPARE(anadir->text(), u("Añadir pago"));
        pagos->setCurrentIndex(pagos->model()->index(1, 0));
        escritorio->mensajes.clear();
        escritorio->respuestas = {false};
        QTest::mouseClick(control<QPushButton>(v, "borrarPago"), Qt::LeftButton);
        QVERIFY(escritorio->mensajes.value(0).peligrosa);
        QCOMPARE(enArchivo().pagos.size(), size_t(2));
        QTest::mouseClick(control<QPushButton>(v, "borrarPago"), Qt::LeftButton);
        QCOMPARE(enArchivo().pagos.size(), size_t(1));
        QCOMPARE(pagos->model()->rowCount(), 1);
        QCOMPARE(fila(lista->model(), 0).value(2), u("A favor 9,00 €"));

        // A negative amount is money handed to the member: it takes from their balance.
        importe->setText(u("-1,50"));
        QTest::mouseClick(anadir, Qt::LeftButton);
        QCOMPARE(enArchivo().pagos.back().centimos, qint64(-150));
        QCOMPARE(fila(lista->model(), 0).value(2), u("A favor 7,50 €"));
        for (int f = 0; f < pagos->model()->rowCount(); ++f)
            if (fila(pagos->model(), f).value(1) == ganancias::textoEuros(-150))
                pagos->setCurrentIndex(pagos->model()->index(f, 0));
        QTest::mouseClick(control<QPushButton>(v, "borrarPago"), Qt::LeftButton);
        QCOMPARE(enArchivo().pagos.size(), size_t(1));

        // Luis joined after the first draw: Ana alone paid its stake and won its prize.
        v.listaSocios_Click(1);
        QCOMPARE(pagos->model()->rowCount(), 0);
        desde->setDate(QDate(2026, 1, 10));
        // Leaving before joining is refused, and nothing is written.
        hasta->setDate(QDate(2026, 1, 9));
        QVERIFY(!sigue->isChecked());
        escritorio->mensajes.clear();
        QTest::mouseClick(guardarSocio, Qt::LeftButton);
        QVERIFY(escritorio->textos().value(0).contains(u("anterior")));
        QVERIFY(enArchivo().permanencias.empty());
        sigue->setChecked(true);
        QTest::mouseClick(guardarSocio, Qt::LeftButton);
        QCOMPARE(enArchivo().permanencias,
                 (std::vector<Permanencia>{{u("Luis"), fechas::serial(QDate(2026, 1, 10)), 0}}));
        QCOMPARE(fila(lista->model(), 0).value(2), u("A favor 10,50 €"));
        QCOMPARE(fila(lista->model(), 1).value(2), u("Debe 2,50 €"));
        v.listaSocios_Click(0);
        QCOMPARE(desde->date(), kJueves);
        v.listaSocios_Click(1);
        QCOMPARE(desde->date(), QDate(2026, 1, 10));
        QVERIFY(sigue->isChecked());
        QCOMPARE(hasta->text(), u("sin baja"));
        hasta->setDate(QDate(2026, 1, 31));
        QTest::mouseClick(guardarSocio, Qt::LeftButton);
        QCOMPARE(enArchivo().permanencias.size(), size_t(1));
        QCOMPARE(enArchivo().permanencias[0].hasta, fechas::serial(QDate(2026, 1, 31)));

        // Where the prizes go is kept at once.
        control<QComboBox>(v, "destinoPremios")->setCurrentIndex(1);
        QCOMPARE(enArchivo().destino, Destino::Bote);

        // Ana's statement, as PDF through the save dialog: her lines and her final balance.
        QTemporaryDir salida;
        escritorio->destinoElegido = salida.filePath(QStringLiteral("ana"));
        v.listaSocios_Click(0);
        QTest::mouseClick(control<QPushButton>(v, "extractoSocio"), Qt::LeftButton);
        const QString ana = textoPdf(escritorio->destinoElegido + QStringLiteral(".pdf"));
        for (const char *t :
             {"Extracto de Ana", "UNO", "Concepto", "Saldo", "05/01/2026", "08/01/2026",
              "15/01/2026", "10,00 €", "Saldo final: A favor 10,50 €"})
            QVERIFY2(ana.contains(u(t)), t);
        escritorio->destinoElegido = salida.filePath(QStringLiteral("uno.pdf"));
        QTest::mouseClick(control<QPushButton>(v, "extractoPena"), Qt::LeftButton);
        QVERIFY(textoPdf(escritorio->destinoElegido).contains(u("Bote de la peña")));

        // A rename keeps the payments; removing a member who paid asks first.
        control<QLineEdit>(v, "nombreSocio")->setText(u("Ana María"));
        QTest::mouseClick(control<QPushButton>(v, "renombrarSocio"), Qt::LeftButton);
        QCOMPARE(v.actuales().socios[0].nombre, u("Ana María"));
        QCOMPARE(enArchivo().pagos[0].socio, u("Ana María"));
        QCOMPARE(pagos->model()->rowCount(), 1);
        escritorio->mensajes.clear();
        escritorio->respuestas = {false};
        QTest::mouseClick(control<QPushButton>(v, "quitarSocio"), Qt::LeftButton);
        QVERIFY(escritorio->mensajes.value(0).peligrosa);
        QCOMPARE(v.actuales().socios.size(), size_t(2));
    }
};

QTEST_MAIN(TstPagos)
#include "tst_pagos.moc"
