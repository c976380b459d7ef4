// Archive maintenance by hand: import a complete archive, delete every draw, delete one draw.
#include "app/avisos.h"
#include "app/imagen.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "archive/mantenimiento.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

// Run-time error numbers the users of the program know from its messages.
constexpr int kErrorAcceso = 75;
constexpr int kErrorDispositivo = 57;

const char *const kNoValido = "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT "
                              "sea para Bolarium.";
} // namespace

void Principal::conectaMantenimiento()
{
    connect(Command8, &QPushButton::clicked, this, &Principal::Command8_Click);
    connect(Command5, &QPushButton::clicked, this, &Principal::Command5_Click);
    connect(Image1[4], &Imagen::clicked, this, &Principal::Command8_Click);
    connect(Image1[2], &Imagen::clicked, this, [this] {
        if (Command5->isEnabled())
            Command5_Click();
    });
    if (auto *borrpe = findChild<QAction *>(QStringLiteral("borrpe")))
        connect(borrpe, &QAction::triggered, this, &Principal::Command5_Click);
    if (auto *a = findChild<QAction *>(QStringLiteral("instrucciones")))
        connect(a, &QAction::triggered, this, [this] {
            abreWebAutor(QStringLiteral("/descargas/Instrucciones%20Bolarium%203.2.pdf"));
        });
    if (auto *a = findChild<QAction *>(QStringLiteral("web")))
        connect(a, &QAction::triggered, this, [this] { abreWebAutor(QString()); });
    connect(ListView3, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { ListView3_ItemClick(i.row() + 1); });
}

void Principal::abreWebAutor(const QString &camino)
{
    Escritorio::actual().abreDireccion(
        QUrl(QStringLiteral("http://") + ajustes().webTexto() + camino, QUrl::TolerantMode));
}

void Principal::Command8_Click()
{
    Escritorio &e = Escritorio::actual();
    const QString elegido = e.eligeArchivo(QDir::rootPath(), u("Seleccione el archivo NUMEROS.DAT"),
                                           u("Archivos de sorteos (numeros.dat)"));
    if (elegido.isEmpty()) {
        if (e.pregunta(u("No se ha seleccionado ningún archivo. Recuerde que puede disponer de "
                         "TODOS LOS SORTEOS DESDE LA CREACIÓN DE LA PRIMITIVA, obteniéndolo desde "
                         "nuestra tienda virtual. ¿Quiere ir?"),
                       u("Bolarium"), Escritorio::Icono::Pregunta))
            abreWebAutor(QStringLiteral("/tienda.html#Sorteos"));
        return;
    }
    const Importacion r = mantenimiento::importa(carpeta(), elegido);
    switch (r.estado) {
    case Importacion::Estado::Rechazado:
        e.aviso(u(kNoValido), u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
        return;
    case Importacion::Estado::SinPermiso:
        avisopermiso();
        return;
    case Importacion::Estado::NoEscrito:
        avisoescritura(QStringLiteral("numeros.dat"));
        return;
    case Importacion::Estado::Fallo:
        e.aviso(u(kNoValido) + u(" Error %1").arg(kErrorDispositivo), u("¡Vaya hombre!"),
                Escritorio::Icono::Exclamacion);
        return;
    case Importacion::Estado::Importado:
        break;
    }
    sorteos().reabre();
    QString texto = u("Archivo de sorteos importado con éxito");
    if (r.omitidos > 0)
        texto += u(". Se han omitido %1 registros que no eran sorteos válidos.").arg(r.omitidos);
    e.aviso(texto, u("Todos los sorteos"), Escritorio::Icono::Informacion);
    recuenta();
    refresca();
}

void Principal::Command5_Click()
{
    Escritorio &e = Escritorio::actual();
    borradoactivo = 1;
    if (e.pregunta(u("¿Seguro que quieres borrar todos los sorteos?"), u("Borrar..."),
                   Escritorio::Icono::Pregunta)) {
        if (!escrito(sorteos().reescribe({}), QStringLiteral("numeros.dat")))
            return;
        recuenta();
        refresca();
    }
    if (e.pregunta(u("¿Quiere borrar también los aciertos de las peñas?. Si ha borrado los "
                     "sorteos, se aconseja que se resetee también los resultados de las peñas y "
                     "la fecha de creación pasará a ser la de hoy."),
                   u("Borrar..."), Escritorio::Icono::Pregunta)) {
        if (!escrito(penas().reseteaContadores(fechas::serial(hoy())),
                     QStringLiteral("apuestas.dat")))
            return;
        HScroll1->setValue(1);
        if (ListView4->model())
            ListView4->model()->removeRows(0, ListView4->model()->rowCount());
        recuenta();
    }
}

void Principal::ListView3_ItemClick(int fila)
{
    if (borradoactivo != 1 || !ListView3->model())
        return;
    if (!Escritorio::actual().pregunta(u("¿Seguro que quieres eliminar este sorteo?"),
                                       u("Borrar..."), Escritorio::Icono::Pregunta))
        return;
    // The list keeps each row's record number; with every draw shown, row i is the i-th newest.
    const QVariant registro = ListView3->model()->index(fila - 1, 0).data(Qt::UserRole);
    const int d = registro.isValid() ? registro.toInt() : proximosorteo() - fila;
    if (!escrito(sorteos().elimina(d), QStringLiteral("numeros.dat")))
        return;
    recuenta();
    // A list that cannot drop the row is filled again, so no row points at a moved record.
    if (!ListView3->model()->removeRow(fila - 1))
        estadisticas(0);
}
