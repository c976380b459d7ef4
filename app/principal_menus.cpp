// The result views of the "General" menu and the rules for changing tab.
#include "app/principal.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

namespace {
// Each entry of the "Sencillas" and "Múltiples" submenus: the list it shows and what the two
// check boxes must end as (-1 leaves a box as it is).
struct VistaResultados {
    const char *nombre;
    int lista;
    int soloPremio; // Check2
    int historico;  // Check1
};
constexpr VistaResultados kVistas[] = {{"sencillas", 0, -1, -1}, {"verpremio", 0, 1, 0},
                                       {"verhisto", 0, 0, 1},    {"verprehi", 0, 1, 1},
                                       {"Multiples", 1, -1, -1}, {"verpremiom", 1, 1, 0},
                                       {"verhistom", 1, 0, 1},   {"verpreim", 1, 1, 1}};

constexpr int kPestanaUltimo = 1;
} // namespace

void Principal::conectaMenus()
{
    for (const VistaResultados &v : kVistas) {
        if (auto *a = findChild<QAction *>(QString::fromLatin1(v.nombre)))
            connect(a, &QAction::triggered, this,
                    [this, v] { muestraVista(v.lista, v.soloPremio, v.historico); });
    }
    connect(SSTab1, &QTabWidget::currentChanged, this, &Principal::SSTab1_Click);
}

void Principal::muestraVista(int lista, int soloPremio, int historico)
{
    SSTab1->setCurrentIndex(0);
    Command1_Click(lista);
    // A box that changes runs its own handler (one checking pass each); one already in the
    // wanted state runs nothing.
    if (soloPremio >= 0)
        Check2->setChecked(soloPremio == 1);
    if (historico >= 0)
        Check1->setChecked(historico == 1);
}

void Principal::SSTab1_Click(int pestana)
{
    paraAvisoPremio();
    if (pestana == kPestanaUltimo && Timer1->isActive()) {
        // The prize breakdown is rebuilt from the pages the download is still fetching.
        const QSignalBlocker bloqueo(SSTab1);
        SSTab1->setCurrentIndex(pestanaAnterior_ == kPestanaUltimo ? 0 : pestanaAnterior_);
        return;
    }
    if (pestana == kPestanaUltimo && Text1 && !Text1->isHidden()) {
        Label8->setText(QString::fromUtf8("Un momento. Actualizando información..."));
        Label8->setStyleSheet(QStringLiteral("background-color: rgb(255, 128, 0);"));
        repaint();
        premiosorteo(1);
        Label8->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
    }
    pestanaAnterior_ = pestana;
}
