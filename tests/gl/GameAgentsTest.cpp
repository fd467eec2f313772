#include "entities/Cat.hpp"
#include "entities/Zombie.hpp"
#include "model/CatAgent.hpp"
#include "model/PlayerBehaviour.hpp"
#include "model/ZombieAgent.hpp"
#include "model/ZombieBehaviour.hpp"

#include "WorldTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace worldtest;

namespace {

class GameAgentsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(ressources_.shader(), nullptr); }

    RepoRessources ressources_;
    // Takes the agents' sprites, as the environment does.
    ovra::Entity holder_{"holder"};
};

TEST_F(GameAgentsTest, AgentsFixTheirStatisticsAndBindTheirSpriteAndBehaviour) {
    struct Case {
        const char* name;
        std::shared_ptr<Agent> agent;
        float moveSpeed, size;
        int health, attack, defense;
        bool isCatSprite;
        const char* behaviour;  // "player", "zombie" or "none"
    };
    const Case cases[] = {
        {"Player", std::make_shared<CatAgent>("Player", true), 10.0f, 1.0f, 100, 50, 0, true, "player"},
        {"Stray", std::make_shared<CatAgent>("Stray", false), 10.0f, 1.0f, 100, 50, 0, true, "none"},
        {"Zombie3", std::make_shared<ZombieAgent>("Zombie3"), 2.0f, 2.0f, 100, 10, 0, false, "zombie"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Agent& agent = *c.agent;
        ASSERT_NE(agent.getEntity(), nullptr);
        holder_.attach(*agent.getEntity());

        EXPECT_EQ(agent.getMoveSpeed(), c.moveSpeed);
        EXPECT_EQ(agent.getSize(), c.size);
        EXPECT_EQ(agent.getHealth(), c.health);
        EXPECT_EQ(agent.getAttack(), c.attack);
        EXPECT_EQ(agent.getDefense(), c.defense);

        EXPECT_EQ(agent.getEntity()->getName(), c.name);
        EXPECT_EQ(dynamic_cast<Cat*>(agent.getEntity()) != nullptr, c.isCatSprite);
        EXPECT_EQ(dynamic_cast<Zombie*>(agent.getEntity()) != nullptr, !c.isCatSprite);

        const std::shared_ptr<AgentBehavior> first = agent.getBehavior();
        EXPECT_EQ(agent.getBehavior(), first);
        EXPECT_EQ(first == nullptr, std::string(c.behaviour) == "none");
        EXPECT_EQ(dynamic_cast<PlayerBehaviour*>(first.get()) != nullptr, std::string(c.behaviour) == "player");
        EXPECT_EQ(dynamic_cast<ZombieBehaviour*>(first.get()) != nullptr, std::string(c.behaviour) == "zombie");
    }
}

TEST_F(GameAgentsTest, DestroyingAnAgentLeavesItsEntityAttachedAndItsSharedBehaviourAlive) {
    auto agent = std::make_shared<ZombieAgent>("Zombie0");
    ovra::Entity* entity = agent->getEntity();
    holder_.attach(*entity);
    const std::shared_ptr<AgentBehavior> behaviour = agent->getBehavior();

    agent.reset();

    ASSERT_EQ(holder_.countChildren(), 1u);
    EXPECT_EQ(holder_.getChild(0), entity);
    EXPECT_EQ(entity->getName(), "Zombie0");
    EXPECT_EQ(entity->countChildren(), 1u);
    EXPECT_EQ(behaviour->getAction(), AgentBehavior::NONE);
}

}  // namespace
