// The notation's layout and the continuation, without a display: the texts are put on a grid
// of characters one unit wide and one line high.
#include "ui/NotationSatz.h"
#include "record/Baum.h"

#include <gtest/gtest.h>

namespace {

TZug Z(int feld, TFarbe farbe) {
    TZug z{farbe, static_cast<std::int8_t>(feld), 0, 0};
    return z;
}

std::vector<TZug> Zuege(std::initializer_list<int> felder) {
    std::vector<TZug> v;
    for (int f : felder)
        v.push_back(Z(f, v.size() % 2 ? Weiss : Schwarz));
    return v;
}

// The lines as they appear; continuation characters in upper case.
std::vector<std::string> Zeilen(const TNotationSatz& s) {
    std::vector<std::string> z;
    for (const TNotationText& t : s.Texte) {
        const auto zeile = static_cast<std::size_t>(t.Y);
        if (z.size() <= zeile) z.resize(zeile + 1);
        std::string& l = z[zeile];
        if (l.size() < static_cast<std::size_t>(t.X)) l.resize(static_cast<std::size_t>(t.X), ' ');
        EXPECT_EQ(l.size(), static_cast<std::size_t>(t.X)) << "texts overlap at " << t.Text;
        for (char c : t.Text)
            l += t.Fortsetzung ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    }
    return z;
}

const TTextBreite Einheit = [](const std::string& t) { return static_cast<int>(t.size()); };

TEST(NotationSatz, TwoPliesALineTheFieldWhereTheNextMoveGoesAndTheContinuationAfterIt) {
    const auto gespielt = Zuege({Punkt(3, 3), Punkt(2, 2), Punkt(4, 4)});
    const auto weiter = Zuege({Punkt(5, 5), -1, Punkt(0, 0)});
    const TNotationSatz s = NotationAnordnen(gespielt, weiter, 1, Einheit);
    EXPECT_EQ(Zeilen(s),
              (std::vector<std::string>{"   1. d4     c3   ", "   2. e5     F6   ", "   3. --     A1   "}));
    EXPECT_EQ(s.FeldX, 13);
    EXPECT_EQ(s.FeldY, 1);

    // Black to move, nothing further: the field follows the number; line heights scale.
    const TNotationSatz t = NotationAnordnen(Zuege({Punkt(3, 3), Punkt(2, 2)}), {}, 17, Einheit);
    EXPECT_EQ(t.FeldX, 6);
    EXPECT_EQ(t.FeldY, 17);
    EXPECT_EQ(t.Texte.back().Text, "   2. ");
    EXPECT_EQ(NotationAnordnen({}, {}, 1, Einheit).FeldX, 6);
}

TEST(NotationSatz, NumbersStayRightAlignedBeyondNine) {
    std::vector<TZug> gespielt(20, Passzug());
    const auto z = Zeilen(NotationAnordnen(gespielt, {}, 1, Einheit));
    ASSERT_EQ(z.size(), 11u);
    EXPECT_EQ(z[9], "  10. --     --   ");
    EXPECT_EQ(z[10], "  11. ");
}

TEST(NotationSatz, TheContinuationIsReadWithoutMovingTheCursorAndEndsWithItsLine) {
    TBaum b;
    b.Init(1);
    for (const TZug& z : Zuege({Punkt(3, 3), Punkt(2, 2), Punkt(4, 4)}))
        b.Einfuegen(b.Basis + b.Tiefe, z);
    ASSERT_TRUE(b.Zurueck());
    ASSERT_TRUE(b.Zurueck());
    const int cursor = b.Cursor, tiefe = b.Tiefe;
    const auto weiter = Fortsetzung(b, 50);
    ASSERT_EQ(weiter.size(), 2u);
    EXPECT_EQ(weiter[0].Feld, Punkt(2, 2));
    EXPECT_EQ(weiter[1].Feld, Punkt(4, 4));
    EXPECT_EQ(Fortsetzung(b, 1).size(), 1u);
    EXPECT_EQ(b.Cursor, cursor);
    EXPECT_EQ(b.Tiefe, tiefe);

    // A second answer to d4 is a line of its own: it does not run on into the first one.
    b.Einfuegen(2, Z(Punkt(6, 6), Weiss));
    ASSERT_TRUE(b.Zurueck());
    const auto variante = Fortsetzung(b, 50);
    ASSERT_EQ(variante.size(), 1u);
    EXPECT_EQ(variante[0].Feld, Punkt(6, 6));
}

// Lines 20 high, a view of 100 with a field 20 high: five lines fit, the field's line is the one
// of the position (two plies a line).
TEST(NotationSatz, ScrollingBringsTheFieldsLineIntoViewAndNoFurther) {
    EXPECT_EQ(NotationMaximum(1, 20), 0);
    EXPECT_EQ(NotationMaximum(12, 20), 100);
    EXPECT_EQ(FeldZeileZeigen(60, 9, 20, 100, 20), 0);     // the field's line 80 fits: from the start
    EXPECT_EQ(FeldZeileZeigen(0, 21, 20, 100, 20), 120);   // below the view: its line at the bottom
    EXPECT_EQ(FeldZeileZeigen(150, 21, 20, 100, 20), 150); // in view already: nothing moves
    EXPECT_EQ(FeldZeileZeigen(300, 21, 20, 100, 20), 200); // above the view: its line at the top
}

} // namespace
