#pragma once

#include "app/ajustes.h"
#include "app/recuento.h"
#include "archive/archivosorteos.h"
#include "reduced/tablas.h"
#include "stats/estadisticas.h"
#include "syndicates/archivopenas.h"

#include <QDateTime>
#include <QObject>
#include <array>
#include <functional>
#include <vector>

// What the main window and its tabs share: the program directory and the clock, the open
// archive and syndicate files, the settings, the last archive scan, the reduction tables and
// every value one tab sets and another reads. Each tab reads it and subscribes to its signals;
// no tab reaches into another. Nothing here knows about widgets.
class Sesion : public QObject {
    Q_OBJECT
public:
    using Reloj = std::function<QDateTime()>;
    Sesion(const QString &carpeta, Reloj reloj, QObject *parent = nullptr);

    // Program directory, a file inside it, and the clock.
    const QString &carpeta() const { return carpeta_; }
    QString ruta(const QString &archivo) const;
    QDateTime ahora() const { return reloj_(); }
    QDate hoy() const { return ahora().date(); }

    // The open files. Whoever rewrites one says so with the notice that fits.
    ArchivoSorteos &sorteos() { return sorteos_; }
    const ArchivoSorteos &sorteos() const { return sorteos_; }
    ArchivoPenas &penas() { return penas_; }
    const ArchivoPenas &penas() const { return penas_; }
    // Drops the temporary file of an interrupted syndicate rewrite and opens both files; with
    // no numeros.dat yet, the shipped numeros-inicial.dat becomes the archive first.
    void abreArchivos();
    // What the opening of the files found that the user must hear of, each told once a run:
    // draws of the archive left out as damaged, a syndicate file too large to be read.
    struct Aviso {
        QString texto;
        QString titulo;
    };
    std::vector<Aviso> avisosApertura();

    const Ajustes &ajustes() const { return ajustes_; }
    void ponAjustes(const Ajustes &ajustes);
    const Sitios &sitios() const { return sitios_; }
    // Reads ajustes.ini and nums.ini; the statistics depth becomes the period of the filter.
    void leeajustes();

    // The archive scan: draw counts, the newest draw and the header texts.
    void recuenta();
    const Recuento &recuento() const { return recuento_; }
    const Sorteo &sorteoActual() const { return recuento_.actual; }
    int sorteosjugados() const { return recuento_.sorteosjugados; }
    int proximosorteo() const { return sorteos_.proximosorteo(); }

    // Both checking passes and the statistics pass over the whole archive.
    void refresca();
    int refrescos() const { return refrescos_; } // how many times, for whoever needs to know
    // The results lists back on the newest draw after a syndicate or the archive changed.
    void refrescaResultados() { emit resultadosPedidos(); }

    // tablas.bin, read anew by every listing; forgotten at each activation of the window.
    const Tablas &cargaTablas();
    const Tablas &tablas() const { return tablas_; }
    void olvidaTablas() { tablas_ = Tablas(); }

    // The syndicate selected in the manager (record number, 0 = none).
    int penasel() const { return penasel_; }
    void ponPenasel(int registro);

    // The syndicate the results lists are narrowed to ("" = every one): picked by the user in
    // the manager's selector, or set back to all.
    const QString &seleccion() const { return seleccion_; }
    void eligeSeleccion(const QString &nombre); // the user's pick: the lists are checked again
    void ponSeleccion(const QString &nombre);   // the selector was refilled
    void olvidaSeleccion();                     // the selector goes back to no entry

    // The prize alert of the results lists (0 none, 1 simple, 2 multiple, 3 both).
    int avisopremio() const { return avisopremio_; }
    void ponAvisopremio(int valor) { avisopremio_ = valor; }
    void paraAviso() { emit avisoParado(); }
    // "N sorteos nuevos" below the results lists, set by a download.
    const QString &avisoNuevos() const { return avisoNuevos_; }
    void ponAvisoNuevos(const QString &texto);

    // Archive maintenance: "Borrar todos los sorteos" lets a click on a draw delete it.
    int borradoactivo() const { return borradoactivo_; }
    void ponBorradoactivo(int valor) { borradoactivo_ = valor; }

    // The download: whether one is under way, its new draws and the newest draw's page link.
    bool descargando() const { return descargando_; }
    void ponDescargando(bool valor);
    int sorteosnuevos() const { return sorteosnuevos_; }
    void ponSorteosnuevos(int valor) { sorteosnuevos_ = valor; }
    const QString &enlacesorteo() const { return enlacesorteo_; }
    void ponEnlacesorteo(const QString &enlace) { enlacesorteo_ = enlace; }
    bool errordatos() const { return errordatos_; }
    void ponErrordatos(bool valor) { errordatos_ = valor; }
    // A download stored `nuevos` draws (1 when there were none: the newest is looked at).
    void anunciaNuevos(int nuevos) { emit sorteosNuevos(nuevos); }
    // The archive changed under the statistics: they are made again and described.
    void avisaSorteos() { emit sorteosCambiados(); }

    // The statistics filter and the last statistics pass.
    const stats::Filtro &filtro() const { return filtro_; }
    void ponFiltro(const stats::Filtro &filtro);
    void ponMeses(int meses);
    const stats::Resultado &estadistica() const { return estadistica_; }
    void ponEstadistica(stats::Resultado resultado) { estadistica_ = std::move(resultado); }
    // The 49 numbers, most frequent first, from the last statistics pass.
    const std::array<int, 49> &masfrecuentes() const { return masfrecuentes_; }
    // Ranks the numbers of the last statistics pass into masfrecuentes and keeps the first k in
    // the report database; false when the database could not be written.
    bool frecuencias(int k);

    // Creation of a syndicate: how the editor opens and what it left behind.
    int modocrea() const { return modocrea_; }         // 0 simple, 1..6 multiple, 7 reduced
    int tablasel() const { return tablasel_; }         // the reduced table chosen
    int numordenador() const { return numordenador_; } // 1: numbers made by the computer
    int editando() const { return editando_; }         // 1: the editor changes a syndicate
    int numapuestas() const { return numapuestas_; }   // bets in the open editor
    int penagrabada() const { return penagrabada_; }   // 1: the editor wrote the file
    void ponModocrea(int valor) { modocrea_ = valor; }
    void ponTablasel(int valor) { tablasel_ = valor; }
    void ponNumordenador(int valor) { numordenador_ = valor; }
    void ponEditando(int valor) { editando_ = valor; }
    void ponNumapuestas(int valor) { numapuestas_ = valor; }
    void ponPenagrabada(int valor) { penagrabada_ = valor; }

    // A checking pass stored prize counters: the totals are out of date.
    void avisaContadores() { emit contadoresCambiados(); }
    // Every syndicate's counters were reset.
    void avisaContadoresBorrados() { emit contadoresBorrados(); }

    // The program is shutting down: secondary windows close without asking.
    bool cerrando() const { return cerrando_; }
    void ponCerrando() { cerrando_ = true; }

signals:
    void recontado();
    void refresco();
    void resultadosPedidos();
    void ajustesCambiados();
    void penaselCambiada(int registro);
    void seleccionElegida();
    void seleccionOlvidada();
    void avisoParado();
    void avisoNuevosCambiado(const QString &texto);
    void descargaCambiada(bool enMarcha);
    void sorteosNuevos(int nuevos);
    void sorteosCambiados();
    void filtroCambiado();
    void contadoresCambiados();
    void contadoresBorrados();

private:
    void copiaHistoricoInicial();
    QString carpeta_;
    Reloj reloj_;
    ArchivoSorteos sorteos_;
    ArchivoPenas penas_;
    Ajustes ajustes_;
    Sitios sitios_;
    Recuento recuento_;
    Tablas tablas_;
    int refrescos_ = 0;

    int penasel_ = 0;
    QString seleccion_;
    int avisopremio_ = 0;
    QString avisoNuevos_;
    int borradoactivo_ = 0;
    bool descargando_ = false;
    int sorteosnuevos_ = 0;
    QString enlacesorteo_;
    bool errordatos_ = false;
    stats::Filtro filtro_;
    stats::Resultado estadistica_;
    std::array<int, 49> masfrecuentes_{};
    int modocrea_ = 0;
    int tablasel_ = 0;
    int numordenador_ = 0;
    int editando_ = 0;
    int numapuestas_ = 0;
    int penagrabada_ = 0;
    bool cerrando_ = false;
    bool danadosAvisados_ = false;
    bool penasAvisadas_ = false;
};
