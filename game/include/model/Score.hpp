#ifndef SCORE_HPP
#define SCORE_HPP

#include <string>

// How well one game went: the zombies felled and the time survived.
struct Score {
    int zombiesFelled = 0;
    long millisecondsSurvived = 0;

    // More zombies felled wins; with as many, the longer time.
    bool beats(const Score& other) const;
    // The time survived as minutes and seconds, "m:ss" (whole seconds, cut down).
    std::string clockText() const;
};

#endif
