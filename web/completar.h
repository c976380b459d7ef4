#pragma once

#include <QDialog>
#include <vector>

class Descarga;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class Sesion;

// "Completar importes de premios": asks the results service, a year a request and oldest
// first, for the years whose archived draws lack their prize amounts, at most one request a
// second, and keeps what comes. It can be cancelled; the next run goes on from the year it
// stopped in.
class CompletarImportes : public QDialog {
    Q_OBJECT
public:
    explicit CompletarImportes(Sesion &sesion, QWidget *parent = nullptr);
    ~CompletarImportes() override;

    // Starts asking (nothing when nothing lacks amounts, or no service is the source).
    void empieza();
    void Timer_Timer(); // one tick of the pacing timer
    void cancelar_Click();
    bool enMarcha() const;
    Descarga *descarga() const { return descarga_; }

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    class Ventana;
    void termina(bool entero);
    QString resumen() const;

    Sesion &sesion_;
    QLabel *estado_ = nullptr;
    QLabel *resumen_ = nullptr;
    QProgressBar *progreso_ = nullptr;
    QPushButton *cancelar_ = nullptr;
    QTimer *timer_ = nullptr;
    Ventana *ventana_ = nullptr;
    Descarga *descarga_ = nullptr;
    std::vector<int> anioDe_; // the year each request asks for
    int leidas_ = 0;
    int completados_ = 0;
    bool terminado_ = false; // the run under way has ended and said so
};
