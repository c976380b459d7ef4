#pragma once

#include <QString>
#include <optional>

// What the settings boxes accept. The user may type a decimal comma or point; anything a
// settings field cannot hold (not finite, out of range) counts as not a number.
namespace entrada {

// A decimal number: "12", "-3", "2,5", "2.5", ",5". Nothing for "", "abc", "1e3", "inf".
std::optional<double> decimal(const QString &texto);
// A whole number: "12", "-3", "+4". Nothing for "", "2,5", "abc".
std::optional<long long> entero(const QString &texto);

// What a box does with the text just typed into it.
enum class Accion {
    Guarda,   // store `valor` and write the settings file
    Restaura, // not a number: show the stored value again, store nothing new
    Conserva, // empty: keep the stored value while the user goes on typing
};
struct Cambio {
    Accion accion = Accion::Conserva;
    double valor = 0;
};

// Printing offsets in millimetres; more than a metre either way is no offset of a sheet.
inline constexpr double kDesplazaMaximo = 1000;
Cambio desplazamiento(const QString &texto);

// Price of one bet in euros: more than 0. A 0 is not stored but kept like an empty box, since
// "0" and "0," are how "0,50" starts; the window refuses it once the typing is over.
inline constexpr double kPrecioMaximo = 1e6;
Cambio precio(const QString &texto);
// Whether the box reads a price of 0 ("0", "0,00", "-0").
bool precioNulo(const QString &texto);

// Statistics depth in months: never below 2, and it must fit its 16-bit field. An empty box
// keeps the stored depth, raised to 2 when it was below.
inline constexpr int kProfundidadMinima = 2;
Cambio profundidad(const QString &texto, int guardada);

} // namespace entrada
