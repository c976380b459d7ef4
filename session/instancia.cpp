#include "session/instancia.h"
#include "session/restos.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {
const QByteArray kPeticion = QByteArrayLiteral("Bolarium: muestra\n");
const QByteArray kRespuesta = QByteArrayLiteral("Bolarium: mostrada\n");
// Nothing a later start sends is longer; anything that is, is not one.
constexpr qint64 kMaximoPeticion = 64;

QString canonica(const QString &carpeta)
{
    const QString ruta = QFileInfo(carpeta).canonicalFilePath();
    return ruta.isEmpty() ? QDir(carpeta).absolutePath() : ruta;
}
} // namespace

Instancia::Instancia(const QString &carpeta, QObject *parent)
    : QObject(parent), carpeta_(canonica(carpeta)),
      cerrojo_(QDir(canonica(carpeta)).filePath(nombreCerrojo()))
{
    // A running program's lock must never look stale for its age: only a lock whose program
    // is gone is taken over.
    cerrojo_.setStaleLockTime(0);
}

Instancia::~Instancia()
{
    if (servidor_)
        servidor_->close();
}

QString Instancia::nombreCerrojo()
{
    return QStringLiteral(".bolarium.lock");
}

QString Instancia::nombreServidor(const QString &carpeta)
{
    const QByteArray huella =
        QCryptographicHash::hash(canonica(carpeta).toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("bolarium-") + QString::fromLatin1(huella.left(32));
}

QString Instancia::mensajeAbierto(const QString &carpeta)
{
    return QString::fromUtf8("Bolarium ya está abierto con la carpeta de datos %1, pero no ha "
                             "respondido al pedirle que se muestre. Ciérrelo antes de volver a "
                             "abrirlo: dos programas sobre la misma carpeta se borrarían los "
                             "cambios el uno al otro. Si está seguro de que no está abierto en "
                             "ningún equipo, borre el archivo %2 de esa carpeta.")
        .arg(QDir::toNativeSeparators(canonica(carpeta)), nombreCerrojo());
}

bool Instancia::bloquea()
{
    if (cerrojo_.isLocked())
        return true;
    sinCerrojo_ = false;
    if (!cerrojo_.tryLock(0)) {
        sinCerrojo_ = cerrojo_.error() != QLockFile::LockFailedError;
        return false;
    }
    restos_ = restos::limpia(carpeta_);
    return true;
}

Instancia::Resultado Instancia::arranca(int esperaMs)
{
    if (bloquea()) {
        escucha();
        return Resultado::Primera;
    }
    if (sinCerrojo_)
        return Resultado::SinCerrojo;
    return avisa(esperaMs) ? Resultado::Avisada : Resultado::SinRespuesta;
}

bool Instancia::escucha()
{
    if (servidor_)
        return true;
    auto *servidor = new QLocalServer(this);
    servidor->setSocketOptions(QLocalServer::UserAccessOption);
    const QString nombre = nombreServidor(carpeta_);
    // A socket left by a program that was killed: the lock says no program of this folder is
    // listening on it any more.
    if (!servidor->listen(nombre) && servidor->serverError() == QAbstractSocket::AddressInUseError)
        QLocalServer::removeServer(nombre);
    if (!servidor->isListening() && !servidor->listen(nombre)) {
        // The program works all the same; a later start then says it is already open.
        delete servidor;
        return false;
    }
    connect(servidor, &QLocalServer::newConnection, this, [this, servidor] {
        while (QLocalSocket *socket = servidor->nextPendingConnection())
            atiende(socket);
    });
    servidor_ = servidor;
    return true;
}

void Instancia::atiende(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto lee = [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaximoPeticion)
                socket->abort();
            return;
        }
        const bool valida = socket->readLine(kMaximoPeticion + 1) == kPeticion;
        if (valida) {
            emit llamada();
            socket->write(kRespuesta);
            socket->flush();
        }
        socket->disconnectFromServer();
    };
    connect(socket, &QLocalSocket::readyRead, this, lee);
    if (socket->bytesAvailable() > 0)
        lee();
}

bool Instancia::avisa(int esperaMs)
{
    QLocalSocket socket;
    QEventLoop bucle;
    bool terminado = false;
    bool mostrada = false;
    QByteArray recibido;
    auto termina = [&] {
        terminado = true;
        bucle.quit();
    };
    connect(&socket, &QLocalSocket::connected, &socket, [&] { socket.write(kPeticion); });
    connect(&socket, &QLocalSocket::readyRead, &socket, [&] {
        recibido += socket.read(kMaximoPeticion);
        if (recibido.contains('\n') || recibido.size() >= kMaximoPeticion) {
            mostrada = recibido == kRespuesta;
            termina();
        }
    });
    connect(&socket, &QLocalSocket::errorOccurred, &socket, [&] { termina(); });
    connect(&socket, &QLocalSocket::disconnected, &socket, [&] { termina(); });
    QTimer plazo;
    plazo.setSingleShot(true);
    connect(&plazo, &QTimer::timeout, &socket, [&] { termina(); });
    // The answer is awaited in an event loop of its own, so that a program holding the folder
    // in this same process (the tests) can hear the request and answer it.
    socket.connectToServer(nombreServidor(carpeta_));
    if (!terminado && socket.state() == QLocalSocket::UnconnectedState)
        terminado = true;
    if (!terminado) {
        plazo.start(esperaMs);
        bucle.exec();
    }
    socket.disconnect(&socket);
    socket.abort();
    return mostrada;
}
