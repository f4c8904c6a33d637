#pragma once
// The German help page, written next to the program (or into the data folder) at the first start.
#include <string>
#include <vector>

const std::string& HilfeHtml();
// The page as lines, the form the installer writes.
std::vector<std::string> HilfeZeilen();
