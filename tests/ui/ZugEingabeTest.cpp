// The move entry as a state machine on its own rules state: no window, no display.
#include "ui/ZugEingabe.h"
#include "rules/ZugGen.h"

#include <gtest/gtest.h>

namespace {

void Spiele(TZugGenerator& r, int feld) {
    TZug z = feld < 0 ? Passzug() : MacheZug(r.Brett, feld, r.Mover());
    r.ZugZuFeld(z);
    r.Ziehe(z);
}

TEingabeAntwort Tippe(TZugEingabe& e, TZugGenerator& r, const char* text) {
    TEingabeAntwort a;
    for (const char* c = text; *c; ++c)
        a = e.Zeichen(static_cast<char32_t>(*c), r);
    return a;
}

TEST(ZugEingabe, TypedLettersAndDigitsBecomeAMoveOnlyInTheirOrder) {
    TZugGenerator r;
    TZugEingabe e;
    EXPECT_FALSE(Tippe(e, r, "4h8").Ziehen); // digit first, column h, row 8: nothing
    EXPECT_EQ(e.EingabePos, 0);
    EXPECT_EQ(e.Text(), "");
    Tippe(e, r, "D");
    EXPECT_EQ(e.Text(), "d");
    EXPECT_EQ(e.Caret(), 1);
    Tippe(e, r, "\b"); // back to the column
    EXPECT_EQ(e.Text(), "");
    const TEingabeAntwort a = Tippe(e, r, "c4");
    ASSERT_TRUE(a.Ziehen);
    EXPECT_TRUE(a.Meldungen.empty());
    EXPECT_EQ(a.Zug.Feld, Punkt(2, 3));
    EXPECT_EQ(a.Zug.Farbe, Schwarz);
    EXPECT_TRUE(e.Leerlauf());
    EXPECT_EQ(r.Zugnummer, 1); // the machine only answers; the window plays
}

TEST(ZugEingabe, TheSuggestionIsReplacedByTypingAndComesBackWithEscape) {
    TZugGenerator r;
    TZugEingabe e;
    TZug weiter = MacheZug(r.Brett, Punkt(4, 4), Schwarz);
    e.Vorschlagen(&weiter);
    EXPECT_EQ(e.Text(), "e5");
    EXPECT_EQ(e.EingabeLaenge, 2);
    EXPECT_TRUE(e.Taste(TEingabeTaste::Links)); // idle: onto the suggestion's last character
    EXPECT_EQ(e.EingabePos, 1);
    EXPECT_TRUE(e.Taste(TEingabeTaste::Pos1));
    EXPECT_FALSE(e.Taste(TEingabeTaste::Links)); // at 0 the key goes to the window
    e.Ruhe();
    e.Vorschlagen(&weiter);
    Tippe(e, r, "b");
    EXPECT_EQ(e.Text(), "b");
    Tippe(e, r, "\x1b");
    EXPECT_TRUE(e.Leerlauf());
    EXPECT_EQ(e.EingabeLaenge, 0);
    e.Vorschlagen(nullptr); // the end of the line: nothing offered
    EXPECT_EQ(e.Text(), "");
    EXPECT_FALSE(e.Klick(1));
}

TEST(ZugEingabe, RefusedPointsGiveTheirMessagesAndWaitForANewColumn) {
    TZugGenerator r;
    for (int p : {Punkt(6, 6), Punkt(0, 1), Punkt(6, 5), Punkt(1, 0)})
        Spiele(r, p); // white a2 and b1 around a1, black to move
    TZugEingabe e;
    TEingabeAntwort a = Tippe(e, r, "a2");
    EXPECT_EQ(a.Meldungen, std::vector<std::string>{"Bitte ein leeres Feld angeben!"});
    EXPECT_EQ(e.EingabePos, 0);
    EXPECT_EQ(e.Text(), "a2");
    EXPECT_EQ(e.FeldGewaehlt(Punkt(6, 6), r).Meldungen,
              std::vector<std::string>{"Das ist dein Stein. Bitte liegen lassen!"});
    EXPECT_EQ(e.FeldGewaehlt(Punkt(0, 1), r).Meldungen,
              std::vector<std::string>{"Das ist nicht dein Stein. Bitte nicht berühren"});
    a = e.FeldGewaehlt(Punkt(0, 0), r);
    EXPECT_EQ(a.Meldungen, std::vector<std::string>{"Das wäre Selbstmord!"});
    EXPECT_FALSE(a.Ziehen);
    EXPECT_EQ(e.EingabePos, 0);

    // Ko: white retaking at b1 would repeat a board; the answer hands the move to the controller.
    TZugGenerator ko;
    for (int p : {Punkt(0, 0), Punkt(1, 0), Punkt(1, 1), Punkt(2, 1), Punkt(6, 6), Punkt(3, 0), Punkt(2, 0)})
        Spiele(ko, p);
    a = e.FeldGewaehlt(Punkt(1, 0), ko);
    EXPECT_TRUE(a.Wiederholung);
    EXPECT_FALSE(a.Ziehen);
    EXPECT_EQ(a.Zug.Feld, Punkt(1, 0));
    EXPECT_EQ(a.Meldungen,
              std::vector<std::string>{
                  "Dieser Zug ist nicht erlaubt, weil er zu einer Stellungswiederholung führt."});
}

TEST(ZugEingabe, PassesEndTheGameAndThenNothingIsTaken) {
    TZugGenerator r;
    TZugEingabe e;
    TEingabeAntwort a = Tippe(e, r, "-");
    ASSERT_TRUE(a.Ziehen);
    EXPECT_TRUE(IstPass(a.Zug));
    Spiele(r, -1);
    Spiele(r, -1);
    ASSERT_TRUE(r.BeidePassen());
    EXPECT_FALSE(Tippe(e, r, "-").Ziehen);
    EXPECT_FALSE(e.FeldGewaehlt(Punkt(3, 3), r).Ziehen);
    Tippe(e, r, "d");
    EXPECT_EQ(e.Text(), ""); // no column after the end
}

} // namespace
