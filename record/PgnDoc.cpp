#include "record/PgnDoc.h"

#include "record/Datei.h"
#include "support/StringsV5.h"

#include <algorithm>
#include <charconv>

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
    TokenRaw.clear();
    TokenValue.clear();
    Number = KeineZahl;
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

bool TPgnParser::Match(const std::string& literal) {
    if (AmEnde() || Text.compare(static_cast<size_t>(Pos - 1), literal.size(), literal) != 0) {
        Number = KeineZahl;
        return false;
    }
    Pos += static_cast<std::int32_t>(literal.size());
    TokenRaw = literal;
    TokenValue = literal;
    std::int32_t n = 0;
    const auto [ende, fehler] = std::from_chars(literal.data(), literal.data() + literal.size(), n);
    Number = (fehler == std::errc() && ende == literal.data() + literal.size()) ? n : KeineZahl;
    return true;
}

void TPgnParser::SkipWhitespace() {
    std::string s;
    while (IstWeiss(Peek()))
        s += Next();
    TokenRaw = s;
    TokenValue = s;
}

std::string TPgnParser::ReadDigits() {
    std::string s;
    Number = 0;
    while (IstZiffer(Peek())) {
        const char c = Next();
        s += c;
        if (Number == KeineZahl) continue;
        Number = Number > 214748353 ? KeineZahl : Number * 10 + (c - '0');
    }
    TokenRaw = s;
    TokenValue = s;
    return s;
}

std::string TPgnParser::LookDigits() {
    const std::int32_t p0 = Pos;
    std::string s = ReadDigits();
    Pos = p0;
    return s;
}

std::string TPgnParser::ReadSymbol() {
    SkipWhitespace();
    Number = KeineZahl;
    const char c0 = Peek();
    if (!IstBuchstabe(c0) && !IstZiffer(c0)) return std::string();
    std::string s(1, Next());
    for (;;) {
        const char c = Peek();
        if (!IstBuchstabe(c) && !IstZiffer(c) && std::string_view("_+#=:-").find(c) == std::string_view::npos)
            break;
        s += Next();
    }
    TokenRaw = s;
    TokenValue = s;
    std::transform(TokenValue.begin(), TokenValue.end(), TokenValue.begin(), Klein);
    return s;
}

std::string TPgnParser::ReadString() {
    if (Peek() != '"') return std::string();
    std::string roh(1, Next());
    std::string wert;
    for (;;) {
        const char c = Peek();
        if (c == '\\') {
            roh += Next();
            const char e = Next(); // taken literally, whatever it is
            roh += e;
            wert += e;
        } else if (c == '"') {
            roh += Next();
            break;
        } else if (c == '\0' || c == '\n' || c == '\r') {
            Fehler("Es fehlt ein Anführungszeichen am Ende des Strings. Gefundenes Zeichen: #" +
                   std::to_string(static_cast<unsigned char>(c)));
            break;
        } else {
            roh += Next();
            wert += c;
        }
    }
    TokenRaw = roh;
    TokenValue = wert;
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

bool LiesPgnZug(TPgnParser& p, TSanZug& s, std::string& zugtext) {
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
    const auto fertig = [&](bool ok) {
        const size_t n = std::min<size_t>(zugtext.size(), 5);
        s.Text[0] = static_cast<char>(n);
        std::copy_n(zugtext.begin(), n, s.Text + 1);
        return ok;
    };

    const char erstes = NextZ();
    if (erstes == 'O' || erstes == 'o') {
        s.VonFeld = -1;
        s.NachFeld = -1;
        s.Figur = -1;
        s.Umwandlung = 0;
        if (!MatchZ("-O-O") && !MatchZ("-o-o") && !MatchZ("-O") && !MatchZ("-o")) {
            std::string naechste;
            for (std::int32_t i = p.Pos; i < p.Pos + 3 && static_cast<size_t>(i) <= p.Text.size(); ++i) {
                const char c = p.Text[static_cast<size_t>(i - 1)];
                naechste += c == '\0' ? ' ' : c;
            }
            p.Fehler("\"O-O\" oder \"O-O-O\" erwartet, aber \"" + naechste + "\" gefunden.");
            return fertig(false);
        }
        if (p.Peek() == '+') {
            NextZ();
            s.Zeichen |= 1;
        }
        if (p.Peek() == '#') {
            NextZ();
            s.Zeichen |= 2;
        }
        return fertig(true);
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
        return fertig(false);
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
            return fertig(false);
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
            return fertig(false);
        }
    }

    if (vonZeile && nachZeile) {
        p.Fehler(std::string("Syntaktisch falscher Zug: ") + erstes + vonZeile + nachZeile);
        return fertig(false);
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
            // which stops the reading below.
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
            return fertig(false);
        }
        umwandlung = c;
    } else if (figur == 'P' && (nachZeile == '1' || nachZeile == '8') &&
               (p.Peek() == 'P' || p.Peek() == 'p')) {
        const auto folge = static_cast<size_t>(p.Pos); // 0-based index of the character after it
        const char danach = folge < p.Text.size() ? p.Text[folge] : '\0';
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
        const long x = spalte ? spalte - 'a' : 7;
        const long y = zeile ? zeile - '1' : 7;
        return static_cast<std::int16_t>(Bereich<BrettVon, BrettBis>(x + 16 * y));
    };
    s.Figur = code(figur);
    s.Umwandlung = code(umwandlung);
    s.VonFeld = feld(vonSpalte, vonZeile);
    s.NachFeld = feld(nachSpalte, nachZeile);
    return fertig(true);
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
    void Lies();

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
    const std::int32_t zeile = p.Line;
    std::string name = p.ReadSymbol();
    if (name.empty()) {
        p.Fehler("Tagname muss mit einem Buchstaben oder einer Ziffer beginnen, aber \"" + Zeichen(p.Peek()) +
                 "\" gefunden (Umlaute, ß usw. sind nicht erlaubt).");
        while (p.Line == zeile && !p.AmEnde() && p.Peek() != ']' && p.Peek() != '"') {
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
        while (!p.AmEnde() && p.Line == zeile) {
            const char c = p.Peek();
            if (c == ']' || c == '"' || c == '\r' || c == '\n') break;
            wert += p.Next();
        }
        p.Match("\"");
    }
    if (!p.Match("]")) {
        p.Fehler("Tagendezeichen \"]\" erwartet, aber \"" + Zeichen(p.Peek()) +
                 "\" gefunden. Der Rest der Zeile wird ignoriert.");
        while (p.Line <= zeile && !p.AmEnde())
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
    if (g.Rules.Zugnummer == ziel) anzahl = g.Rules.ZaehleZuegeAufFeld(zug.San, z);
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
    const std::string ziffern = p.LookDigits();
    if (p.Number >= 1 && p.Number <= 1999) {
        l.MoveNumber = p.Number;
        l.FirstOfPair = true;
    } else {
        p.Fehler("Zugnr nicht im erlaubten Bereich: " + ziffern);
    }
    p.ReadDigits();
}

void TPgnLeser::Lies() {
    l.NeuesSpiel();
    l.State = TPgnState::InTags;
    p.SkipWhitespace();
    for (;;) {
        const std::int32_t vorher = p.Pos;
        const char c = p.Peek();
        if (p.AmEnde()) {
            if (l.State != TPgnState::Ended) {
                p.Fehler("Spielendekennung (1-0 0-1 1/2-1/2 *) fehlt.");
                l.State = TPgnState::Ended;
            }
            return;
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
            if (LiesPgnZug(p, zug.San, zug.Text)) SpieleZug(zug);
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
        if (p.Pos == vorher) break;
    }
    p.SkipWhitespace();
    if (!p.AmEnde()) p.Fehler("Rest bis zum Dateiende wird ignoriert.");
}

} // namespace

void ParsePgnText(TPgnParser& parser, TPgnGameList& liste, const std::string& bytes) {
    parser.Vorbereiten(bytes);
    liste.Zuruecksetzen();
    TPgnLeser(parser, liste).Lies();
}

namespace {
void MeldeLesefehler(const std::string& datei) {
    Meldung("Fehler beim Lesen der PGN-Datei \"" + datei + "\"", true);
}
} // namespace

int ReadPgnText(TPgnParser& parser, TPgnGameList& liste, const std::string& bytes, const std::string& datei,
                std::string& fehler) {
    int ergebnis = 0;
    try {
        ParsePgnText(parser, liste, bytes);
    } catch (...) {
        ergebnis = -1; // the games read so far stay
    }
    fehler = parser.Errors;
    if (ergebnis != 0) MeldeLesefehler(datei);
    return ergebnis;
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
