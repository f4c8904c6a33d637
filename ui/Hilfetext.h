#pragma once
// The built-in help page, written next to the program at the first start.
#include <string>
#include <vector>

std::vector<std::string> HilfeTextZeilen();
