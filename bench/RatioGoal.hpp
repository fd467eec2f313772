#ifndef OVRA_BENCH_RATIOGOAL_HPP
#define OVRA_BENCH_RATIOGOAL_HPP

// How a benchmark's ratio against its reference stands to its goal (the largest ratio
// wanted), in words for its printed line: a figure over its goal must not read as a pass.
inline const char* againstGoal(double ratio, double goal) {
    return ratio <= goal ? "within the goal" : "OVER THE GOAL";
}

#endif
