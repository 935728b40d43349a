// A generator for tests: each draw returns the next scripted value and records its bound.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

extern std::deque<std::uint32_t> ScriptedDraws;  // an empty script draws 0
extern std::vector<std::uint32_t> DrawBounds;
