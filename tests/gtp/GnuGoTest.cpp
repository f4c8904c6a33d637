// Against the real GNU Go, where it is installed: moves, a take-back and a set-up position.
#include "GtpTestHilfe.h"

#include "gtp/GtpListe.h"

TEST_F(TGtpUmgebung, GegenGnuGo) {
    const auto gnugo = GnuGoVorschlag();
    if (!gnugo) GTEST_SKIP() << "GNU Go ist nicht installiert";
    TGtpEngine* e = Neu(gnugo->Name, gnugo->Befehlszeile);
    EngineSlots[0] = e;
    // The user's moves: the first empty point from the corner on.
    const auto spieleFrei = [] {
        for (int p = 0; p < 7 * 16; ++p)
            if (IstPunkt(p) && Regeln.Brett[p] == Leer) return Spiele(Feldname(p));
    };
    for (int i = 0; i < 3; ++i) {
        spieleFrei();
        ASSERT_TRUE(Rechne().Gezogen) << i << " " << (Boxen.empty() ? "" : Boxen.back());
    }
    EXPECT_EQ(Regeln.Zugnummer, 7);
    EinenZugZurueck();
    EinenZugZurueck();
    spieleFrei();
    ASSERT_TRUE(Rechne().Gezogen) << (Boxen.empty() ? "" : Boxen.back());
    EXPECT_EQ(Regeln.Zugnummer, 7);

    TStellung st;
    st.Brett[Punkt(3, 3)] = Schwarz;
    st.Brett[Punkt(2, 3)] = Weiss;
    st.Halbzug = 2;
    NeueStellung(st);
    ASSERT_TRUE(Rechne().Gezogen) << (Boxen.empty() ? "" : Boxen.back());
    EXPECT_EQ(Regeln.Zugnummer, 2);
    EXPECT_EQ(Boxen, std::vector<std::string>{});
    EXPECT_TRUE(e->Verfuegbar());
}
