#include "engine/Zufallspartie.h"

#include "engine/SuchParameter.h"

#include <memory>
#include <string_view>

namespace {

// Shapes worth answering the last move with: the empty centre is the move, X the side to move,
// O the opponent, '.' empty, '#' off the board, '?' anything, 'x' not X, 'o' not O. Rows top
// first. Every shape holds in all eight symmetries and with the colours swapped.
struct TForm {
    std::string_view Zeilen[3];
    bool Gut;
};
constexpr TForm Formen[] = {
    // hane
    {{"XOX", "...", "???"}, true},
    {{"XO.", "...", "?.?"}, true},
    {{"XO?", "X..", "?.?"}, true},
    {{"XOO", "...", "?.?"}, true},
    // cut, unless the cutting stone would stand alone among opponents
    {{"XO?", "O.?", "???"}, true},
    {{"XO?", "O.O", "?O?"}, false},
    {{"XO?", "O.?", "?OO"}, false},
    {{"?X?", "O.O", "xxx"}, true},
    // at the edge
    {{"X.?", "O.?", "###"}, true},
    {{"?X?", "O.O", "###"}, true},
};

// Neighbours of the 3x3 window in code order (two bits each): dx, dy.
constexpr int Dx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int Dy[8] = {1, 1, 1, 0, 0, -1, -1, -1};
constexpr int Leer = 0, Ich = 1, Du = 2, Rand = 3;

// Which codes of the window are good shapes: 65536 bits.
struct TFormTafel {
    TArray<std::uint64_t, 0, 1023> Bits{};
    bool Gut(unsigned code) const { return (Bits[static_cast<long>(code >> 6)] >> (code & 63)) & 1; }
};

// Marks every code the shape matches under symmetry s (colours swapped when tausch is set),
// cell by cell.
void Erweitere(const TForm& f, int s, bool tausch, int zelle, unsigned code,
               TArray<std::uint8_t, 0, 65535>& art) {
    if (zelle == 8) {
        std::uint8_t& a = art[static_cast<long>(code)];
        // A bad shape overrides a good one whatever the order.
        a = f.Gut ? (a == 2 ? 2 : 1) : 2;
        return;
    }
    int x = Dx[zelle], y = Dy[zelle];
    if (s & 1) x = -x;
    if (s & 2) y = -y;
    if (s & 4) std::swap(x, y);
    char c = f.Zeilen[1 - y][static_cast<std::size_t>(x + 1)];
    if (tausch) c = c == 'X' ? 'O' : c == 'O' ? 'X' : c == 'x' ? 'o' : c == 'o' ? 'x' : c;
    auto weiter = [&](int wert) {
        Erweitere(f, s, tausch, zelle + 1, code | static_cast<unsigned>(wert) << (2 * zelle), art);
    };
    switch (c) {
    case 'X':
        weiter(Ich);
        break;
    case 'O':
        weiter(Du);
        break;
    case '.':
        weiter(Leer);
        break;
    case '#':
        weiter(Rand);
        break;
    case 'x':
        weiter(Leer), weiter(Du);
        break;
    case 'o':
        weiter(Leer), weiter(Ich);
        break;
    default:
        weiter(Leer), weiter(Ich), weiter(Du), weiter(Rand);
        break;
    }
}

TFormTafel MacheFormTafel() {
    // 0 no shape, 1 good, 2 excluded
    auto art = std::make_unique<TArray<std::uint8_t, 0, 65535>>();
    for (const TForm& f : Formen)
        for (int s = 0; s < 8; ++s)
            for (bool tausch : {false, true})
                Erweitere(f, s, tausch, 0, 0, *art);
    TFormTafel t;
    for (unsigned code = 0; code < 65536; ++code)
        if ((*art)[static_cast<long>(code)] == 1)
            t.Bits[static_cast<long>(code >> 6)] |= std::uint64_t{1} << (code & 63);
    return t;
}

const TFormTafel& FormTafel() {
    static const TFormTafel t = MacheFormTafel();
    return t;
}

// The bits of the window's neighbours of each point, -1 off the board.
using TFensterNachbarn = TArray<TArray<std::int8_t, 0, 7>, 0, 63>;
constexpr TFensterNachbarn MacheFensterNachbarn() {
    TFensterNachbarn t{};
    for (int b = 0; b < 64; ++b)
        for (int i = 0; i < 8; ++i) {
            const int x = (b & 7) + Dx[i], y = (b >> 3) + Dy[i];
            t[b][i] = static_cast<std::int8_t>(x >= 0 && x < 7 && y >= 0 && y < 7 ? x + 8 * y : -1);
        }
    return t;
}
constexpr TFensterNachbarn FensterNachbarn = MacheFensterNachbarn();

// The code of the window around bit for the side with stones ich against du.
unsigned FensterCode(int bit, TBits ich, TBits du) {
    const auto& n = FensterNachbarn[bit];
    unsigned code = 0;
    for (int i = 0; i < 8; ++i) {
        const int q = n[i];
        const unsigned w =
            q < 0 ? Rand : static_cast<unsigned>((ich >> q) & 1) | static_cast<unsigned>((du >> q) & 1) << 1;
        code |= w << (2 * i);
    }
    return code;
}

} // namespace

int ZufallsBit(TBits m, TZufall& z) {
    int k = z.Unter(Anzahl(m));
    // Skip whole bytes first, then bits.
    int basis = 0;
    for (int n = Anzahl(m & 0xFF); k >= n; n = Anzahl(m & 0xFF)) {
        k -= n;
        m >>= 8;
        basis += 8;
    }
    for (; k > 0; --k)
        m &= m - 1;
    return basis + ErstesBit(m);
}

TBits Augen(TBits eigene, TBits fremde) {
    const TBits leer = AllePunkte & ~(eigene | fremde);
    TBits augen = 0;
    for (TBits k = leer & ~Nachbarn(AllePunkte & ~eigene); k; k &= k - 1) {
        const TBits p = k & (~k + 1);
        const int fremdDiag = Anzahl(Diagonalen(p) & fremde);
        const bool rand = Anzahl(Nachbarn(p)) < 4;
        if (fremdDiag == 0 || (!rand && fremdDiag == 1)) augen |= p;
    }
    return augen;
}

void TZufallspartie::Von(const TBitBrett& b) {
    Steine = b.Steine;
    AmZug = b.AmZug;
    Passe = b.Passe;
    Letzter = b.LetzterZug();
    Ko = KeinBit;
    // A single stone that just took a single stone may not be taken back at once.
    const TBits geschlagen = b.ZuletztGeschlagen();
    if (Letzter >= 0 && Anzahl(geschlagen) == 1) {
        const TBits stein = Bit(Letzter), seine = Steine[AmZug ^ 1];
        if (!(Nachbarn(stein) & seine) && Anzahl(Nachbarn(stein) & ~(Steine[0] | Steine[1])) == 1)
            Ko = ErstesBit(geschlagen);
    }
    Zuege = 0;
    Erster = {};
}

bool TZufallspartie::Gut(int bit) const {
    const TBits stein = Bit(bit);
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    const TBits leer = AllePunkte & ~(ich | du);
    if (!(stein & leer) || bit == Ko) return false;
    // Two empty neighbours: neither suicide nor self-atari.
    const TBits frei = Nachbarn(stein) & leer;
    if (frei & (frei - 1)) return true;
    const TBits neu = ich | stein;
    const TBits gefangen = Gefangen(neu, du, stein);
    const TBits kette = Flut(neu, stein);
    const TBits freiheiten = Nachbarn(kette) & ((leer & ~stein) | gefangen);
    if (!freiheiten) return false;
    if (gefangen) return true;
    return (freiheiten & (freiheiten - 1)) || kette == stein;
}

int TZufallspartie::Form(TZufall& z) const {
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    const TBits leer = AllePunkte & ~(ich | du);
    const TBits l = Bit(Letzter);
    const TFormTafel& t = FormTafel();
    TBits treffer = 0;
    for (TBits k = (Nachbarn(l) | Diagonalen(l)) & leer; k; k &= k - 1) {
        const int p = ErstesBit(k);
        if (t.Gut(FensterCode(p, ich, du))) treffer |= Bit(p);
    }
    while (treffer) {
        const int p = ZufallsBit(treffer, z);
        if (Gut(p)) return p;
        treffer &= ~Bit(p);
    }
    return KeinBit;
}

TBits AtariPunkte(TBits steine, TBits leer) {
    // A stone with two empty neighbours gives its chain two liberties.
    const TBits a = leer >> 1, b = leer << 1, c = leer >> 8, d = leer << 8;
    const TBits zwei = ((a & b) | (c & d) | ((a | b) & (c | d))) & steine;
    TBits rest = steine & ~Flut(steine, zwei), punkte = 0;
    while (rest) {
        const TBits kette = Flut(steine, rest & (~rest + 1));
        rest &= ~kette;
        const TBits frei = Nachbarn(kette) & leer;
        if (frei && !(frei & (frei - 1))) punkte |= frei;
    }
    return punkte;
}

int TZufallspartie::Retten(TBits kette, TBits frei) const {
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    const TBits leer = AllePunkte & ~(ich | du);
    // Take a neighbour in atari ...
    for (TBits f = Nachbarn(kette) & du; f;) {
        const TBits feind = Flut(du, f & (~f + 1));
        f &= ~feind;
        const TBits ff = Nachbarn(feind) & leer;
        if (!(ff & (ff - 1)) && Gut(ErstesBit(ff))) return ErstesBit(ff);
    }
    // ... or extend, which must leave more than one liberty.
    const int p = ErstesBit(frei);
    const TBits neu = Flut(ich | Bit(p), Bit(p));
    const TBits nf = Nachbarn(neu) & leer & ~Bit(p);
    if ((nf & (nf - 1)) && Gut(p)) return p;
    return KeinBit;
}

int TZufallspartie::Waehle(TZufall& z) const {
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    const TBits leer = AllePunkte & ~(ich | du);
    if (Letzter >= 0) {
        const TBits l = Bit(Letzter);
        // Take the chain of the last move when it is in atari.
        const TBits ihre = Nachbarn(Flut(du, l)) & leer;
        if (ihre && !(ihre & (ihre - 1)) && Gut(ErstesBit(ihre))) return ErstesBit(ihre);
        // Save own chains the last move put in atari.
        for (TBits n = Nachbarn(l) & ich; n;) {
            const TBits kette = Flut(ich, n & (~n + 1));
            n &= ~kette;
            const TBits frei = Nachbarn(kette) & leer;
            if (frei & (frei - 1)) continue;
            const int p = Retten(kette, frei);
            if (p != KeinBit) return p;
        }
    }
    if (SuchParameter().GlobalAtari) {
        // Chains in atari anywhere: save own ones, take the opponent's.
        for (TBits a = AtariPunkte(ich, leer); a; a &= a - 1) {
            const TBits frei = a & (~a + 1);
            for (TBits n = Nachbarn(frei) & ich; n;) {
                const TBits kette = Flut(ich, n & (~n + 1));
                n &= ~kette;
                if ((Nachbarn(kette) & leer) != frei) continue;
                const int p = Retten(kette, frei);
                if (p != KeinBit) return p;
            }
        }
        for (TBits a = AtariPunkte(du, leer); a;) {
            const int p = ZufallsBit(a, z);
            if (Gut(p)) return p;
            a &= ~Bit(p);
        }
    }
    if (Letzter >= 0) {
        const int form = Form(z);
        if (form != KeinBit) return form;
    }
    TBits kandidaten = leer & ~Augen(ich, du);
    while (kandidaten) {
        const int p = ZufallsBit(kandidaten, z);
        if (Gut(p)) return p;
        kandidaten &= ~Bit(p);
    }
    return KeinBit;
}

void TZufallspartie::Spiele(int bit) {
    ++Zuege;
    if (bit == KeinBit) {
        ++Passe;
        Letzter = KeinBit;
        Ko = KeinBit;
        AmZug ^= 1;
        return;
    }
    const TBits stein = Bit(bit);
    TBits& ich = Steine[AmZug];
    TBits& du = Steine[AmZug ^ 1];
    ich |= stein;
    const TBits gefangen = Gefangen(ich, du, stein);
    du &= ~gefangen;
    Ko = KeinBit;
    if (gefangen && !(gefangen & (gefangen - 1)) && !(Nachbarn(stein) & ich)) {
        const TBits frei = Nachbarn(stein) & ~(ich | du) & AllePunkte;
        if (!(frei & (frei - 1))) Ko = ErstesBit(gefangen);
    }
    if (!((Erster[0] | Erster[1]) & stein)) Erster[AmZug] |= stein;
    Letzter = bit;
    Passe = 0;
    AmZug ^= 1;
}

int TZufallspartie::Vorsprung() const {
    TBits s, w;
    LeereGebieteVon(Steine[1], Steine[0], s, w);
    return Anzahl(Steine[1] | s) - Anzahl(Steine[0] | w);
}

int TZufallspartie::BisZumEnde(TZufall& z) {
    while (Passe < 2 && Zuege < MaxZuege)
        Spiele(Waehle(z));
    return Vorsprung();
}
