#pragma once

#include "syndicates/cuentas.h"
#include "syndicates/pena.h"
#include "syndicates/socios.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class Sesion;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTreeView;

// Window "Socios": the members of one syndicate with their shares, their time in it, their
// payments and balances, the refund digit of its slip and where its prizes go. Every change goes
// to the session at once, as the editor's changes of a syndicate do.
class Socios : public QWidget {
    Q_OBJECT
public:
    Socios(Sesion &sesion, const Pena &pena, QWidget *parent = nullptr);

    // The syndicate whose members are shown.
    const Pena &pena() const { return pena_; }
    const SociosPena &actuales() const { return actuales_; }
    const CuentasPena &cuentas() const { return cuentas_; }

    void anadirSocio_Click(); // "Guardar socio": adds the member, or changes its shares
    void quitarSocio_Click(); // "Quitar socio": the member selected in the list
    void listaSocios_Click(int fila);
    void renombrarSocio_Click(); // the member selected takes the name typed, with their payments
    // "Añadir pago" adds the payment typed to the member selected; with a payment picked in
    // the list it saves the changes to that one ("Guardar pago").
    void anadirPago_Click();
    void borrarPago_Click();
    void nuevoPago_Click(); // forgets the payment picked: the next one is added
    void destinoPremios_Click(int indice);
    void extractoSocio_Click(); // the statement of the member selected, as PDF
    void extractoPena_Click();  // the syndicate's statement, as PDF
    void reintegro_Click(int indice);
    // The Joker numbers typed are taken (Return, or leaving the line).
    void jokers_Change();

private:
    bool guarda(const SociosPena &nuevos);
    // What the session holds for the syndicate now: another window or a rename may have
    // changed it since this one was filled.
    void relee();
    void renombrada(const Pena &antes, const Pena &despues);
    void llenaLista();
    bool guardaCuentas(const CuentasPena &nuevas);
    void muestraSocio();
    void llenaPagos();
    void pagoElegido(int fila);
    void ponEdicionPago(int indice);
    // The member's time as the dates say; false (told) when the left day is before the joined.
    bool leePermanencia(const QString &nombre, std::vector<Permanencia> &permanencias) const;
    bool guardaExtracto(const QString &nombreArchivo, const QString &html);

    Sesion &sesion_;
    Pena pena_;
    SociosPena actuales_;

    QLabel *Label1 = nullptr;
    QTreeView *listaSocios = nullptr;
    QStandardItemModel *modelo_ = nullptr;
    QLineEdit *nombreSocio = nullptr;
    QSpinBox *participaciones = nullptr;
    QPushButton *anadirSocio = nullptr;
    QPushButton *quitarSocio = nullptr;
    QComboBox *reintegro = nullptr;
    QLineEdit *jokers = nullptr;
    QLabel *Label2 = nullptr; // member count and total shares
    QPushButton *renombrarSocio = nullptr;

    CuentasPena cuentas_;
    QString elegido_;           // name of the member selected in the list
    std::vector<size_t> filas_; // ListViewPagos row -> index in cuentas_.pagos
    int pagoEditado_ = -1;      // index in cuentas_.pagos of the payment picked, or -1
    QDateEdit *socioDesde = nullptr;
    QDateEdit *socioHasta = nullptr;
    QCheckBox *socioSigue = nullptr; // checked: no day of leaving
    QLabel *tituloPagos = nullptr;
    QTreeView *ListViewPagos = nullptr;
    QStandardItemModel *modeloPagos_ = nullptr;
    QDateEdit *fechaPago = nullptr;
    QLineEdit *importePago = nullptr;
    QLineEdit *notaPago = nullptr;
    QPushButton *anadirPago = nullptr;
    QPushButton *borrarPago = nullptr;
    QPushButton *nuevoPago = nullptr;
    QComboBox *destinoPremios = nullptr;
    QPushButton *extractoSocio = nullptr;
    QPushButton *extractoPena = nullptr;
};
