#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One program at a time on a data folder. Every program rewrites whole files from what it
// read, so two on one folder undo each other's changes. The first takes a lock file in the
// folder and listens on a local socket named after the folder; a later start finds the lock,
// asks the first to show itself and goes away without touching anything.
class Instancia : public QObject {
    Q_OBJECT
public:
    enum class Resultado {
        Primera,      // this program holds the folder: it goes on
        SinCerrojo,   // no lock can be made there (a read-only folder): it goes on without one
        Avisada,      // another program holds the folder and came to the front
        SinRespuesta, // another program holds the folder and did not answer
    };

    // How long a later start waits for the first one's answer.
    static constexpr int kEspera = 3000;

    explicit Instancia(const QString &carpeta, QObject *parent = nullptr);
    ~Instancia() override;

    // Takes the folder's lock; a lock left by a program that is no longer running is taken
    // over. Holding it, clears what killed writers left behind (see restos.h). False when
    // another program holds it or no lock can be made (sinCerrojo() tells which).
    bool bloquea();
    bool sinCerrojo() const { return sinCerrojo_; }

    // The start of the program with windows: the lock and the socket, or the request to the
    // program that already holds the folder.
    Resultado arranca(int esperaMs = kEspera);

    // Asks the program that holds the folder to show itself; true once it said it did.
    bool avisa(int esperaMs = kEspera);

    QString carpeta() const { return carpeta_; }
    // The temporary files the lock's taking removed.
    const QStringList &restos() const { return restos_; }

    static QString nombreCerrojo();
    // The local socket's name: one per folder, whatever path led to it.
    static QString nombreServidor(const QString &carpeta);
    // What a start tells when the program that holds the folder does not answer.
    static QString mensajeAbierto(const QString &carpeta);

signals:
    // Another start on this folder asked this program to show itself.
    void llamada();

private:
    bool escucha();
    void atiende(QLocalSocket *socket);

    QString carpeta_;
    QLockFile cerrojo_;
    bool sinCerrojo_ = false;
    QLocalServer *servidor_ = nullptr;
    QStringList restos_;
};
