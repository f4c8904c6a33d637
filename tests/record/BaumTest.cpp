#include "record/Baum.h"
#include "TokenText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

TZug Z(int feld, TFarbe farbe = Schwarz) { return TZug{farbe, static_cast<std::int8_t>(feld), 0, 0}; }
const TZug A = Z(0), B = Z(1), C = Z(2), D = Z(3);

// Inserts at the current position, as the controller does.
void Hier(TBaum &b, const TZug &z) { b.Einfuegen(b.Basis + b.Tiefe, z); }

struct BaumTest : ::testing::Test {
    TBaum b;
    void SetUp() override { b.Init(1); }
    void Abc() {
        Hier(b, A);
        Hier(b, B);
        Hier(b, C);
    }
};

TEST_F(BaumTest, EinfuegenBautHauptlinieUndVariante) {
    Abc();
    EXPECT_EQ(Form(b), "a1+ b1+ c1+ c1- b1- a1-");
    EXPECT_EQ(b.Cursor, 3);
    EXPECT_EQ(b.Tiefe, 3);

    ASSERT_TRUE(b.Zurueck());
    ASSERT_TRUE(b.Zurueck());
    EXPECT_EQ(b.Cursor, 1);
    EXPECT_EQ(b.Tiefe, 1);
    Hier(b, D);
    EXPECT_EQ(Form(b), "a1+ b1+ c1+ c1- b1- d1+ d1- a1-");
    EXPECT_EQ(b.Cursor, 6); // on d-
    EXPECT_EQ(b.Tiefe, 2);
}

TEST_F(BaumTest, EinfuegenMitZugnummerNimmtSelbstZurueck) {
    Abc();
    b.Einfuegen(2, D); // move 2 replaces b as a variation
    EXPECT_EQ(Form(b), "a1+ b1+ c1+ c1- b1- d1+ d1- a1-");
    EXPECT_EQ(b.Tiefe, 2);
}

TEST_F(BaumTest, VorhandenerZugWirdGefolgt) {
    Abc();
    ASSERT_TRUE(b.Zurueck());
    ASSERT_TRUE(b.Zurueck());
    Hier(b, B);
    EXPECT_EQ(Form(b), "a1+ b1+ c1+ c1- b1- a1-");
    EXPECT_EQ(b.Cursor, 2); // before c+, inside b
    EXPECT_EQ(b.Tiefe, 2);
    // Same point, other colour: a different move.
    b.Einfuegen(2, Z(1, Weiss));
    EXPECT_EQ(Form(b), "a1+ b1+ c1+ c1- b1- b1+ b1- a1-");
}

TEST_F(BaumTest, VorUndZurueckAnDenGrenzen) {
    TZug z;
    EXPECT_FALSE(b.Vor(z));
    EXPECT_FALSE(b.Zurueck());
    Abc();
    EXPECT_FALSE(b.Vor(z)); // on c-
    b.ZurWurzel();
    EXPECT_EQ(b.Cursor, 0);
    EXPECT_EQ(b.Tiefe, 0);
    EXPECT_FALSE(b.Zurueck());
    EXPECT_EQ(b.Cursor, 0);
    ASSERT_TRUE(b.Vor(z));
    EXPECT_TRUE(GleicherZug(z, A));
    ASSERT_TRUE(b.Vor(z));
    EXPECT_TRUE(GleicherZug(z, B));
    EXPECT_EQ(b.Tiefe, 2);
}

// The controller's command: Vor, then the variation step, then Zurueck.
bool Variante(TBaum &b, bool naechste) {
    TZug z;
    if (!b.Vor(z)) return false;
    const bool ok = naechste ? b.NaechsteVariante(z) : b.VorherigeVariante(z);
    b.Zurueck();
    return ok;
}

TEST_F(BaumTest, VariantenWechsel) {
    Abc();
    b.Einfuegen(2, D); // a+ b+ c+ c- b- d+ d- a-
    b.ZurWurzel();
    TZug z;
    ASSERT_TRUE(b.Vor(z)); // after a, cursor on b+
    EXPECT_EQ(b.Cursor, 1);

    EXPECT_FALSE(Variante(b, false)); // b is the first continuation
    EXPECT_EQ(b.Cursor, 1);
    EXPECT_EQ(b.Tiefe, 1);

    ASSERT_TRUE(Variante(b, true));
    EXPECT_EQ(b.Cursor, 5); // on d+
    EXPECT_EQ(b.Tiefe, 1);
    ASSERT_TRUE(b.Vor(z));
    EXPECT_TRUE(GleicherZug(z, D));
    ASSERT_TRUE(b.Zurueck());

    EXPECT_FALSE(Variante(b, true)); // d is the last sibling
    EXPECT_EQ(b.Cursor, 5);

    ASSERT_TRUE(Variante(b, false));
    EXPECT_EQ(b.Cursor, 1);
    ASSERT_TRUE(Variante(b, true));
    EXPECT_EQ(b.Cursor, 5);
    EXPECT_EQ(b.Tiefe, 1);
}

TEST_F(BaumTest, VorherigeVarianteLiefertGeschwisterzug) {
    Abc();
    b.Einfuegen(2, D);
    TZug z;
    // inside d, right after entering it
    ASSERT_TRUE(b.VorherigeVariante(z));
    EXPECT_TRUE(GleicherZug(z, B));
    EXPECT_TRUE(IstVorwaerts(z));
    EXPECT_EQ(b.Cursor, 4); // on b-
    EXPECT_EQ(b.Tiefe, 2);
    ASSERT_TRUE(b.Zurueck());
    EXPECT_EQ(b.Cursor, 1); // on b+
}

TEST_F(BaumTest, VariantenAnDerWurzel) {
    Hier(b, A);
    b.ZurWurzel();
    Hier(b, B); // a second first move
    EXPECT_EQ(Form(b), "a1+ a1- b1+ b1-");
    b.ZurWurzel();
    EXPECT_TRUE(Variante(b, true));
    EXPECT_EQ(b.Cursor, 2);
    EXPECT_TRUE(Variante(b, false));
    EXPECT_EQ(b.Cursor, 0);
    EXPECT_FALSE(Variante(b, false));
}

TEST_F(BaumTest, EinzelschritteAusserhalbWerfen) {
    EXPECT_THROW(b.SchrittRechts(), ERangeError);
    EXPECT_THROW(b.SchrittLinks(), ERangeError);
    Abc();
    b.SchrittRechts();
    EXPECT_EQ(b.Tiefe, 2);
    b.SchrittRechts();
    b.SchrittRechts();
    EXPECT_EQ(b.Cursor, 6);
    EXPECT_EQ(b.Tiefe, 0);
    EXPECT_THROW(b.SchrittRechts(), ERangeError);
    b.SchrittLinks();
    EXPECT_EQ(b.Tiefe, 1);
}

TEST_F(BaumTest, ZuKurzerBaumNimmtNichtsAuf) {
    Abc();
    b.ZurWurzel();
    b.Einfuegen(3, D); // depth 2 wanted, but the walk is at the root
    EXPECT_EQ(Form(b), "a1+ b1+ c1+ c1- b1- a1-");
}

TEST_F(BaumTest, BasisVerschiebtDieZugnummer) {
    b.Init(5);
    b.Einfuegen(5, A);
    b.Einfuegen(6, B);
    b.Einfuegen(6, C);
    EXPECT_EQ(Form(b), "a1+ b1+ b1- c1+ c1- a1-");
}

TEST_F(BaumTest, InitLeertOhneTokensZuLoeschen) {
    Abc();
    b.Init(3);
    EXPECT_EQ(b.Letzter, -1);
    EXPECT_EQ(b.Basis, 3);
    EXPECT_EQ(b.Cursor, 0);
    EXPECT_EQ(b.Tiefe, 0);
    EXPECT_TRUE(GleicherZug((*b.Tokens)[0], A));
}

TEST_F(BaumTest, KopfKopieTeiltTiefeKopieTrennt) {
    Abc();
    TBaum geteilt, eigen;
    TBaum::KopiereKopf(geteilt, b);
    EXPECT_EQ(geteilt.Tokens, b.Tokens);
    EXPECT_EQ(geteilt.Cursor, 3);
    TBaum::TiefeKopie(eigen, b);
    EXPECT_NE(eigen.Tokens, b.Tokens);
    EXPECT_EQ(Form(eigen), Form(b));
    EXPECT_EQ(eigen.Cursor, b.Cursor);
    EXPECT_EQ(eigen.Tiefe, b.Tiefe);

    Hier(b, D);
    EXPECT_TRUE(GleicherZug((*geteilt.Tokens)[3], D)); // shares b's array
    EXPECT_EQ(Form(eigen), "a1+ b1+ c1+ c1- b1- a1-");

    // A deep copy into a tree that shared another's tokens gives it its own array again.
    TBaum::TiefeKopie(geteilt, eigen);
    EXPECT_NE(geteilt.Tokens, b.Tokens);
    EXPECT_NE(geteilt.Tokens, eigen.Tokens);
    EXPECT_EQ(Form(geteilt), Form(eigen));
}

TEST_F(BaumTest, VollerBaumVerweigertDenZugGanz) {
    // 99999 root moves fill the tokens 0..199997.
    for (int i = 0; i < TBaum::MaxToken - 2; i += 2) {
        (*b.Tokens)[i] = A;
        TZug r = A;
        SetzeVorwaerts(r, false);
        (*b.Tokens)[i + 1] = r;
    }
    b.Letzter = TBaum::MaxToken - 3;
    b.Cursor = b.Letzter + 1;
    Hier(b, B); // the last two free tokens
    EXPECT_EQ(b.Letzter, TBaum::MaxToken - 1);
    EXPECT_EQ(b.Cursor, TBaum::MaxToken - 1);
    EXPECT_EQ(b.Tiefe, 1);

    b.Cursor = b.Letzter + 1;
    b.Tiefe = 0;
    EXPECT_THROW(Hier(b, C), ERangeError); // only one token left
    EXPECT_EQ(b.Letzter, TBaum::MaxToken - 1);
    EXPECT_EQ(b.Cursor, TBaum::MaxToken);
    EXPECT_EQ(b.Tiefe, 0);

    b.ZurWurzel();
    TZug z;
    ASSERT_TRUE(b.Vor(z));
    EXPECT_THROW(Hier(b, C), ERangeError); // into the middle
    EXPECT_EQ(b.Letzter, TBaum::MaxToken - 1);
    EXPECT_EQ(b.Cursor, 1);
    EXPECT_TRUE(GleicherZug((*b.Tokens)[1], (*b.Tokens)[3]));
}

// Reference model: nodes with child lists, and the cursor as (node, index of the child the
// cursor stands before, -1 for the node's back token).
struct Modell {
    struct Knoten {
        TZug zug;
        int eltern = -1;
        std::vector<int> kinder;
    };
    std::vector<Knoten> k{Knoten{}};
    int akt = 0;
    int naechstes = -1;
    int tiefe = 0;

    void Betrete(int kind) {
        akt = kind;
        naechstes = k[kind].kinder.empty() ? -1 : 0;
        ++tiefe;
    }
    bool Zurueck() {
        if (akt == 0) return false;
        const int e = k[akt].eltern;
        const auto &ks = k[e].kinder;
        naechstes = static_cast<int>(std::find(ks.begin(), ks.end(), akt) - ks.begin());
        akt = e;
        --tiefe;
        return true;
    }
    bool Vor() {
        if (naechstes < 0) return false;
        Betrete(k[akt].kinder[naechstes]);
        return true;
    }
    void Einfuegen(int ziel, const TZug &z) {
        while (tiefe > ziel && Zurueck()) {
        }
        if (tiefe < ziel) {
            // Only an empty remainder (the end of the walk) still takes the move.
            if (!(akt == 0 && naechstes < 0)) return;
        } else if (naechstes >= 0) {
            auto &ks = k[akt].kinder;
            for (size_t j = naechstes; j < ks.size(); ++j)
                if (GleicherZug(k[ks[j]].zug, z)) {
                    Betrete(ks[j]);
                    return;
                }
        }
        k.push_back(Knoten{z, akt, {}});
        const int neu = static_cast<int>(k.size()) - 1;
        k[akt].kinder.push_back(neu);
        akt = neu;
        naechstes = -1;
        tiefe = tiefe + 1;
    }
    bool Variante(bool naechste) {
        if (naechstes < 0) return false;
        const int n = static_cast<int>(k[akt].kinder.size());
        const int j = naechstes + (naechste ? 1 : -1);
        if (j < 0 || j >= n) return false;
        naechstes = j;
        return true;
    }
    void Wurzel() {
        akt = 0;
        tiefe = 0;
        naechstes = k[0].kinder.empty() ? -1 : 0;
    }
    // Serialises depth first; gives the cursor index too.
    void Serialisiere(int n, std::vector<TZug> &out, int &cursor) const {
        const auto &ks = k[n].kinder;
        for (size_t j = 0; j < ks.size(); ++j) {
            if (n == akt && static_cast<int>(j) == naechstes) cursor = static_cast<int>(out.size());
            out.push_back(k[ks[j]].zug);
            Serialisiere(ks[j], out, cursor);
        }
        if (n == akt && naechstes < 0) cursor = static_cast<int>(out.size());
        if (n != 0) {
            TZug r = k[n].zug;
            SetzeVorwaerts(r, false);
            out.push_back(r);
        }
    }
};

void PruefeWohlgeformt(const TBaum &b) {
    std::vector<TZug> stapel;
    for (int i = 0; i <= b.Letzter; ++i) {
        const TZug &t = (*b.Tokens)[i];
        if (IstVorwaerts(t)) {
            stapel.push_back(t);
        } else {
            ASSERT_FALSE(stapel.empty()) << "back token without forward token at " << i;
            TZug r = stapel.back();
            SetzeVorwaerts(r, false);
            ASSERT_TRUE(GleicherZug(r, t)) << "back token " << i << " does not match";
            stapel.pop_back();
        }
    }
    ASSERT_TRUE(stapel.empty());
}

int Iterationen(int n) { return std::getenv("KIBORU_TEST_KURZ") ? n / 10 : n; }

TEST(BaumZufall, StimmtMitKnotenmodellUeberein) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rnd(seed);
        TBaum b;
        b.Init(1);
        Modell m;
        const int schritte = Iterationen(1500);
        for (int s = 0; s < schritte; ++s) {
            const int art = static_cast<int>(rnd() % 10);
            TZug z = Z(static_cast<int>(rnd() % 3), rnd() % 2 ? Schwarz : Weiss);
            TZug dummy;
            switch (art) {
            case 0:
            case 1:
            case 2: // a move here
                b.Einfuegen(b.Basis + b.Tiefe, z);
                m.Einfuegen(m.tiefe, z);
                break;
            case 3: { // a move at an earlier or one too deep ply
                const int ziel = static_cast<int>(rnd() % (m.tiefe + 2));
                b.Einfuegen(b.Basis + ziel, z);
                m.Einfuegen(ziel, z);
                break;
            }
            case 4:
            case 5:
                ASSERT_EQ(b.Zurueck(), m.Zurueck());
                break;
            case 6:
                ASSERT_EQ(b.Vor(dummy), m.Vor());
                break;
            case 7:
            case 8: {
                const bool naechste = art == 7;
                bool ok = false;
                if (b.Vor(dummy)) {
                    ok = naechste ? b.NaechsteVariante(dummy) : b.VorherigeVariante(dummy);
                    ASSERT_TRUE(b.Zurueck());
                }
                ASSERT_EQ(ok, m.Variante(naechste)) << "seed " << seed << " step " << s;
                break;
            }
            default:
                if (rnd() % 4 == 0) {
                    b.ZurWurzel();
                    m.Wurzel();
                } else {
                    ASSERT_EQ(b.Vor(dummy), m.Vor());
                }
            }
            PruefeWohlgeformt(b);
            std::vector<TZug> erwartet;
            int cursor = -1;
            m.Serialisiere(0, erwartet, cursor);
            ASSERT_EQ(b.Letzter + 1, static_cast<int>(erwartet.size())) << "seed " << seed << " step " << s;
            for (int i = 0; i <= b.Letzter; ++i)
                ASSERT_TRUE(GleicherZug((*b.Tokens)[i], erwartet[i])) << "token " << i << " seed " << seed;
            ASSERT_EQ(b.Cursor, cursor) << "seed " << seed << " step " << s;
            ASSERT_EQ(b.Tiefe, m.tiefe);
        }
    }
}

} // namespace
