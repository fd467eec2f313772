#ifndef ENVIRONMENT_HPP
#define ENVIRONMENT_HPP

#include "Ovra3D/Entity.hpp"
#include "model/AgentBehavior.hpp"

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

    // One frame of simulation (none once the game is over), then the tree update.
    void update() override;

    int getPlayerHealth() const;
    bool isGameOver() const { return isGameOver_; }

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
};

#endif
