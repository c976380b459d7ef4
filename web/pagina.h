#pragma once

#include <QByteArray>
#include <exception>

// A failure inside one of the page searches: reading past the end of the data, a date that
// cannot exist, a number out of range. The callers either leave their whole operation (the
// parse) or skip the one step that failed (the prize breakdown), as each one needs.
class ErrorEjecucion : public std::exception {
public:
    explicit ErrorEjecucion(const char *motivo) : motivo_(motivo) {}
    const char *what() const noexcept override { return motivo_; }

private:
    const char *motivo_;
};

// One downloaded file as the marker searches read it: single-byte characters with a 1-based
// read position. The pages are kept in memory exactly as they are stored on disk (one quoted
// record, see enmarca), so a search sees the same characters whether the file was just
// downloaded or read back at start-up.
class Pagina {
public:
    Pagina() = default;
    explicit Pagina(QByteArray datos) : datos_(std::move(datos)) {}

    // The stored form of a downloaded text: a double quote, the text with every double quote
    // doubled, a double quote and CR LF. The markers with quotes in them count on this.
    static QByteArray enmarca(const QByteArray &texto);

    const QByteArray &datos() const { return datos_; }
    qint64 longitud() const { return datos_.size(); }
    qint64 posicion() const { return posicion_; }
    void ponPosicion(qint64 posicion) { posicion_ = posicion; }

    // Finds `empieza` (any letter case) from the read position and collects the characters up
    // to `final` (as given or in upper case). espacios == 1 drops every space collected.
    // Returns empty text when the marker is not there. Reading past the end throws.
    QByteArray busca(const QByteArray &empieza, const QByteArray &final, int espacios);
    // Same search; never reads past the end while collecting: when the terminator does not
    // come before the end of the data the result is empty.
    QByteArray busca2(const QByteArray &empieza, const QByteArray &final);
    // Same as busca, keeping spaces but storing each one as "/".
    QByteArray busca3(const QByteArray &empieza, const QByteArray &final);

private:
    bool buscaMarca(const QByteArray &empieza);
    QByteArray recoge(const QByteArray &final, bool quitaEspacios, bool espacioABarra);

    QByteArray datos_;
    qint64 posicion_ = 1;
};

// Upper case of one single-byte character the way the Windows-1252 code page has it.
unsigned char mayuscula(unsigned char c);
QByteArray mayusculas(const QByteArray &texto);

// Keeps only the characters with codes 33..122: drops spaces, controls, "{|}~" and every
// accented or other high character (what is left of an amount after its markup).
QByteArray raros(const QByteArray &carla);

// Value of the leading digits of a text, blanks ignored (also between digit groups), 0 when
// there are none. Never overflows: it saturates far above anything a record can hold.
double valorNumero(const QByteArray &texto);
