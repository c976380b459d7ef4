#include "app/avisos.h"
#include "app/escritorio.h"

void avisopermiso()
{
    Escritorio::actual().aviso(
        QString::fromUtf8(
            "Para modificar el archivo necesita permiso de Administrador.\r\n"
            "Cierre el programa y ejecútelo en modo Administrador y repita la operación.\r\n"
            "(Encima del icono, botón derecho y elija \"Ejecutar como administrador\")"),
        QString::fromUtf8("Error de permiso"), Escritorio::Icono::Exclamacion);
}
