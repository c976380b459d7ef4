#include "app/salidalimpia.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int tuberia[2] = {-1, -1};

void alRecibirSenal(int)
{
    // Only async-signal-safe work here: the event loop does the rest.
    const char c = 1;
    [[maybe_unused]] const auto escrito = ::write(tuberia[0], &c, 1);
}
} // namespace

void instalaSalidaLimpia()
{
    if (tuberia[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, tuberia) != 0)
        return;
    auto *aviso =
        new QSocketNotifier(tuberia[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(aviso, &QSocketNotifier::activated, aviso, [aviso] {
        aviso->setEnabled(false);
        char c;
        [[maybe_unused]] const auto leido = ::read(tuberia[1], &c, 1);
        QCoreApplication::quit();
    });
    struct sigaction accion = {};
    accion.sa_handler = alRecibirSenal;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &accion, nullptr);
    sigaction(SIGINT, &accion, nullptr);
}
