#pragma once

#include "app/principal.h"
#include "checking/pestanaresultados.h"
#include "session/sesion.h"
#include "stats/pestanaestadisticas.h"
#include "syndicates/pestanacrear.h"
#include "syndicates/pestanagestor.h"
#include "web/pestanaultimo.h"

#include <QTest>

// The tabs and controls of a main window, as tests reach them: by class and by objectName.
template <typename T> T &pestana(Principal &p)
{
    T *t = p.findChild<T *>();
    if (!t)
        qFatal("no such tab");
    return *t;
}
inline PestanaResultados &resultados(Principal &p)
{
    return pestana<PestanaResultados>(p);
}
inline PestanaUltimo &ultimo(Principal &p)
{
    return pestana<PestanaUltimo>(p);
}
inline PestanaGestor &gestor(Principal &p)
{
    return pestana<PestanaGestor>(p);
}
inline PestanaEstadisticas &estadisticas(Principal &p)
{
    return pestana<PestanaEstadisticas>(p);
}
inline PestanaCrear &crear(Principal &p)
{
    return pestana<PestanaCrear>(p);
}

// A control of the window by its objectName ("Command8", "Label9_3"); fails the test run when
// there is none of that kind.
template <typename T> T *control(const QObject &ventana, const QString &nombre)
{
    T *c = ventana.findChild<T *>(nombre);
    if (!c)
        qFatal("no control %s", qPrintable(nombre));
    return c;
}
template <typename T> T *control(const QObject &ventana, const char *nombre)
{
    return control<T>(ventana, QString::fromLatin1(nombre));
}
