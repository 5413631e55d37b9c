// classify/pattern_matcher.h: finds any of a fixed set of byte patterns in a stream,
// one code at a time, in constant memory (an Aho-Corasick automaton). Several
// automata share one coding of the bytes, so that a byte is looked up once for all.
// Portable: no Win32.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using PatternSet = std::array<uint64_t, 2>;  // bit i: pattern i was found (128 at most)

// Byte -> code: 1 to 31 for the bytes that occur in the patterns, 0 for all others.
constexpr int CodeCount = 32;
using PatternCodes = std::array<uint8_t, 256>;

struct PatternMatcher {
    std::vector<uint16_t> next;        // state * CodeCount + code -> state
    std::vector<PatternSet> found;     // patterns that end in a state, suffixes included
    std::vector<uint8_t> endsPattern;  // 1 where found[state] is not empty
    std::vector<uint8_t> depth;        // how many codes the state stands for
};

// Gives the bytes of all the pattern sets their codes, in order of first appearance
// (at most 31 different bytes).
PatternCodes AssignPatternCodes(const std::vector<std::vector<const char*>>& patternSets);

// Builds the automaton for up to 128 patterns of non-empty bytes, all of them coded.
PatternMatcher BuildPatternMatcher(const std::vector<const char*>& patterns, const PatternCodes& codes);

// One step: the state after a byte of that code. State 0 is the start; a code that
// occurs in no pattern leads back to it.
inline uint16_t StepMatcher(const PatternMatcher& m, uint16_t state, unsigned code)
{
    return m.next[state * CodeCount + code];
}
