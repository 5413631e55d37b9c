// classify/pattern_matcher.h: finds any of a fixed set of byte patterns in a stream,
// one byte at a time, in constant memory (an Aho-Corasick automaton).
// Portable: no Win32.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using PatternSet = std::array<uint64_t, 2>;  // bit i: pattern i was found (128 at most)

struct PatternMatcher {
    int classCount = 1;                  // byte classes: 0 for bytes in no pattern
    std::array<uint8_t, 256> classOf{};  // byte -> class
    std::vector<uint16_t> next;          // state * classCount + class -> state
    std::vector<PatternSet> found;       // patterns that end in a state, suffixes included
    std::vector<uint8_t> endsPattern;    // 1 where found[state] is not empty
};

// Builds the automaton for up to 128 patterns of non-empty bytes.
PatternMatcher BuildPatternMatcher(const std::vector<const char*>& patterns);

// One step: the state after byte b. State 0 is the start.
inline uint16_t StepMatcher(const PatternMatcher& m, uint16_t state, unsigned char b)
{
    return m.next[state * m.classCount + m.classOf[b]];
}
