#pragma once

#include "syndicates/pena.h"
#include "syndicates/socios.h"

#include <QWidget>

class QComboBox;
class Sesion;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTreeView;

// Window "Socios": the members of one syndicate with their shares, and the refund digit of its
// slip. Every change goes to the session at once, as the editor's changes of a syndicate do.
class Socios : public QWidget {
    Q_OBJECT
public:
    Socios(Sesion &sesion, const Pena &pena, QWidget *parent = nullptr);

    // The syndicate whose members are shown.
    const Pena &pena() const { return pena_; }
    const SociosPena &actuales() const { return actuales_; }

    void anadirSocio_Click(); // "Guardar socio": adds the member, or changes its shares
    void quitarSocio_Click(); // "Quitar socio": the member selected in the list
    void listaSocios_Click(int fila);
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
};
