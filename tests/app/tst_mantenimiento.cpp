#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/mantenimiento.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

namespace {
const QDate kHoy(2026, 2, 5);

std::vector<Sorteo> tresSorteos()
{
    return {sorteoDe(QDate(2026, 1, 22), 1), sorteoDe(QDate(2026, 1, 24), 2),
            sorteoDe(QDate(2026, 1, 29), 3)};
}

// Stands in for the statistics list: one row per draw, newest first.
void llenaLista(Principal &p)
{
    auto *modelo = new QStandardItemModel(&p);
    for (int i = p.sesion().sorteos().cuenta(); i >= 1; --i)
        modelo->appendRow(new QStandardItem(QString::number(i)));
    control<QTreeView>(p, "ListView3")->setModel(modelo);
}
} // namespace

class TstMantenimiento : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

private slots:
    void init() { escritorio = EscritorioPrueba::instala(kHoy); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    void importarDosVecesGuardaLaCopiaAnterior()
    {
        CarpetaPrueba c;
        const auto previos = tresSorteos();
        c.escribeSorteos(previos);
        const std::vector<Sorteo> primero = {sorteoDe(QDate(2025, 1, 2), 4)};
        const std::vector<Sorteo> segundo = {sorteoDe(QDate(2025, 1, 4), 5),
                                             sorteoDe(QDate(2025, 1, 9), 6)};
        c.escribe(QStringLiteral("uno.dat"), ArchivoSorteos::serializa(primero));
        c.escribe(QStringLiteral("dos.dat"), ArchivoSorteos::serializa(segundo));
        Principal p(c.ruta());

        escritorio->archivoElegido = c.archivo(QStringLiteral("uno.dat"));
        gestor(p).Command8_Click();
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("Archivo de sorteos importado con éxito"));
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Todos los sorteos"));
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), ArchivoSorteos::serializa(previos));
        QCOMPARE(p.sesion().proximosorteo(), 2);

        escritorio->archivoElegido = c.archivo(QStringLiteral("dos.dat"));
        gestor(p).Command8_Click();
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), ArchivoSorteos::serializa(primero));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), ArchivoSorteos::serializa(segundo));
        QCOMPARE(p.sesion().proximosorteo(), 3);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));
    }

    void importarConBasuraDetrasLaOmiteYLoDice()
    {
        CarpetaPrueba c;
        QByteArray candidato = sorteoDe(QDate(2026, 1, 1)).aBytes() + QByteArray(64, '\xff') +
                               sorteoDe(QDate(2026, 1, 3)).aBytes() + QByteArray(5, 'x');
        c.escribe(QStringLiteral("otro.dat"), candidato);
        const Importacion r =
            mantenimiento::importa(c.ruta(), c.archivo(QStringLiteral("otro.dat")));
        QCOMPARE(r.estado, Importacion::Estado::Importado);
        QCOMPARE(r.importados, 2);
        QCOMPARE(r.omitidos, 3);

        Principal p(c.ruta());
        escritorio->archivoElegido = c.archivo(QStringLiteral("otro.dat"));
        gestor(p).Command8_Click();
        QVERIFY(escritorio->mensajes.last().texto.contains(QStringLiteral("omitido 3")));
        QCOMPARE(p.sesion().proximosorteo(), 3);
    }

    void importarUnArchivoQueNoEsDeSorteos()
    {
        CarpetaPrueba c;
        c.escribeSorteos(tresSorteos());
        c.escribe(QStringLiteral("viernes.dat"), sorteoDe(QDate(2026, 1, 2)).aBytes());
        Principal p(c.ruta());
        escritorio->archivoElegido = c.archivo(QStringLiteral("viernes.dat"));
        gestor(p).Command8_Click();
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("Fichero de sorteos no válido. Compruebe que el archivo "
                                   "NUMEROS.DAT sea para Bolarium."));
        QCOMPARE(escritorio->mensajes.last().titulo, QString::fromUtf8("¡Vaya hombre!"));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), ArchivoSorteos::serializa(tresSorteos()));
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.bak"))));
    }

    void cancelarElDialogoOfreceLaTienda()
    {
        CarpetaPrueba c;
        Principal p(c.ruta());
        escritorio->archivoElegido.clear();
        escritorio->respuestas = {false, true};
        gestor(p).Command8_Click();
        QVERIFY(escritorio->mensajes.last().pregunta);
        QVERIFY(escritorio->direcciones.isEmpty());
        gestor(p).Command8_Click();
        QCOMPARE(escritorio->direcciones.size(), 1);
        QVERIFY(escritorio->direcciones[0].toString().startsWith(QStringLiteral("http://")));
        QVERIFY(
            escritorio->direcciones[0].toString().endsWith(QStringLiteral("/tienda.html#Sorteos")));
    }

    void borrarFilasSoloTrasBorrarTodos()
    {
        CarpetaPrueba c;
        c.escribeSorteos(tresSorteos());
        Principal p(c.ruta());
        llenaLista(p);
        estadisticas(p).ListView3_ItemClick(1);
        QVERIFY(escritorio->mensajes.isEmpty());
        QCOMPARE(p.sesion().proximosorteo(), 4);

        // "Borrar todos los sorteos" answered No twice enables single deletion.
        escritorio->respuestas = {false, false};
        gestor(p).Command5_Click();
        QCOMPARE(p.sesion().borradoactivo(), 1);
        QCOMPARE(p.sesion().proximosorteo(), 4);

        const auto s = tresSorteos();
        escritorio->respuestas = {true};
        estadisticas(p).ListView3_ItemClick(1); // the newest
        QCOMPARE(escritorio->mensajes.last().texto,
                 QString::fromUtf8("¿Seguro que quieres eliminar el sorteo del ") +
                     fechas::textoLargo(s[2].fecha) + QStringLiteral("?"));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), s[0].aBytes() + s[1].aBytes());
        // The list, "TOTAL" and the description come from one pass after the deletion.
        QCOMPARE(control<QLabel>(p, "Label7")->text(), QStringLiteral("TOTAL: 2 sorteos."));
        QVERIFY(
            control<QLabel>(p, "Label21")->text().contains(QStringLiteral("en total, 2 sorteos")));
        QCOMPARE(p.sesion().estadistica().total, 2);
        llenaLista(p);
        estadisticas(p).ListView3_ItemClick(2); // the oldest
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), s[1].aBytes());
        llenaLista(p);
        estadisticas(p).ListView3_ItemClick(1); // the only one
        QCOMPARE(QFileInfo(c.archivo(QStringLiteral("numeros.dat"))).size(), qint64(0));
        QCOMPARE(p.sesion().recuento().ultimoTexto, QString::fromUtf8("Fichero de datos vacío."));
    }

    void borrarTodoYResetearPenas()
    {
        CarpetaPrueba c;
        c.escribeSorteos(tresSorteos());
        Pena pena = penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), QDate(2025, 1, 1));
        pena.premios = {1, 1, 1, 1, 1};
        pena.contado = 46000;
        c.escribePenas({pena, pena});
        Principal p(c.ruta());
        escritorio->respuestas = {true, true};
        gestor(p).Command5_Click();
        QCOMPARE(QFileInfo(c.archivo(QStringLiteral("numeros.dat"))).size(), qint64(0));
        QCOMPARE(p.sesion().proximosorteo(), 1);
        for (const Pena &q : p.sesion().penas().penas()) {
            QCOMPARE(q.premios, (std::array<qint16, 5>{}));
            QCOMPARE(q.creacion, fechas::serial(kHoy));
            QCOMPARE(q.contado, 0.0);
        }
        QCOMPARE(control<QScrollBar>(p, "HScroll1")->value(), 1);
    }

    void carpetaDeSoloLectura()
    {
        CarpetaPrueba c;
        c.escribeSorteos(tresSorteos());
        c.escribe(QStringLiteral("nuevo.dat"), sorteoDe(QDate(2026, 1, 1)).aBytes());
        const std::vector<Pena> penas = {
            penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), QDate(2025, 1, 1))};
        c.escribePenas(penas);
        Principal p(c.ruta());
        // Start-up checks the newest draw and stores its counted-up-to date: that is the file
        // the refused commands must leave alone.
        const QByteArray penasAlEmpezar = c.lee(QStringLiteral("apuestas.dat"));
        archivos::fuerzaFallo(Escritura::SinPermiso);
        escritorio->archivoElegido = c.archivo(QStringLiteral("nuevo.dat"));
        gestor(p).Command8_Click();
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Error de permiso"));
        escritorio->respuestas = {true, true};
        gestor(p).Command5_Click();
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Error de permiso"));
        escritorio->respuestas = {false, true};
        gestor(p).Command5_Click();
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Error de permiso"));
        p.sesion().ponPenasel(1);
        gestor(p).Command3_Click();
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Error de permiso"));
        archivos::fuerzaFallo(Escritura::Hecha);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), ArchivoSorteos::serializa(tresSorteos()));
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), penasAlEmpezar);
        QCOMPARE(p.sesion().proximosorteo(), 4);
        QCOMPARE(p.sesion().penas().proximapena(), 2);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.bak"))));
    }
};

QTEST_MAIN(TstMantenimiento)
#include "tst_mantenimiento.moc"
