#pragma once
// The move entry behind the move field, without widgets: it is given typed characters, editing
// keys, chosen points and the continuation of the line, keeps the input state, and answers with
// the move to play and the messages to show. The window shows Text() and carries out answers.
#include "rules/Basis.h"

#include <string>
#include <vector>

struct TZugGenerator;

struct TEingabeAntwort {
    std::vector<std::string> Meldungen; // shown in message boxes, in this order
    bool Ziehen = false;                // Zug is complete and legal: it goes into the game
    bool Wiederholung = false;          // Zug repeats a board: offered to the controller, which refuses it
    TZug Zug{};
};

// Editing keys of the field without modifier.
enum class TEingabeTaste { Pos1, Ende, Links, Rechts };

struct TZugEingabe {
    int EingabePos = -1;   // -1 idle (the field offers the continuation), else characters typed
    int EingabeLaenge = 0; // valid characters of the typed move, never below EingabePos
    TZug EingabeZug{};
    std::string Vorschlagstext; // the next move of the line, empty at its end

    bool Leerlauf() const { return EingabePos < 0; }

    TEingabeAntwort Zeichen(char32_t c, TZugGenerator& r);
    TEingabeAntwort FeldGewaehlt(int feld, TZugGenerator& r);
    TEingabeAntwort Passen(TZugGenerator& r);
    // A complete input (EingabePos 2) is checked once more and handed out to be played.
    TEingabeAntwort Ausfuehren(TZugGenerator& r);
    bool Taste(TEingabeTaste t); // false: the key is not the field's
    bool Klick(int caret);       // false: nothing to place the caret in
    void Entfernen();            // Delete at the window: the input is cut at the caret
    void Ruhe();                 // after every game change: idle, nothing typed
    // While idle the first move of the continuation (or none) becomes the suggestion.
    void Vorschlagen(const TZug* weiter);

    std::string Text() const;
    int Caret() const;
};
