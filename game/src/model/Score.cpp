#include "model/Score.hpp"

bool Score::beats(const Score& other) const {
    if (zombiesFelled != other.zombiesFelled) {
        return zombiesFelled > other.zombiesFelled;
    }
    return millisecondsSurvived > other.millisecondsSurvived;
}

std::string Score::clockText() const {
    const long seconds = millisecondsSurvived > 0 ? millisecondsSurvived / 1000 : 0;
    const long rest = seconds % 60;
    return std::to_string(seconds / 60) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}
