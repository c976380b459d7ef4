#include "reduced/generador.h"

#include "reduced/verificador.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

namespace generador {

namespace {

// Every r-bit subset of the bits of `base`, appended to `sal`.
void subconjuntos(std::uint32_t base, int r, std::vector<std::uint32_t> &sal)
{
    int elems[32];
    int m = 0;
    for (std::uint32_t b = base; b; b &= b - 1)
        elems[m++] = std::countr_zero(b);
    if (r < 0 || r > m)
        return;
    int idx[6];
    for (int i = 0; i < r; ++i)
        idx[i] = i;
    for (;;) {
        std::uint32_t s = 0;
        for (int i = 0; i < r; ++i)
            s |= std::uint32_t(1) << elems[idx[i]];
        sal.push_back(s);
        int i = r - 1;
        while (i >= 0 && idx[i] == m - r + i)
            --i;
        if (i < 0)
            return;
        ++idx[i];
        for (int j = i + 1; j < r; ++j)
            idx[j] = idx[j - 1] + 1;
    }
}

// The six-number sets that meet `apuesta` in g or more numbers: the winning sets a bet covers,
// and equally the bets that cover a winning set.
std::vector<std::uint32_t> vecinos(std::uint32_t apuesta, std::uint32_t todos, int g)
{
    std::vector<std::uint32_t> sal, dentro, fuera;
    for (int j = g; j <= 6; ++j) {
        dentro.clear();
        fuera.clear();
        subconjuntos(apuesta, j, dentro);
        subconjuntos(todos & ~apuesta, 6 - j, fuera);
        for (std::uint32_t s : dentro)
            for (std::uint32_t t : fuera)
                sal.push_back(s | t);
    }
    return sal;
}

std::vector<std::uint32_t> todosLosSeis(int n)
{
    std::vector<std::uint32_t> sal;
    subconjuntos((std::uint32_t(1) << n) - 1, 6, sal);
    return sal;
}

Apuesta aApuesta(std::uint32_t m)
{
    Apuesta a{};
    int i = 0;
    for (; m; m &= m - 1)
        a[i++] = std::countr_zero(m) + 1;
    return a;
}

void compruebaArgumentos(int n, int g)
{
    if (n < 6 || n > 20 || g < 1 || g > 6)
        throw std::invalid_argument("n ha de ir de 6 a 20 y g de 1 a 6");
}

// xoshiro256**: our own generator so that a seed gives the same tables with any library.
class Azar {
public:
    explicit Azar(std::uint64_t semilla)
    {
        for (auto &s : s_) {
            semilla += 0x9E3779B97F4A7C15ull;
            std::uint64_t z = semilla;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            s = z ^ (z >> 31);
        }
    }
    std::uint64_t siguiente()
    {
        const std::uint64_t r = std::rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = std::rotl(s_[3], 45);
        return r;
    }
    // Uniform in 0..tope-1 (tope < 2^32).
    std::uint32_t menorQue(std::uint32_t tope)
    {
        return std::uint32_t(((siguiente() >> 32) * tope) >> 32);
    }
    double unidad() { return double(siguiente() >> 11) * 0x1.0p-53; }
    // One of the set bits of m, chosen uniformly.
    std::uint32_t bitDe(std::uint32_t m)
    {
        for (std::uint32_t k = menorQue(std::uint32_t(std::popcount(m))); k; --k)
            m &= m - 1;
        return m & -m;
    }

private:
    std::uint64_t s_[4];
};

// The search state: the bets, how many bets cover each winning set (indexed by the set's mask)
// and the list of uncovered sets with each one's place in it, so that a move costs only the sets
// it touches.
class Estado {
public:
    Estado(int n, int g, const std::vector<std::uint32_t> &apuestas)
        : n_(n), g_(g), todos_((std::uint32_t(1) << n) - 1), apuestas_(apuestas),
          cuenta_(std::size_t(1) << n, 0), lugar_(std::size_t(1) << n, -1)
    {
        for (std::uint32_t w : todosLosSeis(n))
            meteSinCubrir(w);
        for (std::uint32_t b : apuestas_)
            for (std::uint32_t w : vecinos(b, todos_, g_))
                sube(w);
    }

    std::size_t sinCubrir() const { return sinCubrir_.size(); }
    const std::vector<std::uint32_t> &apuestas() const { return apuestas_; }

    // Removes the bet that alone covers the fewest winning sets.
    void quitaLaMenosUtil()
    {
        std::size_t mejor = 0;
        long long menor = -1;
        for (std::size_t i = 0; i < apuestas_.size(); ++i) {
            long long solo = 0;
            for (std::uint32_t w : vecinos(apuestas_[i], todos_, g_))
                solo += cuenta_[w] == 1;
            if (menor < 0 || solo < menor) {
                menor = solo;
                mejor = i;
            }
        }
        for (std::uint32_t w : vecinos(apuestas_[mejor], todos_, g_))
            baja(w);
        apuestas_.erase(apuestas_.begin() + std::ptrdiff_t(mejor));
    }

    // Annealing until every set is covered or the moves run out.
    bool recuece(Azar &azar, long long pasos, const Enfriamiento &e)
    {
        const double factor = std::pow(e.final / e.inicial, 1.0 / double(pasos));
        double t = e.inicial;
        for (long long paso = 0; paso < pasos; ++paso, t *= factor) {
            if (sinCubrir_.empty())
                return true;
            // Bring one number of an uncovered set into a bet, in place of one it lacks.
            const std::uint32_t w = sinCubrir_[azar.menorQue(std::uint32_t(sinCubrir_.size()))];
            const std::uint32_t i = apuestaCercana(azar, w);
            const std::uint32_t b = apuestas_[i];
            const std::uint32_t entra = azar.bitDe(w & ~b);
            const std::uint32_t sale = azar.bitDe(b & ~w);
            preparaMovimiento(b, sale, entra);
            const int d = diferencia(sale, entra);
            if (d <= 0 || azar.unidad() < std::exp(-d / t)) {
                aplica(sale, entra);
                apuestas_[i] = b ^ sale ^ entra;
            }
        }
        return sinCubrir_.empty();
    }

private:
    // A bet that one exchange would bring to cover w (meets it in g-1 numbers), at random among
    // them; failing that, one of those that meet it most.
    std::uint32_t apuestaCercana(Azar &azar, std::uint32_t w)
    {
        cercanas_.clear();
        int mayor = -1;
        for (std::uint32_t i = 0; i < apuestas_.size(); ++i) {
            const int c = std::popcount(apuestas_[i] & w);
            if (c > mayor) {
                mayor = c;
                cercanas_.clear();
            }
            if (c == mayor)
                cercanas_.push_back(i);
        }
        return cercanas_[azar.menorQue(std::uint32_t(cercanas_.size()))];
    }

    void meteSinCubrir(std::uint32_t w)
    {
        lugar_[w] = std::int32_t(sinCubrir_.size());
        sinCubrir_.push_back(w);
    }
    void sacaSinCubrir(std::uint32_t w)
    {
        const std::int32_t p = lugar_[w];
        const std::uint32_t ultimo = sinCubrir_.back();
        sinCubrir_[std::size_t(p)] = ultimo;
        lugar_[ultimo] = p;
        sinCubrir_.pop_back();
        lugar_[w] = -1;
    }
    void sube(std::uint32_t w)
    {
        if (cuenta_[w]++ == 0)
            sacaSinCubrir(w);
    }
    void baja(std::uint32_t w)
    {
        if (--cuenta_[w] == 0)
            meteSinCubrir(w);
    }

    // Replacing `sale` by `entra` in bet b changes the cover of exactly the winning sets that
    // hold g-1 of the other five numbers of b, 6-g numbers outside b and the new number, and
    // one of `sale` or `entra`: the old bet met them in g and the new one in g-1, or the reverse.
    // Both families are {sale or entra} | s | t over the same s and t, listed here once.
    void preparaMovimiento(std::uint32_t b, std::uint32_t sale, std::uint32_t entra)
    {
        restos_.clear();
        fuera_.clear();
        subconjuntos(b & ~sale, g_ - 1, restos_);
        subconjuntos(todos_ & ~(b | entra), 6 - g_, fuera_);
    }
    int diferencia(std::uint32_t sale, std::uint32_t entra) const
    {
        int d = 0;
        for (std::uint32_t s : restos_)
            for (std::uint32_t t : fuera_) {
                d += cuenta_[sale | s | t] == 1;
                d -= cuenta_[entra | s | t] == 0;
            }
        return d;
    }
    void aplica(std::uint32_t sale, std::uint32_t entra)
    {
        for (std::uint32_t s : restos_)
            for (std::uint32_t t : fuera_) {
                baja(sale | s | t);
                sube(entra | s | t);
            }
    }

    int n_, g_;
    std::uint32_t todos_;
    std::vector<std::uint32_t> apuestas_;
    std::vector<std::uint16_t> cuenta_;
    std::vector<std::int32_t> lugar_;
    std::vector<std::uint32_t> sinCubrir_;
    std::vector<std::uint32_t> restos_, fuera_, cercanas_;
};

} // namespace

std::vector<Apuesta> voraz(int n, int g)
{
    compruebaArgumentos(n, g);
    const std::uint32_t todos = (std::uint32_t(1) << n) - 1;
    const auto seises = todosLosSeis(n);
    // puntos[c]: uncovered winning sets that bet c would cover. Every set starts uncovered, so
    // all bets start alike; covering a set takes one point from each bet that meets it in g.
    const auto alcance = vecinos(0x3F, todos, g).size();
    std::vector<std::int32_t> puntos(std::size_t(1) << n, 0);
    for (std::uint32_t c : seises)
        puntos[c] = std::int32_t(alcance);
    std::vector<char> cubierto(std::size_t(1) << n, 0);
    std::size_t quedan = seises.size();
    std::vector<Apuesta> tabla;
    while (quedan > 0) {
        std::uint32_t mejor = seises.front();
        for (std::uint32_t c : seises)
            if (puntos[c] > puntos[mejor])
                mejor = c;
        tabla.push_back(aApuesta(mejor));
        for (std::uint32_t w : vecinos(mejor, todos, g)) {
            if (cubierto[w])
                continue;
            cubierto[w] = 1;
            --quedan;
            for (std::uint32_t c : vecinos(w, todos, g))
                --puntos[c];
        }
    }
    return tabla;
}

std::vector<Apuesta> reduce(int n, int g, const std::vector<Apuesta> &inicio,
                            const Recocido &ajustes, const std::function<void(int k)> &avance)
{
    compruebaArgumentos(n, g);
    std::vector<std::uint32_t> mascaras;
    for (const auto &a : inicio) {
        mascaras.push_back(verificador::mascara(n, a));
        if (mascaras.back() == 0)
            throw std::invalid_argument("apuesta que no son seis índices distintos de 1 a n");
    }
    Estado estado(n, g, mascaras);
    if (estado.sinCubrir() != 0)
        throw std::invalid_argument("la tabla inicial no alcanza la garantía");
    Azar azar(ajustes.semilla);
    std::vector<std::uint32_t> mejor = estado.apuestas();
    const std::size_t tope = std::size_t(std::max(ajustes.objetivo, 1));
    int intento = 0;
    std::size_t cual = 0;
    // A full-system guarantee (6) has nothing to gain from moving numbers: every set is a bet.
    while (g < 6 && ajustes.pasos > 0 && mejor.size() > tope && !ajustes.enfriamientos.empty()) {
        estado.quitaLaMenosUtil();
        const auto &e = ajustes.enfriamientos[cual];
        cual = (cual + 1) % ajustes.enfriamientos.size();
        if (!estado.recuece(azar, ajustes.pasos, e)) {
            // Another try from the last complete table, with the random stream moved on.
            if (++intento >= ajustes.intentos)
                break;
            estado = Estado(n, g, mejor);
            continue;
        }
        mejor = estado.apuestas();
        intento = 0;
        if (avance)
            avance(int(mejor.size()));
    }
    std::vector<Apuesta> tabla;
    for (std::uint32_t m : mejor)
        tabla.push_back(aApuesta(m));
    std::sort(tabla.begin(), tabla.end());
    return tabla;
}

} // namespace generador

namespace generador {

int cotaInferior(int n, int g)
{
    // Proved lower bounds for lotto designs of six-number bets, n = 7..20: exact minimums up to
    // where they are known, then the best published bound.
    static const int al3[] = {1, 1, 1, 2, 2, 2, 2, 4, 4, 5, 4, 4, 4, 5};
    static const int al4[] = {1, 1, 3, 3, 5, 6, 5, 7, 9, 11, 14, 18, 22, 27};
    static const int al5[] = {1, 4, 7, 11, 15, 25, 40, 62, 91, 132, 185, 255, 344, 456};
    if (n < 7 || n > 20)
        return 1;
    switch (g) {
    case 3:
        return al3[n - 7];
    case 4:
        return al4[n - 7];
    case 5:
        return al5[n - 7];
    default:
        return 1;
    }
}

std::vector<Recocido> plan(int n, int g)
{
    // A guarantee of 5 with 16 or more numbers needs far more than the 205 bets a syndicate can
    // hold (264 is the best known for 16): not worth searching.
    if (g < 3 || g > 5 || (g == 5 && n >= 16))
        return {};
    // The cost of a move grows with the sets it touches, C(5, g-1) * C(n-7, 6-g), so the
    // temperatures grow as the guarantee falls. Each search tries every cooling of its list in
    // turn at a size before giving up.
    Recocido r;
    r.objetivo = cotaInferior(n, g);
    switch (g) {
    case 5:
        r.pasos = 2'000'000;
        r.intentos = 4;
        r.enfriamientos = {{0.4, 0.2}, {1, 0.1}, {0.6, 0.25}, {0.5, 0.1}};
        break;
    case 4:
        r.pasos = 2'000'000;
        r.intentos = 4;
        r.enfriamientos = {{2, 0.5}, {1, 0.3}, {3, 1}, {0.4, 0.2}};
        break;
    default:
        r.pasos = 1'000'000;
        r.intentos = 3;
        r.enfriamientos = {{10, 1}, {20, 1}, {5, 0.5}};
        break;
    }
    std::vector<Recocido> busquedas;
    for (std::uint64_t semilla : {1, 2}) {
        r.semilla = semilla;
        busquedas.push_back(r);
    }
    return busquedas;
}

std::vector<Apuesta> mejorTabla(int n, int g, const std::function<void(int k)> &avance)
{
    auto tabla = voraz(n, g);
    for (const Recocido &r : plan(n, g))
        tabla = reduce(n, g, tabla, r, avance);
    std::sort(tabla.begin(), tabla.end());
    return tabla;
}

} // namespace generador
