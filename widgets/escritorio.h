#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <memory>

class QPrinter;

// Everything that a test cannot click or wait for: the clock, message boxes, the file and
// print dialogs and the desktop's "open" action. Windows call these, never the Qt dialogs.
class Escritorio {
public:
    enum class Icono { Informacion, Exclamacion, Critico, Pregunta };
    virtual ~Escritorio() = default;
    virtual QDateTime ahora() const; // the clock: "today", "now"
    virtual bool pregunta(const QString &texto, const QString &titulo,
                          Icono icono); // Yes/No box; true = Yes
    virtual void aviso(const QString &texto, const QString &titulo, Icono icono); // OK-only box
    virtual QString eligeArchivo(const QString &carpeta, const QString &titulo,
                                 const QString &filtro); // "" = cancelled
    virtual bool eligeImpresora(QPrinter &impresora);    // print dialog; false = cancelled
    virtual QString eligeDestino(const QString &carpeta, const QString &titulo,
                                 const QString &filtro);      // save dialog; "" = cancelled
    virtual void abreDireccion(const QUrl &direccion);        // the desktop's "open" action
    static Escritorio &actual();                              // the one in use
    static void sustituye(std::unique_ptr<Escritorio> nuevo); // tests install their own
};
