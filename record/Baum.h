#pragma once
// The game tree: every move with all variations as one flat array of tokens in depth-first
// order (forward token on entering a move, back token on leaving it), and a cursor.
#include "rules/Basis.h"
#include "rules/Kapazitaet.h"

#include <cstddef>
#include <memory>
#include <vector>

class TBaum {
public:
    static constexpr int MaxToken = MaxBaumToken;
    using TTokens = TArray<TZug, 0, MaxToken>;

    TTokens* Tokens = nullptr;   // may be shared with another tree (copy header)
    std::int32_t Cursor = 0;
    std::int32_t Letzter = -1;
    std::int32_t Basis = 1;
    std::int32_t Tiefe = 0;

    TBaum();
    TBaum(const TBaum&) = delete;
    TBaum& operator=(const TBaum&) = delete;

    void Init(int basis);
    void ZurWurzel();
    void Einfuegen(int zugnummer, const TZug& z);
    bool Vor(TZug& z);
    bool Zurueck();
    bool NaechsteVariante(TZug& z);
    bool VorherigeVariante(TZug& z);
    void SchrittRechts();
    void SchrittLinks();

    // Copies cursor, last, base, depth and the token pointer (the trees then share tokens).
    static void KopiereKopf(TBaum& ziel, const TBaum& quelle);
    // Copies the header and the tokens 0..last into ziel's own array.
    static void TiefeKopie(TBaum& ziel, const TBaum& quelle);

private:
    // The array comes zeroed from calloc: pages a tree never reaches are never touched, so the
    // reader's many trees (one per game of a file) cost only what they hold.
    struct TFreigabe {
        void operator()(TTokens* t) const;
    };
    std::unique_ptr<TTokens, TFreigabe> Eigene;
};

// The next moves of the current line, at most hoechstens, read without moving the tree's cursor.
std::vector<TZug> Fortsetzung(const TBaum& baum, std::size_t hoechstens);
