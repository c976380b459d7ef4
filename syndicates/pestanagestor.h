#pragma once

#include "checking/resumen.h"
#include "reports/cuentas.h"
#include "reports/ganancias.h"
#include "syndicates/pena.h"
#include "widgets/pestana.h"

#include <QDateTime>
#include <QPointer>
#include <optional>
#include <utility>
#include <vector>

struct ErrorBase;

class Imagen;
class ModeloApuestas;
class ModeloGestor;
class QBarSet;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;
class Socios;

// Tab "Gestor de peñas": the syndicate list and selector, the totals of every syndicate, the
// details of the syndicate shown, the syndicate commands and the archive maintenance.
class PestanaGestor : public Pestana {
    Q_OBJECT
public:
    PestanaGestor(Sesion &sesion, QWidget *parent = nullptr);

    // Entering the tab shows the money as it stands.
    void entra() override;

    void resumen();
    void muestrapena(int registro);
    // False when the report database refused it; `error` then says why.
    bool informedinero(ErrorBase *error = nullptr);
    void ListView1_ItemClick(int fila);
    void Combo2_Click(int indice);
    void Command2_Click(); // "Imprimir boletos"
    void Command3_Click(); // "Eliminar peña"
    void Command5_Click(); // "Borrar todos los sorteos"
    void Command7_Click(); // "Editar Peña"
    void Command8_Click(); // "Añadir todos los sorteos"
    void socios_Click();
    void copiarResumen_Click(); // every member's balance as text, on the clipboard      // the
                                // members window of the selected syndicate
    void exportarCsv_Click();   // the draws of the figures shown, as a spreadsheet

    const comprobacion::Resumen &ultimoResumen() const { return resumen_; }
    const Pena &penaMostrada() const { return penaMostrada_; }
    // The money figures shown: of syndicate `dineroDe()` (record number), or of every
    // syndicate when it is 0 ("TODAS LAS PEÑAS").
    int dineroDe() const { return ambito_; }
    const ganancias::Ganancias &gananciasMostradas() const { return mostradas_; }
    const std::vector<ganancias::Parte> &partesMostradas() const { return partes_; }

signals:
    void boletosPedidos();       // the slip printing window for the selected syndicate
    void editorPedido();         // the editor on the selected syndicate
    void informePedido(int i);   // the syndicate report
    void informeDineroEscrito(); // the syndicate row of the report database was written

private:
    void construyePena(QWidget *panel);
    void muestraTotales();
    void actualizaTotales();
    void pintaGraficoPena(int sinPremio, int premios);
    void construyeDinero(QWidget *panel);
    void muestraDinero();
    // ListViewPremios: the winning draws of the syndicate shown (none for every syndicate).
    void muestraPremios();
    void muestraSaldos();
    // Closes the members window of a syndicate that is gone or renamed.
    void cierraSociosHuerfanos();

    QTreeView *ListView1 = nullptr;
    QComboBox *Combo2 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command8 = nullptr;
    Imagen *Image1[5] = {};
    QLabel *Label13 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLabel *Label3[5] = {};
    QChartView *MSChart2 = nullptr;
    Imagen *Image2_1 = nullptr;
    QTreeView *ListView5 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label28 = nullptr;
    QLabel *Label29 = nullptr;
    QLabel *Label37 = nullptr;
    QChartView *MSChart3 = nullptr;
    QLabel *premiosEuros = nullptr;
    QLabel *jokerEuros = nullptr;
    QLabel *retencionEuros = nullptr;
    QLabel *netoEuros = nullptr;
    QLabel *gastoEuros = nullptr;
    QLabel *balanceEuros = nullptr;
    QLabel *boteEuros = nullptr; // the syndicate's pot: payments and prizes kept, less stakes
    QPushButton *copiarResumen = nullptr;
    QLabel *importesDesconocidos = nullptr;
    QTreeView *ListViewSocios = nullptr;
    QStandardItemModel *modeloSocios_ = nullptr;
    // The draws the selected syndicate won something in, newest first.
    QTreeView *ListViewPremios = nullptr;
    QStandardItemModel *modeloPremios_ = nullptr;
    QPushButton *socios = nullptr;
    QPushButton *exportarCsv = nullptr;
    QPointer<Socios> ventanaSocios_;

    ModeloGestor *modeloGestor_ = nullptr;
    ModeloApuestas *modeloApuestas_ = nullptr;
    comprobacion::Resumen resumen_;
    Pena penaMostrada_;
    int registroMostrado_ = 0; // the record whose details are shown; 0 = none
    QBarSet *graficoSinPremio_ = nullptr;
    QBarSet *graficoPremios_ = nullptr;

    int ambito_ = 0;
    bool rellenando_ = false;
    std::optional<saldos::Estado> estado_; // the accounts of the syndicate shown // the list is
                                           // being refilled: its current row is not the user's
    ganancias::Ganancias mostradas_;
    std::vector<ganancias::Parte> partes_;
    // The bet price, in cents, of the money shown; none until the first archive scan shows it.
    std::optional<qint64> precioMostrado_;
};
