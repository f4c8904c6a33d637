#pragma once
// Walks a chain of stones or an empty region of a board, together with the cells of the other
// kind next to it: a chain's liberties, the stones bordering a region. One mark set and one fixed
// stack, no allocation, every index checked. The rules, the engine board and the evaluation all
// walk with it, so they agree on what a chain and its liberties are.
//
// The order is fixed: the start cell first, then from the cell last reached its neighbours left,
// right, down, up. A cell of the area is handed over the moment it is reached, so the caller may
// change it on the board (remove the stone); the walk never looks at a reached cell again.
#include "rules/Basis.h"
#include "rules/Kapazitaet.h"

#include <cstdint>
#include <type_traits>

// A callback that does nothing, for the part of a walk the caller does not need.
inline constexpr auto Nichts = [](auto...) {};

class TLaeufer {
public:
    // stein(p) for every stone of the chain through start, freiheit(q) once for every empty point
    // next to it. A callback may answer false to end the walk, which then answers false. Nothing
    // is walked when start holds no stone.
    template <class FStein, class FFreiheit>
    bool Kette(const TBrett& b, int start, FStein&& stein, FFreiheit&& freiheit) {
        if (b[start] != Schwarz && b[start] != Weiss) return true;
        auto rand = [&](int q, TFarbe) { return Weiter(freiheit, q); };
        return Laufe(
            b, start, [](TFarbe v) { return v == Leer; }, stein, rand);
    }

    // feld(p) for every point of the empty region through start, stein(q, farbe) once for every
    // stone bordering it. Ends early like Kette; nothing is walked when start is not empty.
    template <class FFeld, class FStein>
    bool Gebiet(const TBrett& b, int start, FFeld&& feld, FStein&& stein) {
        if (b[start] != Leer) return true;
        return Laufe(
            b, start, [](TFarbe v) { return v == Schwarz || v == Weiss; }, feld, stein);
    }

    // feld(p) for every cell of the chain, or the empty region, through start; it may take the
    // stone off the board. The number of cells.
    template <class FFeld> int Flaeche(const TBrett& b, int start, FFeld&& feld) {
        int n = 0;
        auto zaehle = [&](int p) {
            feld(p);
            ++n;
        };
        if (b[start] == Leer)
            Gebiet(b, start, zaehle, Nichts);
        else
            Kette(b, start, zaehle, Nichts);
        return n;
    }

    // Number of distinct liberties of the chain through the stone on start.
    int Freiheiten(const TBrett& b, int start) {
        int n = 0;
        Kette(b, start, Nichts, [&](int) { ++n; });
        return n;
    }
    // Whether the chain through the stone on start has a liberty; stops at the first one.
    bool HatFreiheit(const TBrett& b, int start) {
        return !Kette(b, start, Nichts, [](int) { return false; });
    }

    // The capture rule after a stone was placed on p: entferne(q) for every opponent chain next to
    // p that has no liberty left (left, right, down, up; q is one of its stones), then for p itself
    // if its own chain has none (suicide). entferne must take the chain off b before it returns.
    template <class FEntferne> void Schlage(const TBrett& b, int p, FEntferne&& entferne) {
        const TFarbe o = Gegner(b[p]);
        for (int n : Nachbarn) {
            const int q = p + n;
            if (b[q] == o && !HatFreiheit(b, q)) entferne(q);
        }
        if (!HatFreiheit(b, p)) entferne(p);
    }

private:
    static constexpr int Nachbarn[4] = {-1, 1, -16, 16};

    template <class F, class... A> static bool Weiter(F& f, A... a) {
        if constexpr (std::is_void_v<std::invoke_result_t<F&, A...>>) {
            f(a...);
            return true;
        } else {
            return static_cast<bool>(f(a...));
        }
    }

    // The area: the cells connected to start that hold its value; its rim: the cells next to the
    // area for which istRand(value) holds (never the area's own value).
    template <class FIstRand, class FInnen, class FRand>
    bool Laufe(const TBrett& b, int start, FIstRand istRand, FInnen& innen, FRand& amRand) {
        const TFarbe c = b[start];
        const std::uint16_t m = NeueMarke();
        int oben = 0;
        marken_[start] = m;
        if (!Weiter(innen, start)) return false;
        stapel_[oben++] = static_cast<std::int16_t>(start);
        while (oben > 0) {
            const int d = stapel_[--oben];
            for (int n : Nachbarn) {
                const int q = d + n;
                const TFarbe v = b[q];
                if (istRand(v)) {
                    if (marken_[q] == m) continue;
                    marken_[q] = m;
                    if (!Weiter(amRand, q, v)) return false;
                } else if (v == c && marken_[q] != m) {
                    marken_[q] = m;
                    if (!Weiter(innen, q)) return false;
                    stapel_[oben++] = static_cast<std::int16_t>(q);
                }
            }
        }
        return true;
    }

    // Each walk marks with a new number, so the marks never need clearing but on wrap-around.
    std::uint16_t NeueMarke() {
        if (++marke_ == 0) {
            marken_.Fuelle(0);
            marke_ = 1;
        }
        return marke_;
    }

    TArray<std::uint16_t, BrettVon, BrettBis> marken_{};
    std::uint16_t marke_ = 0;
    TArray<std::int16_t, 0, MaxStapel - 1> stapel_{};
};
