#pragma once

#include "archive/escritura.h"
#include "archive/lote.h"
#include "widgets/pestana.h"

#include <QDate>
#include <QPointer>
#include <array>
#include <optional>

class Descarga;
class Imagen;
class Infor;
class QLabel;
class QPdfDocument;
class QPdfView;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class Transferencia;

// Tab "Último sorteo": the newest draw's combination, its prize breakdown (amount and winners
// of each category) with its result PDF, and the maker's message; and the download bar above
// the tabs (its button, status, byte count and progress), with Timer1 that drives the download
// of new draws.
class PestanaUltimo : public Pestana {
    Q_OBJECT
public:
    // The result PDF: no larger one is fetched, stored or shown.
    static constexpr qint64 kMaximoPdf = 64 * 1024 * 1024;

    PestanaUltimo(Sesion &sesion, QWidget *parent = nullptr);

    // The download bar, for the main window to lay out above the tabs.
    QWidget *barra() const { return barra_; }

    void entra() override;

    // The download.
    void Picture2_Click();
    // The same download started by the program itself (the main window's timer): it tells
    // in the status line, not in message boxes, that nothing was new or that the site could
    // not be reached, tells of a refusal of the operator once a day, and leaves the tab the
    // user is in. False when it could not even try: a download is under way, or the maker's
    // message is open.
    bool bajaSola();
    bool automatica() const { return automatica_; }
    void Picture2_MouseMove(int x, int y);
    void Timer1_Timer();
    void analizasorteos(const QByteArray &pagina);
    // A source of JSON answers: one answer read into the archive (false: the download stops),
    // and the end of the answers.
    bool leeRespuesta(const QByteArray &respuesta);
    void cierraRespuestas();
    // The operator turned the program away (HTTP `codigoHttp`, 0: a web page instead of the
    // data): asks whether to open the address of the missing draws in the browser, to save it
    // and import it.
    void ofreceNavegador(int codigoHttp);
    // The prize breakdown, the result PDF and the maker's message.
    void premiosorteo(int modo);
    void bajapdf(const QString &direccion);
    void muestrapdf();
    void mensajeautor();
    void bajamensaje();
    void muestramensaje();
    void Command6_Click();
    void Text1_Click();

    Descarga *descarga() const { return descarga_; }
    Transferencia *transferenciaPdf() const { return transferenciaPdf_; }
    Transferencia *transferenciaMensaje() const { return transferenciaMensaje_; }
    Infor *ventanaInfor() const;
    const QString &textoinforme() const { return textoinforme_; }
    bool pdfbajado() const { return pdfbajado_; }
    int lectorpdf() const { return lectorpdf_; }

signals:
    // The download wants the first tab in front.
    void primeraPestana();

private:
    class VentanaDescarga;
    void empiezaBajada();
    // In a download the program started by itself, a message that would only say that
    // nothing came goes to the status line (`estado`, with the whole `texto` as its tooltip)
    // instead of a message box: true when it did.
    bool calla(const QString &estado, const QString &texto);
    void muestraEstado(const QString &texto);
    // The desktop notice of the prizes the download brought in the newest draw.
    void avisaPremios();
    void construyeBarra();
    void postdescarga();
    void abreInfor();
    void premiosServicio(int modo);
    void ponTitulos(bool servicio);
    void ponCombinacion();
    // Row k of the breakdown: its amount as shown (nothing: not known) and its winners (-1: not
    // known).
    void ponFila(int k, const std::optional<QString> &importe, qint64 ganadores);
    // The winners ganadores.dat keeps of the newest draw, in its order (Especial to Reintegro);
    // -1 where not known.
    std::array<qint64, Escrutinio::kCategorias> ganadoresUltimo() const;
    QString hostOperador() const;
    // Tells the user that `encontrados` new draws could not be stored (the archive is as it was).

    QWidget *barra_ = nullptr;
    Imagen *Picture2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label58 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QTimer *Timer1 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *combinacion_ = nullptr;
    QLabel *Label10[6] = {};
    QLabel *titulos_[6] = {};   // the captions beside Label10
    QLabel *euros_[6] = {};     // "€" after a known amount
    QLabel *ganadores_[6] = {}; // winners of each row
    QPlainTextEdit *Text1 = nullptr;
    QPdfView *WebBrowser1 = nullptr;
    QPushButton *Command6 = nullptr;

    VentanaDescarga *ventanaDescarga_ = nullptr;
    Descarga *descarga_ = nullptr;
    Transferencia *transferenciaPdf_ = nullptr;
    Transferencia *transferenciaMensaje_ = nullptr;
    QPdfDocument *documentoPdf_ = nullptr;
    QPointer<Infor> infor_;
    QByteArray mensajeViejo_; // the message file before the fetch
    QByteArray mensajeNuevo_; // and after it
    QString textoinforme_;
    bool pdfbajado_ = false;
    int lectorpdf_ = 0;
    // The last day the service download under way asks for.
    // The running download found new draws that the archive could not store.
    bool sinGuardar_ = false;
    QDate hastaServicio_;
    bool automatica_ = false; // the download under way was started by the program
    QString notaAutomatica_;  // what the status line adds once it is over
    double ultimoAntes_ = 0;  // the newest archived draw when it started
};
