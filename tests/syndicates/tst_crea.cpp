#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "archive/texto.h"
#include "syndicates/casilla.h"
#include "syndicates/crea.h"
#include "syndicates/creamenu.h"
#include "syndicates/socios.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
// The bet lines of a table: the first k six-number combinations of 1..n, twelve digits each.
QByteArray tabla(int n, int g, int k)
{
    QByteArray t = QByteArray::number(n) + "\r\n" + QByteArray::number(g) + " aciertos\r\n" +
                   QByteArray::number(k) + "\r\n";
    int c[6] = {1, 2, 3, 4, 5, 6};
    for (int e = 0; e < k; ++e) {
        for (int v : c)
            t += QByteArray::number(v).rightJustified(2, '0');
        t += "\r\n";
        int i = 5;
        while (i >= 0 && c[i] == n - 5 + i)
            --i;
        if (i < 0)
            break; // every combination of n numbers is there
        ++c[i];
        for (int j = i + 1; j < 6; ++j)
            c[j] = c[j - 1] + 1;
    }
    return t;
}

// A visible top-level window of the program, found the way a user sees it.
template <class T> T *ventana(const char *nombre)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(nombre) && w->isVisible())
            return qobject_cast<T *>(w);
    return nullptr;
}

template <class T> T *control(QWidget *w, const QString &nombre)
{
    T *c = w->findChild<T *>(nombre);
    if (!c)
        qWarning("no control %s", qPrintable(nombre));
    return c;
}

void pulsaNumeros(QWidget *crea, std::initializer_list<int> numeros)
{
    for (int n : numeros)
        QTest::mouseClick(control<Casilla>(crea, QStringLiteral("Image1_%1").arg(n - 1)),
                          Qt::LeftButton);
}

QStringList filas(QAbstractItemView *lista)
{
    QStringList t;
    for (int r = 0; r < lista->model()->rowCount(); ++r)
        t.append(lista->model()->index(r, 0).data().toString());
    return t;
}

// Types text the way a keyboard does, letters outside ASCII included.
void teclea(QWidget *w, const QString &texto)
{
    for (QChar c : texto) {
        QKeyEvent pulsada(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &pulsada);
        QKeyEvent soltada(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &soltada);
    }
}

void pulsa(QWidget *w, const char *nombre)
{
    QTest::mouseClick(control<QWidget>(w, QString::fromLatin1(nombre)), Qt::LeftButton);
}

// Keys as the keyboard sends them, to the control with the focus: digits, ' ' for Space, '\n'
// for Enter and '<' for Backspace.
void tecleaEnFoco(QWidget *ventana, const QString &teclas)
{
    for (QChar c : teclas) {
        QWidget *foco = ventana->focusWidget() ? ventana->focusWidget() : ventana;
        if (c == QLatin1Char(' '))
            QTest::keyClick(foco, Qt::Key_Space);
        else if (c == QLatin1Char('\n'))
            QTest::keyClick(foco, Qt::Key_Return);
        else if (c == QLatin1Char('<'))
            QTest::keyClick(foco, Qt::Key_Backspace);
        else
            QTest::keyClick(foco, c.toLatin1());
    }
}

} // namespace

class TstCrea : public QObject {
    Q_OBJECT
    EscritorioPrueba *escritorio_ = nullptr;
    std::unique_ptr<CarpetaPrueba> carpeta_;
    std::unique_ptr<Principal> principal_;

    QStringList textos() const { return escritorio_->textos(); }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        escritorio_ = EscritorioPrueba::instala(QDate(2026, 1, 1));
        carpeta_ = std::make_unique<CarpetaPrueba>();
        carpeta_->escribe(QStringLiteral("tablas.bin"),
                          tabla(7, 6, 7) + tabla(8, 5, 10) + tabla(8, 4, 4) + tabla(10, 5, 14));
        principal_ = std::make_unique<Principal>(carpeta_->ruta());
        escritorio_->mensajes.clear();
    }

    void cleanup()
    {
        principal_.reset();
        carpeta_.reset();
        Escritorio::sustituye(nullptr);
        QLocale::setDefault(QLocale::c());
    }

    void sencillaDesdeElAsistente()
    {
        pulsa(&crear(*principal_), "Command4");
        auto *menu = ventana<Creamenu>("Creamenu");
        QVERIFY(menu);
        QCOMPARE(menu->windowTitle(), u("Menú creación"));
        QVERIFY(!control<QComboBox>(menu, QStringLiteral("Combo1"))->isVisible());
        auto *reloj = control<QTimer>(menu, QStringLiteral("Timer1"));
        QCOMPARE(reloj->interval(), 500);
        for (int i = 0; i < 17; ++i)
            QMetaObject::invokeMethod(reloj, "timeout");
        QVERIFY(control<QLabel>(menu, QStringLiteral("Label1_16"))->isVisible());
        QVERIFY(!control<QLabel>(menu, QStringLiteral("Label1_17"))->isVisible());
        QMetaObject::invokeMethod(reloj, "timeout");
        QVERIFY(control<QLabel>(menu, QStringLiteral("Label1_17"))->isVisible());
        QVERIFY(!reloj->isActive());

        QTest::mouseClick(control<QRadioButton>(menu, QStringLiteral("Option1_1")), Qt::LeftButton);
        QCOMPARE(principal_->sesion().modocrea(), 0);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QVERIFY(!ventana<Creamenu>("Creamenu"));
        QCOMPARE(crea->windowTitle(), u("Crear peña nueva..."));
        QCOMPARE(control<QLabel>(crea, QStringLiteral("instruccion"))->text(),
                 u("INTRODUZCA EL NOMBRE Y 6 NÚMEROS:"));
        QVERIFY(control<QRadioButton>(crea, QStringLiteral("Option3"))->isChecked());
        QVERIFY(!control<QPushButton>(crea, QStringLiteral("Command1"))->isEnabled());

        pulsaNumeros(crea, {30, 3, 41, 11, 25});
        QVERIFY(control<Casilla>(crea, QStringLiteral("Image1_29"))->marcada());
        pulsaNumeros(crea, {17});
        QVERIFY(!control<Casilla>(crea, QStringLiteral("Image1_29"))->marcada());
        QCOMPARE(filas(control<QAbstractItemView>(crea, QStringLiteral("ListView5"))),
                 QStringList{QStringLiteral(" 3-11-17-25-30-41")});
        QCOMPARE(principal_->sesion().numapuestas(), 1);

        auto *nombre = control<QLineEdit>(crea, QStringLiteral("Text1"));
        teclea(nombre, u("peña del bar"));
        QCOMPARE(nombre->text(), u("PEÑA DEL BAR"));
        QTest::mouseClick(control<QRadioButton>(crea, QStringLiteral("Option1")), Qt::LeftButton);
        pulsa(crea, "Command1");
        QVERIFY(textos().isEmpty());
        QCOMPARE(principal_->sesion().penagrabada(), 1);
        // From the wizard the editor stays open for another syndicate of the same kind.
        QVERIFY(crea->isVisible());
        QVERIFY(nombre->text().isEmpty());
        QCOMPARE(principal_->sesion().numapuestas(), 0);

        ArchivoPenas enDisco(carpeta_->archivo(QStringLiteral("apuestas.dat")));
        enDisco.abre();
        QCOMPARE(enDisco.cuenta(), 1);
        const Pena &p = enDisco.lee(1);
        const qint16 esperado[6] = {3, 11, 17, 25, 30, 41};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(p.numero(1, i + 1), esperado[i]);
        QCOMPARE(p.tipo, qint16(1));
        QCOMPARE(p.nombreTexto(), u("PEÑA DEL BAR        "));
        QCOMPARE(p.diasTexto().trimmed(), QStringLiteral("Jueves"));
        QCOMPARE(fechas::dia(p.creacion), QDate(2026, 1, 1));

        pulsa(crea, "Label5");
        QVERIFY(!ventana<Crea>("Crea"));
        principal_->Form_Activate();
        QCOMPARE(principal_->sesion().penagrabada(), 0);
        QCOMPARE(principal_->sesion().penas().cuenta(), 1);
    }

    // A bet entered twice is told on saving; the user may keep it.
    void unaApuestaRepetidaSeDiceAlGrabar()
    {
        principal_->abreCrea();
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        pulsaNumeros(crea, {1, 2, 3, 4, 5, 6});
        pulsaNumeros(crea, {7, 8, 9, 10, 11, 12});
        pulsaNumeros(crea, {6, 5, 4, 3, 2, 1});
        teclea(control<QLineEdit>(crea, QStringLiteral("Text1")), u("oficina"));
        escritorio_->respuestas = {false};
        pulsa(crea, "Command1");
        QCOMPARE(escritorio_->mensajes.size(), 1);
        QCOMPARE(escritorio_->mensajes[0].titulo, u("Apuestas repetidas"));
        QVERIFY2(escritorio_->mensajes[0].texto.startsWith(
                     u("La apuesta 3 es igual que la 1 (1-2-3-4-5-6).")),
                 qPrintable(escritorio_->mensajes[0].texto));
        QCOMPARE(principal_->sesion().penas().cuenta(), 0);
        escritorio_->respuestas = {true};
        pulsa(crea, "Command1");
        QCOMPARE(principal_->sesion().penas().cuenta(), 1);
        QCOMPARE(principal_->sesion().penas().lee(1).tipo, qint16(3));
    }

    void multipleDeCincoDesdeElAsistente()
    {
        principal_->findChild<QAction *>(QStringLiteral("Crearp"))->trigger();
        auto *menu = ventana<Creamenu>("Creamenu");
        QVERIFY(menu);
        QTest::mouseClick(control<QRadioButton>(menu, QStringLiteral("Option1_0")), Qt::LeftButton);
        auto *lista = control<QComboBox>(menu, QStringLiteral("Combo1"));
        QVERIFY(lista->isVisible());
        QCOMPARE(lista->currentText(), u("Seleccione Múltiple"));
        QCOMPARE(lista->count(), 6);
        QCOMPARE(lista->itemText(0), u("7 números (7 apuestas)"));
        QCOMPARE(lista->itemText(2), u("5 números (44 apuestas)"));
        QCOMPARE(lista->itemText(5), u("11 números (462 apuestas)"));
        lista->setCurrentIndex(2);
        QCOMPARE(principal_->sesion().modocrea(), 3);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QCOMPARE(control<QLabel>(crea, QStringLiteral("instruccion"))->text(),
                 u("INTRODUZCA EL NOMBRE Y 5 NÚMEROS:"));
        pulsaNumeros(crea, {49, 1, 20, 13, 8});
        pulsaNumeros(crea, {2});
        QCOMPARE(textos(), QStringList{u("¡¡ Oficialmente sólo se admite una combinación por "
                                         "boleto cuando juegas a múltiples !! ")});
        QCOMPARE(escritorio_->mensajes.first().titulo, QStringLiteral("Error"));
        QVERIFY(control<QPushButton>(crea, QStringLiteral("Command1"))->isEnabled());
        escritorio_->mensajes.clear();

        // Saving without a name locks the grid until "Grabar" is pressed again.
        pulsa(crea, "Command1");
        QCOMPARE(textos(), QStringList{u("¡¡¡No ha escrito el nombre de la peña!!!")});
        QCOMPARE(escritorio_->mensajes.first().icono, Escritorio::Icono::Exclamacion);
        pulsaNumeros(crea, {30});
        QCOMPARE(textos().last(),
                 u("Sólo tienes que poner un nombre. No puedes añadir más números."));
        QTest::keyClicks(control<QLineEdit>(crea, QStringLiteral("Text1")),
                         QStringLiteral("CINCO"));
        pulsa(crea, "Command1");
        QCOMPARE(principal_->sesion().penas().cuenta(), 1);
        QCOMPARE(principal_->sesion().penas().lee(1).tipo, qint16(503));
        QCOMPARE(principal_->sesion().penas().lee(1).numero(1, 5), qint16(49));
    }

    void reducidaDesdeElAsistente()
    {
        pulsa(&crear(*principal_), "Command4");
        auto *menu = ventana<Creamenu>("Creamenu");
        QTest::mouseClick(control<QRadioButton>(menu, QStringLiteral("Option1_2")), Qt::LeftButton);
        auto *lista = control<QComboBox>(menu, QStringLiteral("Combo1"));
        QCOMPARE(lista->currentText(), u("Seleccione Reducción"));
        QCOMPARE(lista->count(), 4);
        QCOMPARE(lista->itemText(0), u("7 números al 6, 7 apuestas."));
        QCOMPARE(lista->itemText(3), u("10 números al 5, 14 apuestas."));
        lista->setCurrentIndex(3);
        QCOMPARE(principal_->sesion().modocrea(), 7);
        QCOMPARE(principal_->sesion().tablasel(), 3);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        pulsaNumeros(crea, {45, 2, 39, 17, 8, 23, 31, 12, 5, 27});
        QCOMPARE(filas(control<QAbstractItemView>(crea, QStringLiteral("ListView5"))),
                 QStringList{QStringLiteral(" 2- 5- 8-12-17-23-27-31-39-45")});
        pulsaNumeros(crea, {40});
        QCOMPARE(textos(),
                 QStringList{u("¡¡ Sólo puedes poner 10 números en este tipo de reducida !! ")});
        QTest::keyClicks(control<QLineEdit>(crea, QStringLiteral("Text1")), QStringLiteral("diez"));
        pulsa(crea, "Command1");
        const Pena &p = principal_->sesion().penas().lee(1);
        QCOMPARE(p.tipo, qint16(14));
        QCOMPARE(p.tablaN, qint16(10));
        QCOMPARE(p.tablaG, qint16(5));
        QCOMPARE(p.elegidos[9], qint16(45));
        // The first combinations of 1..10: 1-2-3-4-5-6, 1-2-3-4-5-7, ... over the chosen numbers.
        QCOMPARE(p.numero(1, 6), qint16(23));
        QCOMPARE(p.numero(2, 6), qint16(27));
        QCOMPARE(p.numero(14, 1), qint16(2));
        QCOMPARE(p.numero(15, 1), qint16(0));
    }

    void tablasYCifrasDeLaPestanaCrear()
    {
        auto *rango = control<QLabel>(principal_.get(), QStringLiteral("Label51"));
        QCOMPARE(rango->text(), u("El archivo de tablas reducidas no es válido."));
        control<QTabWidget>(principal_.get(), QStringLiteral("SSTab1"))->setCurrentIndex(4);
        QCOMPARE(rango->text(), u("(Para crear reducidas, se han de elegir entre 7 y 10 números)"));
        auto *combo = control<QComboBox>(&crear(*principal_), QStringLiteral("Combo1"));
        QCOMPARE(combo->currentText(), u("No hay tablas reducidas de 0 nºs."));

        crear(*principal_).listatablas(9);
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->currentText(), u("No hay tablas reducidas de 9 nºs."));
        QVERIFY(!control<QWidget>(principal_.get(), QStringLiteral("Image3_0"))->isEnabled());

        crear(*principal_).listatablas(8);
        QCOMPARE(combo->currentText(), QStringLiteral("Tablas disponibles"));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(crear(*principal_).indicetablas(), std::vector<int>({1, 2}));
        QVERIFY(control<QWidget>(principal_.get(), QStringLiteral("Image3_0"))->isEnabled());
        combo->setCurrentIndex(1);
        QCOMPARE(principal_->sesion().tablasel(), 2);
        QCOMPARE(principal_->sesion().modocrea(), 7);
        QCOMPARE(principal_->sesion().numordenador(), 1);
        QVERIFY(!control<QGroupBox>(principal_.get(), QStringLiteral("Frame10"))->isHidden());
        QVERIFY(control<QGroupBox>(principal_.get(), QStringLiteral("Frame9"))->isHidden());
        QCOMPARE(control<QLabel>(principal_.get(), QStringLiteral("Label48"))->text(),
                 u("4 aciertos."));

        crear(*principal_).listatablas(10);
        combo->setCurrentIndex(0);
        QCOMPARE(control<QLabel>(principal_.get(), QStringLiteral("Label47"))->text(),
                 QStringLiteral("6,67%"));
        QCOMPARE(control<QLabel>(principal_.get(), QStringLiteral("Label50"))->text(),
                 QStringLiteral("210 apuestas."));
        QCOMPARE(control<QLabel>(principal_.get(), QStringLiteral("Label43"))->text(),
                 u("Si entre los 10 números seleccionados, se encuentran los 6 ganadores:"));
        QCOMPARE(control<QLabel>(principal_.get(), QStringLiteral("Label49"))->text(),
                 u("Jugar a 10 números sin reducir, tendría que rellenar:"));

        // The reduced button opens the editor with the computer's numbers already in place.
        QTest::mouseClick(control<QWidget>(principal_.get(), QStringLiteral("Image3_0")),
                          Qt::LeftButton);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QCOMPARE(filas(control<QAbstractItemView>(crea, QStringLiteral("ListView5"))),
                 QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6- 7- 8- 9-10")});
        QVERIFY(!control<QPushButton>(crea, QStringLiteral("Command3"))->isEnabled());
        QVERIFY(!control<QWidget>(principal_.get(), QStringLiteral("Image3_0"))->isEnabled());
        QTest::keyClicks(control<QLineEdit>(crea, QStringLiteral("Text1")), QStringLiteral("TAB"));
        pulsa(crea, "Command1");
        QVERIFY(!ventana<Crea>("Crea")); // from the tab the editor closes after saving
        QCOMPARE(principal_->sesion().penas().lee(1).tipo, qint16(14));
    }

    void reducidaSinTablaElegida()
    {
        crear(*principal_).listatablas(8);
        QTest::mouseClick(control<QWidget>(principal_.get(), QStringLiteral("Image3_0")),
                          Qt::LeftButton);
        QCOMPARE(textos(),
                 QStringList{u("Elija primero una tabla de reducidas en el menú desplegable.")});
        QCOMPARE(escritorio_->mensajes.first().titulo, u("No tan deprisa!"));
        QVERIFY(!ventana<Crea>("Crea"));
        QVERIFY(control<QWidget>(principal_.get(), QStringLiteral("Image3_0"))->isEnabled());
    }

    void editarPenaReducida()
    {
        Pena reducida;
        reducida.ponNombre(QStringLiteral("REDUCIDA"));
        reducida.ponDias(QStringLiteral("Jueves"));
        reducida.tablaN = 7;
        reducida.tablaG = 6;
        reducida.tipo = 3;
        const int apuestas[3][6] = {{1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 7}, {2, 3, 4, 5, 6, 7}};
        for (int b = 0; b < 3; ++b)
            for (int i = 0; i < 6; ++i)
                reducida.numero(b + 1, i + 1) = static_cast<qint16>(apuestas[b][i] * 5);
        reducida.creacion = fechas::serial(QDate(2025, 12, 1));
        QCOMPARE(principal_->sesion().penas().escribe(1, reducida), Escritura::Hecha);
        // As after any change of the syndicate file: the summary enables the syndicate buttons.
        principal_->sesion().recuenta();

        principal_->sesion().ponPenasel(0);
        pulsa(&gestor(*principal_), "Command7");
        QCOMPARE(textos(), QStringList{u("Seleccione una peña primero...")});
        QCOMPARE(escritorio_->mensajes.first().titulo, u("¡Nooooo!"));
        QVERIFY(!ventana<Crea>("Crea"));
        escritorio_->mensajes.clear();

        principal_->sesion().ponPenasel(1);
        pulsa(&gestor(*principal_), "Command7");
        QCOMPARE(textos(), QStringList{u("Si modifica algún número de esta peña, dejará de ser "
                                         "Reducida y pasará a ser de apuestas sencillas.")});
        QCOMPARE(escritorio_->mensajes.first().titulo, u("Atención!"));
        escritorio_->mensajes.clear();
        QCOMPARE(principal_->sesion().editando(), 1);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QVERIFY(!control<QPushButton>(crea, QStringLiteral("Command1"))->isVisible());
        QVERIFY(!control<QPushButton>(crea, QStringLiteral("Command2"))->isVisible());
        QVERIFY(control<QPushButton>(crea, QStringLiteral("Command5"))->isVisible());
        QVERIFY(control<QRadioButton>(crea, QStringLiteral("Option1"))->isChecked());
        QCOMPARE(control<QLineEdit>(crea, QStringLiteral("Text1"))->text(),
                 QStringLiteral("REDUCIDA"));
        auto *navegador = control<QScrollBar>(crea, QStringLiteral("HScroll1"));
        QCOMPARE(navegador->maximum(), 3);
        QVERIFY(control<Casilla>(crea, QStringLiteral("Image1_4"))->marcada());
        QVERIFY(!control<QPushButton>(crea, QStringLiteral("Command4"))->isEnabled());

        pulsaNumeros(crea, {30});
        pulsa(crea, "Label5");
        QCOMPARE(textos(), QStringList{u("¡¡ 5 números !!. Por favor, rectifica la apuesta. Ha "
                                         "de ser de 6 números")});
        QVERIFY(ventana<Crea>("Crea"));
        navegador->setValue(2);
        QCOMPARE(navegador->value(), 1);
        QCOMPARE(textos().last(), u("¡¡ Faltan números !!. Por favor, completa la apuesta."));
        QCOMPARE(principal_->sesion().penas().lee(1).tablaN, qint16(7)); // nothing written yet

        pulsaNumeros(crea, {49});
        const Pena editada = principal_->sesion().penas().lee(1);
        QCOMPARE(editada.tablaN, qint16(0));
        QCOMPARE(editada.numero(1, 6), qint16(49));
        QCOMPARE(editada.numero(2, 6), qint16(35));
        QCOMPARE(editada.tipo, qint16(3));

        navegador->setValue(3);
        QCOMPARE(control<QLineEdit>(crea, QStringLiteral("Text2"))->text(), QStringLiteral("3"));
        QCOMPARE(filas(control<QAbstractItemView>(crea, QStringLiteral("ListView5"))),
                 QStringList{QStringLiteral("10-15-20-25-30-35")});
        QVERIFY(control<QPushButton>(crea, QStringLiteral("Command4"))->isEnabled());
        QTest::mouseClick(control<QRadioButton>(crea, QStringLiteral("Option7")), Qt::LeftButton);
        QCOMPARE(principal_->sesion().penas().lee(1).diasTexto().trimmed(), u("Todos los días"));
        QVERIFY(!control<QRadioButton>(crea, QStringLiteral("Option1"))->isChecked());
        QTest::mouseClick(control<QRadioButton>(crea, QStringLiteral("Option5")), Qt::LeftButton);
        QCOMPARE(principal_->sesion().penas().lee(1).diasTexto().trimmed(), u("Lunes y Jueves"));
        QVERIFY(!control<QRadioButton>(crea, QStringLiteral("Option7"))->isChecked());
        QTest::mouseClick(control<QRadioButton>(crea, QStringLiteral("Option2")), Qt::LeftButton);
        QCOMPARE(principal_->sesion().penas().lee(1).diasTexto().trimmed(), u("Sábado"));

        principal_->Form_Activate();
        QVERIFY(!ventana<Crea>("Crea"));
        QCOMPARE(principal_->sesion().editando(), 0);
        QCOMPARE(principal_->sesion().penagrabada(), 0);
        ArchivoPenas enDisco(carpeta_->archivo(QStringLiteral("apuestas.dat")));
        enDisco.abre();
        QCOMPARE(enDisco.lee(1), principal_->sesion().penas().lee(1));
    }

    void nombreDeMasDeVeinteLetrasYCaracteresAjenos()
    {
        pulsa(&crear(*principal_), "Command4");
        QTest::mouseClick(
            control<QRadioButton>(ventana<Creamenu>("Creamenu"), QStringLiteral("Option1_1")),
            Qt::LeftButton);
        auto *crea = ventana<Crea>("Crea");
        auto *nombre = control<QLineEdit>(crea, QStringLiteral("Text1"));
        QTest::keyClicks(nombre, QStringLiteral("abcdefghijklmnopqrst"));
        QVERIFY(textos().isEmpty());
        QTest::keyClicks(nombre, QStringLiteral("u"));
        QCOMPARE(textos(), QStringList{u("¡¡¡El nombre no puede tener más de 20 letras!!!")});
        QCOMPARE(escritorio_->mensajes.first().icono, Escritorio::Icono::Exclamacion);
        QCOMPARE(nombre->text(), QStringLiteral("AYYYYYY!!"));

        nombre->clear();
        QTest::keyClicks(nombre, QStringLiteral("ABC"));
        teclea(nombre, u("☘"));
        QCOMPARE(nombre->text(), QStringLiteral("ABC"));
        QVERIFY(textos().last().contains(u("«☘»")));
    }

    void laRejillaSeDibujaNitida()
    {
        const QImage vacia = Casilla::dibujo(7, false, QSize(38, 30), 1.0);
        const QImage marcada = Casilla::dibujo(7, true, QSize(38, 30), 1.0);
        const QImage doble = Casilla::dibujo(7, true, QSize(38, 30), 2.0);
        QCOMPARE(vacia.size(), QSize(38, 30));
        QCOMPARE(doble.size(), QSize(76, 60)); // drawn at the screen's own resolution
        QVERIFY(vacia != marcada);
        // The cross passes near the corners of the cell, where the empty cell is plain white.
        const QColor esquina = marcada.pixelColor(10, 8);
        QVERIFY(esquina.blue() > esquina.red());
        QCOMPARE(vacia.pixelColor(10, 8), QColor(Qt::white));
        const QColor esquinaDoble = doble.pixelColor(20, 16);
        QVERIFY(esquinaDoble.blue() > esquinaDoble.red());
    }

    void conLaVentanaPrincipalVisible()
    {
        principal_->show();
        QVERIFY(QTest::qWaitForWindowActive(principal_.get()));
        QTRY_COMPARE(principal_->activaciones(), 1);
        pulsa(&crear(*principal_), "Command4");
        QTest::qWait(50);
        QVERIFY(ventana<Creamenu>("Creamenu"));
        QTest::mouseClick(
            control<QRadioButton>(ventana<Creamenu>("Creamenu"), QStringLiteral("Option1_1")),
            Qt::LeftButton);
        QTest::qWait(50);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QVERIFY(QTest::qWaitForWindowActive(crea));
        QVERIFY(!ventana<Creamenu>("Creamenu"));
        pulsaNumeros(crea, {1, 2, 3, 4, 5, 6});
        QTest::keyClicks(control<QLineEdit>(crea, QStringLiteral("Text1")), QStringLiteral("VIVA"));
        pulsa(crea, "Command1");
        QTest::qWait(50);
        QVERIFY(ventana<Crea>("Crea"));
        principal_->activateWindow();
        QTRY_VERIFY(!ventana<Crea>("Crea"));
        QCOMPARE(principal_->sesion().penagrabada(), 0);
        QCOMPARE(principal_->sesion().penas().cuenta(), 1);
    }

    void elEditorDevuelveAUnoLosSorteosAComprobar()
    {
        std::vector<Sorteo> sorteos;
        for (int i = 0; i < 30; ++i)
            sorteos.push_back(sorteoDe(QDate(2025, 6, 5).addDays(7 * i)));
        carpeta_->escribeSorteos(sorteos);
        principal_ = std::make_unique<Principal>(carpeta_->ruta());
        auto *aComprobar =
            control<QScrollBar>(&resultados(*principal_), QStringLiteral("HScroll1"));
        aComprobar->setValue(25);
        principal_->sesion().ponModocrea(0);
        principal_->abreCrea();
        QCOMPARE(aComprobar->value(), 1);
        principal_->cierraCrea();
        aComprobar->setValue(20);
        principal_->abreCrea();
        QCOMPARE(aComprobar->value(), 20);
    }

    // The bet lines are digits and dashes in columns: they only line up in a fixed-pitch font.
    void lasApuestasDelEditorVanEnLetraDeAnchoFijo()
    {
        pulsa(&crear(*principal_), "Command4");
        QTest::mouseClick(
            control<QRadioButton>(ventana<Creamenu>("Creamenu"), QStringLiteral("Option1_1")),
            Qt::LeftButton);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        pulsaNumeros(crea, {7, 14, 21, 28, 35, 42});
        const QAbstractItemModel *modelo =
            control<QAbstractItemView>(crea, QStringLiteral("ListView5"))->model();
        QCOMPARE(modelo->rowCount(), 1);
        const QVariant letra = modelo->index(0, 0).data(Qt::FontRole);
        QVERIFY(letra.canConvert<QFont>());
        const QFont f = letra.value<QFont>();
        QVERIFY2(f.styleHint() == QFont::TypeWriter || f.family() == QLatin1String("monospace"),
                 qPrintable(f.toString()));
    }

    // A click on the main window keeps typed bets: the editor stays until they are saved.
    void laActivacionNoTiraLasApuestasTecleadas()
    {
        pulsa(&crear(*principal_), "Command4");
        QTest::mouseClick(
            control<QRadioButton>(ventana<Creamenu>("Creamenu"), QStringLiteral("Option1_1")),
            Qt::LeftButton);
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QCOMPARE(crea->focusWidget(), control<QLineEdit>(crea, QStringLiteral("Text1")));
        pulsaNumeros(crea, {1, 2, 3});
        principal_->Form_Activate();
        QCOMPARE(ventana<Crea>("Crea"), crea);
        pulsaNumeros(crea, {4, 5, 6});
        principal_->Form_Activate();
        QCOMPARE(ventana<Crea>("Crea"), crea);
        QCOMPARE(filas(control<QAbstractItemView>(crea, QStringLiteral("ListView5"))),
                 QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6")});

        teclea(control<QLineEdit>(crea, QStringLiteral("Text1")), u("guardada"));
        pulsa(crea, "Command1");
        QCOMPARE(principal_->sesion().penas().cuenta(), 1);
        // The editor says so, and the main window counts it at once.
        QCOMPARE(control<QLabel>(crea, QStringLiteral("guardada"))->text(),
                 u("La peña «GUARDADA» se ha guardado."));
        QCOMPARE(control<QLabel>(principal_.get(), QStringLiteral("Label9_2"))->text(),
                 QStringLiteral("1"));
        principal_->Form_Activate(); // nothing pending any more: it closes as before
        QVERIFY(!ventana<Crea>("Crea"));
    }

    void laActivacionAlAbrirNoCierraElEditor()
    {
        pulsa(&crear(*principal_), "Command4");
        QTest::mouseClick(
            control<QRadioButton>(ventana<Creamenu>("Creamenu"), QStringLiteral("Option1_1")),
            Qt::LeftButton);
        QVERIFY(ventana<Crea>("Crea"));
        // The window system may hand the activation back to the main window before the new
        // editor gets it (a message box or the wizard closing): that is no return of the user.
        QEvent activacion(QEvent::WindowActivate);
        QApplication::sendEvent(principal_.get(), &activacion);
        QVERIFY(ventana<Crea>("Crea"));
        QEvent editorActivo(QEvent::WindowActivate);
        QApplication::sendEvent(ventana<Crea>("Crea"), &editorActivo);
        QApplication::sendEvent(principal_.get(), &activacion);
        QVERIFY(!ventana<Crea>("Crea"));
    }

    // A whole syndicate without the mouse: the name, Enter to the grid, each number typed and
    // confirmed with Space or Enter, Tab to "Grabar" and Space.
    void unaPenaConElTecladoSolo()
    {
        Sesion &sesion = principal_->sesion();
        sesion.ponModocrea(0);
        principal_->abreCrea();
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        auto *nombre = control<QLineEdit>(crea, QStringLiteral("Text1"));
        auto *grabar = control<QPushButton>(crea, QStringLiteral("Command1"));
        auto *lista = control<QAbstractItemView>(crea, QStringLiteral("ListView5"));
        auto *tecleado = control<QLabel>(crea, QStringLiteral("numeroTecleado"));
        QCOMPARE(crea->focusWidget(), nombre);
        QTest::keyClicks(nombre, QStringLiteral("oficina"));
        QTest::keyClick(nombre, Qt::Key_Return);
        QCOMPARE(crea->focusWidget(), control<QWidget>(crea, QStringLiteral("Image1_0")));

        tecleaEnFoco(crea, QStringLiteral("30 3\n41 11"));
        QCOMPARE(tecleado->text(), u("Número tecleado: 11"));
        tecleaEnFoco(crea, QStringLiteral(" 25 "));
        // The focus follows the typed numbers, and the digits go with it to the next one.
        QCOMPARE(crea->focusWidget(), control<QWidget>(crea, QStringLiteral("Image1_24")));
        QVERIFY(control<Casilla>(crea, QStringLiteral("Image1_24"))->marcada());
        QVERIFY(!grabar->isEnabled());
        tecleaEnFoco(crea, QStringLiteral("17\n"));
        QCOMPARE(filas(lista), QStringList{QStringLiteral(" 3-11-17-25-30-41")});
        QVERIFY(grabar->isEnabled());

        // Out of the grid: nothing is marked and nothing is asked.
        for (const QString &fuera :
             {QStringLiteral("50 "), QStringLiteral("0\n"), QStringLiteral("00 ")}) {
            tecleaEnFoco(crea, fuera);
            QVERIFY2(tecleado->text().contains(u("no está en el boleto")), qPrintable(fuera));
        }
        QVERIFY(textos().isEmpty());
        QCOMPARE(filas(lista).size(), 1);
        // Typed twice, a number is unmarked; "Grabar" follows the complete bets throughout.
        tecleaEnFoco(crea, QStringLiteral("7 7 "));
        QVERIFY(!control<Casilla>(crea, QStringLiteral("Image1_6"))->marcada());
        QVERIFY(grabar->isEnabled());
        tecleaEnFoco(crea, QStringLiteral("9 "));
        QVERIFY(!grabar->isEnabled());
        tecleaEnFoco(crea, QStringLiteral("9\n"));
        QVERIFY(grabar->isEnabled());
        // Backspace takes back a digit; Space with no digits still presses the cell in focus.
        tecleaEnFoco(crea, QStringLiteral("45<6 1 2 3 "));
        QCOMPARE(crea->focusWidget(), control<QWidget>(crea, QStringLiteral("Image1_2")));
        QTest::keyClick(crea->focusWidget(), Qt::Key_Tab);
        tecleaEnFoco(crea, QStringLiteral(" 5\n"));
        QCOMPARE(filas(lista), (QStringList{QStringLiteral(" 3-11-17-25-30-41"),
                                            QStringLiteral(" 1- 2- 3- 4- 5-46")}));
        QVERIFY(textos().isEmpty());
        QCOMPARE(sesion.penas().cuenta(), 0);

        for (int i = 0; i < 100 && crea->focusWidget() != grabar; ++i)
            QTest::keyClick(crea->focusWidget(), Qt::Key_Tab);
        QCOMPARE(crea->focusWidget(), grabar);
        QTest::keyClick(grabar, Qt::Key_Space);
        QVERIFY(textos().isEmpty());
        QCOMPARE(sesion.penas().cuenta(), 1);
        const Pena p = sesion.penas().lee(1);
        QCOMPARE(p.nombreTexto().trimmed(), QStringLiteral("OFICINA"));
        QCOMPARE(p.tipo, qint16(2));
        QCOMPARE(p.diasTexto().trimmed(), u("Jueves y Sábado"));
        const qint16 esperado[2][6] = {{3, 11, 17, 25, 30, 41}, {1, 2, 3, 4, 5, 46}};
        for (int b = 0; b < 2; ++b)
            for (int i = 0; i < 6; ++i)
                QCOMPARE(p.numero(b + 1, i + 1), esperado[b][i]);
    }

    // Escape closes the editor as its "X" does: at once when nothing would be lost, after a
    // question when typed bets are not saved, never with a bet half changed in edit mode.
    void escapeCierraElEditor()
    {
        Sesion &sesion = principal_->sesion();
        sesion.ponModocrea(0);
        principal_->abreCrea();
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QTest::keyClick(control<QLineEdit>(crea, QStringLiteral("Text1")), Qt::Key_Escape);
        QVERIFY(!ventana<Crea>("Crea"));
        QVERIFY(textos().isEmpty());

        principal_->abreCrea();
        crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        QTest::keyClick(control<QLineEdit>(crea, QStringLiteral("Text1")), Qt::Key_Return);
        tecleaEnFoco(crea, QStringLiteral("1 2 3 4 5 6 8 1"));
        // The first Escape only drops the digits being typed.
        QTest::keyClick(crea->focusWidget(), Qt::Key_Escape);
        QVERIFY(ventana<Crea>("Crea"));
        QVERIFY(textos().isEmpty());
        QCOMPARE(control<QLabel>(crea, QStringLiteral("numeroTecleado"))->text(),
                 u("Teclee un número y pulse Intro."));

        escritorio_->respuestas = {false};
        QTest::keyClick(crea->focusWidget(), Qt::Key_Escape);
        QCOMPARE(escritorio_->mensajes.size(), 1);
        const EscritorioPrueba::Mensaje pregunta = escritorio_->mensajes.first();
        QVERIFY(pregunta.pregunta);
        QVERIFY(pregunta.peligrosa); // Enter in the question keeps the bets
        QCOMPARE(pregunta.titulo, u("Apuestas sin grabar"));
        QCOMPARE(ventana<Crea>("Crea"), crea);
        QCOMPARE(filas(control<QAbstractItemView>(crea, QStringLiteral("ListView5"))),
                 QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6")});
        QVERIFY(control<Casilla>(crea, QStringLiteral("Image1_7"))->marcada());
        // The "X" asks the very same question; "Sí" closes without writing anything.
        pulsa(crea, "Label5");
        QCOMPARE(escritorio_->mensajes.size(), 2);
        QCOMPARE(escritorio_->mensajes.last().texto, pregunta.texto);
        QVERIFY(!ventana<Crea>("Crea"));
        QCOMPARE(sesion.penas().cuenta(), 0);
        QCOMPARE(sesion.numapuestas(), 0);
        escritorio_->mensajes.clear();

        QCOMPARE(sesion.guardaPena(1, penaDe(QStringLiteral("EDITADA"), QStringLiteral("Jueves"),
                                             QDate(2025, 12, 1))),
                 Escritura::Hecha);
        sesion.recuenta();
        sesion.ponPenasel(1);
        pulsa(&gestor(*principal_), "Command7");
        crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        control<QWidget>(crea, QStringLiteral("Image1_0"))->setFocus();
        const int primero = sesion.penas().lee(1).numero(1, 1);
        tecleaEnFoco(crea, QString::number(primero) + QLatin1Char(' '));
        QTest::keyClick(crea->focusWidget(), Qt::Key_Escape);
        QCOMPARE(textos(), QStringList{u("¡¡ 5 números !!. Por favor, rectifica la apuesta. Ha "
                                         "de ser de 6 números")});
        QCOMPARE(ventana<Crea>("Crea"), crea);
        tecleaEnFoco(crea, QString::number(primero) + QLatin1Char('\n'));
        QTest::keyClick(crea->focusWidget(), Qt::Key_Escape);
        QVERIFY(!ventana<Crea>("Crea"));
        QCOMPARE(textos().size(), 1);
    }

    // A syndicate that has played for years: every draw since its first day counts for it.
    void juegaDesdeUnDiaPasado()
    {
        std::vector<Sorteo> sorteos;
        for (QDate jueves(2024, 12, 5); jueves < QDate(2026, 1, 1); jueves = jueves.addDays(7)) {
            sorteos.push_back(sorteoDe(jueves));
            sorteos.push_back(sorteoDe(jueves.addDays(2)));
        }
        carpeta_->escribeSorteos(sorteos);
        principal_ = std::make_unique<Principal>(carpeta_->ruta());
        Sesion &sesion = principal_->sesion();
        sesion.ponModocrea(0);
        principal_->abreCrea();
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        auto *desde = control<QDateEdit>(crea, QStringLiteral("juegaDesde"));
        QLabel *rotulo = nullptr;
        for (QLabel *l : crea->findChildren<QLabel *>())
            if (l->buddy() == desde)
                rotulo = l;
        QVERIFY(rotulo && rotulo->isVisible());
        QCOMPARE(rotulo->text(), QStringLiteral("Juega desde:"));
        QCOMPARE(desde->displayFormat(), QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(desde->date(), QDate(2026, 1, 1));
        QCOMPARE(desde->minimumDate(), QDate(1985, 10, 17));
        QCOMPARE(desde->maximumDate(), QDate(2026, 1, 1));

        // Typed and not confirmed, then the bets and the name: "Grabar" takes the day shown.
        desde->setCurrentSection(QDateTimeEdit::DaySection);
        desde->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(desde, QStringLiteral("01012025"));
        QCOMPARE(desde->text(), QStringLiteral("01/01/2025"));
        pulsaNumeros(crea, {1, 2, 3, 4, 5, 6});
        QTest::keyClicks(control<QLineEdit>(crea, QStringLiteral("Text1")),
                         QStringLiteral("ANTIGUA"));
        pulsa(crea, "Command1");
        QVERIFY(textos().isEmpty());
        QCOMPARE(sesion.penas().cuenta(), 1);
        const Pena p = sesion.penas().lee(1);
        QCOMPARE(p.creacion, fechas::serial(QDate(2025, 1, 1)));
        int desdeEntonces = 0;
        for (const Sorteo &s : sesion.sorteos().sorteos()) {
            const bool despues = fechas::dia(s.fecha) >= QDate(2025, 1, 1);
            QCOMPARE(p.juega(s.fecha), despues);
            desdeEntonces += despues ? 1 : 0;
        }
        QCOMPARE(desdeEntonces, 104);
        QCOMPARE(sesion.sorteosjugados(), desdeEntonces);
        QCOMPARE(desde->date(), QDate(2026, 1, 1)); // the next one starts today
    }

    // An existing syndicate moved back keeps its counters and its members.
    void juegaDesdeDeUnaPenaQueYaJugaba()
    {
        Sesion &sesion = principal_->sesion();
        Pena p = penaDe(QStringLiteral("VETERANA"), QStringLiteral("Jueves"), QDate(2025, 12, 1));
        p.creacion += 0.75;
        p.premios = {3, 1, 0, 0, 0};
        p.contado = fechas::serial(QDate(2025, 12, 25));
        QCOMPARE(sesion.guardaPena(1, p), Escritura::Hecha);
        SociosPena socios = SociosPena::de(p);
        socios.socios = {{QStringLiteral("ANA"), 2}, {QStringLiteral("LUIS"), 1}};
        QCOMPARE(sesion.guardaSocios(socios), Escritura::Hecha);

        sesion.ponPenasel(1);
        pulsa(&gestor(*principal_), "Command7");
        auto *crea = ventana<Crea>("Crea");
        QVERIFY(crea);
        auto *desde = control<QDateEdit>(crea, QStringLiteral("juegaDesde"));
        QCOMPARE(desde->date(), QDate(2025, 12, 1));
        desde->setDate(QDate(2019, 3, 7));
        Pena esperada = p;
        esperada.creacion = fechas::serial(QDate(2019, 3, 7));
        QCOMPARE(sesion.penas().lee(1), esperada);
        const SociosPena *siguen = sesion.socios().busca(esperada);
        QVERIFY(siguen);
        QCOMPARE(siguen->socios, socios.socios);
        QCOMPARE(sesion.socios().registros().size(), size_t(1));
    }
};

QTEST_MAIN(TstCrea)
#include "tst_crea.moc"
