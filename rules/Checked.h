#pragma once
// Arrays with a declared index range, as the data model uses them everywhere:
// every access is checked and an index outside the range raises ERangeError.
#include <cstddef>
#include <stdexcept>
#include <string>

struct ERangeError : std::out_of_range {
    ERangeError() : std::out_of_range("Range check error") {}
    explicit ERangeError(const std::string& wo) : std::out_of_range("Range check error (" + wo + ")") {}
};

[[noreturn]] void RangeFehler(long wert, long von, long bis);

// Checked conversion into a subrange Lo..Hi.
template <long Lo, long Hi> constexpr long Bereich(long v) {
    if (v < Lo || v > Hi) RangeFehler(v, Lo, Hi);
    return v;
}

template <class T, int Lo, int Hi> struct TArray {
    static_assert(Lo <= Hi);
    static constexpr int Low = Lo;
    static constexpr int High = Hi;
    static constexpr int Anzahl = Hi - Lo + 1;

    T d[Anzahl]{};

    constexpr T& operator[](long i) {
        if (i < Lo || i > Hi) RangeFehler(i, Lo, Hi);
        return d[i - Lo];
    }
    constexpr const T& operator[](long i) const {
        if (i < Lo || i > Hi) RangeFehler(i, Lo, Hi);
        return d[i - Lo];
    }
    constexpr void Fuelle(const T& w) {
        for (auto& x : d)
            x = w;
    }
    constexpr T* begin() { return d; }
    constexpr T* end() { return d + Anzahl; }
    constexpr const T* begin() const { return d; }
    constexpr const T* end() const { return d + Anzahl; }
    friend constexpr bool operator==(const TArray& a, const TArray& b) {
        for (int i = 0; i < Anzahl; ++i)
            if (!(a.d[i] == b.d[i])) return false;
        return true;
    }
};
