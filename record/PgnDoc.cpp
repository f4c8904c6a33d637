#include "record/PgnDoc.h"

#include "record/Datei.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <algorithm>

TPgnParser PgnParser;
TPgnGameList PgnSpiele;

namespace {

bool IstBuchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IstZiffer(char c) { return c >= '0' && c <= '9'; }
bool IstWeiss(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}
char Klein(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Gross(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
// A character for a message; the end of the text has none to show.
std::string Zeichen(char c) { return c == '\0' ? std::string() : std::string(1, c); }

} // namespace

// ---- parser ------------------------------------------------------------------------------

void TPgnParser::Vorbereiten(const std::string& bytes) {
    Text.clear();
    Text.reserve(bytes.size() + bytes.size() / 16 + 16);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            // CR LF and LF CR are one break each
            const char partner = c == '\r' ? '\n' : '\r';
            if (i + 1 < bytes.size() && bytes[i + 1] == partner) ++i;
            Text += "\r\n";
        } else {
            Text += c;
        }
    }
    Text.append(16, ' ');
    Pos = 1;
    Line = 1;
    Errors.clear();
}

void TPgnParser::Fehler(const std::string& meldung) { Errors += meldung + "\r\n"; }

char TPgnParser::Peek() const {
    if (AmEnde()) return '\0';
    const char c = Text[static_cast<size_t>(Pos - 1)];
    return c == '\0' ? ' ' : c;
}

char TPgnParser::Next() {
    const char c = Peek();
    if (!AmEnde()) ++Pos;
    if (c == '\n') ++Line;
    return c;
}

bool TPgnParser::AmEnde() const { return Pos < 1 || static_cast<size_t>(Pos) > Text.size(); }

std::string TPgnParser::Vorschau(int n) const {
    std::string s;
    for (size_t i = static_cast<size_t>(Pos - 1); s.size() < static_cast<size_t>(n) && i < Text.size(); ++i)
        s += Text[i] == '\0' ? ' ' : Text[i];
    return s;
}

bool TPgnParser::Match(const std::string& literal) {
    if (AmEnde() || Text.compare(static_cast<size_t>(Pos - 1), literal.size(), literal) != 0) return false;
    Pos += static_cast<std::int32_t>(literal.size());
    return true;
}

void TPgnParser::SkipWhitespace() {
    while (IstWeiss(Peek()))
        Next();
}

std::string TPgnParser::ReadDigits(std::int32_t* wert) {
    std::string s;
    std::int32_t n = 0;
    while (IstZiffer(Peek())) {
        const char c = Next();
        s += c;
        if (n == KeineZahl) continue;
        n = n > 214748353 ? KeineZahl : n * 10 + (c - '0');
    }
    if (wert) *wert = n;
    return s;
}

std::string TPgnParser::ReadSymbol() {
    SkipWhitespace();
    const char c0 = Peek();
    if (!IstBuchstabe(c0) && !IstZiffer(c0)) return std::string();
    std::string s(1, Next());
    for (;;) {
        const char c = Peek();
        if (!IstBuchstabe(c) && !IstZiffer(c) && std::string_view("_+#=:-").find(c) == std::string_view::npos)
            break;
        s += Next();
    }
    return s;
}

std::string TPgnParser::ReadString() {
    if (Peek() != '"') return std::string();
    Next();
    std::string wert;
    for (;;) {
        const char c = Peek();
        if (c == '\\') {
            Next();
            wert += Next(); // taken literally, whatever it is
        } else if (c == '"') {
            Next();
            break;
        } else if (c == '\0' || c == '\n' || c == '\r') {
            Fehler("Es fehlt ein Anführungszeichen am Ende des Strings. Gefundenes Zeichen: #" +
                   std::to_string(static_cast<unsigned char>(c)));
            break;
        } else {
            wert += Next();
        }
    }
    return wert;
}

void TPgnParser::ReadBraceComment() {
    Next(); // "{"
    const std::int32_t p0 = Pos, l0 = Line;
    while (!AmEnde())
        if (Next() == '}') return;
    Fehler("Kommentar ohne Ende");
    // the rest is read as move text again
    Pos = p0;
    Line = l0;
}

void TPgnParser::ReadLineComment() {
    Next(); // ";" or "%"
    while (!AmEnde() && Peek() != '\r' && Peek() != '\n')
        Next();
    Match("\r\n");
}

// ---- games ---------------------------------------------------------------------------------

void TPgnGame::Neu() {
    Tags.clear();
    Moves.Init(1);
    StartPosition.NeuesSpiel();
    Rules.SetzeStellung(StartPosition);
    Result.clear();
}

void TPgnGameList::Zuruecksetzen() {
    Count = 0;
    Current = -1;
    State = TPgnState::Ended;
    MoveNumber = 1;
    FirstOfPair = true;
}

TPgnGame& TPgnGameList::NeuesSpiel() {
    Current = Count;
    if (Games.size() <= static_cast<size_t>(Current)) Games.push_back(std::make_unique<TPgnGame>());
    TPgnGame& g = *Games[static_cast<size_t>(Current)];
    g.Neu();
    ++Count;
    return g;
}

TPgnZugLesen LiesPgnZug(TPgnParser& p, TSanZug& s, std::string& zugtext) {
    zugtext.clear();
    const auto nummer = s.Zugnummer;
    const auto erster = s.ErsterZug;
    s = TSanZug{};
    s.Zugnummer = nummer;
    s.ErsterZug = erster;
    const auto NextZ = [&]() {
        const char c = p.Next();
        if (c != '\0') zugtext += c;
        return c;
    };
    const auto MatchZ = [&](const std::string& lit) {
        if (!p.Match(lit)) return false;
        zugtext += lit;
        return true;
    };
    const auto Schlagzeichen = [&]() {
        const char c = p.Peek();
        if (c == ':' || c == 'x' || c == 'X') NextZ();
    };
    const auto fertig = [&](TPgnZugLesen ergebnis) {
        const size_t n = std::min<size_t>(zugtext.size(), 5);
        s.Text[0] = static_cast<char>(n);
        std::copy_n(zugtext.begin(), n, s.Text + 1);
        return ergebnis;
    };

    const char erstes = NextZ();
    if (erstes == 'O' || erstes == 'o') {
        s.VonFeld = -1;
        s.NachFeld = -1;
        s.Figur = -1;
        s.Umwandlung = 0;
        if (!MatchZ("-O-O") && !MatchZ("-o-o") && !MatchZ("-O") && !MatchZ("-o")) {
            p.Fehler("\"O-O\" oder \"O-O-O\" erwartet, aber \"" + p.Vorschau(3) + "\" gefunden.");
            return fertig(TPgnZugLesen::Verworfen);
        }
        if (p.Peek() == '+') {
            NextZ();
            s.Zeichen |= 1;
        }
        if (p.Peek() == '#') {
            NextZ();
            s.Zeichen |= 2;
        }
        return fertig(TPgnZugLesen::Gelesen);
    }

    // Columns and rows as characters; 0 for "not given".
    char figur = 0, vonSpalte = 0, vonZeile = 0, nachSpalte = 0, nachZeile = 0;
    if (erstes == 'P' || erstes == 'p') {
        figur = 'P';
    } else if (erstes >= 'a' && erstes <= 'h') {
        figur = 'P';
        vonSpalte = erstes;
    } else if (erstes >= 'A' && erstes <= 'H') {
        figur = 'P';
        vonSpalte = Klein(erstes);
    } else {
        p.Fehler("Unbekannte Figur: " + Zeichen(erstes));
        return fertig(TPgnZugLesen::Verworfen);
    }

    if (!vonSpalte) {
        const char w = p.Peek();
        if (w != '\0' && static_cast<unsigned char>(w) <= 32) NextZ();
        Schlagzeichen();
        const char c = Klein(NextZ());
        if (c >= 'a' && c <= 'h') {
            vonSpalte = c;
        } else if (c >= '1' && c <= '8') {
            vonZeile = c;
        } else {
            p.Fehler("Zeichen ist an dieser Stelle im Zug nicht erlaubt: " + Zeichen(c));
            return fertig(TPgnZugLesen::Verworfen);
        }
    }

    Schlagzeichen();
    {
        const char c = Klein(NextZ());
        if (c >= 'a' && c <= 'h') {
            nachSpalte = c;
        } else if (c >= '1' && c <= '8') {
            nachZeile = c;
        } else {
            p.Fehler("a..h oder 1..8 erwartet, aber \"" + Zeichen(c) + "\" gefunden.");
            return fertig(TPgnZugLesen::Verworfen);
        }
    }

    if (vonZeile && nachZeile) {
        p.Fehler(std::string("Syntaktisch falscher Zug: ") + erstes + vonZeile + nachZeile);
        return fertig(TPgnZugLesen::Verworfen);
    }

    Schlagzeichen();
    if (vonSpalte && nachZeile) {
        if (p.Peek() == '-') NextZ();
        const char c = p.Peek();
        if (c >= 'a' && c <= 'h') { // long form "c3d4", "c3-d4"
            nachSpalte = NextZ();
            vonZeile = nachZeile;
            nachZeile = 0;
        } else { // "c3" names only the target
            nachSpalte = vonSpalte;
            vonSpalte = 0;
        }
    }

    if (!nachZeile) {
        const char c = p.Peek();
        if (c >= '1' && c <= '8') {
            nachZeile = NextZ();
        } else {
            p.Fehler("1..8 am Zugende erwartet, aber gefunden: " + Zeichen(c));
            // The character stands as the row; most give a value off the board's range,
            // which ends the reading below.
            nachZeile = c;
        }
    }

    char umwandlung = ' ';
    if (p.Peek() == '=') {
        NextZ();
        if (p.Peek() == ' ') NextZ();
        const char c = Gross(NextZ());
        if (c != 'P') {
            p.Fehler("Bauernverwandlungsfigur erwartet, aber gefunden: " + Zeichen(c));
            return fertig(TPgnZugLesen::Verworfen);
        }
        umwandlung = c;
    } else if (figur == 'P' && (nachZeile == '1' || nachZeile == '8') &&
               (p.Peek() == 'P' || p.Peek() == 'p')) {
        const std::string folge = p.Vorschau(2);
        const char danach = folge.size() > 1 ? folge[1] : '\0';
        if (!(danach >= 'a' && danach <= 'h')) umwandlung = Gross(NextZ());
    }

    if (p.Peek() == '#') {
        NextZ();
        s.Zeichen |= 2;
    }
    if (p.Peek() == '+') {
        NextZ();
        s.Zeichen |= 1;
    }

    const auto code = [](char c) -> std::int8_t { return c == 'P' ? 1 : c == ' ' ? 0 : -1; };
    const auto feld = [](char spalte, char zeile) {
        const int x = spalte ? spalte - 'a' : 7;
        const int y = zeile ? zeile - '1' : 7;
        return x + 16 * y;
    };
    const int von = feld(vonSpalte, vonZeile), nach = feld(nachSpalte, nachZeile);
    if (nach < BrettVon || nach > BrettBis) return TPgnZugLesen::Abbruch;
    s.Figur = code(figur);
    s.Umwandlung = code(umwandlung);
    s.VonFeld = static_cast<std::int16_t>(von);
    s.NachFeld = static_cast<std::int16_t>(nach);
    return fertig(TPgnZugLesen::Gelesen);
}

namespace {

// One move as read, before it is matched.
struct TGelesenerZug {
    TSanZug San;
    std::string Text; // every character consumed for the move
};

class TPgnLeser {
public:
    TPgnLeser(TPgnParser& p, TPgnGameList& l) : p(p), l(l) {}
    // false when a move's row ended the reading.
    bool Lies();

private:
    TPgnParser& p;
    TPgnGameList& l;

    TPgnGame& Spiel() { return l[l.Current]; }
    void TagPaar();
    void SpieleZug(const TGelesenerZug& zug);
    void Zahl();
};

void TPgnLeser::TagPaar() {
    p.Next(); // "["
    const std::int32_t zeile = p.Zeile();
    std::string name = p.ReadSymbol();
    if (name.empty()) {
        p.Fehler("Tagname muss mit einem Buchstaben oder einer Ziffer beginnen, aber \"" + Zeichen(p.Peek()) +
                 "\" gefunden (Umlaute, ß usw. sind nicht erlaubt).");
        while (p.Zeile() == zeile && !p.AmEnde() && p.Peek() != ']' && p.Peek() != '"') {
            const char c = p.Next();
            if (static_cast<unsigned char>(c) > 32) name += c;
        }
    }
    p.SkipWhitespace();
    std::string wert;
    if (p.Peek() == '"') {
        wert = p.ReadString();
    } else {
        p.Fehler("Tagwert muss in Anführunszeichen (\") stehen, aber (" + Zeichen(p.Peek()) + ") gefunden.");
        while (!p.AmEnde() && p.Zeile() == zeile) {
            const char c = p.Peek();
            if (c == ']' || c == '"' || c == '\r' || c == '\n') break;
            wert += p.Next();
        }
        p.Match("\"");
    }
    if (!p.Match("]")) {
        p.Fehler("Tagendezeichen \"]\" erwartet, aber \"" + Zeichen(p.Peek()) +
                 "\" gefunden. Der Rest der Zeile wird ignoriert.");
        while (p.Zeile() <= zeile && !p.AmEnde())
            p.Next();
    }
    Spiel().Tags.push_back(TPgnTag{name, wert});
}

void TPgnLeser::SpieleZug(const TGelesenerZug& zug) {
    if (l.State == TPgnState::Ended) l.NeuesSpiel();
    l.State = TPgnState::InMoves;
    TPgnGame& g = Spiel();
    const int ziel = l.FirstOfPair ? 2 * l.MoveNumber - 1 : 2 * l.MoveNumber;
    while (g.Rules.Zugnummer > ziel && g.Rules.Zugnummer > 1)
        g.Rules.Zuruecknehmen();

    TZug z = KeinZug;
    int anzahl = 0;
    if (g.Rules.Zugnummer == ziel) anzahl = g.Rules.ZaehleZuegeAufFeld(zug.San.NachFeld, z);
    // A candidate may still be suicide or repeat a board; the game keeps only legal moves
    // (and none beyond the record's capacity).
    if (anzahl > 0 && (!g.Rules.HatPlatzFuer(z) || g.Rules.PruefeZug(z) != ZugLegal)) anzahl = 0;

    const std::string wo =
        " (ZugNr: " + std::to_string(l.MoveNumber) + " von " + (l.FirstOfPair ? "Schwarz" : "Weiß") + ").";
    if (anzahl == 0) {
        p.Fehler("Zug \"" + zug.Text + "\" ist in dieser Position nicht erlaubt" + wo);
        return;
    }
    if (anzahl > 1) p.Fehler("Zug \"" + zug.Text + "\" ist nicht eindeutig" + wo);
    g.Moves.Einfuegen(g.Rules.Zugnummer, z);
    g.Rules.Ziehe(z);
    l.FirstOfPair = !l.FirstOfPair;
}

void TPgnLeser::Zahl() {
    if (l.State == TPgnState::Ended) l.NeuesSpiel();
    l.State = TPgnState::InMoves;
    for (const char* ergebnis : {"1-0", "0-1", "1/2-1/2", "*"}) {
        if (p.Match(ergebnis)) {
            l.State = TPgnState::Ended;
            Spiel().Result = ergebnis;
            return;
        }
    }
    std::int32_t nummer = 0;
    const std::string ziffern = p.ReadDigits(&nummer);
    if (nummer >= 1 && nummer <= 1999) {
        l.MoveNumber = nummer;
        l.FirstOfPair = true;
    } else {
        p.Fehler("Zugnr nicht im erlaubten Bereich: " + ziffern);
    }
}

bool TPgnLeser::Lies() {
    l.NeuesSpiel();
    l.State = TPgnState::InTags;
    p.SkipWhitespace();
    for (;;) {
        const std::int32_t vorher = p.Stelle();
        const char c = p.Peek();
        if (p.AmEnde()) {
            if (l.State != TPgnState::Ended) {
                p.Fehler("Spielendekennung (1-0 0-1 1/2-1/2 *) fehlt.");
                l.State = TPgnState::Ended;
            }
            return true;
        }
        if (c == '[') {
            if (l.State != TPgnState::InTags) {
                l.NeuesSpiel();
                l.State = TPgnState::InTags;
            }
            TagPaar();
        } else if (IstBuchstabe(c)) {
            TGelesenerZug zug;
            zug.San.Zugnummer = static_cast<std::int16_t>(l.MoveNumber);
            zug.San.ErsterZug = l.FirstOfPair ? 1 : 0;
            const TPgnZugLesen gelesen = LiesPgnZug(p, zug.San, zug.Text);
            if (gelesen == TPgnZugLesen::Abbruch) return false;
            if (gelesen == TPgnZugLesen::Gelesen) SpieleZug(zug);
        } else if (IstZiffer(c) || c == '*') {
            Zahl();
        } else if (c == '.') {
            int punkte = 0;
            while (p.Peek() == '.' || IstWeiss(p.Peek()))
                if (p.Next() == '.') ++punkte;
            l.FirstOfPair = punkte == 1;
        } else if (c == '!' || c == '?' || c == '+' || c == '#') {
            p.Next();
        } else if (c == '$') {
            p.Next();
            p.ReadDigits();
        } else if (c == '{') {
            p.ReadBraceComment();
        } else if (c == ';' || c == '%') {
            p.ReadLineComment();
        } else if (c == ')' || c == ']' || c == '}' || c == '\\') {
            p.Fehler(std::string("Unerwartetes Zeichen: ") + c);
            p.Next();
        } else if (c == '"' || c == '(') {
            // variations and stray strings are not read
        } else {
            p.Fehler(std::string("Kann mit Zeichen \"") + c + "\" hier nichts anfangen.");
            p.Next();
        }
        p.SkipWhitespace();
        if (p.Stelle() == vorher) break;
    }
    p.SkipWhitespace();
    if (!p.AmEnde()) p.Fehler("Rest bis zum Dateiende wird ignoriert.");
    return true;
}

} // namespace

bool ParsePgnText(TPgnParser& parser, TPgnGameList& liste, const std::string& bytes) {
    parser.Vorbereiten(bytes);
    liste.Zuruecksetzen();
    return TPgnLeser(parser, liste).Lies();
}

namespace {
void MeldeLesefehler(const std::string& datei) {
    Meldung("Fehler beim Lesen der PGN-Datei \"" + datei + "\"", true);
}
} // namespace

int ReadPgnText(TPgnParser& parser, TPgnGameList& liste, const std::string& bytes, const std::string& datei,
                std::string& fehler) {
    bool gelesen = false;
    try {
        gelesen = ParsePgnText(parser, liste, bytes);
    } catch (const std::exception&) {
        // A fault of the program (the tree full, no memory) ends the reading like the stop at a
        // row; the games read so far stay either way.
    }
    fehler = parser.Errors;
    if (!gelesen) MeldeLesefehler(datei);
    return gelesen ? 0 : -1;
}

int ReadPgnFile(TPgnParser& parser, TPgnGameList& liste, const std::string& datei, std::string& fehler) {
    const TDateiInhalt inhalt = LiesDatei(datei);
    if (inhalt.Code == 0) return ReadPgnText(parser, liste, inhalt.Bytes, datei, fehler);
    // The dialog still shows an empty first game.
    parser.Vorbereiten(std::string());
    liste.Zuruecksetzen();
    liste.NeuesSpiel();
    fehler = parser.Errors;
    MeldeLesefehler(datei);
    return -1;
}

int ReadPgnFile(TPgnGameList& liste, const std::string& datei, std::string& fehler) {
    return ReadPgnFile(PgnParser, liste, datei, fehler);
}

void UebernimmPgnSpiel(const TPgnGame& spiel, TZugGenerator& regeln, TBaum& baum) {
    regeln.SetzeStellung(spiel.StartPosition);
    TBaum::TiefeKopie(baum, spiel.Moves);
    baum.ZurWurzel();
}

void PgnSpielUebernehmen(const TPgnGame& spiel) {
    NeueStellung(spiel.StartPosition);
    UebernimmPgnSpiel(spiel, Regeln, Baum);
}
