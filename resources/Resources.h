#pragma once
// What the program carries with it: the board page's layout description,
// the board photograph stored inside it.

#include <string>

std::string MainFormLayoutText();
