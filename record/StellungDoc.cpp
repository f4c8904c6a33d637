#include "record/StellungDoc.h"

#include "engine/Engines.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"
#include "support/TP2Win.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

namespace {
constexpr char Kennung[] = "goV1";
constexpr char Brettformat[] = "7x7 "; // the program's board format, four characters
constexpr int RecordGroesse = 4;

namespace fs = std::filesystem;

void SchreibeInt(std::vector<unsigned char>& puffer, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        puffer.push_back(static_cast<unsigned char>(u >> (8 * i)));
}

std::int32_t LiesInt(const unsigned char* r) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | r[i];
    return static_cast<std::int32_t>(u);
}

TZug ZugAus(const unsigned char* r) {
    TZug z;
    z.Farbe = static_cast<TFarbe>(static_cast<std::int8_t>(r[0]));
    z.Feld = static_cast<std::int8_t>(r[1]);
    z.Schlag = static_cast<TFarbe>(static_cast<std::int8_t>(r[2]));
    z.Flags = r[3];
    return z;
}

// Shows stored characters readably: control and non-ASCII bytes become "?".
std::string Lesbar(const unsigned char* r, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += (r[i] >= 0x20 && r[i] < 0x7F) ? static_cast<char>(r[i]) : '?';
    return s;
}

// Reads 4-byte records; a partial record at the end is not a record (the file's size counts
// whole records only).
class TRecordLeser {
public:
    explicit TRecordLeser(std::string_view bytes) : Bytes(bytes) {}
    bool Lies(unsigned char* r) {
        if (Bytes.size() - Pos < RecordGroesse) return false;
        std::memcpy(r, Bytes.data() + Pos, RecordGroesse);
        Pos += RecordGroesse;
        return true;
    }

private:
    std::string_view Bytes;
    std::size_t Pos = 0;
};

// Detaches the engines while a file is replayed; re-attaches them on every way out.
struct TEnginesAbgehaengt {
    TEnginesAbgehaengt() { EnginesAbhaengen(); }
    ~TEnginesAbgehaengt() { Anhaengen(); }
    void Anhaengen() {
        if (Aktiv) EnginesAnhaengen();
        Aktiv = false;
    }
    bool Aktiv = true;
};

std::string Beschaedigt(const std::string& name, const std::string& was) {
    return "Die Datei " + name + " ist beschädigt: " + was;
}

// The tokens must form the depth-first walk of a tree: every back token closes the move opened
// last, nothing stays open, and every move is a pass or lies on a point of the board.
std::string PruefeBaum(const std::string& name) {
    std::vector<TZug> offen;
    const TBaum::TTokens& t = *Baum.Tokens;
    for (int i = 0; i <= Baum.Letzter; ++i) {
        TZug z = t[i];
        const std::string stelle = "Eintrag " + std::to_string(i + 1);
        if ((z.Flags & ~FlagZurueck) != 0 || z.Farbe < -2 || z.Farbe > 1 || z.Schlag < -2 || z.Schlag > 1)
            return Beschaedigt(name, stelle + " ist kein gültiger Zug.");
        if (z.Feld >= 0 && !IstPunkt(z.Feld))
            return Beschaedigt(name, stelle +
                                         " enthält einen Zug auf ein Feld außerhalb des Spielfelds (Feld " +
                                         std::to_string(z.Feld) + ").");
        if (IstVorwaerts(z)) {
            offen.push_back(z);
            continue;
        }
        SetzeVorwaerts(z, true);
        if (offen.empty() || !GleicherZug(offen.back(), z))
            return Beschaedigt(name, "die Züge bilden keinen gültigen Zugbaum (" + stelle + ").");
        offen.pop_back();
    }
    if (!offen.empty()) return Beschaedigt(name, "der Zugbaum ist nicht vollständig.");
    return {};
}

// Reads the file's bytes into the tree and the set-up board, checks them and rebuilds the game;
// a format problem goes into meldung.
void LiesUndBaueAuf(const std::string& name, const TDateiInhalt& datei, std::string& meldung) {
    std::int32_t gespCursor = 0;
    std::int64_t gespLetzter = -1;
    std::int32_t gespBasis = 1;
    TRecordLeser leser(datei.Bytes);
    unsigned char r[RecordGroesse];

    Regeln.Grundstellung();
    if (leser.Lies(r)) {
        if (std::memcmp(r, Kennung, 3) != 0)
            meldung = "Die Datei " + name + " hat ein falsches Format.\r\nErwartet: " + Kennung +
                      "\r\nGefunden: " + Lesbar(r, 4);
        else if (std::memcmp(r, Kennung, 4) != 0)
            meldung = "Die Datei " + name + " Benötigt mindestens Programmversion " + Lesbar(r + 3, 1) + ".";
        if (meldung.empty()) {
            if (!leser.Lies(r)) {
                meldung = Beschaedigt(name, "der Dateikopf ist unvollständig.");
            } else if (std::memcmp(r, Brettformat, 4) != 0) {
                meldung = "Die Datei enthält eine Go-Partie auf einem " + Lesbar(r, 4) +
                          "großen Brett. Dieses Programm ist jedoch für ein Spielfeld im " + "Format " +
                          Brettformat + "gedacht.";
            }
        }
        if (meldung.empty()) {
            std::int32_t kopf[4];
            for (auto& k : kopf) {
                if (!leser.Lies(r)) {
                    meldung = Beschaedigt(name, "der Dateikopf ist unvollständig.");
                    break;
                }
                k = LiesInt(r);
            }
            gespCursor = kopf[0];
            gespLetzter = kopf[1];
            gespBasis = kopf[2];
        }
    }

    Baum.Init(Baum.Basis);
    TBrett aufbau = Startbrett;
    bool mitAufbau = false;
    std::int64_t anzahl = 0;
    bool zuViele = false;
    TBaum::TTokens& tokens = *Baum.Tokens;
    while (meldung.empty() && leser.Lies(r)) {
        const TZug z = ZugAus(r);
        if (IstSetup(z)) {
            const int farbe = z.Farbe, feld = z.Feld;
            const bool farbeGut = farbe >= -2 && farbe <= 1 && feld >= BrettVon && feld <= BrettBis;
            // A point takes a stone or nothing; the border stays border.
            const bool passt = farbeGut && (IstPunkt(feld) ? farbe != Rand : farbe == Rand);
            if (!passt) {
                meldung = Beschaedigt(name, "eine Aufstellung setzt den Wert " + std::to_string(farbe) +
                                                " auf das Feld " + std::to_string(feld) + ".");
                break;
            }
            aufbau[feld] = ZuFarbe(farbe);
            mitAufbau = true;
            continue;
        }
        if (anzahl > TBaum::MaxToken) {
            zuViele = true;
            break;
        }
        tokens[static_cast<long>(anzahl)] = z;
        ++anzahl;
    }
    // More tokens than the tree holds, or records cut off at the size limit (far more still).
    if (meldung.empty() && (zuViele || datei.ZuGross))
        meldung =
            Beschaedigt(name, "sie enthält mehr als " + std::to_string(TBaum::MaxToken + 1) + " Einträge.");
    Baum.Letzter = static_cast<std::int32_t>(anzahl - 1);
    if (!meldung.empty()) return;

    if (Baum.Letzter != gespLetzter) {
        meldung = "Datei " + name + ": " + std::to_string(gespLetzter + 1) + " Halbzüge erwartet, jedoch " +
                  std::to_string(static_cast<std::int64_t>(Baum.Letzter) + 1) + " gefunden.";
        return;
    }
    meldung = PruefeBaum(name);
    if (!meldung.empty()) return;

    TStellung start;
    start.Brett = aufbau;
    // A set-up game keeps its side to move in the base record: an even number means white.
    start.Halbzug = (mitAufbau && (gespBasis & 1) == 0) ? 2 : 1;
    if (mitAufbau) Regeln.SetzeStellung(start);

    // Walk to the stored position on the rules state alone, checking every move on the way.
    TEnginesAbgehaengt abgehaengt;
    Baum.ZurWurzel();
    while (Baum.Cursor != gespCursor && Baum.Cursor <= Baum.Letzter) {
        TZug z;
        if (Baum.Vor(z)) {
            const int pruefung = Regeln.PruefeZug(z);
            if (pruefung == ZugKeinPlatz) {
                meldung = Beschaedigt(name, "sie enthält mehr Halbzüge, als eine Partie haben kann.");
                return;
            }
            if (pruefung != ZugLegal) {
                meldung = Beschaedigt(name, "der " + std::to_string(Regeln.Zugnummer) + ". Halbzug (" +
                                                ZugText(z) + ") ist nach den Regeln nicht erlaubt.");
                return;
            }
            Regeln.Ziehe(z);
        } else {
            Regeln.Zuruecknehmen();
            Baum.SchrittRechts();
        }
    }
    std::vector<TZug> linie;
    for (int i = 1; i < Regeln.Zugnummer; ++i)
        linie.push_back(Regeln.Zugfolge[i]);

    abgehaengt.Anhaengen();
    if (mitAufbau)
        NeueStellung(start);
    else
        NeuesSpiel();
    for (const TZug& z : linie)
        ZieheInsert(z);
}
} // namespace

TIOErgebnis SpeichereSpiel(const std::string& name) {
    std::vector<unsigned char> puffer;
    puffer.reserve(static_cast<std::size_t>(24 + 4 * (Baum.Letzter + 1)));
    puffer.insert(puffer.end(), Kennung, Kennung + 4);
    puffer.insert(puffer.end(), Brettformat, Brettformat + 4);
    SchreibeInt(puffer, Baum.Cursor);
    SchreibeInt(puffer, Baum.Letzter);
    // A game from a set-up position: its side to move goes into the base record (even: white),
    // one setup record per stone before the tokens. An empty board (only white to move) gets the
    // record of an empty a1, or it would read as a new game.
    const bool aufgebaut = IstAufgebaut();
    const TStellung start = Startstellung();
    const bool ohneSteine = GleichesBrett(start.Brett, Startbrett);
    SchreibeInt(puffer, aufgebaut ? start.Halbzug : Baum.Basis);
    SchreibeInt(puffer, Baum.Tiefe);
    if (aufgebaut)
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 7; ++y) {
                const int p = Punkt(x, y);
                if (start.Brett[p] == Leer && !(ohneSteine && p == 0)) continue;
                puffer.push_back(static_cast<unsigned char>(start.Brett[p]));
                puffer.push_back(static_cast<unsigned char>(p));
                puffer.push_back(0);
                puffer.push_back(FlagSetup);
            }
    for (int i = 0; i <= Baum.Letzter; ++i) {
        TZug z = (*Baum.Tokens)[i];
        SetzeSetup(z, false);
        puffer.push_back(static_cast<unsigned char>(z.Farbe));
        puffer.push_back(static_cast<unsigned char>(z.Feld));
        puffer.push_back(static_cast<unsigned char>(z.Schlag));
        puffer.push_back(z.Flags);
    }
    return SpeichereDatei(name,
                          std::string_view(reinterpret_cast<const char*>(puffer.data()), puffer.size()));
}

bool SpeichereSpielMitMeldung(const std::string& name) {
    const TIOErgebnis erg = SpeichereSpiel(name);
    if (erg.Code != 0) ZeigeIOFehler(erg.Code, erg.Meldung);
    return erg.Code == 0;
}

TIOErgebnis LeseSpiel(const std::string& name) {
    TIOErgebnis erg;
    const TDateiInhalt datei = LiesDatei(name, MaxDateiGroesse);
    erg.Code = datei.Code;
    if (erg.Code == 0) {
        try {
            LiesUndBaueAuf(name, datei, erg.Meldung);
        } catch (const std::exception& e) {
            erg.Meldung = "Die Datei " + name + " konnte nicht eingelesen werden: " + e.what();
        }
    }
    if (erg.Code != 0 || !erg.Meldung.empty()) NeuesSpiel();
    return erg;
}

int LadeSpiel(const std::string& name, bool meldungen, bool anlegen) {
    if (name.empty()) return 0;
    std::string datei = name;
    // Only the file's own name decides; a dot in a folder name does not count.
    const auto ordnerEnde = datei.find_last_of("/\\");
    const std::string nurName = ordnerEnde == std::string::npos ? datei : datei.substr(ordnerEnde + 1);
    if (nurName.find('.') == std::string::npos) datei += ".go";
    std::error_code ec;
    if (anlegen && !fs::exists(DateiPfad(datei), ec)) {
        if (std::FILE* f = std::fopen(DateiPfad(datei).string().c_str(), "wb")) std::fclose(f);
    }
    const TIOErgebnis erg = LeseSpiel(datei);
    if (meldungen) {
        if (!erg.Meldung.empty()) ZeigeInfo(erg.Meldung);
        if (erg.Code != 0) ZeigeIOFehler(erg.Code, "Datei " + datei + " konnte nicht eingelesen werden (%) ");
    }
    if (!erg.Meldung.empty() && erg.Code == 0) return -1;
    return erg.Code;
}
