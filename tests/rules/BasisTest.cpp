#include "rules/Basis.h"
#include "rules/ZugGen.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>

TEST(Basis, FeldnamenUndTexte) {
    EXPECT_EQ(Feldname(0), "a1");
    EXPECT_EQ(Feldname(22), "g2");
    EXPECT_EQ(Feldname(96), "a7");
    EXPECT_EQ(Feldname(102), "g7");
    EXPECT_EQ(Feldname(-1), "--");
    EXPECT_EQ(Feldname(-2), "--");
    EXPECT_EQ(FeldAusText(""), 0);
    EXPECT_EQ(FeldAusText("a1"), 0);
    EXPECT_EQ(FeldAusText("A1"), 0);
    EXPECT_EQ(FeldAusText("g7"), 102);
    EXPECT_EQ(FeldAusText("h1"), 7); // a border cell: callers check
    EXPECT_THROW(FeldAusText("a!"), ERangeError);
    for (int p = 0; p <= LetzterPunkt; ++p)
        if (IstPunkt(p)) {
            EXPECT_EQ(FeldAusText(Feldname(p)), p);
        }
}

TEST(Basis, SteinBuchstaben) {
    EXPECT_EQ(SteinBuchstabe(Weiss), 'W');
    EXPECT_EQ(SteinBuchstabe(Rand), '?');
    EXPECT_EQ(SteinBuchstabe(Leer), ' ');
    EXPECT_EQ(SteinBuchstabe(Schwarz), 'S');
    EXPECT_EQ(SteinAusBuchstabe('s'), Schwarz);
    EXPECT_EQ(SteinAusBuchstabe('W'), Weiss);
    EXPECT_EQ(SteinAusBuchstabe(' '), Leer);
    EXPECT_EQ(SteinAusBuchstabe('x'), Rand);
    EXPECT_EQ(SteinAusFigur('P'), Schwarz);
    EXPECT_EQ(SteinAusFigur('p'), Weiss);
    EXPECT_EQ(SteinAusFigur('S'), Rand);
}

TEST(Basis, FarbenUndBereiche) {
    EXPECT_EQ(Gegner(Schwarz), Weiss);
    EXPECT_EQ(Gegner(Weiss), Schwarz);
    EXPECT_EQ(Gegner(Leer), Rand);
    EXPECT_THROW(ZuFarbe(2), ERangeError);
    EXPECT_THROW(ZuFarbe(-3), ERangeError);
    EXPECT_EQ(ZuFarbe(-2), Weiss);
    TBrett b = Startbrett;
    EXPECT_THROW(b[161], ERangeError);
    EXPECT_THROW(b[-34], ERangeError);
    EXPECT_EQ(b[7], Rand);
    EXPECT_EQ(b[-16], Rand);
    EXPECT_EQ(b[103], Rand);
    int punkte = 0;
    for (int i = BrettVon; i <= BrettBis; ++i)
        punkte += b[i] == Leer;
    EXPECT_EQ(punkte, 49);
    EXPECT_TRUE(InMenge(Farbmengen[-2], Schwarz) && InMenge(Farbmengen[-2], Rand));
    EXPECT_TRUE(InMenge(Farbmengen[1], Leer) && InMenge(Farbmengen[1], Weiss));
}

TEST(Basis, ZugRecordUndFlags) {
    TZug z = MacheZug(Startbrett, 18, Schwarz);
    EXPECT_EQ(z.Farbe, Schwarz);
    EXPECT_EQ(z.Feld, 18);
    EXPECT_EQ(z.Schlag, Leer);
    EXPECT_EQ(z.Flags, 0);
    TZug m = z;
    SetzeSeiteBit(m, true);
    EXPECT_FALSE(GleicherZug(z, m));
    EXPECT_TRUE(IstVorwaerts(z));
    SetzeVorwaerts(m, false);
    EXPECT_FALSE(IstVorwaerts(m));
    EXPECT_EQ(m.Flags, FlagSeite | FlagZurueck);
    EXPECT_TRUE(IstPass(Passzug()));
    EXPECT_TRUE(GleicherZug(MacheZug(Startbrett, -1, Weiss), Passzug()));
    EXPECT_EQ(ZugText(Passzug()), "--");
    EXPECT_TRUE(FremdOderLeer(true, 0));
    EXPECT_TRUE(FremdOderLeer(true, Weiss));
    EXPECT_FALSE(FremdOderLeer(true, Schwarz));
    EXPECT_TRUE(FremdOderLeer(false, Schwarz));
    EXPECT_FALSE(FremdOderLeer(false, Weiss));
}

TEST(Basis, FreiheitenUndGebiet) {
    TBrett b = Startbrett;
    b[0] = Schwarz;
    b[1] = Schwarz;
    b[16] = Weiss;
    EXPECT_EQ(Freiheiten(b, 0), 2);  // chain a1-b1: b2 and c1 (a2 is white)
    EXPECT_EQ(Freiheiten(b, 16), 2); // a2: a3, b2
    EXPECT_EQ(Freiheiten(b, 2), 1);  // an empty point counts as free
    EXPECT_EQ(Freiheiten(b, 7), -1);
    TBrett e;
    TGebietAnzahl n;
    EXPECT_EQ(Gebiet(b, 2, e, n), 46);
    EXPECT_EQ(n[Leer], 46);
    EXPECT_EQ(n[Schwarz], 1); // a1 touches no empty point of the region
    EXPECT_EQ(n[Weiss], 1);
    EXPECT_EQ(Besitzer(n), Rand);
    EXPECT_EQ(Gebiet(Startbrett, 50, e, n), 49);
    EXPECT_EQ(Besitzer(n), Rand); // bordered by nobody
}

namespace {
// Which colours an empty point reaches through empty points, spread until nothing changes: a
// count of its own, to hold the regions' one against.
TBesitz BesitzDurchAusbreiten(const TBrett& b) {
    constexpr std::uint8_t BitSchwarz = 1, BitWeiss = 2;
    TArray<std::uint8_t, 0, LetzterPunkt> reicht{};
    const int richtungen[4] = {-1, 1, -16, 16};
    for (bool geaendert = true; geaendert;) {
        geaendert = false;
        for (int p = 0; p <= LetzterPunkt; ++p) {
            if (!IstPunkt(p) || b[p] != Leer) continue;
            for (int d : richtungen) {
                const int q = p + d;
                std::uint8_t neu = reicht[p];
                if (b[q] == Schwarz) neu |= BitSchwarz;
                if (b[q] == Weiss) neu |= BitWeiss;
                if (IstPunkt(q) && b[q] == Leer) neu |= reicht[q];
                geaendert = geaendert || neu != reicht[p];
                reicht[p] = neu;
            }
        }
    }
    TBesitz besitz{};
    for (int p = 0; p <= LetzterPunkt; ++p)
        if (IstPunkt(p))
            besitz[p] = b[p] != Leer              ? b[p]
                        : reicht[p] == BitSchwarz ? Schwarz
                        : reicht[p] == BitWeiss   ? Weiss
                                                  : Leer;
    return besitz;
}
} // namespace

// The count point by point, as the board shows it at the end, agrees with a count of another
// kind and adds up to the rules' score, on random boards with regions of every kind (one colour
// around, both, none, the whole board).
TEST(Besitzverteilung, AgreesWithSpreadingAndAddsUpToTheRulesCount) {
    std::mt19937 zufall(7);
    for (int runde = 0; runde < 2000; ++runde) {
        TStellung st;
        st.Brett = Brettvorlagen[Leer];
        st.Halbzug = 1;
        const int dichte = static_cast<int>(zufall() % 90);
        for (int x = 0; x < 7; ++x)
            for (int y = 0; y < 7; ++y) {
                const int w = static_cast<int>(zufall() % 100);
                st.Brett[Punkt(x, y)] = w < dichte / 2 ? Schwarz : w < dichte ? Weiss : Leer;
            }
        TZugGenerator r;
        r.SetzeStellung(st);
        int schwarz = 0, weiss = 0;
        r.Zaehle(schwarz, weiss);
        const TBesitz besitz = Besitzverteilung(r.Brett);
        ASSERT_EQ(besitz, BesitzDurchAusbreiten(r.Brett)) << "Runde " << runde;
        int s = 0, w = 0;
        for (int p = 0; p <= LetzterPunkt; ++p) {
            if (!IstPunkt(p)) continue;
            s += besitz[p] == Schwarz;
            w += besitz[p] == Weiss;
        }
        ASSERT_EQ(s, schwarz) << "Runde " << runde;
        ASSERT_EQ(w, weiss) << "Runde " << runde;
    }
}
