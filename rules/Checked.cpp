#include "rules/Checked.h"

void RangeFehler(long wert, long von, long bis) {
    throw ERangeError(std::to_string(wert) + " nicht in " + std::to_string(von) + ".." + std::to_string(bis));
}
