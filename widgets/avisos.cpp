#include "widgets/avisos.h"
#include "widgets/escritorio.h"

void avisopermiso()
{
    Escritorio::actual().aviso(
        QString::fromUtf8(
            "Para modificar el archivo necesita permiso de Administrador.\r\n"
            "Cierre el programa y ejecútelo en modo Administrador y repita la operación.\r\n"
            "(Encima del icono, botón derecho y elija \"Ejecutar como administrador\")"),
        QString::fromUtf8("Error de permiso"), Escritorio::Icono::Exclamacion);
}

void avisoescritura(const QString &archivo)
{
    Escritorio::actual().aviso(
        QString::fromUtf8(
            "No se ha podido guardar el archivo %1. Puede que el disco esté lleno.\r\n"
            "El archivo no se ha modificado: sigue como estaba antes. Libere "
            "espacio en el disco y vuelva a intentarlo.")
            .arg(archivo),
        QString::fromUtf8("Error de escritura"), Escritorio::Icono::Exclamacion);
}

bool escrito(Escritura resultado, const QString &archivo)
{
    switch (resultado) {
    case Escritura::Hecha:
        return true;
    case Escritura::SinPermiso:
        avisopermiso();
        return false;
    case Escritura::Fallo:
        avisoescritura(archivo);
        return false;
    }
    return false;
}

bool escritoFuera(Escritura resultado, const QString &archivo)
{
    switch (resultado) {
    case Escritura::Hecha:
        return true;
    case Escritura::SinPermiso:
        Escritorio::actual().aviso(
            QString::fromUtf8("No se ha podido guardar el archivo %1: no hay permiso para escribir "
                              "en esa carpeta. Elija otra carpeta.")
                .arg(archivo),
            QString::fromUtf8("Error de permiso"), Escritorio::Icono::Exclamacion);
        return false;
    case Escritura::Fallo:
        avisoescritura(archivo);
        return false;
    }
    return false;
}

void abreWebAutor(const QString &web, const QString &camino)
{
    Escritorio::actual().abreDireccion(
        QUrl(QStringLiteral("http://") + web + camino, QUrl::TolerantMode));
}
