#ifndef ENVIRONMENT_HPP
#define ENVIRONMENT_HPP

#include "Ovra3D/Entity.hpp"
#include "model/AgentBehavior.hpp"
#include "model/Score.hpp"

#include <memory>
#include <vector>

class CatAgent;
class LineObject;
class ZombieAgent;

// The game world and its rules: the player's cat, a pool of 100 zombies brought into play
// one per second at the arena's edge, the shot line, and the frame's simulation.
class Environment : public ovra::Entity {
public:
    // Needs "simple_shader" registered; without it the world is built but not drawn.
    Environment();
    ~Environment() override;

    // One frame of simulation (none while paused or once the game is over), then the tree update.
    void update() override;

    int getPlayerHealth() const;
    bool isGameOver() const { return isGameOver_; }
    // A paused world neither moves nor ages: no spawn timer, no weapon delay, no time survived.
    void setPaused(bool paused) { isPaused_ = paused; }
    bool isPaused() const { return isPaused_; }
    // The zombies felled and the time played so far in this world.
    Score getResult() const;

    // What happened in the last update, for the sounds.
    struct Events {
        int blowsDealt = 0;     // blows of the cat that landed
        int zombiesFelled = 0;  // of those, blows that felled a zombie
        int catHurt = 0;        // zombie blows on the cat
    };
    const Events& getLastEvents() const { return lastEvents_; }

private:
    void createPlayer();
    void createZombies();
    void createLine();

    void spawnZombie();
    glm::vec3 generateSpawnPosition();
    void updateCats();
    void updateZombies();
    void updateAgent(Agent& agent, const AgentList& allies, const AgentList& enemies);

    glm::vec3 pointerOnGround(bool& hasPointer) const;
    void shoot(Agent& cat, const glm::vec3& catPosition, const glm::vec3& target);
    Agent* findTarget(const glm::vec3& catPosition, const glm::vec3& fireDirection) const;
    void strikeCats(Agent& zombie);

    LineObject* line_ = nullptr;
    std::vector<std::shared_ptr<CatAgent>> cats_;
    std::vector<std::shared_ptr<ZombieAgent>> zombies_;
    // The same agents in the same order, as the behaviours read them; built once.
    AgentList catAgents_;
    AgentList zombieAgents_;
    float timer_ = 0.0f;
    bool isGameOver_ = false;
    bool isPaused_ = false;
    int zombiesFelled_ = 0;
    Events lastEvents_;
    double secondsSurvived_ = 0.0;  // a sum of frame times: single precision would drift
};

#endif
