#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QPrinter;

// Everything that a test cannot click or wait for: the clock, message boxes, the file and
// print dialogs and the desktop's "open" action. Windows call these, never the Qt dialogs.
class Escritorio {
public:
    enum class Icono { Informacion, Exclamacion, Critico, Pregunta };
    virtual ~Escritorio() = default;
    virtual QDateTime ahora() const; // the clock: "today", "now", on Madrid's clock
    virtual bool pregunta(const QString &texto, const QString &titulo,
                          Icono icono); // Yes/No box; true = Yes
    // The same box for a question whose "Sí" destroys something (a syndicate, draws, the
    // counters): "No" is the default button, so Return or a held key never deletes. A desktop
    // of the tests answers it through `pregunta`.
    bool preguntaPeligrosa(const QString &texto, const QString &titulo);
    virtual void aviso(const QString &texto, const QString &titulo, Icono icono); // OK-only box
    virtual QString eligeArchivo(const QString &carpeta, const QString &titulo,
                                 const QString &filtro); // "" = cancelled
    virtual bool eligeImpresora(QPrinter &impresora);    // print dialog; false = cancelled
    virtual QString eligeDestino(const QString &carpeta, const QString &titulo,
                                 const QString &filtro); // save dialog; "" = cancelled
    // The desktop's "open" action; when it fails the user is told, with the address to copy.
    virtual void abreDireccion(const QUrl &direccion);
    // A notice in the desktop's notification area, which goes away by itself; a click on it
    // brings the program to the front on the syndicate `pena` (see alPulsarNotificacion).
    // False when this desktop has nowhere to show it.
    virtual bool notifica(const QString &titulo, const QString &texto, const QString &pena);
    // What a click on a notice does, whichever desktop is in use: set by the main window
    // (nothing: the click is ignored).
    static void alPulsarNotificacion(std::function<void(const QString &pena)> accion);
    static Escritorio &actual();                              // the one in use
    static void sustituye(std::unique_ptr<Escritorio> nuevo); // tests install their own

protected:
    // A notice about `pena` was clicked.
    static void notificacionPulsada(const QString &pena);
    // Whether the question being asked is a dangerous one (read by `pregunta`).
    bool peligrosa() const { return peligrosa_; }
    // The desktop's own "open"; false when nothing could open the address.
    virtual bool abreEnElSistema(const QUrl &direccion);

private:
    bool peligrosa_ = false;
};
