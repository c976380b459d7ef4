#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <vector>

class Crea;
class Creamenu;
class Pestana;
class PestanaCrear;
class PestanaEstadisticas;
class PestanaGestor;
class PestanaResultados;
class PestanaUltimo;
class QLabel;
class QTabWidget;
class QTimer;
class Sesion;
class VistaInforme;

// The main window: the header with the archive's dates, the download bar, the five tabs and
// the menus. It starts the program, reacts to its own activation, opens and closes the
// secondary windows and tells each tab when the user enters or leaves it. What the tabs share
// lives in the session; each tab is a widget of its own (see the tabs' folders).
class Principal : public QMainWindow {
    Q_OBJECT
public:
    explicit Principal(const QString &dir, QWidget *parent = nullptr);
    ~Principal() override;

    Sesion &sesion() { return *sesion_; }

    // Start-up, activation and shut-down.
    void Form_Load();
    void Form_Activate();
    void salir_Click();
    void Timer2_Timer();
    // Madrid's midnight: the header's next draw and countdown turn with the day, without
    // waiting for a click.
    void relojDia_Timer();
    // New draws without a click, when "Bajar sorteos nuevos al abrir el programa" is on: once
    // the window is first shown, if a draw held more than an hour ago is missing; and every
    // minute the timer `bajadaAutomatica` asks whether a draw's check time has come (22:30,
    // and 09:00 the day after while its amounts are missing). Neither runs while a download is
    // under way or the editor holds bets not saved yet: they wait for it.
    void bajaAlAbrir();
    void bajadaAutomatica_Timer();
    // A click on a desktop notice: the window to the front, on the syndicate in the manager.
    void muestraPena(const QString &pena);
    int activaciones() const { return activaciones_; }

    // The tab change, and the result views of the "General" menu.
    void SSTab1_Click(int pestana);
    void muestraVista(int lista, int soloPremio, int historico);

    // Secondary windows.
    void confi_Click();  // "Configuración"
    void acerca_Click(); // "Acerca de..."
    void Crearp_Click(); // "Crear peña nueva"
    // "Importar sorteos de un archivo..." adds the draws of a CSV or JSON file to the archive;
    // "Exportar sorteos a CSV..." writes the archive in the form the import reads.
    void importa_Click();
    void exporta_Click();
    // "Completar importes de premios": the window that asks for them, or the one under way.
    void completarImportes_Click();
    // Opens the editor with the shared creation values as they stand.
    void abreCrea(const std::vector<int> &masfrecuentes = {});
    void abreCreamenu();
    void cierraCrea();
    void cierraCreamenu();
    Crea *crea() const;
    Creamenu *creamenu() const;

protected:
    bool event(QEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    void construyeMenus();
    void construyeCabecera(QWidget *panel);
    void conectaPestanas();
    // The archive of the older layout is converted before anything reads it.
    void detectaantiguo();
    // The header follows every archive scan.
    void recontado();
    // The results lists, and with them the chart, back on the newest draw.
    void refrescaResultados();
    void abreImprimir();
    void abreInforme(int i);
    // Closes the printing, settings and about windows (the main window became active again).
    void cierraSecundarias();
    // A secondary window shown a moment ago that the window system has not activated yet:
    // the main window's own activation then is not the user coming back to it.
    bool ventanaAbriendose() const;
    bool puedeBajarSola() const;

    Sesion *sesion_ = nullptr;
    QTabWidget *SSTab1 = nullptr;
    QLabel *Label9[8] = {};
    QTimer *Timer2 = nullptr;
    QTimer *relojDia_ = nullptr; // armed for the next midnight by every scan
    QTimer *bajadaAutomatica_ = nullptr;
    QDateTime arranque_;            // the program's start, on its clock
    QDateTime ultimaAutomatica_;    // the last download the program started by itself
    bool mostrada_ = false;         // the window has been shown
    bool alAbrirPendiente_ = false; // the download of the opening waits for the editor
    PestanaResultados *general_ = nullptr;
    PestanaUltimo *ultimo_ = nullptr;
    PestanaGestor *gestor_ = nullptr;
    PestanaEstadisticas *estadisticas_ = nullptr;
    PestanaCrear *crear_ = nullptr;
    std::array<Pestana *, 5> pestanas_{};
    int pestanaAnterior_ = 0;
    int activaciones_ = 0;
    QPointer<Crea> crea_;
    QPointer<Creamenu> creamenu_;
    QPointer<VistaInforme> vistaInforme_;
};
