#include "ui/NotationSatz.h"

#include "record/Baum.h"

#include <algorithm>

namespace {
struct TFeder {
    TNotationSatz& Satz;
    const TTextBreite& Breite;
    int Zeilenhoehe;
    bool Fortsetzung = false;
    int X = 0, Y = 0;

    void Schreibe(std::string t) {
        const int b = Breite(t);
        Satz.Texte.push_back({X, Y, std::move(t), Fortsetzung});
        X += b;
    }
    void Umbruch() {
        X = 0;
        Y += Zeilenhoehe;
    }
    void Nummer(int ply) {
        std::string n = std::to_string((ply + 1) / 2);
        if (n.size() < 4) n.insert(0, 4 - n.size(), ' ');
        Schreibe(n + ". ");
    }
};
} // namespace

TNotationSatz NotationAnordnen(const std::vector<TZug>& gespielt, const std::vector<TZug>& weiter,
                               int zeilenhoehe, const TTextBreite& breite) {
    TNotationSatz satz;
    TFeder f{satz, breite, zeilenhoehe};
    // Ply zn is the one about to be played: its number (or the gap before white) is written, its
    // move is not.
    const int zn = static_cast<int>(gespielt.size()) + 1;
    for (int i = 1; i <= zn; ++i) {
        const bool gespielterZug = i < zn;
        if (i & 1) {
            f.Nummer(i);
            if (gespielterZug) f.Schreibe(Feldname(gespielt[static_cast<std::size_t>(i - 1)].Feld) + "   ");
        } else {
            f.Schreibe("  ");
            if (gespielterZug) {
                f.Schreibe(Feldname(gespielt[static_cast<std::size_t>(i - 1)].Feld) + "   ");
                f.Umbruch();
            }
        }
    }
    satz.FeldX = f.X;
    satz.FeldY = f.Y;
    f.Fortsetzung = true;
    for (std::size_t k = 0; k < weiter.size(); ++k) {
        const int ply = zn + static_cast<int>(k);
        if (k > 0) {
            if (ply & 1) {
                f.Umbruch();
                f.Nummer(ply);
            } else {
                f.Schreibe("  ");
            }
        }
        f.Schreibe(Feldname(weiter[k].Feld) + "   ");
    }
    return satz;
}

namespace {
// The top of the line that holds the move field: two plies share a line.
int FeldZeile(int zugnummer, int zeilenhoehe) { return ((zugnummer - 1) / 2) * zeilenhoehe; }
} // namespace

int NotationMaximum(int zugnummer, int zeilenhoehe) { return std::max(0, FeldZeile(zugnummer, zeilenhoehe)); }

int FeldZeileZeigen(int position, int zugnummer, int zeilenhoehe, int sichtHoehe, int feldHoehe) {
    const int y = FeldZeile(zugnummer, zeilenhoehe);
    if (y + feldHoehe <= sichtHoehe) position = 0;
    if (y - position < 0) position = y;
    if (y - position + feldHoehe > sichtHoehe) position = y - (sichtHoehe - feldHoehe);
    return position;
}
