#include "engine/SWertDflt.h"

#include "engine/BasisBrett.h"
#include "support/TP2Win.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace {

TBewertungsKonstanten StandardKonstanten() {
    TBewertungsKonstanten k;
    LeseWerteText(StandardWerteText(), k);
    return k;
}

std::string& Ordner() {
    static std::string o;
    return o;
}

std::mutex zufallsMutex;
std::mt19937& Zufall() {
    static std::mt19937 z{std::random_device{}()};
    return z;
}

// ---- reader -------------------------------------------------------------------------------

std::string Trimmen(const std::string& s) {
    std::size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    std::size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> Woerter(const std::string& s) {
    std::vector<std::string> w;
    std::istringstream in(s);
    std::string x;
    while (in >> x)
        w.push_back(x);
    return w;
}

// Keywords compare word by word, so the number of blanks between them does not matter.
std::string Normal(const std::string& s) {
    std::string r;
    for (const auto& w : Woerter(s)) {
        if (!r.empty()) r += ' ';
        r += w;
    }
    return r;
}

// What a file can give: the lowest value stays one above the marker of an entry not given.
double InDateiBereich(double v) {
    return v > 2147483647.0 ? 2147483647.0 : v < -2147483646.0 ? -2147483646.0 : v;
}

[[noreturn]] void Erwartet(const std::string& erwartet, const std::string& gefunden) {
    throw std::runtime_error("Fehler beim Einlesen der Werte. \r\nErwartet: <" + erwartet +
                             ">\r\nGefunden: <" + gefunden + ">");
}

double Zahl(const std::string& w) {
    const char* a = w.c_str();
    char* ende = nullptr;
    errno = 0;
    double v = std::strtod(a, &ende);
    if (ende == a || *ende != '\0' || std::isnan(v))
        throw std::runtime_error("Text <" + w + "> konnte nicht gelesen werden.");
    return InDateiBereich(v);
}

int GanzeZahl(const std::string& w, int von, int bis, const std::string& was) {
    double v = Zahl(w);
    if (v != std::floor(v) || v < von || v > bis)
        Erwartet(was + " " + std::to_string(von) + ".." + std::to_string(bis), w);
    return static_cast<int>(v);
}

class TLeser {
public:
    explicit TLeser(const std::string& text) {
        std::istringstream in(text);
        std::string z;
        while (std::getline(in, z))
            zeilen_.push_back(z);
    }
    // The next line that is not empty; "Dateiende" when there is none.
    bool Naechste(std::string& z) {
        while (i_ < zeilen_.size()) {
            z = zeilen_[i_++];
            if (!Trimmen(z).empty()) return true;
        }
        z = "Dateiende";
        return false;
    }
    std::string Muss(const std::string& erwartet) {
        std::string z;
        if (!Naechste(z)) Erwartet(erwartet, z);
        return z;
    }
    void Schluesselwort(const std::string& wort) {
        std::string z = Muss(Trimmen(wort));
        if (Normal(z) != Normal(wort)) Erwartet(Trimmen(wort), Trimmen(z));
    }

private:
    std::vector<std::string> zeilen_;
    std::size_t i_ = 0;
};

void LesePositionsBlock(TLeser& l, TBewertungsKonstanten& k) {
    std::string z = Trimmen(l.Muss("TRUE oder FALSE"));
    std::size_t ende = z.find_first_of(" \t");
    std::string wort = z.substr(0, ende);
    int seite;
    if (Normal(wort) == "TRUE" || Normal(wort) == "true")
        seite = 1;
    else if (Normal(wort) == "FALSE" || Normal(wort) == "false")
        seite = 0;
    else
        Erwartet("TRUE oder FALSE", wort);
    std::string rest = ende == std::string::npos ? "" : Trimmen(z.substr(ende));
    TFarbe farbe;
    if (rest.empty())
        farbe = Leer;
    else if (rest == "S" || rest == "s")
        farbe = Schwarz;
    else if (rest == "W" || rest == "w")
        farbe = Weiss;
    else
        Erwartet("S, W oder Leerzeichen", rest);
    for (int r = 0; r < 7; ++r) {
        std::string zeile = l.Muss("7 Zahlen");
        auto w = Woerter(zeile);
        if (w.size() != 7) Erwartet("7 Zahlen", Trimmen(zeile));
        for (int x = 0; x < 7; ++x)
            k.Positionswerte[seite][farbe][6 - r][x] = Zahl(w[static_cast<std::size_t>(x)]);
    }
}

void LeseKettenZeile(const std::string& zeile, TBewertungsKonstanten& k) {
    auto w = Woerter(Trimmen(zeile).substr(1));
    if (w.size() < 2) Erwartet("# Freiheiten Augen Werte", Trimmen(zeile));
    int frei = GanzeZahl(w[0], 0, MaxKette, "Freiheiten");
    int augen = GanzeZahl(w[1], 0, MaxAugen, "Augen");
    if (w.size() - 2 > static_cast<std::size_t>(MaxKette))
        Erwartet("höchstens " + std::to_string(MaxKette) + " Werte", std::to_string(w.size() - 2) + " Werte");
    for (std::size_t i = 2; i < w.size(); ++i)
        k.Kettenwerte[static_cast<long>(i - 1)][frei][augen] = Zahl(w[i]);
}

// ---- completion ---------------------------------------------------------------------------

double& PW(TBewertungsKonstanten& k, int s, int c, int y, int x) { return k.Positionswerte[s][c][y][x]; }

void ErgaenzePosition(TBewertungsKonstanten& k, int s, int c, int y, int x) {
    double& w = PW(k, s, c, y, x);
    if (w != WertMarke) return;
    int nc = static_cast<int>(Gegner(ZuFarbe(c)));
    if (s == 0) {
        ErgaenzePosition(k, 1, nc, 6 - y, x);
        w = PW(k, 1, nc, 6 - y, x);
    } else if (c < 0) {
        ErgaenzePosition(k, 1, nc, 6 - y, x);
        w = -PW(k, 1, nc, 6 - y, x);
    } else
        w = 0;
}

bool ZeileGegeben(const TBewertungsKonstanten& k, int frei, int augen) {
    for (int s = 1; s <= MaxKette; ++s)
        if (k.Kettenwerte[s][frei][augen] != WertMarke) return true;
    return false;
}

// Sizes beyond the last one given continue the line of the last two, or grow in proportion
// to the size when only size 1 is given.
void ErgaenzeGroessen(TBewertungsKonstanten& k, int frei, int augen) {
    auto w = [&](int s) -> double& { return k.Kettenwerte[s][frei][augen]; };
    w(0) = 0;
    for (int s = 1; s <= MaxKette; ++s) {
        if (w(s) != WertMarke) continue;
        if (s == 1)
            w(s) = 0;
        else if (s == 2)
            w(s) = 2 * w(1);
        else
            w(s) = 2 * w(s - 1) - w(s - 2);
    }
}

} // namespace

void TBewertungsKonstanten::AllesMarkieren() {
    for (auto& seite : Positionswerte)
        for (auto& farbe : seite)
            for (auto& zeile : farbe)
                zeile.Fuelle(WertMarke);
    for (auto& g : Kettenwerte)
        for (auto& f : g)
            f.Fuelle(WertMarke);
}

TBewertungsKonstanten Konstanten = StandardKonstanten();

void FindeKetten(const TBrett& b, TKettenListe& l) {
    l.Anzahl = 0;
    l.Marken.Fuelle(-1);
    TLaeufer laeufer;
    for (int p = 0; p <= LetzterPunkt; ++p) {
        TFarbe c = b[p];
        if ((c != Schwarz && c != Weiss) || l.Marken[p] != -1) continue;
        const int n = l.Anzahl;
        TKette& k = l.Ketten[n];
        k = TKette{static_cast<std::int16_t>(p), 0, 0, 0, -1};
        laeufer.Kette(
            b, p,
            [&](int d) {
                l.Marken[d] = static_cast<std::int16_t>(n);
                ++k.Groesse;
            },
            [&](int q) {
                ++k.Freiheiten;
                k.Freiheit = static_cast<std::int16_t>(q);
            });
        ++l.Anzahl;
    }
}

double Bewertung(const TEngineZustand& e, const TBewertungsKonstanten& k) {
    TKettenListe l;
    FindeKetten(e.Brett, l);
    return Bewertung(e, l, k);
}

double Bewertung(const TEngineZustand& e, const TKettenListe& l, const TBewertungsKonstanten& k) {
    const TFarbe eigene = FarbeVonSeite(e.AmZug);
    double v = 0;
    for (int i = 0; i < l.Anzahl; ++i) {
        const TKette& kt = l.Ketten[i];
        const int augen = kt.Augen > MaxAugen ? MaxAugen : kt.Augen;
        const double w = k.Kettenwerte[kt.Groesse][kt.Freiheiten][augen];
        if (e.Brett[kt.Punkt] == eigene)
            v += w;
        else
            v -= w;
    }
    const auto& pw = k.Positionswerte[e.AmZug];
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            TFarbe c = e.Brett[Punkt(x, y)];
            if (c == Schwarz || c == Weiss) v += pw[c][y][x];
        }
    return v;
}

void ErgaenzeWerte(TBewertungsKonstanten& k) {
    for (int s = 1; s >= 0; --s)
        for (int c = -2; c <= 1; ++c)
            for (int y = 6; y >= 0; --y)
                for (int x = 0; x < 7; ++x)
                    ErgaenzePosition(k, s, c, y, x);

    // Chain values. Rows given in the file keep their values; missing sizes continue the row.
    // A missing liberty count continues the two rows below it (or copies the one below, or the
    // nearest one above when none is below); no liberties at all is worth 0; eyes not given
    // take the values of one eye fewer.
    for (int a = 0; a <= MaxAugen; ++a) {
        TArray<bool, 0, MaxKette> gegeben{};
        for (int f = 0; f <= MaxKette; ++f) {
            gegeben[f] = ZeileGegeben(k, f, a);
            if (gegeben[f]) ErgaenzeGroessen(k, f, a);
        }
        for (int f = 0; f <= MaxKette; ++f) {
            if (gegeben[f]) continue;
            auto setze = [&](auto quelle) {
                for (int s = 0; s <= MaxKette; ++s)
                    k.Kettenwerte[s][f][a] = quelle(s);
            };
            if (a > 0)
                setze([&](int s) { return k.Kettenwerte[s][f][a - 1]; });
            else if (f == 0)
                setze([](int) { return 0.0; });
            else if (f >= 3)
                setze([&](int s) { return 2 * k.Kettenwerte[s][f - 1][a] - k.Kettenwerte[s][f - 2][a]; });
            else if (f == 2 && gegeben[1])
                setze([&](int s) { return k.Kettenwerte[s][1][a]; });
            else {
                int oben = f + 1;
                while (oben <= MaxKette && !gegeben[oben])
                    ++oben;
                if (oben > MaxKette)
                    setze([](int) { return 0.0; });
                else
                    setze([&](int s) { return k.Kettenwerte[s][oben][a]; });
            }
            gegeben[f] = a == 0 && f >= 1; // filled rows count as given for the ones above
        }
    }
    // Completed values stay in the file's range too, so that the echo reads back as written.
    for (auto& seite : k.Positionswerte)
        for (auto& farbe : seite)
            for (auto& zeile : farbe)
                for (auto& w : zeile)
                    w = InDateiBereich(w);
    for (auto& g : k.Kettenwerte)
        for (auto& f : g)
            for (auto& w : f)
                w = InDateiBereich(w);
}

const std::string& StandardWerteText() {
    static const std::string text = "Werte\n"
                                    "\n"
                                    "Positionswerte\n"
                                    "AmZug    Figur\n"
                                    " TRUE       S\n"
                                    "-5 00 00 01 00 00 -5\n"
                                    "00 00 00 02 00 00 00\n"
                                    "01 00 00 02 00 02 01\n"
                                    "00 02 02 02 01 00 00\n"
                                    "00 00 01 00 02 01 01\n"
                                    "00 00 01 00 01 00 00\n"
                                    "-5 00 01 00 01 00 -5\n"
                                    "End Positionswerte\n"
                                    "\n"
                                    "Kettenwerte\n"
                                    "  Freiheiten  Augen  Werte\n"
                                    "# 1 0 100 200 300 400 500\n"
                                    "# 2 0 103 206 309 412 515\n"
                                    "# 3 0 106 212 318 424 530\n"
                                    "# 4 0 109 218 327 436 545\n"
                                    "# 5 0 112 224 336 448 560\n"
                                    "# 6 0 115 230 345 460 575\n"
                                    "End Kettenwerte\n"
                                    "\n"
                                    "End Werte\n";
    return text;
}

void LeseWerteText(const std::string& text, TBewertungsKonstanten& k) {
    k.AllesMarkieren();
    TLeser l(text);
    l.Schluesselwort("Werte");
    l.Schluesselwort("Positionswerte");
    for (;;) {
        std::string z = l.Muss("AmZug    Figur");
        if (Normal(z) == "End Positionswerte") break;
        if (Normal(z) != "AmZug Figur") Erwartet("AmZug    Figur", Trimmen(z));
        LesePositionsBlock(l, k);
    }
    l.Schluesselwort("Kettenwerte");
    l.Schluesselwort("  Freiheiten  Augen  Werte");
    for (;;) {
        std::string z = l.Muss("End Kettenwerte");
        if (Normal(z) == "End Kettenwerte") break;
        if (Trimmen(z).front() != '#') Erwartet("End Kettenwerte", Trimmen(z));
        LeseKettenZeile(z, k);
    }
    l.Schluesselwort("End Werte");
    ErgaenzeWerte(k);
}

namespace {
std::string ZahlText(double v) {
    char puffer[40];
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        std::snprintf(puffer, sizeof puffer, "%.0f", v);
    else
        std::snprintf(puffer, sizeof puffer, "%.17g", v);
    return puffer;
}
} // namespace

std::string WerteAlsText(const TBewertungsKonstanten& k) {
    std::string t = "Werte\n\nPositionswerte\n";
    for (int s = 1; s >= 0; --s)
        for (TFarbe c : {Schwarz, Weiss, Leer}) {
            t += "AmZug    Figur\n";
            t += s ? " TRUE       " : " FALSE      ";
            t += SteinBuchstabe(c);
            t += '\n';
            for (int y = 6; y >= 0; --y) {
                for (int x = 0; x < 7; ++x) {
                    if (x) t += ' ';
                    t += ZahlText(k.Positionswerte[s][c][y][x]);
                }
                t += '\n';
            }
        }
    t += "End Positionswerte\n\nKettenwerte\n  Freiheiten  Augen  Werte\n";
    for (int a = 0; a <= MaxAugen; ++a)
        for (int f = 0; f <= MaxKette; ++f) {
            t += "# ";
            t += std::to_string(f);
            t += ' ';
            t += std::to_string(a);
            for (int s = 1; s <= MaxKette; ++s) {
                t += ' ';
                t += ZahlText(k.Kettenwerte[s][f][a]);
            }
            t += '\n';
        }
    t += "End Kettenwerte\n\nEnd Werte\n";
    return t;
}

void SetzeEngineOrdner(std::string ordner) { Ordner() = std::move(ordner); }
std::string EngineOrdner() { return Ordner(); }

namespace {
std::string ImOrdner(const std::string& name) {
    if (Ordner().empty()) return name;
    return (std::filesystem::path(Ordner()) / name).string();
}
const std::string WerteBasis = std::string("Default") + "7" + "x" + "7" + ".werte";
} // namespace

std::string WerteDateiName() { return ImOrdner(WerteBasis + ".cfg"); }
std::string WerteEchoName() { return ImOrdner(WerteBasis + ".out"); }

bool LeseWerteDatei(TBewertungsKonstanten& k) {
    const std::string name = WerteDateiName();
    std::string fehler;
    {
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            fehler = IOFehlerText(IOCodeAusErrno(errno, false));
        } else {
            std::ostringstream inhalt;
            inhalt << in.rdbuf();
            if (in.bad())
                fehler = IOFehlerText(IOCodeAusErrno(errno, false));
            else
                try {
                    LeseWerteText(inhalt.str(), k);
                } catch (const std::exception& ex) {
                    fehler = ex.what();
                }
        }
    }
    if (!fehler.empty()) {
        MeldeFehler(
            "Die Eingabedatei \"" + name +
            "\" mit den Konstanten für die Stellungsbewertung konnte nicht gelesen werden. Die Engine "
            "benutzt deshalb Standardwerte und spielt grottenschlecht. \r\nDetails: " +
            fehler);
        try {
            LeseWerteText(StandardWerteText(), k);
        } catch (const std::exception&) {
            return false;
        }
    }
    const std::string echo = WerteEchoName();
    std::ofstream aus(echo, std::ios::binary | std::ios::trunc);
    if (aus) aus << WerteAlsText(k);
    if (!aus || !(aus.flush()))
        MeldeFehler(
            "Die Ausgabedatei \"" + echo +
            "\" mit den Konstanten für die Stellungsbewertung konnte nicht geschrieben werden. Das "
            "beeinträchtigt die Funktion normal nicht. Ist aber etwas verdächtig. Vielleicht stimmt was "
            "nicht mit der Installation.");
    return true;
}

void ZufallsVariation(TBewertungsKonstanten& k, int n) {
    if (n <= 0) return;
    std::lock_guard<std::mutex> sperre(zufallsMutex);
    std::uniform_int_distribution<int> verteilung(0, n - 1);
    for (auto& seite : k.Positionswerte)
        for (auto& farbe : seite)
            for (auto& zeile : farbe)
                for (auto& w : zeile)
                    w += verteilung(Zufall());
}

void SetzeZufallsSaat(std::uint32_t saat) {
    std::lock_guard<std::mutex> sperre(zufallsMutex);
    Zufall().seed(saat);
}

namespace {
std::uint64_t BytesHash(const TBewertungsKonstanten& k) {
    static_assert(std::is_trivially_copyable_v<TBewertungsKonstanten>);
    unsigned char bytes[sizeof k];
    std::memcpy(bytes, &k, sizeof k);
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char b : bytes)
        h = (h ^ b) * 0x100000001B3ull;
    return h;
}
// The file's values before and after the variation of the last BereiteBewertungVor.
std::uint64_t kennungDatei = 0, kennungVariiert = 0;
} // namespace

bool BereiteBewertungVor() {
    TBewertungsKonstanten k;
    if (!LeseWerteDatei(k)) return false;
    kennungDatei = BytesHash(k);
    ZufallsVariation(k, 5);
    Konstanten = k;
    kennungVariiert = BytesHash(k);
    return true;
}

std::uint64_t WerteKennung() {
    const std::uint64_t h = BytesHash(Konstanten);
    return h == kennungVariiert ? kennungDatei : h;
}
