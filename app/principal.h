#pragma once

#include "app/ajustes.h"
#include "app/escritorio.h"
#include "app/recuento.h"
#include "archive/archivosorteos.h"
#include "checking/comprobacion.h"
#include "checking/resumen.h"
#include "reduced/tablas.h"
#include "stats/estadisticas.h"
#include "syndicates/archivopenas.h"

#include <QMainWindow>
#include <QPointer>
#include <QTableView> // the results lists, reached by several subsystems
#include <array>
#include <vector>

class QAbstractSlider;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTimer;
class QTreeView;
class Imagen;
class Crea;
class Creamenu;
class QGroupBox;
class ModeloResultados;
class ModeloGestor;
class QPrinter;
class QChartView;
class QBarSet;
class QVariantAnimation;
class QFrame;
class ModeloApuestas;
class ModeloSorteos;
class VistaInforme;

// Results from the internet.
class Descarga;
class Infor;
class QPdfDocument;
class QPdfView;
class QPlainTextEdit;
class Transferencia;

// The main window: owns the open files and the values every subsystem shares, and hands each
// event to the core. Its tabs are built by one function each (principal_*.cpp).
class Principal : public QMainWindow {
    Q_OBJECT
public:
    explicit Principal(const QString &dir, QWidget *parent = nullptr);
    ~Principal() override;

    // Program directory and a file inside it.
    const QString &carpeta() const { return carpeta_; }
    QString ruta(const QString &archivo) const;

    // Shared values.
    ArchivoSorteos &sorteos() { return sorteos_; }
    ArchivoPenas &penas() { return penas_; }
    const Ajustes &ajustes() const { return ajustes_; }
    void ponAjustes(const Ajustes &a) { ajustes_ = a; }
    const Sitios &sitios() const { return sitios_; }
    int proximosorteo() const { return sorteos_.proximosorteo(); }
    int proximapena() const { return penas_.proximapena(); }
    const Sorteo &sorteoActual() const { return recuento_.actual; }
    const Recuento &ultimoRecuento() const { return recuento_; }
    int sorteosjugados() const { return recuento_.sorteosjugados; }
    int penasel = 0;
    int activaciones = 0;
    int borradoactivo = 0;
    int avisopremio = 0;
    int imprimiendo = 0;
    int editando = 0;
    int penagrabada = 0;
    int numordenador = 0;
    int numapuestas = 0;
    int modocrea = 0;
    int tablasel = 0;
    int refrescos = 0; // checking passes run by refresca, for whoever needs to know

    // Start-up, activation and shut-down.
    void Form_Load();
    void Form_Activate();
    void salir_Click();
    void leeajustes();
    void detectaantiguo();
    void recuenta();
    void refresca();
    void Timer2_Timer();

    // Syndicates.
    void Command3_Click();

    // Filled by the subsystems that own them.
    void resumen();
    void comprueba(int n);
    void compruebamultiples(int n);
    void estadisticas(double fecha);
    void describeestadisticas();
    void premiosorteo(int modo);
    void mensajeautor();
    void Command1_Click(int elemento);
    void paraAvisoPremio();

    // Current date as the rest of the program sees it (through the desktop seam).
    QDate hoy() const;

protected:
    bool event(QEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void construyeMenus();
    void construyeCabecera(QWidget *panel);
    QWidget *construyeGeneral();
    QWidget *construyeUltimo();
    QWidget *construyeGestor();
    QWidget *construyeEstadisticas();
    QWidget *construyeCrear();
    // Brings the results lists up to date after a syndicate or the archive changed.
    void refrescaResultados();

    QString carpeta_;
    ArchivoSorteos sorteos_;
    ArchivoPenas penas_;
    Ajustes ajustes_;
    Sitios sitios_;
    Recuento recuento_;
    bool cerrando_ = false;

public:
    // Controls the handlers of every subsystem reach (named as the tests find them).
    QTabWidget *SSTab1 = nullptr;
    QLabel *Label9[8] = {};
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QTimer *Timer3 = nullptr;
    // Tab 0: results.
    QPushButton *Command1[2] = {};
    QTableView *ListView2 = nullptr;
    QTableView *ListView4 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QLineEdit *Text3 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    Imagen *Image5 = nullptr;
    QLabel *Label59 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QProgressBar *ProgressBar2 = nullptr;
    // Tab 2: syndicate manager.
    QTreeView *ListView1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command8 = nullptr;
    Imagen *Image1[5] = {};
    // Tab 3: statistics.
    QTreeView *ListView3 = nullptr;
    QScrollBar *HScroll2 = nullptr;
    QAbstractSlider *Slider1[2] = {};
    // Menu entries.
    QAction *salir = nullptr;

    // Slip printing, settings and about windows.
    void Command2_Click(); // "Imprimir boletos"
    void confi_Click();    // "Configuración"
    void acerca_Click();   // "Acerca de..."
    // Closes the printing, settings and about windows (the main window became active again).
    void cierraSecundarias();

    // Archive maintenance and the "Ayuda" entries.
    void Command8_Click();
    void Command5_Click();
    void ListView3_ItemClick(int fila);
    void abreWebAutor(const QString &camino);

private:
    void conectaMantenimiento();

public:
    // Result views of the "General" menu and the tab change.
    void muestraVista(int lista, int soloPremio, int historico);
    void SSTab1_Click(int pestana);

private:
    void conectaMenus();
    int pestanaAnterior_ = 0;

public:
    // Syndicate editor, creation wizard and the reduced tables of the creation tab.
    void Command7_Click();
    void Command4_Click();
    void Command9_Click();
    void Crearp_Click();
    void listatablas(int n);
    void Combo1_Click(int posicion);
    void Image3_Click(int elemento);
    void Image4_Click();
    // Opens the editor with the shared creation values as they stand.
    void abreCrea(const std::vector<int> &masfrecuentes = {});
    void abreCreamenu();
    void cierraCrea();
    void cierraCreamenu();
    Crea *crea() const;
    Creamenu *creamenu() const;
    // Reads tablas.bin anew (every listing starts from the beginning of the file).
    const Tablas &cargaTablas();
    const Tablas &tablas() const { return tablas_; }
    // The program is shutting down: secondary windows close without asking.
    bool cerrandose() const { return cerrando_; }
    std::vector<int> indicetablas;
    int numerosCrear = 0; // count of numbers the tables were last listed for
    QWidget *modoCreacion = nullptr;
    QWidget *pasosAutomatica = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command9 = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *Label51 = nullptr;
    Imagen *Image3[3] = {};
    QGroupBox *Frame9 = nullptr;
    QGroupBox *Frame10 = nullptr;
    QLabel *Label43 = nullptr;
    QLabel *Label47 = nullptr;
    QLabel *Label48 = nullptr;
    QLabel *Label49 = nullptr;
    QLabel *Label50 = nullptr;

private:
    // A secondary window shown a moment ago that the window system has not activated yet:
    // the main window's own activation then is not the user coming back to it.
    bool ventanaAbriendose() const;
    QPointer<Crea> crea_;
    QPointer<Creamenu> creamenu_;
    Tablas tablas_;
    int pestanaPrevia_ = 0;

    // Results from the internet: the download of new draws, the prize breakdown of the newest
    // draw with its result PDF, and the maker's message (principal_descarga.cpp,
    // principal_ultimo.cpp).
public:
    void Picture2_Click();
    void Picture2_MouseMove(int x, int y);
    void Timer1_Timer();
    void analizasorteos(const QByteArray &pagina);
    void bajapdf(const QString &direccion);
    void muestrapdf();
    void bajamensaje();
    void muestramensaje();
    void Command6_Click();
    void Text1_Click();
    Descarga *descarga() const { return descarga_; }
    Transferencia *transferenciaPdf() const { return transferenciaPdf_; }
    Transferencia *transferenciaMensaje() const { return transferenciaMensaje_; }
    Infor *ventanaInfor() const;

    int sorteosnuevos = 0;
    QString enlacesorteo;
    bool errordatos = false;
    QString textoinforme;
    bool pdfbajado = false;
    int lectorpdf = 0;

    Imagen *Picture2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label58 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label10[6] = {};
    QPlainTextEdit *Text1 = nullptr;
    QPdfView *WebBrowser1 = nullptr;
    QPushButton *Command6 = nullptr;

private:
    class VentanaDescarga;
    void construyeDescarga(QWidget *panel);
    void abreInfor();
    void postdescarga();
    VentanaDescarga *ventanaDescarga_ = nullptr; // child object of the window
    Descarga *descarga_ = nullptr;
    Transferencia *transferenciaPdf_ = nullptr;
    Transferencia *transferenciaMensaje_ = nullptr;
    QPdfDocument *documentoPdf_ = nullptr;
    QPointer<Infor> infor_;
    QByteArray mensajeViejo_; // the message file before the fetch
    QByteArray mensajeNuevo_; // and after it

    // Prize checking: the results lists and their filters, the prize alert, the printed
    // listing and the syndicate summary of the manager tab.
public:
    int cambiocombo = 0;
    void Timer3_Timer();
    void HScroll1_Change();
    void HScroll1_Scroll(int valor);
    void Check1_Click();
    void Check2_Click();
    void Combo2_Click(int indice);
    void Image5_Click();
    void ListView1_ItemClick(int fila);
    // Details of one syndicate in the manager tab.
    void muestrapena(int registro);
    ModeloResultados *modeloSencillas() const { return modeloSencillas_; }
    ModeloResultados *modeloMultiples() const { return modeloMultiples_; }
    const comprobacion::Resumen &ultimoResumen() const { return resumen_; }
    QLabel *Label13 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLabel *Label3[5] = {};
    QChartView *MSChart2 = nullptr;
    Imagen *Image2[2] = {};

private:
    comprobacion::Opciones opcionesPasada(int n) const;
    void aplicaPasada(const comprobacion::Pasada &pasada, int lista);
    void terminaImpresion();
    void pintaAviso(int boton, bool rojo);
    void desliza(QTableView *lista);
    void muestraTotales();
    void actualizaTotales();
    ModeloResultados *modeloSencillas_ = nullptr;
    ModeloResultados *modeloMultiples_ = nullptr;
    ModeloGestor *modeloGestor_ = nullptr;
    std::shared_ptr<QPrinter> impresora_;
    std::vector<comprobacion::LineaImpresion> listado_;
    bool impreso_ = false;
    double tamanoImpresion_ = 0;
    bool enRojo_[2] = {};
    comprobacion::Resumen resumen_;
    QVariantAnimation *deslizamiento_ = nullptr;
    QBarSet *graficoSinPremio_ = nullptr;
    QBarSet *graficoPremios_ = nullptr;

    // --- Statistics and reports (stats/, reports/): tab 3, the report buttons, and the details
    // of the syndicate shown in the syndicate manager.
public:
    void Check3_Click(int i);
    void aplicaperiodo(int modo);
    void Slider1_Change(int i, int valor);
    void HScroll2_Change();
    // Ranks the numbers of the last statistics pass into masfrecuentes and keeps the first k in
    // the report database; false when the database could not be written.
    bool frecuencias(int k);
    void Image2_Click(int i);
    bool informedinero();
    const stats::Resultado &estadistica() const { return estadistica_; }
    const Pena &penaMostrada() const { return penaMostrada_; }

    std::array<int, 49> masfrecuentes{}; // the 49 numbers, most frequent first
    int filtroactivo = 0;

    QCheckBox *Check3[9] = {};
    QLabel *Label7 = nullptr;
    QLabel *Label21 = nullptr;
    QLabel *Label27 = nullptr;
    QFrame *Frame5 = nullptr;
    QChartView *MSChart1 = nullptr;
    QTreeView *ListView5 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label28 = nullptr;
    QLabel *Label29 = nullptr;
    QLabel *Label37 = nullptr;
    QChartView *MSChart3 = nullptr;

    // Automatic creation: the step-1 filters, the count of numbers, the report and "back"
    // buttons of the creation tab (its tables list and creation buttons are in
    // principal_crear.cpp).
    void Slider2_Change(int n);
    // The part of the tab's reset that belongs to these controls: count 0, filters usable.
    void reiniciaCreaAuto();
    // The computer's numbers for the editor: the whole ranking, most frequent first.
    std::vector<int> numerosOrdenador() const;
    QAbstractSlider *Slider2 = nullptr;
    QLabel *Label23 = nullptr;
    Imagen *Image4 = nullptr;

private:
    void construyePena(QWidget *gestor);
    void construyeCreaAuto(QWidget *crear);
    void ponActivo(Imagen *boton, bool activo);
    void pintaGrafico();
    void pintaGraficoPena(int sinPremio, int premios);
    // An archive the statistics pass cannot read: kept aside as a dated copy, started afresh.
    void recuperaArchivo();
    double hoySerial() const;

    stats::Resultado estadistica_;
    ModeloSorteos *modeloSorteos_ = nullptr;
    ModeloApuestas *modeloApuestas_ = nullptr;
    Pena penaMostrada_;
    QPointer<VistaInforme> vistaInforme_;
    bool recuperando_ = false;
};
