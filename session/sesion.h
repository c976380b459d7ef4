#pragma once

#include "archive/archivosorteos.h"
#include "archive/importes.h"
#include "archive/intercambio.h"
#include "archive/mantenimiento.h"
#include "checking/comprobacion.h"
#include "reduced/tablas.h"
#include "session/ajustes.h"
#include "session/recuento.h"
#include "stats/estadisticas.h"
#include "syndicates/archivopenas.h"
#include "syndicates/cuentas.h"
#include "syndicates/edicion.h"
#include "syndicates/socios.h"
#include "web/analisis.h"
#include "web/desglose.h"
#include "web/fuente.h"
#include "web/servicio.h"

#include <QDateTime>
#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class Cuentas;

// What changed in the draw archive, for whoever shows it.
struct CambioSorteos {
    enum class Tipo {
        Descargados, // a download appended `cuantos` draws (0: none was new)
        Importados,  // "Importar sorteos de un archivo...": `cuantos` draws added
        Sustituidos, // "Añadir todos los sorteos": the archive is another file's
        Borrados,    // every draw deleted
        BorradoUno,  // draw `registro` deleted
        Apartados,   // an unreadable archive was kept aside and started afresh
        Convertidos  // an archive of the older layout was converted
    };
    Tipo tipo = Tipo::Descargados;
    int cuantos = 0;
    int registro = 0;
};

// What changed in the syndicate file.
struct CambioPenas {
    enum class Tipo {
        Guardada,          // record `registro` written (a new one at the end)
        Eliminada,         // record `registro` deleted, the later ones moved up
        Contadores,        // a checking pass raised prize counters
        ContadoresBorrados // every syndicate's counters reset and its creation made today
    };
    Tipo tipo = Tipo::Guardada;
    int registro = 0;
};

// The program's data and what the main window and its tabs share. It is the one owner of the
// data files: numeros.dat, apuestas.dat, premios.dat, socios.dat and cuentas.dat (and nums.ini
// through Ajustes) are written only by its operations. Each operation writes through the safe
// rewrite, rescans what it must, emits one domain signal saying what changed and returns the
// outcome of the write, so that a window can say what went wrong. The checking passes and the
// money are made here too; the tabs ask, subscribe and show. Nothing here knows about widgets.
class Sesion : public QObject, public AlmacenPenas {
    Q_OBJECT
public:
    using Reloj = std::function<QDateTime()>;
    Sesion(const QString &carpeta, Reloj reloj, QObject *parent = nullptr);
    ~Sesion() override;

    // Program directory, a file inside it, and the clock. The clock gives Madrid's wall-clock
    // time (juego::enMadrid), the time every draw rule is reckoned in; a fixed clock of a test
    // is read as Madrid's.
    const QString &carpeta() const { return carpeta_; }
    QString ruta(const QString &archivo) const;
    QDateTime ahora() const { return reloj_(); }
    QDate hoy() const { return ahora().date(); }

    // The files as read. Only the session writes them; programs built against the libraries
    // (tests) may write through the non-const ones and then call recuenta().
    ArchivoSorteos &sorteos() { return sorteos_; }
    const ArchivoSorteos &sorteos() const { return sorteos_; }
    ArchivoPenas &penas() { return penas_; }
    const ArchivoPenas &penas() const override { return penas_; }
    const ArchivoImportes &importes() const { return importes_; }
    // ganadores.dat: the winners of each draw and the Joker's amounts.
    const ArchivoGanadores &ganadores() const { return ganadores_; }
    const ArchivoSocios &socios() const { return socios_; }
    // socios.dat could be read: a file that cannot be is never written over.
    bool sociosLegibles() const { return sociosLegibles_; }
    // cuentas.dat: the members' payments, their times in each syndicate and where its prizes
    // go (the figures made from them are in reports/cuentas.h).
    const ArchivoCuentas &archivoCuentas() const { return archivoCuentas_; }
    bool cuentasLegibles() const { return cuentasLegibles_; }
    // Drops the temporary file of an interrupted syndicate rewrite and opens every file; with
    // no numeros.dat yet, the shipped numeros-inicial.dat becomes the archive first.
    void abreArchivos();
    // What the opening of the files found that the user must hear of, each told once a run:
    // draws of the archive left out as damaged, a syndicate file too large to be read, records
    // of cuentas.dat left out as damaged (or the file unreadable), a clock behind the newest
    // draw.
    struct Aviso {
        enum class Tipo { Problema, Informacion };
        QString texto;
        QString titulo;
        Tipo tipo = Tipo::Problema;
    };
    std::vector<Aviso> avisosApertura();

    const Ajustes &ajustes() const { return ajustes_; }
    void ponAjustes(const Ajustes &ajustes);
    const Sitios &sitios() const { return sitios_; }
    // Reads ajustes.ini and nums.ini; the statistics depth becomes the period of the filter.
    void leeajustes();
    // The maker's new web host, from a message: kept in nums.ini.
    Escritura ponWeb(const QString &web);
    // The choices of "Configuración" kept in ajustes.ini (read by leeajustes), and what the
    // program remembers there about its own downloads and notices.
    const Preferencias &preferencias() const { return preferencias_; }
    Escritura ponPreferencias(const Preferencias &preferencias);

    // The archive scan: draw counts, the newest draw and the header texts. Members follow a
    // syndicate renamed or made again in place since the last scan.
    void recuenta();
    // The program's day turned (midnight in Madrid): the next draw and the countdown follow.
    void nuevoDia() { recuenta(); }
    const Recuento &recuento() const { return recuento_; }
    const Sorteo &sorteoActual() const { return recuento_.actual; }
    int sorteosjugados() const { return recuento_.sorteosjugados; }
    int proximosorteo() const { return sorteos_.proximosorteo(); }

    // The first scan and passes of a run.
    void empieza();
    // Both checking passes (with their prize counters) and the statistics pass again.
    void refresca();
    int refrescos() const { return refrescos_; } // how many times, for whoever needs to know

    // --- The checking passes of the results lists ---
    // How many of the newest draws they check (HScroll1) and their two filters: a change runs
    // refresca().
    int sorteosAComprobar() const { return sorteosAComprobar_; }
    void ponSorteosAComprobar(int n);
    bool historico() const { return historico_; }
    void ponHistorico(bool valor); // the "N sorteos nuevos" notice goes as well
    bool soloPremios() const { return soloPremios_; }
    void ponSoloPremios(bool valor);
    // A count above `maximo` goes back to the newest draw.
    void limitaSorteos(int maximo);
    // Runs the passes over the current options: the simple and reduced syndicates, then the
    // multiple ones when there are any. The counters they raise are stored in apuestas.dat.
    void comprueba();
    // The same over the `n` newest draws; the count stays as it is.
    void comprueba(int n);
    // Back on the newest draw; true when that moved the count (the passes then ran anew).
    bool refrescaResultados();
    // The last passes, and the outcome of storing their counters (0 simple, 1 multiple).
    const comprobacion::Pasada &pasada(int lista) const { return pasadas_[size_t(lista)]; }
    Escritura escrituraContadores(int lista) const { return contadores_[size_t(lista)]; }

    // tablas.bin, read anew by every listing; forgotten at each activation of the window.
    const Tablas &cargaTablas();
    const Tablas &tablas() const { return tablas_; }
    void olvidaTablas() { tablas_ = Tablas(); }

    // The syndicate selected in the manager (record number, 0 = none).
    int penasel() const { return penasel_; }
    void ponPenasel(int registro) { penasel_ = registro; }

    // The syndicate the results lists are narrowed to ("" = every one): picked by the user in
    // the manager's selector, or set back to all.
    const QString &seleccion() const { return seleccion_; }
    void eligeSeleccion(const QString &nombre); // the user's pick: the lists are checked again
    void ponSeleccion(const QString &nombre);   // the selector was refilled
    void olvidaSeleccion();                     // the selector goes back to no entry

    // The prize alert of the results lists (0 none, 1 simple, 2 multiple, 3 both), and
    // whether it blinks.
    int avisopremio() const { return avisopremio_; }
    void ponAvisopremio(int valor) { avisopremio_ = valor; }
    bool avisoActivo() const { return avisoActivo_; }
    void paraAviso() { emit avisoParado(); }
    // The alert was stopped: it starts again from the beginning at the next prize.
    void avisoApagado();
    // "N sorteos nuevos" below the results lists, set by a download.
    const QString &avisoNuevos() const { return avisoNuevos_; }
    void ponAvisoNuevos(const QString &texto);

    // Archive maintenance: "Borrar todos los sorteos" lets a click on a draw delete it.
    int borradoactivo() const { return borradoactivo_; }
    void ponBorradoactivo(int valor) { borradoactivo_ = valor; }

    // --- Draws: the download, the files, the maintenance ---
    bool descargando() const { return descargando_; }
    void ponDescargando(bool valor) { descargando_ = valor; }
    int sorteosnuevos() const { return sorteosnuevos_; }
    void ponSorteosnuevos(int valor) { sorteosnuevos_ = valor; }
    const QString &enlacesorteo() const { return enlacesorteo_; }
    void ponEnlacesorteo(const QString &enlace) { enlacesorteo_ = enlace; }
    bool errordatos() const { return errordatos_; }
    void ponErrordatos(bool valor) { errordatos_ = valor; }

    // A download starts: nothing of it is stored yet.
    void empiezaDescarga();
    // When the last download of this run started (invalid: none has).
    const QDateTime &inicioDescarga() const { return inicioDescarga_; }
    // The newest archived draw lacks some amount of its era.
    bool importesPendientes() const;
    // The search page of a download: its new draws are appended, oldest first, in one
    // rewrite; nothing of a page that could not be read is. Sets sorteosnuevos (1 when none
    // was new: the checking then looks at the newest draw).
    analisis::Resultado recibePagina(const QByteArray &pagina);
    // Where a download asks for draws, from the "fuente" setting; nullptr for the results pages.
    const Fuente *fuente() const { return fuente_.get(); }
    // The days a download asks for, up to today: from the day after the newest archived draw,
    // the last 30 days again, whose amounts may have come late or been corrected, and the
    // newest archived draws that lack their amounts, however old.
    std::pair<QDate, QDate> diasPorPedir() const;
    // The days the archive lacks, up to today.
    std::pair<QDate, QDate> diasQueFaltan() const;
    // One answer of the source: the breakdown of every draw it holds is kept (new to the
    // archive or not), its draws newer than the archive and not after `hasta` are appended,
    // and the newest one's entry is kept for the "Último sorteo" tab.
    struct Recepcion {
        Fuente::Lectura::Forma forma = Fuente::Lectura::Forma::NoEsLista;
        servicio::Agregado agregado; // `ultimo` is not kept: the answer is gone
        QStringList desconocidas;    // category labels not told of before in this run
        // Amounts that are no amount, as the source wrote them, not told of before in this
        // download: their categories stay unknown.
        QStringList importesNoValidos;
    };
    Recepcion recibe(const QByteArray &respuesta, const QDate &hasta);
    int descargados() const { return descargados_; } // draws the running download stored
    // Draws archived before the running download whose stored amounts it changed: corrected,
    // or completed after a first part. (Amounts a draw gets for the first time, however late,
    // are not counted: every download brings those for the last days.)
    int importesActualizados() const { return importesActualizados_; }
    // The answers are read: sets sorteosnuevos and rescans; returns the draws stored.
    int cierraRecepcion();
    // --- "Completar importes de premios": the amounts of archived draws, a year a request ---
    // The years, oldest first, whose archived draws lack amounts of their era, from the one an
    // interrupted run stopped in; and how many archived draws lack them in all.
    std::vector<int> aniosSinImportes() const;
    int sorteosSinImportes() const;
    // The days of `anio` to ask for.
    std::pair<QDate, QDate> diasDelAnio(int anio) const;
    // The answer for `anio`: its amounts are kept and the next run starts after that year.
    struct Completado {
        Fuente::Lectura::Forma forma = Fuente::Lectura::Forma::NoEsLista;
        int completados = 0; // archived draws of the year whose amounts it completed
        Escritura escritura = Escritura::Hecha; // of premios.dat; the year is not done unless Hecha
    };
    Completado completaImportes(const QByteArray &respuesta, int anio);
    // Every year was asked: a next run starts again from the oldest.
    void terminaImportes();
    // The shipped history became the archive at this start: the program offers to complete it.
    bool historicoNuevo() const { return historicoNuevo_; }

    // The download is over: the results lists check its new draws, the views hear of them.
    void terminaDescarga();
    // The breakdown of the newest draw: from its results page (www2.txt), whose amounts are
    // kept when `guardar` (the page just downloaded is the newest draw's) ...
    desglose::Desglose desglosePagina(bool guardar);
    // ... or from the service's answer kept by the last download, when it is the newest
    // archived draw's.
    std::optional<servicio::SorteoLeido> sorteoServicio() const;

    // "Importar sorteos de un archivo...".
    intercambio::Resultado importaSorteos(const QString &archivo);
    // "Añadir todos los sorteos": the chosen file becomes the archive.
    Importacion sustituyeSorteos(const QString &archivo);
    // "Borrar todos los sorteos", and the deletion of one draw (record number).
    Escritura borraSorteos();
    Escritura borraSorteo(int registro);
    // An archive the statistics cannot read: copied to `copia` and started afresh.
    struct Apartado {
        bool copiado = false;
        QString copia;
        Escritura vaciado = Escritura::Fallo;
    };
    Apartado apartaArchivo();
    // An archive of the older layout converted to the current one.
    Escritura convierteAntiguo();

    // --- Syndicates and members ---
    // Writes record `registro` (penas().proximapena() adds a syndicate); the editor's writes.
    Escritura guardaPena(int registro, const Pena &pena) override;
    // Deletes record `registro` and, unless another syndicate has the same name and date, its
    // members; the results lists go back on the newest draw.
    struct Eliminacion {
        Escritura penas = Escritura::Hecha;
        Escritura socios = Escritura::Hecha;
        Escritura cuentas = Escritura::Hecha;
    };
    Eliminacion eliminaPena(int registro);
    // Every syndicate's counters to 0 and its creation to today (members follow).
    Escritura reseteaContadores();
    // The members of one syndicate, in place of those it had.
    Escritura guardaSocios(const SociosPena &nuevos);
    // The accounts of one syndicate (payments, members' times, prize destination), in place
    // of those it had; Fallo when cuentas.dat could not be read or a fact cannot be stored.
    Escritura guardaCuentas(const CuentasPena &nuevas);
    // The editor closed after writing: the views start again from the syndicate file.
    void cierraEdicion();

    // What every syndicate won and staked, made again when what it comes from changes.
    Cuentas &cuentas() { return *cuentas_; }

    // --- The statistics ---
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

    // The program is shutting down: secondary windows close without asking.
    bool cerrando() const { return cerrando_; }
    void ponCerrando() { cerrando_ = true; }

signals:
    // The domain: what changed in the data files.
    void sorteosCambiados(const CambioSorteos &cambio);
    void penasCambiadas(const CambioPenas &cambio);
    void importesCambiados();
    // premios.dat or ganadores.dat refused a breakdown: `texto` says which file and why. Told
    // once per download or import.
    void importesNoGuardados(const QString &texto);
    void sociosCambiados();
    void cuentasCambiadas();
    // A syndicate now goes by another name or creation date (its members followed it): a
    // window that shows it takes the new one.
    void penaRenombrada(const Pena &antes, const Pena &despues);
    // The views: a rescan, a refresh, a checking pass and its progress.
    void recontado();
    void refresco();
    void comprobado();
    void progresoComprobacion(int hechos, int total);
    // A download's new draws were checked: the count shows sorteosAComprobar().
    void sorteosNuevos(int nuevos);
    // The results lists went back on the newest draw.
    void resultadosAlPrincipio();
    void ajustesCambiados();
    void seleccionElegida();
    void seleccionOlvidada();
    void avisoParado();
    void avisoNuevosCambiado(const QString &texto);
    void filtroCambiado();

private:
    void copiaHistoricoInicial();
    void abreImportes();
    void abreSocios();
    // The record of each syndicate as the last scan saw it: members follow a change in place.
    void sigueSocios();

    QString carpeta_;
    Reloj reloj_;
    ArchivoSorteos sorteos_;
    ArchivoPenas penas_;
    ArchivoImportes importes_;
    ArchivoGanadores ganadores_;
    ArchivoSocios socios_;
    bool sociosLegibles_ = true;
    ArchivoCuentas archivoCuentas_;
    bool cuentasLegibles_ = true;
    bool cuentasAvisadas_ = false;
    Ajustes ajustes_;
    Sitios sitios_;
    Preferencias preferencias_;
    QDateTime inicioDescarga_;
    Recuento recuento_;
    Tablas tablas_;
    std::unique_ptr<Cuentas> cuentas_;
    std::unique_ptr<Fuente> fuente_;
    QStringList etiquetasAvisadas_;           // category labels not understood, told once a run
    QStringList importesAvisados_;            // amounts that are no amount, told once a download
    bool importesNoGuardadosAvisado_ = false; // a refused breakdown, told once a download
    // Tells of a breakdown the files refused (once a download); true when it was stored.
    bool importesGuardados(Escritura escritura);
    std::vector<std::pair<double, QByteArray>> claves_; // creation date and name of each record
    int refrescos_ = 0;

    int sorteosAComprobar_ = 1;
    bool historico_ = false;
    bool soloPremios_ = false;
    std::array<comprobacion::Pasada, 2> pasadas_{};
    std::array<Escritura, 2> contadores_{Escritura::Hecha, Escritura::Hecha};

    int penasel_ = 0;
    QString seleccion_;
    int avisopremio_ = 0;
    bool avisoActivo_ = false;
    QString avisoNuevos_;
    int borradoactivo_ = 0;
    bool descargando_ = false;
    int sorteosnuevos_ = 0;
    int descargados_ = 0;
    int importesActualizados_ = 0;
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
    bool relojAvisado_ = false;
    bool historicoNuevo_ = false;
    bool penasAvisadas_ = false;
    bool sobrantesAvisados_ = false;
};
