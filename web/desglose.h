#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

// Prize breakdown of the newest draw, read from its own page (www2.txt), and the maker's
// message file informe.dat.
namespace desglose {

// Room for the maker's host in nums.ini: a longer host from a message could not be kept.
constexpr int kAnchoHost = 60;

struct Desglose {
    // Amount of each of the six categories; empty optional when its search failed (the
    // label then keeps what it showed).
    std::array<std::optional<QString>, 6> premios;
    // Path of the result PDF on the operator's site, repaired, without ".pdf"; empty when the
    // page has none (the draw is not published yet, or the page is not a draw page).
    QString enlacePdf;
};

// Reads the draw page in its stored form.
Desglose lee(const QByteArray &pagina);

// Undoes a link whose two-byte characters arrived one byte at a time: every byte 195 becomes
// "Á", the word LOTERÍA is put back together, and bytes 129 are dropped. Double quotes go.
QString reparaEnlace(const QByteArray &enlace);

// "ATENCIÓN:" text shown when the draw page has no PDF link.
QString textoSinDatos();

// What a newly fetched informe.dat asks for.
struct Mensaje {
    bool mostrar = false; // a new message: show the message window
    QString nuevaWeb;     // new maker host to store; empty when none (or not a host name)
};

constexpr int kMinimoMensaje = 301; // a message must have at least this many characters

// Compares the new message file with the one it replaced and with the stored maker host.
Mensaje muestramensaje(const QByteArray &viejo, const QByteArray &nuevo, const QString &webActual);

// A host name, perhaps with a path: only letters, digits, dots, hyphens and "/" (the blanks of
// a "web:" entry), at least one letter or digit, no longer than the settings field.
bool esHostPlausible(const QString &host);

} // namespace desglose
