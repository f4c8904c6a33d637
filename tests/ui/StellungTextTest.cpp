#include "ui/StellungText.h"

#include <gtest/gtest.h>

TEST(StellungText, TextUndZurueck) {
    TBrett b = Startbrett;
    b[Punkt(0, 0)] = Weiss;
    b[Punkt(2, 2)] = Weiss;
    b[Punkt(3, 3)] = Schwarz;
    b[Punkt(0, 6)] = Schwarz;
    const std::string t = StellungAlsText(b);
    EXPECT_EQ(t, " W: a1 c3\r\n S: a7 d4");
    TBrett c = Startbrett;
    EXPECT_EQ(StellungAusText(t, c), "");
    EXPECT_TRUE(GleichesBrett(b, c));
    // lower/upper case, glued marks, other line breaks
    TBrett d = Startbrett;
    EXPECT_EQ(StellungAusText("S:D4 a7\nw: A1   c3", d), "");
    EXPECT_TRUE(GleichesBrett(b, d));
}

TEST(StellungText, FehlerLassenDasBrettStehen) {
    TBrett b = Startbrett;
    b[0] = Schwarz;
    const TBrett vorher = b;
    EXPECT_EQ(StellungAusText(" W:\r\n S:", b), "Keine Steine auf dem Brett.");
    EXPECT_EQ(StellungAusText(" W:\r\n S: a1", b), "Weiß hat keine Steine.");
    EXPECT_EQ(StellungAusText(" W: a1\r\n S:", b), "Schwarz hat keine Steine.");
    EXPECT_EQ(StellungAusText(" W: a1 h1\r\n S: b2", b), "\"h1\" ist kein Feld des Bretts (a1 bis g7).");
    EXPECT_EQ(StellungAusText(" W: a8\r\n S: b2", b), "\"a8\" ist kein Feld des Bretts (a1 bis g7).");
    EXPECT_EQ(StellungAusText(" W: a1\r\n S: a1", b), "Das Feld a1 ist zweimal angegeben.");
    EXPECT_EQ(StellungAusText(" a1 W: b1 S: c1", b),
              "Die Stellung muss mit \"W:\" oder \"S:\" beginnen, gefunden: \"a1\".");
    EXPECT_EQ(StellungAusText(" W: a1 W: b1 S: c1", b), "Die Steine von Weiß sind zweimal angegeben.");
    EXPECT_TRUE(GleichesBrett(b, vorher));
}
