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

// Neighbours of the 3x3 window in bit order: dx, dy. A window's code has the side to move's
// stones in its low byte and the opponent's in its high byte, one bit per neighbour; a point off
// the board counts as both.
constexpr int Dx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int Dy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
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
        Erweitere(f, s, tausch, zelle + 1,
                  code | static_cast<unsigned>(wert & 1) << zelle |
                      static_cast<unsigned>(wert >> 1) << (8 + zelle),
                  art);
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

// The neighbours of each point that lie off the board, one bit each in window order.
using TRandAcht = TArray<std::uint8_t, 0, 63>;
constexpr TRandAcht MacheRandAcht() {
    TRandAcht t{};
    for (int b = 0; b < 64; ++b)
        for (int i = 0; i < 8; ++i) {
            const int x = (b & 7) + Dx[i], y = (b >> 3) + Dy[i];
            if (x < 0 || x >= 7 || y < 0 || y >= 7) t[b] = static_cast<std::uint8_t>(t[b] | 1 << i);
        }
    return t;
}
constexpr TRandAcht RandAcht = MacheRandAcht();

// The eight neighbours of bit in steine, in window order. The board is shifted up by nine bits
// first, so that the window starts at bit itself; rows are eight bits wide.
inline unsigned Acht(TBits steine, int bit) {
    const TBits w = ((steine << 9) >> bit) & 0x70507;
    return static_cast<unsigned>((w & 7) | ((w >> 5) & 0x8) | ((w >> 6) & 0x10) | ((w >> 11) & 0xE0));
}

// The code of the window around bit for the side with stones ich against du.
unsigned FensterCode(int bit, TBits ich, TBits du) {
    const unsigned rand = RandAcht[bit];
    return (Acht(ich, bit) | rand) | (Acht(du, bit) | rand) << 8;
}

// The k-th set bit of each byte value.
using TImByte = TArray<TArray<std::int8_t, 0, 7>, 0, 255>;
constexpr TImByte MacheImByte() {
    TImByte t{};
    for (int v = 0; v < 256; ++v)
        for (int b = 0, k = 0; b < 8; ++b)
            if (v >> b & 1) t[v][k++] = static_cast<std::int8_t>(b);
    return t;
}
constexpr TImByte ImByte = MacheImByte();

// A ladder is read move by move; each attacker's move may try both liberties, so the reading
// is held to a number of positions.
struct TLeiter {
    int Rest = 64;
    bool Entkommt(TBits a, TBits v, TBits kette);
    int Faengt(TBits a, TBits v, TBits kette);
};

// The defender is to move and kette has one liberty.
bool TLeiter::Entkommt(TBits a, TBits v, TBits kette) {
    if (--Rest < 0) return true;
    const TBits leer = AllePunkte & ~(a | v);
    // Taking an attacking chain in atari next to it gets it out.
    for (TBits n = Nachbarn(kette) & a; n;) {
        const TBits k = Flut(a, n & (~n + 1));
        n &= ~k;
        if (Anzahl(Nachbarn(k) & leer) == 1) return true;
    }
    const TBits frei = Nachbarn(kette) & leer;
    if (Anzahl(frei) != 1) return frei != 0;
    const TBits v2 = v | frei;
    if (Gefangen(v2, a, frei)) return true;
    const TBits neu = Flut(v2, kette | frei);
    const int n = Anzahl(Nachbarn(neu) & leer & ~frei);
    if (n != 2) return n > 2;
    return Faengt(a, v2, neu) == KeinBit;
}

// The attacker is to move and kette has two liberties.
int TLeiter::Faengt(TBits a, TBits v, TBits kette) {
    for (TBits f = Nachbarn(kette) & AllePunkte & ~(a | v); f; f &= f - 1) {
        const TBits stein = f & (~f + 1);
        const TBits a2 = a | stein;
        const TBits v2 = v & ~Gefangen(a2, v, stein);
        // No suicide of the atari stone.
        if (!(Nachbarn(Flut(a2, stein)) & AllePunkte & ~(a2 | v2))) continue;
        if (!Entkommt(a2, v2, kette)) return ErstesBit(stein);
    }
    return KeinBit;
}

} // namespace

int LeiterFaengt(TBits angreifer, TBits verteidiger, TBits kette) {
    TLeiter l;
    return l.Faengt(angreifer, verteidiger, kette);
}

int ZufallsBit(TBits m, TZufall& z) {
    const int k = z.Unter(Anzahl(m));
    // The bits per byte, summed up byte by byte; the k-th bit lies in the first byte whose sum
    // exceeds k.
    constexpr TBits Einsen = 0x0101010101010101ull, Hoch = 0x8080808080808080ull;
    TBits c = m - ((m >> 1) & 0x5555555555555555ull);
    c = (c & 0x3333333333333333ull) + ((c >> 2) & 0x3333333333333333ull);
    c = (c + (c >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    const TBits summen = c * Einsen;
    const TBits darueber = ((summen | Hoch) - static_cast<TBits>(k + 1) * Einsen) & Hoch;
    const int byte = ErstesBit(darueber) >> 3;
    const int davor = static_cast<int>(((summen << 8) >> (8 * byte)) & 0xFF);
    return 8 * byte + ImByte[static_cast<long>((m >> (8 * byte)) & 0xFF)][k - davor];
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
    const TBits leer = AllePunkte & ~(Steine[0] | Steine[1]);
    for (int farbe = 0; farbe < 2; ++farbe) {
        Nummern_[farbe] = 0;
        for (TBits rest = Steine[farbe]; rest;) {
            const TBits kette = Flut(Steine[farbe], rest & (~rest + 1));
            rest &= ~kette;
            const int nr = ErstesBit(kette);
            Ketten_[nr] = {kette, Nachbarn(kette) & leer};
            for (TBits k = kette; k; k &= k - 1)
                Nummer_[ErstesBit(k)] = static_cast<std::int8_t>(nr);
            Nummern_[farbe] |= Bit(nr);
        }
    }
}

TBits TZufallspartie::AtariPunkte(int farbe) const {
    TBits punkte = 0;
    for (TBits n = Nummern_[farbe]; n; n &= n - 1) {
        const TBits frei = Ketten_[ErstesBit(n)].Frei;
        if (frei && !(frei & (frei - 1))) punkte |= frei;
    }
    return punkte;
}

TZufallspartie::TKette TZufallspartie::Verbunden(TBits stein) const {
    const TBits ich = Steine[AmZug];
    TKette v{stein, Nachbarn(stein) & ~(ich | Steine[AmZug ^ 1])};
    for (TBits n = Nachbarn(stein) & ich; n;) {
        const TKette& k = KetteAn(ErstesBit(n));
        n &= ~k.Steine;
        v.Steine |= k.Steine;
        v.Frei |= k.Frei;
    }
    v.Frei &= ~stein;
    return v;
}

bool TZufallspartie::Gut(int bit) const {
    const TBits stein = Bit(bit);
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    const TBits leer = AllePunkte & ~(ich | du);
    if (!(stein & leer) || bit == Ko) return false;
    // Two empty neighbours: neither suicide nor self-atari.
    const TBits frei = Nachbarn(stein) & leer;
    if (frei & (frei - 1)) return true;
    const TKette neu = Verbunden(stein);
    TBits gefangen = 0;
    for (TBits n = Nachbarn(stein) & du; n;) {
        const TKette& k = KetteAn(ErstesBit(n));
        n &= ~k.Steine;
        if (k.Frei == stein) gefangen |= k.Steine;
    }
    const TBits kette = neu.Steine, freiheiten = neu.Frei | (Nachbarn(kette) & gefangen);
    if (!freiheiten) return false;
    if (gefangen) return true;
    return (freiheiten & (freiheiten - 1)) || kette == stein;
}

int TZufallspartie::GuterAus(TBits punkte, TZufall& z) const {
    while (punkte) {
        const int p = ZufallsBit(punkte, z);
        if (Gut(p)) return p;
        punkte &= ~Bit(p);
    }
    return KeinBit;
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
    return GuterAus(treffer, z);
}

int TZufallspartie::Nakade() const {
    const TBits leer = AllePunkte & ~(Steine[0] | Steine[1]);
    for (TBits n = Nachbarn(Bit(Letzter)) & leer; n;) {
        // The empty space next to the last move, as far as three points.
        TBits raum = n & (~n + 1);
        for (int i = 0; i < 3 && Anzahl(raum) <= 3; ++i)
            raum |= Nachbarn(raum) & leer;
        n &= ~raum;
        if (Anzahl(raum) != 3 || (Nachbarn(raum) & leer & ~raum)) continue;
        const TBits rand = Nachbarn(raum) & ~raum;
        if ((rand & Steine[0]) && (rand & Steine[1])) continue;
        for (TBits r = raum; r; r &= r - 1) {
            const int p = ErstesBit(r);
            if (Anzahl(Nachbarn(Bit(p)) & raum) == 2) {
                if (Gut(p)) return p;
                break;
            }
        }
    }
    return KeinBit;
}

int TZufallspartie::Rennen(TZufall& z) const {
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    TBits zuege = 0;
    for (TBits n = Nachbarn(Bit(Letzter)) & ich; n;) {
        const TKette& k = KetteAn(ErstesBit(n));
        n &= ~k.Steine;
        if (Anzahl(k.Frei) != 2) continue;
        TBits atari = 0;
        for (TBits f = Nachbarn(k.Steine) & du; f;) {
            const TKette& feind = KetteAn(ErstesBit(f));
            f &= ~feind.Steine;
            if (Anzahl(feind.Frei) == 2) atari |= feind.Frei;
        }
        // An atari whose own stone the opponent could take at once is no atari.
        for (TBits a = atari; a; a &= a - 1)
            if (Anzahl(Verbunden(a & (~a + 1)).Frei) < 2) atari &= ~(a & (~a + 1));
        if (atari) {
            zuege |= atari;
            continue;
        }
        for (TBits f = k.Frei; f; f &= f - 1)
            if (Anzahl(Verbunden(f & (~f + 1)).Frei) >= 3) zuege |= f & (~f + 1);
    }
    return GuterAus(zuege, z);
}

int TZufallspartie::Retten(TBits kette, TBits frei) const {
    const TBits du = Steine[AmZug ^ 1];
    // Take a neighbour in atari ...
    for (TBits f = Nachbarn(kette) & du; f;) {
        const TKette& feind = KetteAn(ErstesBit(f));
        f &= ~feind.Steine;
        const TBits ff = feind.Frei;
        if (!(ff & (ff - 1)) && Gut(ErstesBit(ff))) return ErstesBit(ff);
    }
    // ... or extend, which must leave more than one liberty.
    const int p = ErstesBit(frei);
    const TKette neu = Verbunden(Bit(p));
    const TBits nf = neu.Frei;
    if (!(nf & (nf - 1)) || !Gut(p)) return KeinBit;
    // Running into a ladder only loses more stones.
    if (SuchParameter().Leiter && Anzahl(nf) == 2 &&
        LeiterFaengt(Steine[AmZug ^ 1], Steine[AmZug] | Bit(p), neu.Steine) != KeinBit)
        return KeinBit;
    return p;
}

int TZufallspartie::Waehle(TZufall& z) const {
    const TBits ich = Steine[AmZug], du = Steine[AmZug ^ 1];
    const TBits leer = AllePunkte & ~(ich | du);
    if (Letzter >= 0 && (du & Bit(Letzter))) {
        const TBits l = Bit(Letzter);
        // Take the chain of the last move when it is in atari.
        const TBits ihre = KetteAn(Letzter).Frei;
        if (ihre && !(ihre & (ihre - 1)) && Gut(ErstesBit(ihre))) return ErstesBit(ihre);
        // Save own chains the last move put in atari.
        for (TBits n = Nachbarn(l) & ich; n;) {
            const TKette& k = KetteAn(ErstesBit(n));
            n &= ~k.Steine;
            if (k.Frei & (k.Frei - 1)) continue;
            const int p = Retten(k.Steine, k.Frei);
            if (p != KeinBit) return p;
        }
    }
    const TSuchParameter& par = SuchParameter();
    if (par.GlobalAtari) {
        // Chains in atari anywhere: save own ones, take the opponent's.
        for (TBits a = AtariPunkte(AmZug); a; a &= a - 1) {
            const TBits frei = a & (~a + 1);
            for (TBits n = Nachbarn(frei) & ich; n;) {
                const TKette& k = KetteAn(ErstesBit(n));
                n &= ~k.Steine;
                if (k.Frei != frei) continue;
                const int p = Retten(k.Steine, frei);
                if (p != KeinBit) return p;
            }
        }
        const int p = GuterAus(AtariPunkte(AmZug ^ 1), z);
        if (p != KeinBit) return p;
    }
    if (par.Rennen && Letzter >= 0 && (du & Bit(Letzter))) {
        const int p = Rennen(z);
        if (p != KeinBit) return p;
    }
    if (par.Nakade && Letzter >= 0) {
        const int p = Nakade();
        if (p != KeinBit) return p;
    }
    if (Letzter >= 0) {
        const int form = Form(z);
        if (form != KeinBit) return form;
    }
    return GuterAus(leer & ~Augen(ich, du), z);
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
    // The new stone's chain takes in the own chains it touches, under the number of the first.
    TKette neu{stein, Nachbarn(stein) & ~(ich | du)};
    int nr = bit;
    for (TBits n = Nachbarn(stein) & ich; n;) {
        const int k = Nummer_[ErstesBit(n)];
        const TKette& alt = Ketten_[k];
        n &= ~alt.Steine;
        if (nr == bit) {
            nr = k;
        } else {
            for (TBits s = alt.Steine; s; s &= s - 1)
                Nummer_[ErstesBit(s)] = static_cast<std::int8_t>(nr);
            Nummern_[AmZug] &= ~Bit(k);
        }
        neu.Steine |= alt.Steine;
        neu.Frei |= alt.Frei;
    }
    neu.Frei &= ~stein;
    Nummer_[bit] = static_cast<std::int8_t>(nr);
    Ketten_[nr] = neu;
    Nummern_[AmZug] |= Bit(nr);
    ich |= stein;
    // Opponent chains lose the point; those left without a liberty are taken, and their stones
    // become liberties of the own chains around them.
    TBits gefangen = 0;
    for (TBits n = Nachbarn(stein) & du; n;) {
        const int k = Nummer_[ErstesBit(n)];
        TKette& feind = Ketten_[k];
        n &= ~feind.Steine;
        feind.Frei &= ~stein;
        if (!feind.Frei) {
            gefangen |= feind.Steine;
            Nummern_[AmZug ^ 1] &= ~Bit(k);
        }
    }
    du &= ~gefangen;
    for (TBits n = Nachbarn(gefangen) & ich; n;) {
        TKette& k = Ketten_[Nummer_[ErstesBit(n)]];
        n &= ~k.Steine;
        k.Frei |= Nachbarn(k.Steine) & gefangen;
    }
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
